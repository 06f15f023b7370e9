#include "control/SMenuExItem.h"

#include <cwchar>
#include <vector>

#include "control/SControlSkin.h"
#include "control/SMenuEx.h"
#include "control/SMenuExRoot.h"
#include "core/SAttrParse.h"
#include "base/SXmlMark.h"

namespace SWUI {

namespace {

bool IsMenuNode(const pugi::xml_node& node) {
  return node.type() == pugi::node_element &&
         (wcscmp(node.name(), L"menuItem") == 0 || wcscmp(node.name(), L"sep") == 0);
}

}  // namespace

SMenuExItem::SMenuExItem(SMenuEx* pOwnerMenu, ISkinObj* pItemSkin) : m_pOwnerMenu(pOwnerMenu) {
  m_pBgSkin = pItemSkin;
  m_style.SetTrackMouseEvent(TRUE);
  m_style.SetAttribute(SStringW(L"align"), SStringW(L"left"), TRUE);
}

SMenuExItem::~SMenuExItem() = default;

SMenuEx* SMenuExItem::GetSubMenu() {
  if (m_pSubMenu != nullptr) m_pSubMenu->EnsureBuilt();
  return m_pSubMenu.get();
}

SMenuExRoot* SMenuExItem::GetMenuRoot() const {
  return m_pOwnerMenu != nullptr ? m_pOwnerMenu->GetMenuRoot() : nullptr;
}

// ---- attributes and creation -------------------------------------------------------------

HRESULT SMenuExItem::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                  BOOL bLoading) {
  using P = SAttrParse;
  int* field = nullptr;
  if (P::IsName(strAttribName, L"icon")) {
    field = &m_nIcon;
  } else if (P::IsName(strAttribName, L"check")) {
    field = &m_nCheck;
  } else if (P::IsName(strAttribName, L"radio")) {
    field = &m_nRadio;
  }
  if (field != nullptr) {
    *field = P::Int(strValue);
    if (!bLoading) Invalidate();
    return S_OK;
  }
  if (P::IsName(strAttribName, L"hotKey")) {
    m_cHotKey = strValue.IsEmpty() ? 0 : strValue[0];
    return S_FALSE;
  }
  return SWindow::SetAttribute(strAttribName, strValue, bLoading);
}

BOOL SMenuExItem::CreateChildren(pugi::xml_node xmlNode) {
  // The menu's own elements are the sub-menu's, not children of this element.
  std::vector<pugi::xml_node> marked;
  bool hasSubItems = false;
  for (pugi::xml_node node = xmlNode.first_child(); node; node = node.next_sibling()) {
    if (!IsMenuNode(node)) continue;
    if (wcscmp(node.name(), L"menuItem") == 0) hasSubItems = true;
    if (SXmlMark::IsMarked(node)) continue;
    SXmlMark::SetMark(node, 1);
    marked.push_back(node);
  }
  SWindow::CreateChildren(xmlNode);
  for (const pugi::xml_node& node : marked) SXmlMark::SetMark(node, 0);

  if (hasSubItems && m_pSubMenu == nullptr && m_pOwnerMenu != nullptr) {
    // Built when it is first shown or asked for.
    m_pSubMenu.reset(new SMenuEx(this));
    m_pSubMenu->DeferMenu(xmlNode, m_pOwnerMenu->GetOwnerHwnd());
  }
  return TRUE;
}

// ---- layout ------------------------------------------------------------------------------

SIZE SMenuExItem::GetDesiredSize(int nParentWid, int nParentHei) {
  if (!IsVisible(FALSE)) return SIZE{0, 0};
  SIZE size = SWindow::GetDesiredSize(nParentWid, nParentHei);
  SMenuExRoot* root = GetMenuRoot();
  ILayoutParam* param = GetLayoutParam();
  if (root == nullptr) return size;
  if (param == nullptr || !param->IsSpecifiedSize(Horz)) {
    size.cx += root->GetIconBarWidth() + root->GetTextOffset();
    if (m_pSubMenu != nullptr) size.cx += SControlSkin::SizeOf(root->GetArrowSkin()).cx;
  }
  if (param == nullptr || !param->IsSpecifiedSize(Vert)) size.cy = root->GetItemHeight();
  return size;
}

void SMenuExItem::GetTextRect(LPRECT prect) const {
  SWindow::GetTextRect(prect);
  SMenuExRoot* root = GetMenuRoot();
  if (root == nullptr) return;
  prect->left += root->GetIconBarWidth() + root->GetTextOffset();
  if (m_pSubMenu != nullptr) prect->right -= SControlSkin::SizeOf(root->GetArrowSkin()).cx;
}

// ---- painting ----------------------------------------------------------------------------

BOOL SMenuExItem::OnEraseBkgnd(IRenderTarget* pRT) {
  if (m_pBgSkin == nullptr) return SWindow::OnEraseBkgnd(pRT);
  int state = 0;
  if (m_dwState & WndState_Disable) {
    state = 2;
  } else if (m_dwState & (WndState_Check | WndState_PushDown | WndState_Hover)) {
    state = 1;
  }
  SControlSkin::DrawOrNormal(m_pBgSkin, pRT, GetClientRect(), state);
  return TRUE;
}

void SMenuExItem::OnPaint(IRenderTarget* pRT) {
  SWindow::OnPaint(pRT);
  SMenuExRoot* root = GetMenuRoot();
  if (root == nullptr) return;
  if (m_nCheck != 0 || m_nRadio != 0) {
    const int state = m_nCheck != 0 ? (m_nRadio != 0 ? 1 : 0) : 2;
    DrawInIconColumn(pRT, root->GetCheckSkin(), state);
  } else if (root->GetIconSkin() != nullptr) {
    DrawInIconColumn(pRT, root->GetIconSkin(), m_nIcon);
  }
  ISkinObj* arrow = root->GetArrowSkin();
  if (m_pSubMenu == nullptr || arrow == nullptr) return;
  const RECT rc = GetClientRect();
  const SIZE size = arrow->GetSkinSize();
  const int top = rc.top + (rc.bottom - rc.top - size.cy) / 2;
  const RECT rcArrow = {rc.right - size.cx, top, rc.right, top + size.cy};
  SControlSkin::DrawState(arrow, pRT, rcArrow, (m_dwState & WndState_Hover) ? 1 : 0);
}

void SMenuExItem::DrawInIconColumn(IRenderTarget* pRT, ISkinObj* skin, int state) const {
  SMenuExRoot* root = GetMenuRoot();
  if (skin == nullptr || root == nullptr) return;
  const RECT rc = GetClientRect();
  const SIZE size = skin->GetSkinSize();
  const int left = rc.left + root->GetIconX();
  const int top = root->IsIconCentred() ? rc.top + (rc.bottom - rc.top - size.cy) / 2
                                        : rc.top + root->GetIconY();
  SControlSkin::DrawState(skin, pRT, RECT{left, top, left + size.cx, top + size.cy}, state);
}

void SMenuExItem::OnDestroy() {
  if (m_pOwnerMenu != nullptr) m_pOwnerMenu->OnItemDestroyed(this);
  SWindow::OnDestroy();
}

}  // namespace SWUI
