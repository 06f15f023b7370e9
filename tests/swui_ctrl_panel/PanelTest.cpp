// The panel: bar geometry, attributes, scroll information, the scroll step, the non-client
// mouse (press and repeat, thumb drags, hover and leave) and how the bars are drawn.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "PanelRig.h"
#include "control/SPanel.h"

using namespace SWUI;

namespace {

SCROLLINFO Info(int min, int max, UINT page, int pos, int track = -1) {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
  si.nMin = min;
  si.nMax = max;
  si.nPage = page;
  si.nPos = pos;
  si.nTrackPos = track;
  return si;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::string Str(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
         "," + std::to_string(rc.bottom);
}

// A panel of 100 x 100 at the origin with the recording bar skin (10 px thick, arrows 10).
SPanel* LoadPanel(PanelRig& rig, const wchar_t* extra = L"") {
  rig.AddSkins(L"<skin><cellsb name='rec' ideal='10'/><cellsb name='flat' ideal='8' arrows='0'/>"
               L"<colorrect name='plain' normal='#ff0000'/></skin>");
  std::wstring xml = L"<root><div name='p' pos='0,0,@100,@100' sbSkin='rec' ";
  xml += extra;
  xml += L"/></root>";
  rig.Load(xml.c_str());
  auto* panel = dynamic_cast<SPanel*>(rig.Find(L"p"));
  REQUIRE(panel != nullptr);
  return panel;
}

// The draws of one bar, as "part:state" in order.
std::vector<std::string> DrawsOf(const std::vector<SkinDraw>& draws, BOOL vertical) {
  std::vector<std::string> out;
  for (const SkinDraw& d : draws) {
    if (d.part >= 0 && d.vertical == vertical) {
      out.push_back(std::to_string(d.part) + ":" + std::to_string(d.state));
    }
  }
  return out;
}

using Parts = std::vector<std::string>;

}  // namespace

TEST_CASE("bar spans: thumb length and place along the rail") {
  struct Case {
    const char* what;
    SCROLLINFO si;
    int length;
    int arrow;
    SPanel::BarSpans expected;
  } cases[] = {
      {"page of half the range, at the start", Info(0, 199, 100, 0), 100, 10, {10, 10, 50, 90, 100}},
      {"at the end", Info(0, 199, 100, 100), 100, 10, {10, 50, 90, 90, 100}},
      {"a range from 100 measures from min", Info(100, 299, 100, 100), 100, 10, {10, 10, 50, 90, 100}},
      {"a range from 100, at its end", Info(100, 299, 100, 200), 100, 10, {10, 50, 90, 90, 100}},
      {"the track position wins over the position", Info(0, 199, 100, 0, 100), 100, 10,
       {10, 50, 90, 90, 100}},
      {"a thumb is at least 18 long", Info(0, 9999, 10, 0), 100, 10, {10, 10, 28, 90, 100}},
      {"a track under 18 has no thumb", Info(0, 199, 100, 100), 40, 12, {12, 28, 28, 28, 40}},
      {"a page over the whole range fills the track", Info(0, 99, 100, 0), 100, 10,
       {10, 10, 90, 90, 100}},
      {"no room for a track: the arrows share the bar", Info(0, 199, 100, 0), 20, 16,
       {10, 10, 10, 10, 20}},
      {"a page of 0", Info(0, 99, 0, 0), 100, 10, {10, 10, 28, 90, 100}},
      {"a position beyond the range stays on the rail", Info(0, 199, 100, 500), 100, 10,
       {10, 50, 90, 90, 100}},
      {"an empty range has no parts", Info(5, 4, 10, 0), 100, 10, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    const SPanel::BarSpans got = SPanel::CalcBarSpans(c.si, c.length, c.arrow);
    CHECK(got.arrowNear == c.expected.arrowNear);
    CHECK(got.thumbStart == c.expected.thumbStart);
    CHECK(got.thumbEnd == c.expected.thumbEnd);
    CHECK(got.farArrow == c.expected.farArrow);
    CHECK(got.length == c.expected.length);
  }
}

TEST_CASE("panel attributes: class, bar skin, thickness, arrows, margins") {
  PanelRig rig;
  SPanel* p = LoadPanel(rig);
  CHECK(p->IsClass(L"div"));
  CHECK(p->IsClass(L"window"));
  CHECK_FALSE(p->IsClass(L"scrollview"));
  CHECK(std::wstring(p->GetObjectClass()) == L"div");
  CHECK(p->GetSbWidth() == 10);
  CHECK(p->GetSbArrowSize() == 10);

  SUBCASE("a name that is no scroll-bar skin keeps the skin") {
    CHECK(p->SetAttribute(SStringW(L"sbSkin"), SStringW(L"plain"), FALSE) == E_FAIL);
    CHECK(p->SetAttribute(SStringW(L"sbSkin"), SStringW(L"nosuch"), FALSE) == E_FAIL);
    CHECK(p->GetSbWidth() == 10);
    CHECK(p->SetAttribute(SStringW(L"sbSkin"), SStringW(L"flat"), FALSE) == S_OK);
    CHECK(p->GetSbWidth() == 8);
    CHECK(p->GetSbArrowSize() == 0);  // a skin without arrows
  }
  SUBCASE("explicit thickness and arrow length") {
    CHECK(p->SetAttribute(SStringW(L"sbWid"), SStringW(L"12"), FALSE) == S_OK);
    CHECK(p->SetAttribute(SStringW(L"SBARROWSIZE"), SStringW(L"4"), FALSE) == S_FALSE);
    CHECK(p->GetSbWidth() == 12);
    CHECK(p->GetSbArrowSize() == 4);
  }
  SUBCASE("bars, client rectangle and margins") {
    p->ShowScrollBar(SSB_BOTH, TRUE);
    CHECK(p->HasScrollBar(TRUE));
    CHECK(p->HasScrollBar(FALSE));
    CHECK(Str(p->GetClientRect()) == "0,0,90,90");
    CHECK(Str(p->GetScrollBarRect(TRUE)) == "90,0,100,90");
    CHECK(Str(p->GetScrollBarRect(FALSE)) == "0,90,90,100");
    for (const wchar_t* attr : {L"sbTop=5", L"sbBottom=3", L"sbLeft=4", L"sbRight=6"}) {
      const std::wstring pair(attr);
      const size_t eq = pair.find(L'=');
      CHECK(p->SetAttribute(SStringW(pair.substr(0, eq).c_str()),
                            SStringW(pair.substr(eq + 1).c_str()), FALSE) == S_OK);
    }
    CHECK(Str(p->GetScrollBarRect(TRUE)) == "90,5,100,87");
    CHECK(Str(p->GetScrollBarRect(FALSE)) == "4,90,84,100");
    CHECK_FALSE(p->OnNcHitTest(POINT{50, 50}));
    CHECK(p->OnNcHitTest(POINT{95, 50}));
    p->ShowScrollBar(SSB_VERT, FALSE);
    CHECK(Str(p->GetClientRect()) == "0,0,100,90");
    CHECK(Str(p->GetScrollBarRect(TRUE)) == "0,0,0,0");
  }
}

TEST_CASE("a panel without sbSkin takes the built-in scroll-bar skin") {
  PanelRig rig;
  rig.Load(L"<root><div name='q' pos='0,0,@50,@50'/></root>");
  auto* q = dynamic_cast<SPanel*>(rig.Find(L"q"));
  REQUIRE(q != nullptr);
  CHECK(q->GetSbWidth() == 16);  // the built-in image is 9 cells of 16 wide
  CHECK(q->GetSbArrowSize() == 16);
}

TEST_CASE("scroll information and the scroll step") {
  PanelRig rig;
  SPanel* p = LoadPanel(rig);

  SUBCASE("each part code moves the position, kept within [min, max - page + 1]") {
    struct Case {
      UINT code;
      int pos;
      BOOL moved;
      int expected;
    } cases[] = {
        {SB_LINEUP, 0, TRUE, 40},         {SB_LINEDOWN, 0, TRUE, 60},
        {SB_PAGEUP, 0, TRUE, 0},          {SB_PAGEDOWN, 0, TRUE, 100},
        {SB_THUMBPOSITION, 70, TRUE, 70}, {SB_THUMBTRACK, 300, TRUE, 100},
        {SB_TOP, 0, TRUE, 0},             {SB_BOTTOM, 0, TRUE, 100},
        {SB_THUMBPOSITION, 50, FALSE, 50}, {SB_ENDSCROLL, 0, FALSE, 50},
    };
    for (const Case& c : cases) {
      CAPTURE(c.code);
      REQUIRE(p->SetScrollInfo(Info(0, 199, 100, 50), TRUE));
      CHECK(p->OnScroll(TRUE, c.code, c.pos) == c.moved);
      CHECK(p->GetScrollPos(TRUE) == c.expected);
    }
  }
  SUBCASE("a page of 0 keeps the position at 0") {
    REQUIRE(p->SetScrollInfo(Info(0, 199, 0, 50), FALSE));
    CHECK(p->GetScrollPos(FALSE) == 0);
    CHECK_FALSE(p->OnScroll(FALSE, SB_LINEDOWN, 0));
  }
  SUBCASE("setting only the position keeps the page in force") {
    REQUIRE(p->SetScrollInfo(Info(0, 199, 100, 0), TRUE));
    SCROLLINFO pos = {};
    pos.cbSize = sizeof(pos);
    pos.fMask = SIF_POS;
    pos.nPos = 80;
    CHECK(p->SetScrollInfo(pos, TRUE));
    CHECK(p->GetScrollPos(TRUE) == 80);
    CHECK(p->GetScrollInfo(TRUE).nPage == 100u);
    pos.nPos = 150;
    p->SetScrollInfo(pos, TRUE);
    CHECK(p->GetScrollPos(TRUE) == 100);
  }
  SUBCASE("an empty range is refused; one position is a range") {
    REQUIRE(p->SetScrollInfo(Info(0, 199, 100, 60), TRUE));
    CHECK_FALSE(p->SetScrollInfo(Info(10, 9, 5, 0), TRUE));
    CHECK_FALSE(p->SetScrollRange(TRUE, 10, 9, FALSE));
    int min = -1;
    int max = -1;
    p->GetScrollRange(TRUE, &min, &max);
    CHECK(min == 0);
    CHECK(max == 199);
    CHECK(p->GetScrollPos(TRUE) == 60);
    CHECK(p->SetScrollRange(TRUE, 0, 150, FALSE));
    CHECK(p->GetScrollPos(TRUE) == 51);  // 150 - 100 + 1
    CHECK(p->SetScrollRange(TRUE, 0, 0, FALSE));
    CHECK(p->GetScrollPos(TRUE) == 0);  // a page wider than the range stays at min
    p->GetScrollRange(TRUE, nullptr, &max);
    CHECK(max == 0);
  }
  SUBCASE("SetScrollPos clamps and stores") {
    REQUIRE(p->SetScrollInfo(Info(0, 199, 100, 0), TRUE));
    CHECK(p->SetScrollPos(TRUE, 500, TRUE));
    CHECK(p->GetScrollPos(TRUE) == 100);
    CHECK(p->SetScrollPos(TRUE, -5, FALSE));
    CHECK(p->GetScrollPos(TRUE) == 0);
  }
}

TEST_CASE("a held arrow or page area scrolls once, then by the timers, until released") {
  PanelRig rig;
  SPanel* p = LoadPanel(rig);
  p->ShowScrollBar(SSB_VERT, TRUE);
  REQUIRE(p->SetScrollInfo(Info(0, 199, 90, 0), TRUE));
  // Bar {90,0,100,100}: arrows [0,10] and [90,100], thumb [10,46].

  SUBCASE("the far arrow") {
    p->SSendMessage(WM_NCLBUTTONDOWN, 0, At(95, 95));
    CHECK(p->GetScrollPos(TRUE) == 10);
    CHECK(rig.container.capture == p->GetSwnd());
    p->SSendMessage(WM_TIMER, SPanel::kTimerDelay);
    CHECK(p->GetScrollPos(TRUE) == 20);
    p->SSendMessage(WM_TIMER, SPanel::kTimerRepeat);
    CHECK(p->GetScrollPos(TRUE) == 30);
    p->SSendMessage(WM_NCLBUTTONUP, 0, At(95, 95));
    CHECK(rig.container.capture == 0u);
    p->SSendMessage(WM_TIMER, SPanel::kTimerRepeat);
    CHECK(p->GetScrollPos(TRUE) == 30);
  }
  SUBCASE("the rail after the thumb pages; leaving the part stops the repeat") {
    p->SSendMessage(WM_NCLBUTTONDOWN, 0, At(95, 70));
    CHECK(p->GetScrollPos(TRUE) == 90);
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(60, 50));  // off the bar
    p->SSendMessage(WM_TIMER, SPanel::kTimerRepeat);
    CHECK(p->GetScrollPos(TRUE) == 90);
    p->SSendMessage(WM_NCLBUTTONUP, 0, At(60, 50));
  }
  SUBCASE("a disabled bar takes no press") {
    p->EnableScrollBar(SSB_VERT, FALSE);
    CHECK_FALSE(p->IsScrollBarEnable(TRUE));
    p->SSendMessage(WM_NCLBUTTONDOWN, 0, At(95, 95));
    CHECK(p->GetScrollPos(TRUE) == 0);
    CHECK(rig.container.capture == 0u);
  }
}

TEST_CASE("dragging the thumb: track position, clamping, release") {
  PanelRig rig;
  SPanel* p = LoadPanel(rig);
  p->ShowScrollBar(SSB_VERT, TRUE);

  SUBCASE("range 0..199, page 100: 40 px of travel for 100 positions") {
    REQUIRE(p->SetScrollInfo(Info(0, 199, 100, 0), TRUE));
    p->SSendMessage(WM_NCLBUTTONDOWN, 0, At(95, 20));
    CHECK(rig.container.capture == p->GetSwnd());
    CHECK(p->OnNcHitTest(POINT{50, 50}));  // the whole panel is the bar's while dragging
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(95, 40));
    CHECK(p->GetScrollInfo(TRUE).nTrackPos == 50);
    CHECK(p->GetScrollPos(TRUE) == 50);
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(95, 400));
    CHECK(p->GetScrollInfo(TRUE).nTrackPos == 100);
    p->SSendMessage(WM_NCLBUTTONUP, 0, At(95, 400));
    CHECK(p->GetScrollInfo(TRUE).nTrackPos == -1);
    CHECK(p->GetScrollPos(TRUE) == 100);
    CHECK(rig.container.capture == 0u);
  }
  SUBCASE("a range from 100 reaches max - page + 1") {
    REQUIRE(p->SetScrollInfo(Info(100, 299, 100, 100), TRUE));
    p->SSendMessage(WM_NCLBUTTONDOWN, 0, At(95, 20));
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(95, 20 + 40));
    CHECK(p->GetScrollPos(TRUE) == 200);
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(95, 0));
    CHECK(p->GetScrollPos(TRUE) == 100);
    p->SSendMessage(WM_NCLBUTTONUP, 0, At(95, 0));
  }
  SUBCASE("hiding the panel ends the drag") {
    REQUIRE(p->SetScrollInfo(Info(0, 199, 100, 0), TRUE));
    p->SSendMessage(WM_NCLBUTTONDOWN, 0, At(95, 20));
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(95, 30));
    p->SetVisible(FALSE);
    CHECK(p->GetScrollInfo(TRUE).nTrackPos == -1);
    CHECK(p->GetScrollPos(TRUE) == 25);
    CHECK_FALSE(p->OnNcHitTest(POINT{50, 50}));
  }
}

