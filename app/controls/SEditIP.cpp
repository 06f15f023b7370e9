#include "controls/SEditIP.h"

#include <cwchar>

#include "controls/SIPAddressCtrl.h"

using namespace SWUI;

namespace {

const wchar_t kTypedColor[] = L"#505050ff";
const int kFullLength = 3;

bool IsDigit(WPARAM ch) { return ch >= L'0' && ch <= L'9'; }

}  // namespace

int SEditIP::GetNumber() { return _wtoi(GetWindowText()); }

BOOL SEditIP::OnFocusMsg(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  const BOOL handled = SEdit::ProcessSwndMessage(uMsg, wParam, lParam, lResult);
  HWND host = ContainerHostHwnd();
  if (uMsg == WM_SETFOCUS) {
    if (host != nullptr) m_hSavedImc = ImmAssociateContext(host, nullptr);
    return handled;
  }
  // The numeric edit gave the host its context back already: restoring our null would take
  // it away again for good.
  if (host != nullptr && m_hSavedImc != nullptr) ImmAssociateContext(host, m_hSavedImc);
  m_hSavedImc = nullptr;
  if (GetNumber() > 255) SIPAddressCtrl::SetOctetText(this, 255);
  return handled;
}

BOOL SEditIP::OnCharMsg(WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
  // Backspace and the other control characters are the edit's own keys.
  if (wParam < 0x20) return SEdit::ProcessSwndMessage(WM_CHAR, wParam, lParam, lResult);
  lResult = 0;
  const bool dot = wParam == L'.';
  if (!dot && !IsDigit(wParam)) return TRUE;

  SetAttribute(SStringW(L"colorText"), SStringW(kTypedColor), FALSE);
  if (!dot) SEdit::ProcessSwndMessage(WM_CHAR, wParam, lParam, lResult);
  // A fourth digit the full field refused moves on as well.
  if (dot || GetWindowTextLength() >= kFullLength) {
    SWindow* next = GetWindow(GSW_NEXTSIBLING);
    if (next != nullptr && next->IsClass(SEditIP::ClassName())) next->SetFocus();
  }
  return TRUE;
}
