#include "core/SDropDownWnd.h"

#include <windowsx.h>

#include "core/SMessageLoop.h"

namespace SWUI {

SDropDownWnd::SDropDownWnd(ISDropDownOwner* pOwner) : SHostWnd(nullptr), m_pOwner(pOwner) {
  m_pFilterLoop = GetMsgLoop();
  if (m_pFilterLoop != nullptr) m_pFilterLoop->AddMessageFilter(this);
}

SDropDownWnd::~SDropDownWnd() {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
  if (m_pFilterLoop != nullptr) m_pFilterLoop->RemoveMessageFilter(this);
}

SMessageLoop* SDropDownWnd::GetMsgLoop() {
  SWindow* owner = m_pOwner != nullptr ? m_pOwner->GetDropDownOwner() : nullptr;
  ISwndContainer* container = owner != nullptr ? owner->GetContainer() : nullptr;
  return container != nullptr ? container->GetMsgLoop() : nullptr;
}

BOOL SDropDownWnd::Create(LPCRECT rc, LPVOID lParam, DWORD dwStyle, DWORD dwExStyle) {
  if (rc == nullptr || m_hWnd != nullptr) return FALSE;
  SWindow* owner = m_pOwner != nullptr ? m_pOwner->GetDropDownOwner() : nullptr;
  HWND hOwner = owner != nullptr ? owner->ContainerHostHwnd() : nullptr;
  if (owner != nullptr && owner->GetScale() != GetScale()) {
    GetRoot()->SDispatchMessage(UM_SETSCALE, static_cast<WPARAM>(owner->GetScale()));
  }
  m_uExitCode = kOpen;
  m_bClick = FALSE;
  HWND hWnd = CSimpleWnd::Create(L"", dwStyle, dwExStyle, rc->left, rc->top, rc->right - rc->left,
                                 rc->bottom - rc->top, hOwner, lParam);
  if (hWnd == nullptr) return FALSE;
  if (m_pOwner != nullptr) m_pOwner->OnCreateDropDown(this);
  return TRUE;
}

void SDropDownWnd::EndDropDown(UINT uCode) {
  if (m_uExitCode != kOpen) return;
  m_uExitCode = uCode;
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL SDropDownWnd::OnReleaseSwndCapture() {
  SHostWnd::OnReleaseSwndCapture();
  if (m_hWnd != nullptr) ::SetCapture(m_hWnd);
  return TRUE;
}

BOOL SDropDownWnd::PreTranslateMessage(MSG* pMsg) {
  if (pMsg == nullptr || m_hWnd == nullptr || !::IsWindow(m_hWnd)) return FALSE;
  if (pMsg->message == WM_ACTIVATEAPP) {
    ::SendMessageW(m_hWnd, WM_ACTIVATEAPP, pMsg->wParam, pMsg->lParam);
  } else if (pMsg->message == WM_MOUSEMOVE) {
    ::SendMessageW(m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
  return FALSE;
}

BOOL SDropDownWnd::IsInClient(LPARAM lParam) const {
  RECT rc;
  ::GetClientRect(m_hWnd, &rc);
  const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return ::PtInRect(&rc, pt);
}

BOOL SDropDownWnd::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                        LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd && OnDropDownMessage(hWnd, msg, wParam, lParam, lResult)) {
    return TRUE;
  }
  return SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

BOOL SDropDownWnd::OnDropDownMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& lResult) {
  lResult = 0;
  switch (msg) {
    case WM_LBUTTONDOWN:
      if (IsInClient(lParam)) {
        m_bClick = TRUE;
        return FALSE;  // the host takes the click
      }
      EndDropDown(IDCANCEL);
      return TRUE;
    case WM_LBUTTONUP:
      // A release without a press inside (the click that opened the drop-down) is swallowed.
      if (!m_bClick) return TRUE;
      SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, 0);
      if (::IsWindow(hWnd) && !IsInClient(lParam)) EndDropDown(IDCANCEL);
      return TRUE;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        EndDropDown(IDOK);
        return TRUE;
      }
      if (wParam == VK_ESCAPE) {
        EndDropDown(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) != m_hWnd) {
        EndDropDown(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_ACTIVATEAPP:
      if (!wParam) {
        EndDropDown(IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_CAPTURECHANGED: {
      HWND taker = reinterpret_cast<HWND>(lParam);
      SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, 0);
      if (taker != nullptr && taker != hWnd && ::IsWindow(hWnd)) EndDropDown(IDCANCEL);
      return TRUE;
    }
    case WM_ACTIVATE:
      return TRUE;
    case WM_MOUSEACTIVATE:
      lResult = MA_NOACTIVATEANDEAT;
      return TRUE;
    case WM_DESTROY:
      if (m_pOwner != nullptr) m_pOwner->OnDestroyDropDown(this);
      return FALSE;  // then the host's destruction
    default:
      return FALSE;
  }
}

}  // namespace SWUI
