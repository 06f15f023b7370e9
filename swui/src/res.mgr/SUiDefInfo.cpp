#include "res.mgr/SUiDefInfo.h"

#include "core/SApplication.h"
#include "core/SFontCheck.h"
#include "core/SLog.h"
#include "res.mgr/SResXml.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

const char kInitFunc[] = "SWUI::SUiDefInfo::Init";

#define UIDEF_WARN(...) SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, kInitFunc, __VA_ARGS__)

// "type:name" with both parts non-empty.
bool SplitTypeName(LPCWSTR ref, SStringW* type, SStringW* name) {
  if (ref == nullptr) return false;
  SArray<SStringW> parts;
  if (SplitResType(SStringW(ref), parts) != 2) return false;
  if (parts[0].IsEmpty() || parts[1].IsEmpty()) return false;
  *type = parts[0];
  *name = parts[1];
  return true;
}

// A boolean of the definition: false when absent, else false only for exactly "0".
bool BoolAttr(pugi::xml_node node, LPCWSTR name) {
  pugi::xml_attribute attr = SXmlNoCase::Attribute(node, name);
  return attr && wcscmp(attr.value(), L"0") != 0;
}

}  // namespace

const wchar_t SUiDefInfo::kDefaultFace[] = L"\u5b8b\u4f53";

SUiDefInfo::SUiDefInfo() : m_defFont(FallbackFont()) {}

FontInfo SUiDefInfo::FallbackFont() {
  FontInfo font;
  font.style = FONTSTYLE(kDefaultStyle);
  font.strFaceName = kDefaultFace;
  font.strName = L"default";
  return font;
}

void SUiDefInfo::Init(IResProvider* provider, LPCWSTR ref) {
  SStringW type, name;
  if (!SplitTypeName(ref, &type, &name)) {
    UIDEF_WARN("warning!!!! Add ResProvider Error.");
    return;
  }
  if (provider == nullptr || provider->GetRawBufferSize(type, name) == 0) {
    UIDEF_WARN("warning!!!! uidef was not found in the specified resprovider");
    return;
  }
  pugi::xml_document doc;
  if (!LoadResXml(provider, type, name, doc)) {
    UIDEF_WARN("warning!!! load uidef as xml document failed");
    return;
  }
  pugi::xml_node root = SXmlNoCase::Child(doc, L"uidef");
  if (!root) {
    UIDEF_WARN("warning!!! \"uidef\" element is not the root element of uidef xml");
    return;
  }
  LoadDefaultFont(SXmlNoCase::Child(root, L"font"));
  LoadSections(provider, root);
}

void SUiDefInfo::LoadDefaultFont(pugi::xml_node font) {
  if (!font) return;  // the constructor's default font stays
  FONTSTYLE style;
  style.SetCharset(SXmlNoCase::Attribute(font, L"charset").as_int(1));
  style.SetWeightField(FONTSTYLE::WeightField(SXmlNoCase::Attribute(font, L"weight").as_uint(0)));
  style.SetItalic(BoolAttr(font, L"italic"));
  style.SetUnderline(BoolAttr(font, L"underline"));
  style.SetBold(BoolAttr(font, L"bold"));
  style.SetStrike(BoolAttr(font, L"strike"));
  style.SetSize(SXmlNoCase::Attribute(font, L"size").as_int(12));
  m_defFont.style = style;

  LPCWSTR name = SXmlNoCase::Attribute(font, L"name").value();
  m_defFont.strName = name[0] != 0 ? name : L"default";
  SStringW face = SXmlNoCase::Attribute(font, L"face").value();
  if (face.IsEmpty() || !CheckFont(face)) face = kDefaultFace;
  m_defFont.strFaceName = face;
}

void SUiDefInfo::LoadSections(IResProvider* provider, pugi::xml_node root) {
  // Each section may refer to what the sections before it defined, so the order is fixed.
  {
    pugi::xml_document holder;
    if (pugi::xml_node node = FetchSection(provider, root, L"string", holder)) {
      m_namedString.Init(node);
    }
  }
  {
    pugi::xml_document holder;
    if (pugi::xml_node node = FetchSection(provider, root, L"color", holder)) {
      m_namedColor.Init(node);
    }
  }
  {
    pugi::xml_document holder;
    if (pugi::xml_node node = FetchSection(provider, root, L"dim", holder)) {
      m_namedDimension.Init(node);
    }
  }
  {
    pugi::xml_document holder;
    if (pugi::xml_node node = FetchSection(provider, root, L"skin", holder)) LoadSkins(node);
  }
  {
    pugi::xml_document holder;
    if (pugi::xml_node node = FetchSection(provider, root, L"style", holder)) LoadStyles(node);
  }
  {
    pugi::xml_document holder;
    if (pugi::xml_node node = FetchSection(provider, root, L"objattr", holder)) {
      LoadObjDefAttr(node);
    }
  }
}

pugi::xml_node SUiDefInfo::FetchSection(IResProvider* provider, pugi::xml_node root,
                                        LPCWSTR section, pugi::xml_document& holder) {
  pugi::xml_node node = SXmlNoCase::Child(root, section);
  LPCWSTR src = SXmlNoCase::Attribute(node, L"src").value();
  if (src[0] == 0) return node;
  SStringW type, name;
  if (!SplitTypeName(src, &type, &name)) {
    // Half a reference would read some other resource, or none: leave the section out.
    UIDEF_WARN("warning!!! src of section \"%s\" is not type:name, section skipped",
               StringW2A(section, CP_UTF8).c_str());
    return pugi::xml_node();
  }
  // A redirection that cannot be read leaves the section's own children in use.
  if (!LoadResXml(provider, type, name, holder)) return node;
  return SXmlNoCase::Child(holder, section);
}

void SUiDefInfo::LoadSkins(pugi::xml_node skin) {
  SAutoRefPtr<SSkinPool> pool;
  pool.Attach(new SSkinPool());
  pool->LoadSkins(skin);
  SetSkinPool(pool);
}

void SUiDefInfo::LoadStyles(pugi::xml_node style) {
  SAutoRefPtr<SStylePool> pool;
  pool.Attach(new SStylePool());
  if (pool->Init(style)) SetStylePool(pool);
}

void SUiDefInfo::LoadObjDefAttr(pugi::xml_node objattr) {
  SAutoRefPtr<SObjDefAttr> defAttr;
  defAttr.Attach(new SObjDefAttr());
  if (defAttr->Init(objattr, SApplication::getSingletonPtr())) SetObjDefAttr(defAttr);
}

}  // namespace SWUI
