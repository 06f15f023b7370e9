#include "core/SFontPool.h"

#include <cwchar>

#include <pugixml.hpp>

#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "core/SUiDef.h"
#include "core/xml_writer_buff.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SUiDefInfo.h"

namespace SWUI {

namespace {

// The element that carries a description's extra properties.
const wchar_t kPropElement[] = L"font";

FontInfo CurrentDefaultFont() {
  SUiDef* defs = SUiDef::getSingletonPtr();
  IUiDefInfo* info = defs != nullptr ? defs->GetUiDef() : nullptr;
  return info != nullptr ? info->GetDefFontInfo() : SUiDefInfo::FallbackFont();
}

int ToInt(const SStringW& text) { return static_cast<int>(wcstol(text, nullptr, 10)); }

SStringW PrintProperties(const pugi::xml_node& prop) {
  if (!prop.first_attribute()) return SStringW();
  xml_writer_buff writer;
  prop.print(writer, L"", pugi::format_raw, pugi::encoding_wchar);
  return SStringW(writer.buffer());
}

}  // namespace

SFontPool::SFontPool(IRenderFactory* renderFactory) : m_renderFactory(renderFactory) {}

SFontPool::~SFontPool() = default;

FontInfo SFontPool::MakeFontInfo(const SStringW& desc, int scale) {
  const FontInfo def = CurrentDefaultFont();
  FontInfo info;
  info.style = FONTSTYLE(def.style.dwStyle & 0x000FFFFFu);
  int size = 0;
  int adding = 0;
  pugi::xml_document doc;
  pugi::xml_node prop = doc.append_child(kPropElement);

  SStringW lower = desc;
  lower.MakeLower();
  SArray<SStringW> items;
  SplitString(lower, L',', items);
  // Last to first, so that the first occurrence of a key is the one that stays.
  for (size_t i = items.GetCount(); i-- > 0;) {
    SArray<SStringW> pair;
    if (SplitString(items[i], L':', pair) != 2) continue;
    const SStringW& key = pair[0];
    const SStringW& value = pair[1];
    const bool on = SAttrParse::Bool(value) != FALSE;
    if (key == L"face") {
      info.strFaceName = value;
    } else if (key == L"name") {
      info.strName = value;
    } else if (key == L"size") {
      size = GetNamedDimension(value).toPixelSize(scale);
    } else if (key == L"adding") {
      adding = GetNamedDimension(value).toPixelSize(scale);
    } else if (key == L"italic") {
      info.style.SetItalic(on);
    } else if (key == L"bold") {
      info.style.SetBold(on);
    } else if (key == L"strike") {
      info.style.SetStrike(on);
    } else if (key == L"underline") {
      info.style.SetUnderline(on);
    } else if (key == L"charset") {
      info.style.SetCharset(ToInt(value));
    } else if (key == L"weight") {
      const int weight = ToInt(value);
      info.style.SetWeightField(FONTSTYLE::WeightField(weight > 0 ? static_cast<UINT>(weight) : 0));
    } else {
      pugi::xml_attribute attr = prop.attribute(key);
      if (!attr) attr = prop.append_attribute(key);
      attr.set_value(value);
    }
  }

  if (size == 0) size = def.style.GetSize() * scale / 100 + adding;
  info.style.SetSize(size);
  info.strPropEx = PrintProperties(prop);
  if (info.strFaceName.IsEmpty()) info.strFaceName = def.strFaceName;
  if (info.strName.IsEmpty()) info.strName = def.strName;
  return info;
}

LOGFONTW SFontPool::MakeLogFont(const FontInfo& info) {
  LOGFONTW lf = {};
  const FONTSTYLE& style = info.style;
  lf.lfHeight = -style.GetSize();
  const UINT field = style.GetWeightField();
  lf.lfWeight = field != 0 ? static_cast<LONG>(field * 4) : (style.IsBold() ? FW_BOLD : FW_NORMAL);
  lf.lfItalic = style.IsItalic() ? TRUE : FALSE;
  lf.lfUnderline = style.IsUnderline() ? TRUE : FALSE;
  lf.lfStrikeOut = style.IsStrike() ? TRUE : FALSE;
  lf.lfCharSet = style.GetCharset();
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, info.strFaceName, LF_FACESIZE - 1);
  return lf;
}

SAutoRefPtr<IFont> SFontPool::GetFont(const SStringW& desc, int scale) {
  FontInfo info = MakeFontInfo(desc, scale);
  auto found = m_fonts.find(info);
  if (found != m_fonts.end()) return found->second;
  SAutoRefPtr<IFont> font = CreateFont(info);
  if (font != nullptr) m_fonts.emplace(info, font);
  return font;
}

SAutoRefPtr<IFont> SFontPool::CreateFont(const FontInfo& info) {
  SAutoRefPtr<IFont> font;
  if (m_renderFactory == nullptr) return font;
  LOGFONTW lf = MakeLogFont(info);
  // The current language may draw this font in another face and character set.
  SApplication* app = SApplication::getSingletonPtr();
  if (app != nullptr && app->GetTranslator() != nullptr) {
    app->GetTranslator()->UpdateLogFont(info.strName, &lf);
  }
  IFont* made = nullptr;
  if (!m_renderFactory->CreateFont(&made, lf) || made == nullptr) return font;
  font.Attach(made);
  if (!info.strPropEx.IsEmpty()) {
    pugi::xml_document doc;
    if (doc.load_string(info.strPropEx)) font->InitFromXml(doc.first_child());
  }
  return font;
}

}  // namespace SWUI
