// One octet field of the IP address control ("ipedit"): a numeric edit of at most three
// digits that takes digits only, moves the focus to the next field when it is full or a '.'
// is typed, keeps the input method out while it has the focus, and shows "255" for any
// number above it when it loses the focus. Control characters (Backspace) reach the edit.
#pragma once
#include <windows.h>

#include "control/SEdit.h"

class SEditIP : public SWUI::SEdit {
  SWUI_CLASS_NAME(SWUI::SEdit, L"ipedit")

 public:
  SEditIP() = default;

  // The field's number as the C library reads it (leading digits; 0 for none).
  int GetNumber();

 protected:
  SWND_BEGIN_MSG_MAP()
  if (uMsg == WM_SETFOCUS) return OnFocusMsg(uMsg, wParam, lParam, lResult);
  if (uMsg == WM_KILLFOCUS) return OnFocusMsg(uMsg, wParam, lParam, lResult);
  if (uMsg == WM_CHAR) return OnCharMsg(wParam, lParam, lResult);
  SWND_END_MSG_MAP(SWUI::SEdit)

 private:
  // The edit's whole handling first, then the input method context of the host.
  BOOL OnFocusMsg(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
  BOOL OnCharMsg(WPARAM wParam, LPARAM lParam, LRESULT& lResult);

  // What the host had associated before this field took it away; null when the edit itself
  // had already taken it (a numeric edit does), so there is nothing of ours to give back.
  HIMC m_hSavedImc = nullptr;
};
