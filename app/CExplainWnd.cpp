#include "CExplainWnd.h"

#include <cwchar>

#include "core/EventCmd.h"

CExplainWnd::CExplainWnd() : SWUI::SHostWnd(kLayout) {}

bool CExplainWnd::Open(HWND owner, bool english) {
  if (Create(owner) == nullptr) return false;
  ::SendMessageW(m_hWnd, WM_INITDIALOG, 0, 0);
  if (english) {
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top - kEnglishRaise, kEnglishWidth,
                   kEnglishHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::ShowWindow(m_hWnd, SW_SHOW);
  return true;
}

BOOL CExplainWnd::HandleEvent(SWUI::EventArgs* evt) {
  if (evt != nullptr && evt->GetID() == SWUI::EventCmd::EventID &&
      (evt->idFrom == IDCANCEL ||
       (evt->nameFrom != nullptr && wcscmp(evt->nameFrom, L"btn_close") == 0))) {
    ::DestroyWindow(m_hWnd);
    return TRUE;
  }
  return SWUI::SHostWnd::HandleEvent(evt);
}
