// SWindow: element messages and the base message map, events, hit testing, focus, capture,
// timers, caret, tooltip and accessibility notices.
#include "core/EventCmd.h"
#include "core/EventCtxMenu.h"
#include "core/EventKillFocus.h"
#include "core/EventLButtonDown.h"
#include "core/EventLButtonUp.h"
#include "core/EventSetFocus.h"
#include "core/EventSwndMouseHover.h"
#include "core/EventSwndMouseLeave.h"
#include "core/EventSwndUpdateTooltip.h"
#include "core/SApplication.h"
#include "core/STimer2.h"
#include "core/SWindow.h"

namespace SWUI {

// ---- element messages --------------------------------------------------------------------

LRESULT SWindow::SSendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL* pbHandled) {
  SAutoRefPtr<SWindow> hold(this);  // a handler may destroy the element
  SWNDMSG msg = {uMsg, wParam, lParam, m_pCurMsg};
  m_pCurMsg = &msg;
  const BOOL oldHandled = m_bMsgHandled;
  m_bMsgHandled = FALSE;
  LRESULT lResult = 0;
  const BOOL handled = ProcessSwndMessage(uMsg, wParam, lParam, lResult);
  if (pbHandled != nullptr) *pbHandled = handled;
  m_bMsgHandled = oldHandled;
  m_pCurMsg = msg.pPrev;
  return lResult;
}

LRESULT SWindow::SDispatchMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  SAutoRefPtr<SWindow> hold(this);
  LRESULT lResult = SSendMessage(uMsg, wParam, lParam);
  for (SWindow* child = m_pFirstChild; child != nullptr;) {
    SAutoRefPtr<SWindow> holdChild(child);
    lResult = child->SDispatchMessage(uMsg, wParam, lParam);
    child = child->m_pNextSibling;
  }
  return lResult;
}

BOOL SWindow::ProcessSwndMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  lResult = 0;
  MSG_WM_CREATE(OnCreate)
  MSG_WM_DESTROY(OnDestroy)
  MSG_WM_SIZE(OnSize)
  MSG_WM_ENABLE_EX(OnEnable)
  MSG_WM_PAINT_EX(OnPaint)
  MSG_WM_ERASEBKGND_EX(OnEraseBkgnd)
  MSG_WM_SHOWWINDOW(OnShowWindow)
  MSG_WM_NCPAINT_EX(OnNcPaint)
  SWND_MSG_ENTRY(WM_MOUSEMOVE, 0)
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_RBUTTONDOWN(OnRButtonDown)
  MSG_WM_RBUTTONUP(OnRButtonUp)
  SWND_MESSAGE_HANDLER(WM_MOUSEWHEEL, OnMouseWheel)
  MSG_WM_MOUSEHOVER(OnMouseHover)
  MSG_WM_MOUSELEAVE(OnMouseLeave)
  MSG_WM_SETFOCUS_EX(OnSetFocus)
  MSG_WM_KILLFOCUS_EX(OnKillFocus)
  SWND_MSG_ENTRY(UM_SETSCALE, (OnSetScale(static_cast<int>(wParam)), 0))
  SWND_MSG_ENTRY(UM_SETLANGUAGE, (OnSetLanguage(), 0))
  SWND_MSG_ENTRY(UM_SETCOLORIZE, (OnSetColorize(static_cast<COLORREF>(wParam)), 0))
  return SwndProc(uMsg, wParam, lParam, lResult);
}

BOOL SWindow::SwndProc(UINT, WPARAM, LPARAM, LRESULT&) { return FALSE; }

// ---- events ------------------------------------------------------------------------------

BOOL SWindow::FireEvent(EventArgs& evt) {
  if (m_evtSet.IsMuted()) return FALSE;
  m_evtSet.FireEvent(evt);
  if (!evt.bubbleUp) return evt.handled > 0;
  if (m_pOwner != nullptr) return m_pOwner->FireEvent(evt);
  if (m_pContainer != nullptr) return m_pContainer->OnFireEvent(evt);
  return FALSE;
}

BOOL SWindow::FireCommand() {
  EventCmd evt(this);
  return FireEvent(evt);
}

