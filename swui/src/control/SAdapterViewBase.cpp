// SAdapterViewBase: the panels and their recycle lists, and the input the items get (mouse,
// wheel, keys, focus, cursor, tooltip, the capture the items ask for).
#include "control/SAdapterViewBase.h"

#include "control/SItemPanelRoot.h"
#include "core/SAttrParse.h"
#include "core/SMuteEvents.h"
#include "res.mgr/SXmlNoCase.h"

namespace SWUI {

namespace {

bool IsButtonDown(UINT uMsg) {
  return uMsg == WM_LBUTTONDOWN || uMsg == WM_RBUTTONDOWN || uMsg == WM_MBUTTONDOWN;
}

bool IsButtonUp(UINT uMsg) {
  return uMsg == WM_LBUTTONUP || uMsg == WM_RBUTTONUP || uMsg == WM_MBUTTONUP;
}

LPARAM PointToLParam(POINT pt) {
  return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

// Dialog-code bits of the element protocol beyond the system's DLGC_ names.
constexpr UINT kDlgCodeAllKeys = 0xFFFF;
constexpr UINT kDlgCodeSystemKeys = 0x80000000u;

}  // namespace

SAdapterViewBase::SAdapterViewBase() {
  SetFlag(SWF_FOCUSABLE, TRUE);
  m_nUpdateInterval = kUpdateInterval;
}

HRESULT SAdapterViewBase::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                       BOOL bLoading) {
  if (!SAttrParse::IsName(strAttribName, L"wantTab")) {
    return SPanel::SetAttribute(strAttribName, strValue, bLoading);
  }
  m_bWantTab = SAttrParse::Int(strValue) > 0;
  return AfterAttribute(strAttribName, strValue, bLoading, S_FALSE);
}

BOOL SAdapterViewBase::CreateChildren(pugi::xml_node xmlNode) {
  CopyTemplate(xmlNode);
  return TRUE;
}

pugi::xml_node SAdapterViewBase::CopyTemplate(pugi::xml_node xmlNode) {
  const pugi::xml_node tpl = SXmlNoCase::Child(xmlNode, L"template");
  if (!tpl) return pugi::xml_node();
  m_xmlTemplate.reset();
  return m_xmlTemplate.append_copy(tpl);
}

// ---- the panels --------------------------------------------------------------------------

int SAdapterViewBase::ClampViewType(int nType) const {
  return nType >= 0 && nType < static_cast<int>(m_recycle.size()) ? nType : 0;
}

void SAdapterViewBase::ResetRecycleLists(int nTypeCount) {
  m_recycle.assign(static_cast<size_t>(nTypeCount > 1 ? nTypeCount : 1), {});
}

SAutoRefPtr<SItemPanel> SAdapterViewBase::TakeFreePanel(int nType) {
  std::deque<SAutoRefPtr<SItemPanel>>& free = m_recycle[static_cast<size_t>(nType)];
  SAutoRefPtr<SItemPanel> panel;
  if (!free.empty()) {
    panel = std::move(free.front());
    free.pop_front();
    return panel;
  }
  panel.Attach(SItemPanel::Create(this, pugi::xml_node(), this));
  OnPanelCreated(panel);
  return panel;
}

void SAdapterViewBase::ShowPanel(SItemPanel* pItem, DWORD dwState) {
  SWindow* root = pItem->GetRoot();
  root->SetVisible(TRUE, FALSE);
  {
    SMuteEvents mute(root);
    pItem->ModifyItemState(dwState, (WndState_Hover | WndState_Check) & ~dwState);
  }
  if (dwState & WndState_Hover) m_pHoverItem = pItem;
}

void SAdapterViewBase::MoveCheck(SItemPanel* pOld, SItemPanel* pNew) {
  if (pOld != nullptr) {
    pOld->OnSetSwndFocus(0);
    pOld->ModifyItemState(0, WndState_Check);
    InvalidatePanel(pOld);
  }
  if (pNew != nullptr) {
    pNew->ModifyItemState(WndState_Check, 0);
    InvalidatePanel(pNew);
  }
}

void SAdapterViewBase::RecyclePanel(const ItemInfo& info) {
  const SAutoRefPtr<SItemPanel> panel = info.pItem;
  SWindow* root = panel->GetRoot();
  if (root->GetState() & WndState_Hover) panel->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
  ForgetPanel(panel);
  {
    SMuteEvents mute(root);
    panel->ModifyItemState(0, WndState_Check);
    panel->OnSetSwndFocus(0);
    root->SetVisible(FALSE, FALSE);
  }
  // Lists reset meanwhile (a new adapter) take no panel of the old one: it goes.
  const size_t type = static_cast<size_t>(info.nType);
  if (type < m_recycle.size()) m_recycle[type].push_back(panel);
}

void SAdapterViewBase::ForgetPanel(SItemPanel* pItem) {
  if (m_pCapturedItem == pItem) {
    // A press in an item ends with it, so the item shown in the panel next gets no drag and no
    // click: the holder leaves (losing its pushed state), then the capture goes.
    if (SWindow* holder = SWindow::GetSwndFromHandle(pItem->OnGetSwndCapture())) {
      holder->SSendMessage(WM_MOUSELEAVE);
    }
    pItem->OnReleaseSwndCapture();
  }
  if (m_pHoverItem == pItem) m_pHoverItem = nullptr;
}

void SAdapterViewBase::DestroyAllPanels() {
  std::vector<SAutoRefPtr<SItemPanel>> panels;
  for (const ItemInfo& info : m_visible) panels.push_back(info.pItem);
  for (const std::deque<SAutoRefPtr<SItemPanel>>& list : m_recycle) {
    panels.insert(panels.end(), list.begin(), list.end());
  }
  m_visible.clear();
  m_recycle.clear();
  for (const SAutoRefPtr<SItemPanel>& panel : panels) ForgetPanel(panel);
  m_pHoverItem = nullptr;
  m_pCapturedItem = nullptr;
  // The panels go when `panels` does: their destruction may reach the view, which holds none.
}

int SAdapterViewBase::GetRecycledCount() const {
  size_t count = 0;
  for (const std::deque<SAutoRefPtr<SItemPanel>>& list : m_recycle) count += list.size();
  return static_cast<int>(count);
}

// ---- walks over the rows -----------------------------------------------------------------

bool SAdapterViewBase::DeferRebuild() {
  if (m_walkDepth == 0) return false;
  m_bRowsStale = true;
  return true;
}

void SAdapterViewBase::RebuildStaleRows() {
  // The rebuilds below are walks of their own: they come back here at depth 0, so the depth is
  // held while they run and the loop takes what they leave stale.
  ++m_walkDepth;
  for (int i = 0; i < kMaxRebuilds && m_bRowsStale; ++i) {
    m_bRowsStale = false;
    OnRowsStale();
    UpdateScrollBar();
    UpdateVisibleItems();
  }
  if (m_bRowsStale) {
    m_bRowsStale = false;
    DropVisibleRows();
  }
  --m_walkDepth;
}

SItemPanel* SAdapterViewBase::HitTest(POINT& pt) const {
  for (const ItemInfo& info : m_visible) {
    RECT rc;
    if (!OnItemGetRect(info.pItem, rc) || !PtInRect(&rc, pt)) continue;
    pt.x -= rc.left;
    pt.y -= rc.top;
    return info.pItem;
  }
  return nullptr;
}

void SAdapterViewBase::InvalidatePanel(SItemPanel* pItem) {
  RECT rc;
  if (OnItemGetRect(pItem, rc)) InvalidateRect(rc);
}

void SAdapterViewBase::OnSize(UINT nType, SIZE size) {
  SPanel::OnSize(nType, size);
  if (!HasAdapter()) return;
  UpdateScrollBar();
  UpdateVisibleItems();
}

void SAdapterViewBase::OnDestroy() {
  ReleaseAdapter();
  SPanel::OnDestroy();
}

void SAdapterViewBase::OnShowWindow(BOOL bShow, UINT nStatus) {
  SPanel::OnShowWindow(bShow, nStatus);
  // The items take frames only while the view shows them.
  for (const ItemInfo& info : m_visible) info.pItem->UpdateTimelineRegistration();
}

// ---- scrolling ---------------------------------------------------------------------------

BOOL SAdapterViewBase::OnScroll(BOOL bVertical, UINT uCode, int nPos) {
  const int old = GetScrollPos(bVertical);
  SPanel::OnScroll(bVertical, uCode, nPos);
  if (GetScrollPos(bVertical) == old) return FALSE;
  if (bVertical) {
    UpdateVisibleItems();
    if (uCode == SB_THUMBTRACK) ThrottledUpdate();
  }
  return TRUE;
}

// ---- tree-wide messages ------------------------------------------------------------------

void SAdapterViewBase::DispatchToPanels(UINT uMsg, WPARAM wParam) {
  for (const ItemInfo& info : m_visible) info.pItem->GetRoot()->SDispatchMessage(uMsg, wParam);
  for (const std::deque<SAutoRefPtr<SItemPanel>>& list : m_recycle) {
    for (const SAutoRefPtr<SItemPanel>& panel : list) {
      panel->GetRoot()->SDispatchMessage(uMsg, wParam);
    }
  }
}

void SAdapterViewBase::OnColorize(COLORREF cr) {
  SPanel::OnColorize(cr);
  DispatchToPanels(UM_SETCOLORIZE, cr);
}

void SAdapterViewBase::OnScaleChanged(int scale) {
  SPanel::OnScaleChanged(scale);
  DispatchToPanels(UM_SETSCALE, static_cast<WPARAM>(scale));
  // The rows' sizes may follow the scale.
  if (HasAdapter()) {
    UpdateScrollBar();
    UpdateVisibleItems();
  }
}

BOOL SAdapterViewBase::OnLanguageChanged() {
  const BOOL result = SPanel::OnLanguageChanged();
  DispatchToPanels(UM_SETLANGUAGE, 0);
  return result;
}

// ---- capture -----------------------------------------------------------------------------

void SAdapterViewBase::OnItemSetCapture(SItemPanel* pItem, BOOL bCapture) {
  if (bCapture) {
    SetCapture();
    m_pCapturedItem = pItem;
  } else if (m_pCapturedItem != nullptr) {
    // Only a capture an item asked for is given back: the view's own press keeps its own.
    m_pCapturedItem = nullptr;
    ReleaseCapture();
  }
}

// ---- mouse -------------------------------------------------------------------------------

void SAdapterViewBase::SendMouseHover(SItemPanel* pItem, WPARAM wParam, POINT ptInItem) {
  pItem->DoFrameEvent(WM_MOUSEHOVER, wParam, PointToLParam(ptInItem));
}

LRESULT SAdapterViewBase::OnMouseEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (!HasAdapter()) {
    SetMsgHandled(FALSE);
    return 0;
  }
  LRESULT lResult = 0;
  if (m_pCapturedItem != nullptr) {
    SendToPanel(m_pCapturedItem, uMsg, wParam, lParam);
  } else {
    // Focus and the view's own capture first.
    if (IsButtonDown(uMsg)) SPanel::ProcessSwndMessage(uMsg, wParam, lParam, lResult);
    POINT pt = PointFromLParam(lParam);
    SAutoRefPtr<SItemPanel> hit(HitTest(pt));
    if (hit == nullptr && IsButtonDown(uMsg)) OnPressOverNoItem();
    if (hit != m_pHoverItem) {
      SAutoRefPtr<SItemPanel> old(m_pHoverItem);
      m_pHoverItem = hit;
      if (old != nullptr) {
        old->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
        InvalidatePanel(old);
      }
      if (hit != nullptr) {
        SendMouseHover(hit, wParam, pt);
        InvalidatePanel(hit);
      }
    }
    // A handler may have replaced the items meanwhile.
    if (hit != nullptr && hit == m_pHoverItem) hit->DoFrameEvent(uMsg, wParam, PointToLParam(pt));
  }
  if (IsButtonUp(uMsg)) SPanel::ProcessSwndMessage(uMsg, wParam, lParam, lResult);
  SetMsgHandled(TRUE);
  return 0;
}

