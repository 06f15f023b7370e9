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

TEST_CASE("a resized window lays its tree out again and repaints all of it") {
  HostHarness h;
  h.Open(
      L"<SWUI width='100' height='60'><root colorBkgnd='#ffffff'>"
      L" <window name='bar' pos='0,0,-0,@20' colorBkgnd='#0000ff'/>"
      L" <window name='corner' pos='-10,-10,-0,-0' colorBkgnd='#ff0000'/>"
      L"</root></SWUI>");
  CHECK(h.Rgb(95, 55) == 0xFF0000);
  SetWindowPos(h.Hwnd(), nullptr, 0, 0, 160, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  h.Drain();
  h.Paint();
  CHECK(h.RectOf(L"bar").right == 160);
  CHECK(h.Rgb(155, 10) == 0x0000FF);
  CHECK(h.Rgb(155, 85) == 0xFF0000);
  CHECK(h.Rgb(95, 55) == 0xFFFFFF);  // where the corner was
  CHECK(h.PrintedRgb(155, 85) == 0xFF0000);
  CHECK(h.SavePng(L"host_resized"));
}

TEST_CASE(
    "an element that does not blend with its background repaints alone through UM_UPDATESWND") {
  HostHarness h;
  h.Open(
      L"<SWUI width='100' height='60'><root colorBkgnd='#ffffff'>"
      L" <window name='solid' pos='10,10,@30,@30' colorBkgnd='#ff0000' bkgndBlend='0'/>"
      L"</root></SWUI>");
  CHECK(h.Rgb(20, 20) == 0xFF0000);
  SWindow* solid = h.Find(L"solid");
  // The attribute invalidates the element itself: the host queues it and repaints it on the
  // next paint, pushing only what it drew.
  REQUIRE(SUCCEEDED(solid->SetAttribute(SStringW(L"colorBkgnd"), SStringW(L"#00ff00"), FALSE)));
  CHECK(h.Rgb(20, 20) == 0xFF0000);
  h.Drain();  // WM_PAINT
  CHECK(h.Rgb(20, 20) == 0x00FF00);
  CHECK(h.Rgb(5, 5) == 0xFFFFFF);
}

TEST_CASE("a partial repaint reaches descendants outside their parent and elements just moved") {
  HostHarness h;
  h.Open(
      L"<SWUI width='100' height='60'><root colorBkgnd='#ffffff'>"
      L" <window name='box' pos='10,10,@20,@20'>"
      L"  <window name='far' pos='50,30,@10,@10' colorBkgnd='#ff0000'/>"
      L" </window>"
      L" <window name='mover' pos='0,0,@6,@6' colorBkgnd='#0000ff'/>"
      L"</root></SWUI>");
  const RECT outside = h.RectOf(L"far");
  REQUIRE(outside.left == 60);
  CHECK(h.Rgb(65, 45) == 0xFF0000);
  // Changed without a repaint of its own, then repainted as part of an area its parent misses.
  h.Find(L"far")->SetAttribute(SStringW(L"colorBkgnd"), SStringW(L"#00ff00"), TRUE);
  h.Root()->InvalidateRect(outside);
  h.Paint();
  CHECK(h.Rgb(65, 45) == 0x00FF00);

  // Moved after the tree was numbered: its new place repaints with it.
  CHECK(h.Rgb(2, 2) == 0x0000FF);
  REQUIRE(SUCCEEDED(
      h.Find(L"mover")->SetAttribute(SStringW(L"pos"), SStringW(L"80,5,@6,@6"), FALSE)));
  h.Drain();
  h.Paint();
  CHECK(h.Rgb(83, 8) == 0x0000FF);
  CHECK(h.Rgb(2, 2) == 0xFFFFFF);
}

TEST_CASE("the quit rule follows the window type") {
  struct Case {
    const wchar_t* type;
    DWORD style;
    DWORD exStyle;
    bool quits;
  };
  const Case cases[] = {
      {L"appMain", WS_POPUP, 0, true},
      {L"normal", WS_OVERLAPPED, 0, false},
      {L"undefine", WS_OVERLAPPED, 0, true},
      {L"undefine", WS_POPUP, 0, false},
      {L"undefine", WS_OVERLAPPED, WS_EX_TOOLWINDOW, false},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.type));
    CAPTURE(c.style);
    HostHarness h;
    std::wstring layout = L"<SWUI width='50' height='50' wndType='";
    layout += c.type;
    layout += L"'><root/></SWUI>";
    HostOptions options;
    options.style = c.style;
    options.exStyle = c.exStyle;
    h.Open(layout.c_str(), options);
    h.Close();
    CHECK(h.SawQuit() == c.quits);
    if (c.quits) CHECK(h.QuitCode() == 1);
  }
}