TEST_CASE("the bars are drawn at rest, hot, pressed and disabled") {
  PanelRig rig;
  SPanel* p = LoadPanel(rig);
  p->ShowScrollBar(SSB_BOTH, TRUE);
  REQUIRE(p->SetScrollInfo(Info(0, 199, 90, 0), TRUE));
  REQUIRE(p->SetScrollInfo(Info(0, 199, 90, 0), FALSE));

  SUBCASE("a full paint: every part at rest, and the corner") {
    CellSkin::log.clear();
    rig.Paint();
    CHECK(DrawsOf(CellSkin::log, TRUE) == Parts{"0:4", "3:4", "5:4", "1:4", "10:0"});
    CHECK(DrawsOf(CellSkin::log, FALSE) == Parts{"0:4", "3:4", "5:4", "1:4"});
    REQUIRE(!CellSkin::log.empty());
    CHECK(CellSkin::log.back().part == SSkinScrollbar::kPartCorner);
    CHECK(SameRect(CellSkin::log.back().rc, RECT{90, 90, 100, 100}));
    CHECK(rig.Pixel(95, 95) == CellSkin::Colour(0));
    CHECK(rig.Pixel(95, 5) == CellSkin::Colour(4));
  }
  SUBCASE("a disabled bar or panel draws state 3") {
    p->EnableScrollBar(SSB_HORZ, FALSE);
    CellSkin::log.clear();
    rig.Paint();
    CHECK(DrawsOf(CellSkin::log, FALSE) == Parts{"0:3", "3:3", "5:3", "1:3"});
    CHECK(DrawsOf(CellSkin::log, TRUE) == Parts{"0:4", "3:4", "5:4", "1:4", "10:0"});
  }
  SUBCASE("hover highlights the rail and the part, leaving puts the bar to rest") {
    CellSkin::log.clear();
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(95, 5));
    CHECK(DrawsOf(CellSkin::log, TRUE) == Parts{"0:1", "3:1", "5:0", "1:0"});
    CellSkin::log.clear();
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(95, 6));  // the same part: nothing to draw
    CHECK(CellSkin::log.empty());
    p->SSendMessage(WM_NCMOUSEMOVE, 0, At(20, 95));  // on to the other bar's thumb
    CHECK(DrawsOf(CellSkin::log, TRUE) == Parts{"0:4", "3:4", "5:4", "1:4"});
    CHECK(DrawsOf(CellSkin::log, FALSE) == Parts{"0:0", "3:1", "5:1", "1:0"});
    CellSkin::log.clear();
    p->SSendMessage(WM_NCMOUSELEAVE);
    CHECK(DrawsOf(CellSkin::log, FALSE) == Parts{"0:4", "3:4", "5:4", "1:4"});
    CellSkin::log.clear();
    p->SSendMessage(WM_NCMOUSELEAVE);
    CHECK(CellSkin::log.empty());
  }
  SUBCASE("pressing the thumb: rail hot, thumb pressed, straight into the host") {
    CellSkin::log.clear();
    p->SSendMessage(WM_NCLBUTTONDOWN, 0, At(95, 20));
    CHECK(DrawsOf(CellSkin::log, TRUE) == Parts{"2:1", "5:2"});
    CHECK(rig.container.HostSurface()->GetPixel(95, 20) == CellSkin::Colour(2));
    CHECK(rig.container.HostSurface()->GetPixel(95, 60) == CellSkin::Colour(1));
    CellSkin::log.clear();
    p->SSendMessage(WM_NCLBUTTONUP, 0, At(95, 20));
    const Parts released = DrawsOf(CellSkin::log, TRUE);
    REQUIRE(released.size() >= 2u);
    CHECK(released[0] == "2:0");
    CHECK(released[1] == "5:0");
  }
}

TEST_CASE("the built-in scroll-bar skin draws both bars") {
  PanelRig rig(120, 120);
  rig.Load(L"<root><div name='p' pos='10,10,@100,@100' colorBkgnd='#ffffff'/></root>");
  auto* p = dynamic_cast<SPanel*>(rig.Find(L"p"));
  REQUIRE(p != nullptr);
  p->ShowScrollBar(SSB_BOTH, TRUE);
  p->SetScrollInfo(Info(0, 299, 84, 100), TRUE);
  p->SetScrollInfo(Info(0, 99, 84, 0), FALSE);
  rig.Paint();
  rig.render.SavePng(L"panel_builtin_bars", 3);
  // Client untouched, bars drawn opaque over the white surface.
  CHECK(rig.Pixel(50, 50) == 0xFFFFFFFFu);
  CHECK(rig.Pixel(101, 50) != 0xFFFFFFFFu);
  CHECK(rig.Pixel(50, 101) != 0xFFFFFFFFu);
}
