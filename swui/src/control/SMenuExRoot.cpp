#include "control/SMenuExRoot.h"

#include <algorithm>
#include <cwchar>

#include "control/SControlSkin.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExSep.h"
#include "core/SApplication.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

// Built-in skins of the menu: "_skin.sys.menu.check", ".sep", ".arrow" and ".skin".
constexpr int kBuiltinCheckSkin = 23;
constexpr int kBuiltinSepSkin = 24;
constexpr int kBuiltinArrowSkin = 25;
constexpr int kBuiltinItemSkin = 27;

struct SkinAttr {
  LPCWSTR name;
  SAutoRefPtr<ISkinObj> SMenuExRoot::*skin;
};

}  // namespace

SMenuExRoot::SMenuExRoot(SMenuEx* pOwnerMenu) : m_pOwnerMenu(pOwnerMenu) {
  m_pItemSkin = SControlSkin::Builtin(kBuiltinItemSkin);
  m_pCheckSkin = SControlSkin::Builtin(kBuiltinCheckSkin);
  m_pArrowSkin = SControlSkin::Builtin(kBuiltinArrowSkin);
  m_pSepSkin = SControlSkin::Builtin(kBuiltinSepSkin);
  SWindow::SetAttribute(SStringW(L"layout"), SStringW(L"vbox"), TRUE);
}

// ---- attributes --------------------------------------------------------------------------

HRESULT SMenuExRoot::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                  BOOL bLoading) {
  const HRESULT hr = SetOwnAttribute(strAttribName, strValue);
  if (hr == E_NOTIMPL) return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  if (hr == S_OK && !bLoading) Invalidate();
  return hr;
}

HRESULT SMenuExRoot::SetOwnAttribute(const SStringW& name, const SStringW& value) {
  using P = SAttrParse;
  static const SkinAttr kSkins[] = {{L"itemSkin", &SMenuExRoot::m_pItemSkin},
                                    {L"iconSkin", &SMenuExRoot::m_pIconSkin},
                                    {L"checkSkin", &SMenuExRoot::m_pCheckSkin},
                                    {L"arrowSkin", &SMenuExRoot::m_pArrowSkin},
                                    {L"sepSkin", &SMenuExRoot::m_pSepSkin}};
  for (const SkinAttr& attr : kSkins) {
    if (!P::IsName(name, attr.name)) continue;
    return SControlSkin::Assign(this->*attr.skin, value, GetScale()) ? S_FALSE : E_FAIL;
  }
  struct SizeAttr {
    LPCWSTR name;
    SLayoutSize* size;
  };
  const SizeAttr sizes[] = {{L"itemHeight", &m_itemHeight},
                            {L"iconBarWidth", &m_iconBarWidth},
                            {L"textOffset", &m_textOffset},
                            {L"minWidth", &m_minWidth},
                            {L"subMenuOffset", &m_subMenuOffset}};
  for (const SizeAttr& attr : sizes) {
    if (!P::IsName(name, attr.name)) continue;
    *attr.size = GetNamedDimension(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"iconPos")) {
    SArray<SStringW> parts;
    SplitString(value, L',', parts);
    if (parts.GetCount() == 1) {
      m_iconPos[0] = GetNamedDimension(parts[0]);
      m_iconPos[1] = SLayoutSize(kIconCentred, px);
      return S_OK;
    }
    if (parts.GetCount() != 2) return E_INVALIDARG;
    m_iconPos[0] = GetNamedDimension(parts[0]);
    m_iconPos[1] = GetNamedDimension(parts[1]);
    return S_OK;
  }
  if (P::IsName(name, L"contextHelpId")) {
    m_nContextHelpId = P::Int(value);
    return S_FALSE;
  }
  // The translation context of the whole menu belongs to the top level's window.
  if (P::IsName(name, L"trCtx")) return S_FALSE;
  return E_NOTIMPL;
}

