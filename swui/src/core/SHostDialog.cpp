#include "core/SHostDialog.h"

#include <cwchar>

#include "core/EventCmd.h"
#include "core/IMsgLoopFactory.h"
#include "core/SApplication.h"
#include "core/SMessageLoop.h"

namespace SWUI {

namespace {

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW.
const UINT kHideFlags = 0x97;

IMsgLoopFactory* LoopFactory() {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? app->GetMsgLoopFactory() : nullptr;
}

}  // namespace

SHostDialog::SHostDialog(LPCWSTR layoutName) : SHostWnd(layoutName) {
  if (IMsgLoopFactory* factory = LoopFactory()) m_pMsgLoop = factory->CreateMsgLoop();
}

SHostDialog::~SHostDialog() {
  // The window goes first: its destruction takes its tooltip out of this dialog's loop.
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
  if (m_pMsgLoop != nullptr) {
    if (IMsgLoopFactory* factory = LoopFactory()) {
      factory->DestroyMsgLoop(m_pMsgLoop);
    } else {
      delete m_pMsgLoop;
    }
  }
}

BOOL SHostDialog::IsRootClass(LPCWSTR className) const {
  if (className != nullptr && wcscmp(className, L"hostdlg") == 0) return TRUE;
  return SHostWnd::IsRootClass(className);
}

INT_PTR SHostDialog::DoModal(HWND hOwner) {
  if (hOwner == nullptr) hOwner = ::GetActiveWindow();
  HWND disabled = nullptr;
  if (hOwner != nullptr && hOwner != ::GetDesktopWindow() && ::IsWindowEnabled(hOwner)) {
    ::EnableWindow(hOwner, FALSE);
    disabled = hOwner;
  }
  m_nRetCode = kRunning;
  if (m_pMsgLoop == nullptr ||
      CreateEx(hOwner, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, 0) == nullptr) {
    if (disabled != nullptr) ::EnableWindow(disabled, TRUE);
    return 0;
  }
  ::SendMessageW(m_hWnd, WM_INITDIALOG, reinterpret_cast<WPARAM>(m_hWnd), 0);

  HWND previousActive = nullptr;
  const bool ran = m_nRetCode == kRunning && ::IsWindow(m_hWnd);
  if (ran) {
    previousActive = ::GetActiveWindow();
    const bool tool = (GetWindowLong(GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    ::ShowWindow(m_hWnd, tool ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
    const int exitCode = m_pMsgLoop->Run();
    // Ended by WM_QUIT from elsewhere, not by EndDialog: the loop outside must end too.
    if (m_nRetCode == kRunning) ::PostQuitMessage(exitCode);
    if (::IsWindow(m_hWnd)) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, kHideFlags);
  }
  if (disabled != nullptr) ::EnableWindow(disabled, TRUE);
  if (ran && previousActive != nullptr && ::IsWindow(previousActive)) {
    ::SetActiveWindow(previousActive);
  }
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
  return m_nRetCode;
}

void SHostDialog::EndDialog(INT_PTR code) {
  if (m_nRetCode != kRunning || m_hWnd == nullptr) return;
  m_nRetCode = code;
  if (m_pMsgLoop != nullptr) m_pMsgLoop->Quit();
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, kHideFlags);
  PostMessage(WM_NULL);  // wakes the loop so that it sees the quit request
}

BOOL SHostDialog::HandleEvent(EventArgs* evt) {
  if (evt == nullptr || evt->GetID() != EventCmd::EventID) return FALSE;
  if (evt->idFrom == IDOK) {
    OnOK();
    return TRUE;
  }
  if (evt->idFrom == IDCANCEL) {
    OnCancel();
    return TRUE;
  }
  return FALSE;
}

void SHostDialog::OnKeyDown(WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (SHostWnd::ProcessWindowMessage(m_hWnd, WM_KEYDOWN, wParam, lParam, lResult, 0)) return;
  int id = 0;
  if (wParam == VK_ESCAPE) {
    id = IDCANCEL;
  } else if (wParam == VK_RETURN) {
    id = IDOK;
  } else {
    return;
  }
  SWindow* wnd = GetRoot()->FindChildByID(id);
  // A button the user cannot press is not pressed by a key either.
  if (wnd != nullptr && !wnd->IsDisabled(TRUE) && wnd->IsVisible(TRUE)) wnd->FireCommand();
}

BOOL SHostDialog::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd) {
    if (msg == WM_CLOSE) {
      OnCancel();
      lResult = 0;
      return TRUE;
    }
    if (msg == WM_KEYDOWN) {
      OnKeyDown(wParam, lParam);
      lResult = 0;
      return TRUE;
    }
  }
  if (SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId)) return TRUE;
  if (mapId != 0) return FALSE;
  BOOL handled = TRUE;
  lResult = ReflectNotifications(msg, wParam, lParam, handled);
  // A reflected colour message the child left at 0 has no brush for the dialog.
  if (handled && msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC && lResult == 0)
    handled = FALSE;
  return handled;
}

}  // namespace SWUI
