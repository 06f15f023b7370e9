// Facts about Windows-under-Wine that the framework leans on: if any of these fails,
// the failure lies in the platform, not in our code.
#include <doctest/doctest.h>
#include <windows.h>
#include <cwchar>
#include <cstring>
#include <string>

#include "DebugOutputCapture.h"

namespace {

struct TimerWindow {
  HWND hwnd = nullptr;
  int ticks = 0;
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<TimerWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (msg == WM_TIMER && self != nullptr && wp == 7) {
      ++self->ticks;
      return 0;
    }
    return DefWindowProcW(h, msg, wp, lp);
  }
};

}  // namespace

TEST_CASE("a window and a timer work without a display") {
  WNDCLASSW wc{};
  wc.lpfnWndProc = TimerWindow::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TevaroPlatformTimer";
  REQUIRE(RegisterClassW(&wc) != 0);

  TimerWindow tw;
  tw.hwnd = CreateWindowExW(0, wc.lpszClassName, L"t", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                            nullptr, nullptr, wc.hInstance, nullptr);
  REQUIRE(tw.hwnd != nullptr);
  SetWindowLongPtrW(tw.hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tw));
  REQUIRE(SetTimer(tw.hwnd, 7, 10, nullptr) != 0);

  DWORD start = GetTickCount();
  MSG msg;
  while (tw.ticks < 3 && GetTickCount() - start < 5000) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
  CHECK(tw.ticks >= 3);
  KillTimer(tw.hwnd, 7);
  CHECK(DestroyWindow(tw.hwnd));
}

TEST_CASE("string-named custom resource types are found in any letter case") {
  HMODULE self = GetModuleHandleW(nullptr);
  for (auto names : {std::make_pair(L"XML_MAINWND", L"LAYOUT"), std::make_pair(L"xml_mainwnd", L"layout")}) {
    HRSRC res = FindResourceW(self, names.first, names.second);
    REQUIRE(res != nullptr);
    HGLOBAL h = LoadResource(self, res);
    REQUIRE(h != nullptr);
    const char* data = static_cast<const char*>(LockResource(h));
    DWORD size = SizeofResource(self, res);
    REQUIRE(size >= 6);
    CHECK(std::string(data, 6) == "<SWUI>");
  }
  CHECK(FindResourceW(self, L"XML_NONE", L"LAYOUT") == nullptr);
}

TEST_CASE("wide printf formats %s as a wide string") {
  wchar_t buf[16];
  swprintf(buf, 16, L"%s-%d", L"k", 5);
  CHECK(std::wstring(buf) == L"k-5");
}

TEST_CASE("debugger output can be captured in-process") {
  DebugOutputCapture capture;
  OutputDebugStringA("ORVK2: hello\n");
  OutputDebugStringA("second");
  REQUIRE(capture.Lines().size() == 2);
  CHECK(capture.Lines()[0] == "ORVK2: hello\n");
  CHECK(capture.Contains("second"));
}
