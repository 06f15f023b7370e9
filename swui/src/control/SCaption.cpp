#include "control/SCaption.h"

namespace SWUI {

namespace {

SCaption::SendMessageFn g_sendMessage = SendMessageW;
SCaption::GetVersionExFn g_getVersionEx = GetVersionExW;

// System commands with HTCAPTION in their low bits, as a caption click sends them.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;          // 0xF012
constexpr WPARAM kMaximizeByCaption = SC_MAXIMIZE | HTCAPTION;  // 0xF032
constexpr WPARAM kRestoreByCaption = SC_RESTORE | HTCAPTION;    // 0xF122

}  // namespace

void SCaption::BindSendMessage(SendMessageFn fn) {
  g_sendMessage = fn != nullptr ? fn : SendMessageW;
}

void SCaption::BindGetVersionEx(GetVersionExFn fn) {
  g_getVersionEx = fn != nullptr ? fn : GetVersionExW;
}

HWND SCaption::HostHwnd() const {
  return m_pContainer != nullptr ? m_pContainer->GetHostHwnd() : nullptr;
}

bool SCaption::IsVersion6Workstation() {
  OSVERSIONINFOEXW info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!g_getVersionEx(reinterpret_cast<LPOSVERSIONINFOW>(&info))) return false;
  return info.dwMajorVersion == 6 && info.wProductType == VER_NT_WORKSTATION;
}

void SCaption::OnLButtonDown(UINT nFlags, POINT pt) {
  if (IsFocusable()) SetFocus();
  HWND host = HostHwnd();
  if (host == nullptr) return;
  if (IsZoomed(host)) {
    m_bIsMaxDown = TRUE;
    return;
  }
  // The move loop swallows the button's release: the host is given one afterwards.
  g_sendMessage(host, WM_SYSCOMMAND, kMoveByCaption, 0);
  g_sendMessage(host, WM_LBUTTONUP, nFlags, MAKELPARAM(pt.x, pt.y));
}

void SCaption::OnLButtonDblClk(UINT, POINT) {
  HWND host = HostHwnd();
  if (host == nullptr) return;
  const LONG style = GetWindowLongW(host, GWL_STYLE);
  if (!(style & WS_THICKFRAME) || !(style & WS_MAXIMIZEBOX)) return;
  g_sendMessage(host, WM_SYSCOMMAND, IsZoomed(host) ? kRestoreByCaption : kMaximizeByCaption, 0);
}

void SCaption::OnMouseMove(UINT, POINT) {
  HWND host = HostHwnd();
  if (host == nullptr || !m_bIsMaxDown || !IsZoomed(host) || !IsVersion6Workstation()) return;
  g_sendMessage(host, WM_SYSCOMMAND, kMoveByCaption, 0);
  m_bIsMaxDown = FALSE;
}

}  // namespace SWUI