void SMenuExRoot::CopyLookFrom(const SMenuExRoot& other) {
  m_pItemSkin = other.m_pItemSkin;
  m_pIconSkin = other.m_pIconSkin;
  m_pCheckSkin = other.m_pCheckSkin;
  m_pArrowSkin = other.m_pArrowSkin;
  m_pSepSkin = other.m_pSepSkin;
  m_itemHeight = other.m_itemHeight;
  m_iconBarWidth = other.m_iconBarWidth;
  m_textOffset = other.m_textOffset;
  m_iconPos[0] = other.m_iconPos[0];
  m_iconPos[1] = other.m_iconPos[1];
  m_minWidth = other.m_minWidth;
  m_subMenuOffset = other.m_subMenuOffset;
  m_nContextHelpId = other.m_nContextHelpId;
  m_maxWidth = other.m_maxWidth;
  m_style = other.m_style;
  m_pBgSkin = other.m_pBgSkin;
  m_pNcSkin = other.m_pNcSkin;
  RequestRelayout(this, TRUE);
}

// ---- children ----------------------------------------------------------------------------

BOOL SMenuExRoot::CreateChildren(pugi::xml_node xmlNode) {
  SApplication* app = SApplication::getSingletonPtr();
  for (pugi::xml_node node = xmlNode.first_child(); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element) continue;
    SMenuExItem* item = nullptr;
    if (wcscmp(node.name(), L"menuItem") == 0) {
      item = new SMenuExItem(m_pOwnerMenu, m_pItemSkin);
    } else if (wcscmp(node.name(), L"sep") == 0) {
      item = new SMenuExSep(m_pOwnerMenu, m_pSepSkin);
    } else {
      continue;
    }
    if (app != nullptr) app->SetSwndDefAttr(item);
    InsertChild(item);
    item->InitFromXml(node);
  }
  return TRUE;
}

SMenuExItem* SMenuExRoot::GetNextMenuItem(SMenuExItem* pStart, BOOL bForward) const {
  const int code = bForward ? GSW_NEXTSIBLING : GSW_PREVSIBLING;
  SWindow* const wrap = GetWindow(bForward ? GSW_FIRSTCHILD : GSW_LASTCHILD);
  SWindow* cur = pStart;
  for (int step = 0; step < GetChildrenCount(); ++step) {
    cur = cur != nullptr ? cur->GetWindow(code) : nullptr;
    if (cur == nullptr) cur = wrap;
    auto* item = dynamic_cast<SMenuExItem*>(cur);
    if (item != nullptr && !item->IsDisabled(TRUE) && item->IsVisible(FALSE)) return item;
  }
  return nullptr;
}

// ---- layout ------------------------------------------------------------------------------

SIZE SMenuExRoot::GetDesiredSize(int, int) {
  int width = 0;
  int height = 0;
  for (SWindow* child = GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    const SIZE size = child->GetDesiredSize(-1, -1);
    if (size.cx < kWideChild) width = std::max(width, static_cast<int>(size.cx));
    height += size.cy;
  }
  RECT margin;
  m_style.GetMargin(&margin);
  width += margin.left + margin.right;
  height += margin.top + margin.bottom;
  if (m_maxWidth.IsSpecifiedSize()) width = std::min(width, ToPixels(m_maxWidth));
  width = std::max(width, GetMinWidth());
  return SIZE{width, height};
}

void SMenuExRoot::UpdateChildrenPosition() {
  RECT rc;
  GetChildrenLayoutRect(&rc);
  int top = rc.top;
  for (SWindow* child = GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    const SIZE size = child->GetDesiredSize(rc.right - rc.left, rc.bottom - rc.top);
    child->OnRelayout(RECT{rc.left, top, rc.right, top + size.cy});
    top += size.cy;
  }
}

void SMenuExRoot::GetChildrenLayoutRect(RECT* prc) const { GetClientRect(prc); }

void SMenuExRoot::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  for (SAutoRefPtr<ISkinObj>* skin :
       {&m_pItemSkin, &m_pIconSkin, &m_pCheckSkin, &m_pArrowSkin, &m_pSepSkin}) {
    ScaleSkin(*skin, scale);
  }
}

}  // namespace SWUI
