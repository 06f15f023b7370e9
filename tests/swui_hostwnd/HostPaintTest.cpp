// The host window: building from layout text, painting into the memory target and to the
// screen, resizing, its attributes, styles and the quit rule.
#include <doctest/doctest.h>

#include "HostHarness.h"

using namespace SWUI;

namespace {

const wchar_t kBlocks[] =
    L"<SWUI width='120' height='80'>"
    L" <root colorBkgnd='#ffffff'>"
    L"  <window name='red' pos='10,10,@40,@30' colorBkgnd='#ff0000'/>"
    L"  <window name='blue' pos='60,10,@40,@30' colorBkgnd='#0000ff'>"
    L"   <window name='green' pos='5,5,@10,@10' colorBkgnd='#00ff00'/>"
    L"  </window>"
    L" </root>"
    L"</SWUI>";

}  // namespace

TEST_CASE("a small opaque layout of coloured blocks paints exact pixels, read back three ways") {
  HostHarness h;
  h.Open(kBlocks);
  RECT rc;
  GetWindowRect(h.Hwnd(), &rc);
  CHECK(rc.right - rc.left == 120);
  CHECK(rc.bottom - rc.top == 80);
  CHECK(h.Rgb(5, 5) == 0xFFFFFF);
  CHECK(h.Rgb(10, 10) == 0xFF0000);
  CHECK(h.Rgb(49, 39) == 0xFF0000);
  CHECK(h.Rgb(50, 40) == 0xFFFFFF);
  CHECK(h.Rgb(62, 12) == 0x0000FF);
  CHECK(h.Rgb(65, 15) == 0x00FF00);
  CHECK((h.Pixel(10, 10) >> 24) == 0xFFu);
  CHECK(h.CountRgb(RECT{0, 0, 120, 80}, 0xFF0000) == 40 * 30);
  // Through WM_PRINT: the same pixels reach the DC it was given.
  CHECK(h.PrintedRgb(10, 10) == 0xFF0000);
  CHECK(h.PrintedRgb(62, 12) == 0x0000FF);
  CHECK(h.PrintedRgb(65, 15) == 0x00FF00);
  CHECK(h.PrintedRgb(5, 5) == 0xFFFFFF);
  CHECK(h.SavePng(L"host_blocks", 2));
}
