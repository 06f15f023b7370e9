#include "control/SDropDownWnd_ComboBox.h"

#include "core/SRootWindow.h"

namespace SWUI {

namespace {

bool IsListKey(WPARAM vk) {
  return vk == VK_UP || vk == VK_DOWN || vk == VK_RETURN || vk == VK_ESCAPE;
}

}  // namespace

RECT SDropDownWnd_ComboBox::ScreenRectOf(const SWindow* pWnd) {
  RECT rc = pWnd->GetWindowRect();
  pWnd->ContainerFrameToHost(rc);
  if (HWND host = pWnd->ContainerHostHwnd())
    ::MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

SMonitorArea SDropDownWnd_ComboBox::MonitorOf(const SWindow* pWnd) {
  SMonitorArea area;
  if (!SMonitorAreaApi::Get(pWnd->ContainerHostHwnd(), &area)) {
    area.rcMonitor = RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    area.rcWork = area.rcMonitor;
  }
  return area;
}

BOOL SDropDownWnd_ComboBox::IsOpen() const {
  return m_hWnd != nullptr && GetExitCode() == kOpen;
}

void SDropDownWnd_ComboBox::ShowNoActivate() {
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

BOOL SDropDownWnd_ComboBox::CaptureIfOpen() {
  if (!IsOpen()) return FALSE;
  ::SetCapture(m_hWnd);
  return TRUE;
}

void SDropDownWnd_ComboBox::HostContent(SWindow* pContent) {
  SRootWindow* root = GetRoot();
  pContent->AddRef();  // the tree's reference while it is lent
  root->InsertChild(pContent);
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  root->OnRelayout(rc);
  root->RequestRelayout(pContent, TRUE);
  root->UpdateLayout();
  pContent->SetVisible(TRUE);
  pContent->SetFocus();
}

void SDropDownWnd_ComboBox::ReturnContent(SWindow* pContent, ISwndContainer* pHome) {
  SRootWindow* root = GetRoot();
  if (pContent == nullptr || pContent->GetParent() != root) return;
  pContent->SetVisible(FALSE);
  root->RemoveChild(pContent);
  pContent->SetContainer(pHome);
  pContent->Release();  // the tree's reference
}

BOOL SDropDownWnd_ComboBox::PreTranslateMessage(MSG* pMsg) {
  if (SDropDownWnd::PreTranslateMessage(pMsg)) return TRUE;
  if (pMsg == nullptr || m_hWnd == nullptr || !::IsWindow(m_hWnd)) return FALSE;
  const bool redirect =
      pMsg->message == WM_MOUSEWHEEL ||
      ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && IsListKey(pMsg->wParam));
  if (!redirect) return FALSE;
  ::SendMessageW(m_hWnd, pMsg->message, pMsg->wParam, pMsg->lParam);
  return TRUE;
}

}  // namespace SWUI
