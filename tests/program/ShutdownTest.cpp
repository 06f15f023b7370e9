// Shut-down of the whole program: text copied from an edit outlives the program on the
// clipboard, and the single-instance lock is held until the main window is gone.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>

#include "CApplication.h"
#include "HeldKeys.h"
#include "ProgramRig.h"
#include "control/SRichEdit.h"

namespace {

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"(clipboard not open)";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void ClearClipboard() {
  REQUIRE(OpenClipboard(nullptr));
  ::EmptyClipboard();
  CloseClipboard();
}

// A key through the main window's queue and the program's loop, Ctrl held.
void CtrlKey(UINT vk) {
  HeldKeys ctrl({VK_CONTROL});
  ProgramRig::Send(WM_KEYDOWN, vk, 1);
  ProgramRig::Send(WM_KEYUP, vk, 0xC0000001);
}

}  // namespace

TEST_CASE("shut-down: text copied from an edit is on the clipboard after the program ended") {
  ClearClipboard();
  ProgramRig rig;
  CHECK(rig.Run({Once([] {
    // The first band's gain edit of the music page, as a user clicks into it.
    auto* edit = dynamic_cast<SWUI::SRichEdit*>(ProgramRig::Element(4100));
    REQUIRE(edit != nullptr);
    edit->SetFocus();
    edit->SetWindowText(L"-3.5");
    CtrlKey('A');
    CtrlKey('C');
  })}) == 0);
  CHECK(ClipboardText() == L"-3.5");
}