BOOL SWindow::FireCtxMenu(POINT pt) {
  EventCtxMenu evt(this);
  evt.pt = pt;
  FireEvent(evt);
  return evt.bCancel;
}

// ---- mouse -------------------------------------------------------------------------------

void SWindow::OnLButtonDown(UINT, POINT pt) {
  if (IsFocusable()) SetFocus();
  SetCapture();
  ModifyState(WndState_PushDown, 0, TRUE);
  EventLButtonDown evt(this);
  evt.pt = pt;
  FireEvent(evt);
}

void SWindow::OnLButtonUp(UINT, POINT pt) {
  ReleaseCapture();
  if (!(m_dwState & WndState_PushDown)) return;
  ModifyState(0, WndState_PushDown, TRUE);
  if (!PtInRect(&m_rcWindow, pt)) return;
  EventLButtonUp evt(this);
  evt.pt = pt;
  FireEvent(evt);
  FireCommand();
}

void SWindow::OnRButtonDown(UINT, POINT pt) { FireCtxMenu(pt); }

void SWindow::OnRButtonUp(UINT, POINT) {}

LRESULT SWindow::OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return m_pParent != nullptr ? m_pParent->SSendMessage(uMsg, wParam, lParam) : 0;
}

void SWindow::OnMouseHover(UINT, POINT) {
  if (GetCapture() == m_swnd) ModifyState(WndState_PushDown, 0, FALSE);
  ModifyState(WndState_Hover, 0, TRUE);
  RedrawNonClient();
  EventSwndMouseHover evt(this);
  FireEvent(evt);
}

void SWindow::OnMouseLeave() {
  if (GetCapture() == m_swnd) ModifyState(0, WndState_PushDown, FALSE);
  ModifyState(0, WndState_Hover, TRUE);
  RedrawNonClient();
  EventSwndMouseLeave evt(this);
  FireEvent(evt);
}

// ---- focus -------------------------------------------------------------------------------

void SWindow::OnSetFocus(SwndHandle) {
  EventSetFocus evt(this);
  FireEvent(evt);
  InvalidateRect(m_rcWindow);
  SendAccessibleNotice(EVENT_OBJECT_FOCUS);
}

void SWindow::OnKillFocus(SwndHandle) {
  EventKillFocus evt(this);
  FireEvent(evt);
  InvalidateRect(m_rcWindow);
}

void SWindow::SetFocus() {
  if (m_dwState & WndState_Invisible) return;
  if ((m_dwState & WndState_Disable) && IsFocusable()) return;
  if (m_pContainer != nullptr) m_pContainer->OnSetSwndFocus(m_swnd);
}

void SWindow::KillFocus() {
  if (IsFocused()) m_pContainer->OnSetSwndFocus(0);
}

BOOL SWindow::IsFocused() const {
  return m_pContainer != nullptr && m_pContainer->GetFocus() == m_swnd;
}

// ---- capture -----------------------------------------------------------------------------

SwndHandle SWindow::GetCapture() const {
  return m_pContainer != nullptr ? m_pContainer->OnGetSwndCapture() : 0;
}

SwndHandle SWindow::SetCapture() {
  return m_pContainer != nullptr ? m_pContainer->OnSetSwndCapture(m_swnd) : 0;
}

BOOL SWindow::ReleaseCapture() {
  return m_pContainer != nullptr ? m_pContainer->OnReleaseSwndCapture() : FALSE;
}

// ---- hit testing and cursor --------------------------------------------------------------

SwndHandle SWindow::SwndFromPoint(const POINT& pt, BOOL bOnlyText) {
  if (!IsContainPoint(pt, FALSE)) return 0;
  if (!IsContainPoint(pt, TRUE)) return m_swnd;  // the frame is the element's own
  for (SWindow* child = m_pLastChild; child != nullptr; child = child->m_pPrevSibling) {
    if ((child->m_dwState & WndState_Invisible) || child->IsMsgTransparent()) continue;
    if (SwndHandle hit = child->SwndFromPoint(pt, bOnlyText)) return hit;
  }
  return m_swnd;
}