TEST_CASE("the root attributes: counts of lists, window type words, styles and title") {
  SHostWndAttr attr;
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    HRESULT hr;
  };
  const Case cases[] = {
      {L"margin", L"1,2,3", E_INVALIDARG}, {L"margin", L"1,2,3,4", S_FALSE},
      {L"maxInset", L"1", E_INVALIDARG},   {L"MinSize", L"1,2,3", E_INVALIDARG},
      {L"minsize", L"10,20dp", S_FALSE},   {L"wndType", L"Normal", E_FAIL},
      {L"wndType", L"normal", S_FALSE},    {L"unknownAttr", L"1", E_FAIL},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name) + L"=" + c.value);
    CHECK(attr.SetAttribute(SStringW(c.name), SStringW(c.value), TRUE) == c.hr);
  }
  // A refused value keeps the old one.
  CHECK(attr.GetMargin(100).right == 3);
  CHECK(attr.GetMinSize(200).cy == 40);
  CHECK(attr.GetWndType() == WT_NORMAL);
  CHECK(attr.GetAlpha() == 0xFF);
  CHECK(attr.IsAllowSpy());

  HostHarness h;
  h.Open(
      L"<SWUI width='60' height='40' title='Hello' resizable='1' appWnd='1' "
      L"alpha='128'><root/></SWUI>");
  wchar_t title[32] = {};
  GetWindowTextW(h.Hwnd(), title, 32);
  CHECK(std::wstring(title) == L"Hello");
  const DWORD style = static_cast<DWORD>(GetWindowLongW(h.Hwnd(), GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(h.Hwnd(), GWL_EXSTYLE));
  CHECK((style & WS_THICKFRAME) != 0);
  CHECK((style & WS_SYSMENU) != 0);
  CHECK((exStyle & WS_EX_APPWINDOW) != 0);
  CHECK((exStyle & WS_EX_LAYERED) != 0);
  BYTE alpha = 0;
  DWORD flags = 0;
  REQUIRE(GetLayeredWindowAttributes(h.Hwnd(), nullptr, &alpha, &flags));
  CHECK(alpha == 128);
}

TEST_CASE("the resizing border's hit codes, the bottom before the top") {
  HostHarness h;
  h.Open(L"<SWUI width='200' height='100' resizable='1' margin='4,4,4,4'><root/></SWUI>");
  struct Case {
    int x, y;
    LRESULT code;
  };
  const Case cases[] = {{100, 50, HTCLIENT},  {1, 50, HTLEFT},       {198, 50, HTRIGHT},
                        {100, 1, HTTOP},      {100, 98, HTBOTTOM},   {1, 1, HTTOPLEFT},
                        {198, 1, HTTOPRIGHT}, {1, 98, HTBOTTOMLEFT}, {198, 98, HTBOTTOMRIGHT}};
  for (const Case& c : cases) {
    CAPTURE(c.x);
    CAPTURE(c.y);
    const POINT screen = h.ToScreen(POINT{c.x, c.y});
    CHECK(SendMessageW(h.Hwnd(), WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == c.code);
  }
  // Margins deeper than half the window: a point inside both is resized from below.
  h.Open(L"<SWUI width='200' height='100' resizable='1' margin='4,60,4,60'><root/></SWUI>");
  CHECK(h.host->OnNcHitTest(h.ToScreen(POINT{100, 50})) == HTBOTTOM);
  // Not resizable: all client.
  h.Open(L"<SWUI width='200' height='100' margin='4,4,4,4'><root/></SWUI>");
  CHECK(h.host->OnNcHitTest(h.ToScreen(POINT{1, 1})) == HTCLIENT);
}

TEST_CASE("what is invalidated between two paints reaches the screen, whatever lies between") {
  const wchar_t kCorners[] =
      L"<SWUI width='120' height='80'><root colorBkgnd='#ffffff'>"
      L" <window name='a' pos='0,0,@10,@10' colorBkgnd='#ff0000'/>"
      L" <window name='b' pos='110,70,@10,@10' colorBkgnd='#ff0000'/>"
      L" <window name='mid' pos='50,30,@20,@20' colorBkgnd='#ff0000'/>"
      L"</root></SWUI>";
  const RECT whole = {0, 0, 120, 80};
  auto recolour = [](HostHarness& h, LPCWSTR name) {
    REQUIRE(SUCCEEDED(
        h.Find(name)->SetAttribute(SStringW(L"colorBkgnd"), SStringW(L"#0000ff"), FALSE)));
  };

  SUBCASE("two corners, then the middle of the box around them, before the paint") {
    HostHarness h;
    h.Open(kCorners);
    recolour(h, L"a");
    recolour(h, L"b");
    recolour(h, L"mid");
    h.Drain();  // WM_PAINT
    CHECK(h.Rgb(60, 40) == 0x0000FF);
    CHECK(HostHarness::CountUnshown(*h.host, whole) == 0);
  }
  SUBCASE("changed while the window is hidden, then shown") {
    HostHarness h;
    h.Open(kCorners);
    ShowWindow(h.Hwnd(), SW_HIDE);
    h.Drain();
    recolour(h, L"a");
    recolour(h, L"mid");
    h.Drain();
    ShowWindow(h.Hwnd(), SW_SHOWNOACTIVATE);
    h.Drain();
    recolour(h, L"b");  // inside the box of what was invalidated while hidden
    h.Drain();
    CHECK(h.Rgb(60, 40) == 0x0000FF);
    CHECK(h.Rgb(115, 75) == 0x0000FF);
    CHECK(HostHarness::CountUnshown(*h.host, whole) == 0);
  }
  SUBCASE("changed before the window first shows, shown without a redraw of the system's") {
    HostHarness h;
    HostOptions hidden;
    hidden.show = false;
    h.Open(kCorners, hidden);
    recolour(h, L"mid");
    h.Drain();
    // Shown by an owner that asks the system for no redraw of its own.
    SetWindowPos(h.Hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW |
                     SWP_NOREDRAW);
    h.Drain();
    recolour(h, L"a");
    h.Drain();
    CHECK(h.Rgb(5, 5) == 0x0000FF);
    CHECK(h.Rgb(60, 40) == 0x0000FF);
    CHECK(HostHarness::CountUnshown(*h.host, whole) == 0);
  }
}
