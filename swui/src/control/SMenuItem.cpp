#include "control/SMenuItem.h"

#include "control/EventSelectMenu.h"
#include "control/SMenuBar.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

SMenuItem::SMenuItem(SMenuBar* pMenuBar, LPCWSTR pszMenuName) : m_pMenuBar(pMenuBar) {
  SetAttribute(SStringW(L"drawFocusRect"), SStringW(L"0"), TRUE);
  SetAttribute(SStringW(L"menuName"), SStringW(pszMenuName), TRUE);
  m_bMenuLoaded = m_menu.LoadMenu(m_strMenuName, nullptr);
}

SMenuItem::~SMenuItem() = default;

HRESULT SMenuItem::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                BOOL bLoading) {
  if (!SAttrParse::IsName(strAttribName, L"menuName")) {
    return SButton::SetAttribute(strAttribName, strValue, bLoading);
  }
  m_strMenuName = GetNamedString(strValue);
  return AfterAttribute(strAttribName, strValue, bLoading, S_FALSE);
}

UINT SMenuItem::PopupMenu() {
  if (!m_bMenuLoaded || m_pMenuBar == nullptr) return 0;
  // The button and the bar live on through the menu's loop whatever its handlers do.
  SAutoRefPtr<SWindow> holdSelf(this);
  SAutoRefPtr<SWindow> holdBar(m_pMenuBar);
  SMenuBar* bar = m_pMenuBar;
  bar->m_bMenuShown = TRUE;
  bar->m_pActiveItem = this;
  // The menu takes the mouse from here: the press that opened it lets go.
  if (GetCapture() == m_swnd) ReleaseCapture();
  ModifyState(WndState_Check, WndState_PushDown, TRUE);

  RECT host = {0, 0, 0, 0};
  ::GetWindowRect(bar->m_hHost, &host);
  RECT rc = GetWindowRect();
  ContainerFrameToHost(rc);
  const int cmd = m_menu.TrackPopupMenu(TPM_RETURNCMD, host.left + rc.left,
                                        host.top + rc.bottom + 2, bar->m_hHost, 100);
  SetCheck(FALSE);
  bar->m_bMenuShown = FALSE;
  if (PressWaits()) bar->m_pClosingItem = this;
  const bool chosen = cmd != 0 && cmd != -1;
  if (bar->m_pActiveItem == this && chosen) {
    bar->m_pActiveItem = nullptr;
    EventSelectMenu evt(bar);
    evt.uMenuId = static_cast<UINT>(cmd);
    evt.pMenu = &m_menu;
    FireEvent(evt);
  } else {
    bar->m_pActiveItem = nullptr;
  }
  return static_cast<UINT>(cmd);
}

bool SMenuItem::PressWaits() const {
  HWND host = m_pMenuBar->m_hHost;
  MSG msg;
  for (const UINT press : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
    if (!::PeekMessageW(&msg, host, press, press, PM_NOREMOVE | PM_NOYIELD)) continue;
    RECT rc = GetWindowRect();
    ContainerFrameToHost(rc);
    return PtInRect(&rc, PointFromLParam(msg.lParam)) != FALSE;
  }
  return false;
}

void SMenuItem::OnDestroy() {
  // While WM_DESTROY arrives the button is still its bar's child.
  if (auto* bar = dynamic_cast<SMenuBar*>(GetParent())) bar->ForgetItem(this);
  SButton::OnDestroy();
}

void SMenuItem::OnMouseMove(UINT, POINT) {
  SetMsgHandled(FALSE);
  SMenuBar* bar = m_pMenuBar;
  if (!bar->m_bMenuShown || bar->m_pActiveItem == this) return;
  bar->m_pActiveItem = this;
  SMenuEx::ExitPopupMenu(0);
  SetTimer(kTimerPopup, kPopupDelay);
}

void SMenuItem::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  BringWindowToTop();
  SMenuBar* bar = m_pMenuBar;
  // The press that closed this button's own menu only closes it.
  const bool closing = bar->m_pClosingItem == this;
  bar->m_pClosingItem = nullptr;
  if (closing || !::IsWindow(bar->m_hHost)) return;
  PopupMenu();
}

void SMenuItem::OnTimer(char cTimerId) {
  if (cTimerId != kTimerPopup) {
    SetMsgHandled(FALSE);
    return;
  }
  if (m_pMenuBar->m_bMenuShown) return;
  KillTimer(kTimerPopup);
  if (::IsWindow(m_pMenuBar->m_hHost)) PopupMenu();
}

}  // namespace SWUI