BOOL SWindow::IsContainPoint(const POINT& pt, BOOL bClientOnly) const {
  if (m_shapeRgn != nullptr) {
    return m_shapeRgn->PtInRegion(pt.x - m_rcWindow.left, pt.y - m_rcWindow.top);
  }
  RECT rc;
  if (bClientOnly) {
    GetClientRect(&rc);
  } else {
    rc = m_rcWindow;
  }
  return PtInRect(&rc, pt);
}

BOOL SWindow::OnNcHitTest(POINT pt) { return !IsContainPoint(pt, TRUE); }

BOOL SWindow::OnSetCursor(const POINT&) {
  SApplication* app = SApplication::getSingletonPtr();
  HCURSOR cursor = app != nullptr ? app->LoadCursor(m_style.GetCursor()) : nullptr;
  // A cursor name that loads nothing must not hide the cursor: the arrow stands in.
  if (cursor == nullptr) cursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::SetCursor(cursor);
  return TRUE;
}

// ---- timers and caret --------------------------------------------------------------------

BOOL SWindow::SetTimer(char id, UINT uElapse) {
  HWND host = ContainerHostHwnd();
  if (host == nullptr) return FALSE;
  return ::SetTimer(host, SwndTimerId::Make(m_swnd, static_cast<UINT>(id)), uElapse, nullptr) != 0;
}

void SWindow::KillTimer(char id) {
  if (HWND host = ContainerHostHwnd()) {
    ::KillTimer(host, SwndTimerId::Make(m_swnd, static_cast<UINT>(id)));
  }
}

BOOL SWindow::SetTimer2(UINT_PTR id, UINT uElapse) {
  return STimer2::SetTimer2(m_swnd, static_cast<UINT>(id), uElapse);
}

void SWindow::KillTimer2(UINT_PTR id) { STimer2::KillTimer2(m_swnd, static_cast<UINT>(id)); }

BOOL SWindow::CreateCaret(HBITMAP pBmp, int nWid, int nHeight) {
  return m_pContainer != nullptr ? m_pContainer->CreateCaret(m_swnd, pBmp, nWid, nHeight) : FALSE;
}

void SWindow::ShowCaret(BOOL bShow) {
  if (m_pContainer != nullptr) m_pContainer->ShowCaret(bShow);
}

void SWindow::SetCaretPos(int x, int y) {
  if (m_pContainer != nullptr) m_pContainer->SetCaretPos(x, y);
}

// ---- tooltip, groups, script, notices ----------------------------------------------------

BOOL SWindow::UpdateToolTip(POINT, SwndToolTipInfo& tipInfo) {
  tipInfo.swnd = m_swnd;
  tipInfo.dwCookie = 0;
  tipInfo.rcTarget = m_rcWindow;
  EventSwndUpdateTooltip evt(this);
  evt.bUpdated = FALSE;
  FireEvent(evt);
  tipInfo.strTip = evt.bUpdated ? evt.strToolTip : GetToolTipText();
  return !tipInfo.strTip.IsEmpty();
}

SWindow* SWindow::GetSelectedChildInGroup() {
  for (SWindow* child = m_pFirstChild; child != nullptr; child = child->m_pNextSibling) {
    if (child->IsSiblingsAutoGroupped()) return child->GetSelectedSiblingInGroup();
  }
  return nullptr;
}

IScriptModule* SWindow::GetScriptModule() {
  return m_pContainer != nullptr ? m_pContainer->GetScriptModule() : nullptr;
}

void SWindow::SendAccessibleNotice(DWORD dwEvent) {
  if (HWND host = ContainerHostHwnd()) {
    ::NotifyWinEvent(dwEvent, host, static_cast<LONG>(m_swnd), CHILDID_SELF);
  }
}

void SWindow::ContainerFrameToHost(RECT& rc) const {
  if (m_pContainer != nullptr) m_pContainer->FrameToHost(rc);
}

HWND SWindow::ContainerHostHwnd() const {
  return m_pContainer != nullptr ? m_pContainer->GetHostHwnd() : nullptr;
}

}  // namespace SWUI
