#include "CDlgProgress.h"

#include <cwchar>

#include "control/SProgress.h"
#include "core/EventCmd.h"
#include "core/SWindow.h"

BOOL CDlgProgress::IsRootClass(LPCWSTR className) const {
  if (className != nullptr && wcscmp(className, kClassName) == 0) return TRUE;
  return SWUI::SHostDialog::IsRootClass(className);
}

void CDlgProgress::SetRange(int minimum, int maximum) {
  if (m_bar != nullptr) m_bar->SetRange(minimum, maximum);
}

BOOL CDlgProgress::HandleEvent(SWUI::EventArgs* evt) {
  if (evt != nullptr && evt->GetID() == SWUI::EventCmd::EventID && evt->nameFrom != nullptr &&
      wcscmp(evt->nameFrom, L"btn_close") == 0) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  // Id 1 gives IDOK, id 2 IDCANCEL.
  return SWUI::SHostDialog::HandleEvent(evt);
}

BOOL CDlgProgress::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                        LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd) {
    if (msg == WM_INITDIALOG) {
      m_bar = GetRoot()->FindChildByName2<SWUI::SProgress>(L"progress_bar");
      SetTimer(kTimerPoll, kPollMs);
      lResult = 1;
      return TRUE;
    }
    // Every other timer (element timers, animation frames, the caret) is the host's.
    if (msg == WM_TIMER && wParam == kTimerPoll) {
      OnPoll();
      lResult = 0;
      return TRUE;
    }
  }
  return SWUI::SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

void CDlgProgress::OnPoll() {
  if (m_bar == nullptr) return;
  int maximum = 0;
  m_bar->GetRange(nullptr, &maximum);
  if (m_bar->GetValue() == maximum) {
    KillTimer(kTimerPoll);
    // The bar is full: the work is done, which is an OK, not a cancel.
    EndDialog(IDOK);
    return;
  }
  m_bar->SetValue(m_target);
}