void SAdapterViewBase::OnMouseLeave() {
  SPanel::OnMouseLeave();
  if (m_pHoverItem == nullptr) return;
  SAutoRefPtr<SItemPanel> hover(m_pHoverItem);
  m_pHoverItem = nullptr;
  hover->DoFrameEvent(WM_MOUSELEAVE, 0, 0);
  InvalidatePanel(hover);
}

LRESULT SAdapterViewBase::OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (SItemPanel* sel = GetSelPanel()) {
    const LRESULT answer = SendToPanel(sel, uMsg, wParam, lParam);
    if (answer != 0) return answer;
  }
  return SPanel::OnMouseWheel(uMsg, wParam, lParam);
}

LRESULT SAdapterViewBase::SendToPanel(SItemPanel* pItem, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SAutoRefPtr<SItemPanel> hold(pItem);  // a handler may drop it
  RECT rc;
  OnItemGetRect(pItem, rc);
  const POINT pt = PointFromLParam(lParam);
  return pItem->DoFrameEvent(uMsg, wParam, PointToLParam(POINT{pt.x - rc.left, pt.y - rc.top}));
}

// ---- keys --------------------------------------------------------------------------------

LRESULT SAdapterViewBase::OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (!HasAdapter()) {
    SetMsgHandled(FALSE);
    return 0;
  }
  const UINT vk = static_cast<UINT>(wParam);
  SAutoRefPtr<SItemPanel> sel(GetSelPanel());
  if (m_bWantTab && sel != nullptr) {
    sel->DoFrameEvent(uMsg, wParam, lParam);
    if (sel->IsFrameMsgHandled()) return 0;
  }
  if (m_pOwner != nullptr && (vk == VK_ESCAPE || vk == VK_RETURN)) {
    m_pOwner->SSendMessage(WM_KEYDOWN, wParam, lParam);
    return 0;
  }
  if (HandleKey(vk)) return 0;
  // A key the view leaves goes to the selected item (unless it had it already).
  if (sel == nullptr || m_bWantTab) {
    SetMsgHandled(FALSE);
    return 0;
  }
  sel->DoFrameEvent(uMsg, wParam, lParam);
  SetMsgHandled(sel->IsFrameMsgHandled());
  return 0;
}

