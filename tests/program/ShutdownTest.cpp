// Shut-down of the whole program: text copied from an edit outlives the program on the
// clipboard (its data object is let go before the text services' module goes), and the
// single-instance lock is held until the main window is gone.
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

namespace {

// Whether the instance lock was held when a window the main window owns was destroyed with it.
bool g_lockedAtDestroy = false;

bool InstanceLocked() {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, CApplication::kMutexName);
  if (mutex == nullptr) return false;
  CloseHandle(mutex);
  return true;
}

LRESULT CALLBACK Witness(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) g_lockedAtDestroy = InstanceLocked();
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

TEST_CASE("shut-down: the instance lock is held until the main window is gone, then given back") {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &Witness;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ShutdownWitness";
  RegisterClassW(&wc);
  g_lockedAtDestroy = false;
  ProgramRig rig;
  CHECK(rig.Run({Once([] {
    // Destroyed with the main window, after the close sequence ran.
    CHECK(CreateWindowExW(0, L"ShutdownWitness", L"", WS_POPUP, 0, 0, 1, 1,
                          ProgramRig::MainHwnd(), nullptr, GetModuleHandleW(nullptr),
                          nullptr) != nullptr);
  })}) == 0);
  CHECK(g_lockedAtDestroy);
  CHECK_FALSE(InstanceLocked());
  UnregisterClassW(L"ShutdownWitness", GetModuleHandleW(nullptr));
}
