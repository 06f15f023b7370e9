#include "control/SDropDownWnd_ComboBox.h"

namespace SWUI {

namespace {

bool IsListKey(WPARAM vk) {
  return vk == VK_UP || vk == VK_DOWN || vk == VK_RETURN || vk == VK_ESCAPE;
}

}  // namespace

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
