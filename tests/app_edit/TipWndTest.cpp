// The confirmation tip (the program's "LAYOUT:XML_TOOLTIP"): its bottom-left corner on the
// anchor whatever its text makes of its size, one tip at a time, each living its own time.
#include <doctest/doctest.h>

#include "HostHarness.h"
#include "controls/CTipWnd.h"

using namespace SWUI;

namespace {

RECT TipRect() {
  RECT rc = {0, 0, 0, 0};
  REQUIRE(CTipWnd::GetInstance() != nullptr);
  GetWindowRect(CTipWnd::GetInstance()->m_hWnd, &rc);
  return rc;
}

SStringW TipText() {
  REQUIRE(CTipWnd::GetInstance() != nullptr);
  SWindow* text = CTipWnd::GetInstance()->GetRoot()->FindChildByName(L"txt_tip");
  REQUIRE(text != nullptr);
  return text->GetWindowText();
}

// Set when a thread timer fires: something to wait for that surely comes after a shorter
// timer was due.
bool g_sentinel = false;
void CALLBACK OnSentinel(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  g_sentinel = true;
}

}  // namespace

TEST_CASE("a tip keeps its bottom-left corner on the anchor, however its text sizes it") {
  HostHarness h(true);
  CTipWnd::ShowTip(500, 400, L"Save pc mode successfully", 60000);
  h.Drain();
  CTipWnd* tip = CTipWnd::GetInstance();
  REQUIRE(tip != nullptr);
  HWND hwnd = tip->m_hWnd;
  CHECK(IsWindowVisible(hwnd));
  CHECK((GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
  CHECK(TipText() == L"Save pc mode successfully");
  RECT rc = TipRect();
  CHECK(rc.right - rc.left > 0);
  CHECK(rc.bottom - rc.top > 0);
  CHECK(rc.left == 500);
  CHECK(rc.bottom == 400);
  const int height = rc.bottom - rc.top;
  HostHarness::SavePng(*tip, L"tip", 2);

  // A taller text grows the tip upward: the bottom stays on the anchor.
  CTipWnd::SetTipText(L"one\ntwo\nthree\nfour");
  h.Drain();
  rc = TipRect();
  CHECK(rc.bottom - rc.top > height);
  CHECK(rc.left == 500);
  CHECK(rc.bottom == 400);

  // The next tip takes the same window, at its own anchor even at the same size.
  const SIZE size = {rc.right - rc.left, rc.bottom - rc.top};
  CTipWnd::ShowTip(300, 250, L"one\ntwo\nthree\nfour", 60000);
  h.Drain();
  CHECK(CTipWnd::GetInstance() == tip);
  rc = TipRect();
  CHECK(rc.right - rc.left == size.cx);
  CHECK(rc.bottom - rc.top == size.cy);
  CHECK(rc.left == 300);
  CHECK(rc.bottom == 250);

  CTipWnd::HideTip();
  CHECK(CTipWnd::GetInstance() == nullptr);
  CHECK_FALSE(IsWindow(hwnd));
  CTipWnd::SetTipText(L"nobody shows this");  // no tip: nothing happens
  CHECK(CTipWnd::GetInstance() == nullptr);
}

TEST_CASE("a second tip lives its own time, counted from its own call") {
  HostHarness h(true);
  SUBCASE("a short first time does not end the second tip") {
    CTipWnd::ShowTip(400, 300, L"first", 1);
    CTipWnd::ShowTip(400, 300, L"second", 60000);
    g_sentinel = false;
    SetTimer(nullptr, 0, 100, OnSentinel);
    REQUIRE(h.PumpUntil([] { return g_sentinel; }));
    REQUIRE(CTipWnd::GetInstance() != nullptr);
    CHECK(TipText() == L"second");
    CTipWnd::HideTip();
  }
  SUBCASE("a long first time does not keep the second tip") {
    CTipWnd::ShowTip(400, 300, L"first", 60000);
    HWND hwnd = CTipWnd::GetInstance()->m_hWnd;
    CTipWnd::ShowTip(400, 300, L"second", 20);
    CHECK(h.PumpUntil([] { return CTipWnd::GetInstance() == nullptr; }));
    CHECK_FALSE(IsWindow(hwnd));
    // Gone for good: the next tip is a new one.
    CTipWnd::ShowTip(400, 300, L"third", 60000);
    REQUIRE(CTipWnd::GetInstance() != nullptr);
    CHECK(IsWindow(CTipWnd::GetInstance()->m_hWnd));
    CTipWnd::HideTip();
  }
}

TEST_CASE("a tip at an element stands above the middle of its top edge, else at the cursor") {
  HostHarness h(true);
  h.Open(
      L"<SWUI width='300' height='200'><root colorBkgnd='#ffffff'>"
      L"<window name='ok' id='1' pos='100,150,@80,@30'/></root></SWUI>");
  const POINT top = h.ToScreen(POINT{140, 150});
  POINT cursor = {600, 500};
  REQUIRE(SetCursorPos(cursor.x, cursor.y));
  GetCursorPos(&cursor);

  const struct {
    const wchar_t* how;
    int id;
    const wchar_t* name;
    POINT anchor;
  } cases[] = {
      {L"by id", 1, nullptr, top},
      {L"unknown id", 99, nullptr, cursor},
      {L"by name", 0, L"ok", top},
      {L"unknown name", 0, L"nothing", cursor},
  };
  for (const auto& c : cases) {
    CAPTURE(std::wstring(c.how));
    if (c.name == nullptr) {
      CTipWnd::ShowTipAtWindow(L"Done", h.Root(), c.id);
    } else {
      CTipWnd::ShowTipAtNamedWindow(L"Done", 60000, c.name, h.Root());
    }
    h.Drain();
    const RECT rc = TipRect();
    CHECK(rc.left == c.anchor.x);
    CHECK(rc.bottom == c.anchor.y);
    CTipWnd::HideTip();
  }

  CTipWnd::ShowTipAtWindow(L"", h.Root(), 1);
  CTipWnd::ShowTipAtNamedWindow(L"", 1000, L"ok", h.Root());
  CHECK(CTipWnd::GetInstance() == nullptr);
}
