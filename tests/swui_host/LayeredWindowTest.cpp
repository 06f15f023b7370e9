// The layered-window functions and the replacement for a system without the indirect one.
#include <doctest/doctest.h>
#include <windows.h>

#include "HostRig.h"
#include "core/SLayeredWindowApi.h"

using namespace SWUI;

TEST_CASE("the application finds the system's layered-window functions") {
  HostRig rig;
  HMODULE user = GetModuleHandleW(L"user32.dll");
  // Compared as addresses: the lookup keeps what the system has.
  CHECK(reinterpret_cast<UINT_PTR>(rig.app->GetUpdateLayeredWindow()) ==
        reinterpret_cast<UINT_PTR>(GetProcAddress(user, "UpdateLayeredWindow")));
  CHECK(reinterpret_cast<UINT_PTR>(rig.app->GetUpdateLayeredWindowIndirect()) ==
        reinterpret_cast<UINT_PTR>(GetProcAddress(user, "UpdateLayeredWindowIndirect")));
}

TEST_CASE("the lookup fails without UpdateLayeredWindow and replaces a missing indirect form") {
  PFN_UpdateLayeredWindow update = nullptr;
  PFN_UpdateLayeredWindowIndirect indirect = nullptr;
  HMODULE user = GetModuleHandleW(L"user32.dll");
  FARPROC realUpdate = GetProcAddress(user, "UpdateLayeredWindow");
  FARPROC realIndirect = GetProcAddress(user, "UpdateLayeredWindowIndirect");
  CHECK_FALSE(SLayeredWindowApi::Resolve(nullptr, realIndirect, &update, &indirect));
  CHECK((update == nullptr));
  CHECK((indirect == nullptr));
  CHECK(SLayeredWindowApi::Resolve(realUpdate, nullptr, &update, &indirect));
  CHECK((indirect == &SLayeredWindowApi::UpdateIndirectByUpdate));
}

TEST_CASE("the replacement passes the record's fields on to UpdateLayeredWindow") {
  HostRig rig;  // its lookup bound the replacement to the system's UpdateLayeredWindow
  HWND wnd = CreateWindowExW(WS_EX_LAYERED, L"STATIC", L"layered", WS_POPUP, 0, 0, 10, 10,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  REQUIRE(wnd != nullptr);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = 50;
  bi.bmiHeader.biHeight = -60;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  REQUIRE(dib != nullptr);
  HGDIOBJ old = SelectObject(mem, dib);

  POINT dst = {30, 40};
  SIZE size = {50, 60};
  POINT src = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UPDATELAYEREDWINDOWINFO info = {};
  info.cbSize = sizeof(info);
  info.hdcDst = screen;
  info.pptDst = &dst;
  info.psize = &size;
  info.hdcSrc = mem;
  info.pptSrc = &src;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  CHECK(SLayeredWindowApi::UpdateIndirectByUpdate(wnd, &info));
  RECT rc = {};
  GetWindowRect(wnd, &rc);
  const RECT expected = {30, 40, 80, 100};
  CHECK(EqualRect(&rc, &expected));

  CHECK_FALSE(SLayeredWindowApi::UpdateIndirectByUpdate(wnd, nullptr));
  info.cbSize = 0;
  CHECK_FALSE(SLayeredWindowApi::UpdateIndirectByUpdate(wnd, &info));

  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  DestroyWindow(wnd);
}