LRESULT SAdapterViewBase::OnKeyEvent(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SItemPanel* sel = uMsg != WM_KEYDOWN ? GetSelPanel() : nullptr;
  if (sel == nullptr) {
    SetMsgHandled(FALSE);
    return 0;
  }
  SAutoRefPtr<SItemPanel> hold(sel);
  sel->DoFrameEvent(uMsg, wParam, lParam);
  SetMsgHandled(sel->IsFrameMsgHandled());
  return 0;
}

UINT SAdapterViewBase::OnGetDlgCode() {
  return m_bWantTab ? kDlgCodeAllKeys : kDlgCodeSystemKeys | DLGC_WANTARROWS;
}

// ---- focus, cursor, tooltip --------------------------------------------------------------

void SAdapterViewBase::OnSetFocus(SwndHandle swndOld) {
  SPanel::OnSetFocus(swndOld);
  if (SItemPanel* sel = GetSelPanel()) sel->DoFrameEvent(WM_SETFOCUS, 0, 0);
}

void SAdapterViewBase::OnKillFocus(SwndHandle swndNew) {
  SPanel::OnKillFocus(swndNew);
  if (SItemPanel* sel = GetSelPanel()) sel->DoFrameEvent(WM_KILLFOCUS, 0, 0);
}

BOOL SAdapterViewBase::OnSetCursor(const POINT& pt) {
  SItemPanel* item = m_pCapturedItem != nullptr ? m_pCapturedItem : m_pHoverItem;
  if (item == nullptr) return SPanel::OnSetCursor(pt);
  SendToPanel(item, WM_SETCURSOR, 0, PointToLParam(pt));
  return TRUE;
}

BOOL SAdapterViewBase::UpdateToolTip(POINT pt, SwndToolTipInfo& tipInfo) {
  if (m_pHoverItem == nullptr) return SPanel::UpdateToolTip(pt, tipInfo);
  return m_pHoverItem->GetItemRoot()->UpdateToolTip(pt, tipInfo);
}

}  // namespace SWUI
