#include "control/SMenuAttr.h"

#include <cwchar>
#include <unordered_set>

#include "core/SAttrParse.h"
#include "core/SAutoLock.h"
#include "core/SFontPool.h"
#include "core/SSkinPoolMgr.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

// Built-in skins of menus.
const int kSkinMenuCheck = 23;
const int kSkinMenuSep = 24;
const int kSkinMenuItem = 27;

// The live attribute objects. Menus may be built on any UI thread, hence the lock. Made on
// first use and never destroyed, so an attribute object outliving the statics still finds it.
struct LiveAttrs {
  SCriticalSection lock;
  std::unordered_set<const SMenuAttr*> set;
};

LiveAttrs& Live() {
  static LiveAttrs* live = new LiveAttrs();
  return *live;
}

COLORREF Opaque(int sysColor) { return GetSysColor(sysColor) | 0xFF000000u; }

ISkinObj* BuiltinSkin(int index) {
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  return pools != nullptr ? pools->GetBuiltinSkin(index, 100) : nullptr;
}

bool Is(const SStringW& name, LPCWSTR attr) { return name.CompareNoCase(attr) == 0; }

}  // namespace

SMenuAttr::SMenuAttr()
    : m_itemSkin(BuiltinSkin(kSkinMenuItem)),
      m_sepSkin(BuiltinSkin(kSkinMenuSep)),
      m_checkSkin(BuiltinSkin(kSkinMenuCheck)),
      m_colorText(Opaque(COLOR_MENUTEXT)),
      m_colorTextSel(Opaque(COLOR_HIGHLIGHTTEXT)),
      m_colorTextGray(Opaque(COLOR_GRAYTEXT)) {
  LiveAttrs& live = Live();
  SAutoLock lock(live.lock);
  live.set.insert(this);
}

SMenuAttr::~SMenuAttr() {
  LiveAttrs& live = Live();
  SAutoLock lock(live.lock);
  live.set.erase(this);
}

SMenuAttr* SMenuAttr::OfMenu(HMENU hMenu) {
  if (hMenu == nullptr || !IsMenu(hMenu)) return nullptr;
  MENUINFO mi = {};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIM_MENUDATA;
  if (!GetMenuInfo(hMenu, &mi) || mi.dwMenuData == 0) return nullptr;
  auto* attr = reinterpret_cast<const SMenuAttr*>(mi.dwMenuData);
  LiveAttrs& live = Live();
  SAutoLock lock(live.lock);
  return live.set.count(attr) != 0 ? const_cast<SMenuAttr*>(attr) : nullptr;
}

BOOL SMenuAttr::SetAsMenuData(HMENU hMenu) {
  MENUINFO mi = {};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIM_MENUDATA;
  mi.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
  return SetMenuInfo(hMenu, &mi);
}

HRESULT SMenuAttr::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  HRESULT hr = S_OK;
  if (Is(name, L"itemSkin")) {
    hr = ParseSkin(value, m_itemSkin);
  } else if (Is(name, L"iconSkin")) {
    hr = ParseSkin(value, m_iconSkin);
  } else if (Is(name, L"sepSkin")) {
    hr = ParseSkin(value, m_sepSkin);
  } else if (Is(name, L"checkSkin")) {
    hr = ParseSkin(value, m_checkSkin);
  } else if (Is(name, L"itemHeight")) {
    m_itemHeight = SAttrParse::Int(value);
  } else if (Is(name, L"iconMargin")) {
    m_iconMargin = SAttrParse::Int(value);
  } else if (Is(name, L"textMargin")) {
    m_textMargin = SAttrParse::Int(value);
  } else if (Is(name, L"maxWidth")) {
    m_maxWidth = SAttrParse::Int(value);
  } else if (Is(name, L"colorText")) {
    hr = ParseNamedColor(value, &m_colorText);
  } else if (Is(name, L"colorTextSel")) {
    hr = ParseNamedColor(value, &m_colorTextSel);
  } else if (Is(name, L"cororTextGray")) {
    hr = ParseNamedColor(value, &m_colorTextGray);
  } else if (Is(name, L"iconSize")) {
    int cx = 0;
    int cy = 0;
    wchar_t rest = 0;
    if (swscanf(value, L"%d,%d%lc", &cx, &cy, &rest) != 2) return E_INVALIDARG;
    m_iconSize = SIZE{cx, cy};
  } else if (Is(name, L"font")) {
    SFontPool* fonts = SFontPool::getSingletonPtr();
    if (fonts == nullptr) return E_FAIL;
    SAutoRefPtr<IFont> font = fonts->GetFont(value, 100);
    if (font == nullptr) return E_FAIL;
    m_font = font;
  } else if (Is(name, L"trCtx")) {
    m_trCtx = GetNamedString(value);
  } else {
    return SMenuAttrBase::SetAttribute(name, value, bLoading);
  }
  return AfterAttribute(name, value, bLoading, hr);
}

void SMenuAttr::OnInitFinished(pugi::xml_node) {
  if (m_itemHeight == 0 && m_itemSkin != nullptr) m_itemHeight = m_itemSkin->GetSkinSize().cy;
  if (m_font == nullptr) {
    SFontPool* fonts = SFontPool::getSingletonPtr();
    if (fonts != nullptr) m_font = fonts->GetFont(SStringW(), 100);
  }
}

HRESULT SMenuAttr::ParseSkin(const SStringW& value, SAutoRefPtr<ISkinObj>& skin) {
  SSkinPoolMgr* pools = SSkinPoolMgr::getSingletonPtr();
  ISkinObj* found = pools != nullptr ? pools->GetSkin(value, 100) : nullptr;
  if (found == nullptr) return E_FAIL;
  skin = found;
  return S_OK;
}

}  // namespace SWUI
