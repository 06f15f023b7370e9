// The scroll bar: part geometry, presses and drags with their events, SetPos, the scroll-info
// messages, hot tracking and painting by part.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "RangeRig.h"
#include "control/EventScroll.h"
#include "control/SScrollBar.h"

using namespace SWUI;

namespace {

struct Scroll {
  int code;
  int pos;
  BOOL vertical;
  bool operator==(const Scroll& o) const {
    return code == o.code && pos == o.pos && vertical == o.vertical;
  }
};

// A vertical bar 10 x 100 with 10-pixel arrows, range 0..99, page 10: the rail is 80 long, the
// thumb 18 (8 raised to the minimum), so it travels 62 pixels over 91 positions.
struct BarFixture {
  explicit BarFixture(const wchar_t* attrs = L"value='45'", const wchar_t* pos = L"0,0,@10,@100") {
    rig.Load((std::wstring(L"<root><scrollbar name='b' pos='") + pos +
              L"' skin='sb' arrowSize='10' min='0' max='99' page='10' " + attrs + L"/></root>")
                 .c_str());
    bar = rig.Find<SScrollBar>(L"b");
    REQUIRE(bar->SubscribeEvent(EventScroll::EventID, FnSlot([this](EventArgs* e) {
                                  auto* s = static_cast<EventScroll*>(e);
                                  events.push_back(Scroll{s->nSbCode, s->nPos, s->bVertical});
                                  return false;
                                })));
  }
  // The span of a part along the bar.
  std::pair<int, int> Span(int part) const {
    const RECT rc = bar->GetPartRect(part);
    return bar->IsVertical()
               ? std::make_pair(static_cast<int>(rc.top), static_cast<int>(rc.bottom))
               : std::make_pair(static_cast<int>(rc.left), static_cast<int>(rc.right));
  }
  // The states the skin last drew a part in, in order.
  std::vector<int> StatesOf(int part) const {
    std::vector<int> out;
    for (const SkinDraw& d : rig.Skin(L"sb")->Draws()) {
      if (static_cast<int>(d.raw & 0xFFFF) == part) out.push_back((d.raw >> 16) & 0xFF);
    }
    return out;
  }

  RangeRig rig;
  SScrollBar* bar = nullptr;
  std::vector<Scroll> events;
};

using Span = std::pair<int, int>;

}  // namespace

TEST_CASE("scroll bar: where the parts lie") {
  struct Case {
    const wchar_t* attrs;
    const wchar_t* pos;
    Span lineUp, pageUp, thumb, pageDown, lineDown;
  } cases[] = {
      {L"value='45'", L"0,0,@10,@100", {0, 10}, {10, 41}, {41, 59}, {59, 90}, {90, 100}},
      {L"value='0'", L"0,0,@10,@100", {0, 10}, {10, 10}, {10, 28}, {28, 90}, {90, 100}},
      {L"value='90'", L"0,0,@10,@100", {0, 10}, {10, 72}, {72, 90}, {90, 90}, {90, 100}},
      // A range not starting at 0 places the thumb by position - min.
      {L"min='100' max='199' value='145'",
       L"0,0,@10,@100",
       {0, 10},
       {10, 41},
       {41, 59},
       {59, 90},
       {90, 100}},
      // A page that covers the whole range fills the rail.
      {L"page='100' value='0'", L"0,0,@10,@100", {0, 10}, {10, 10}, {10, 90}, {90, 90}, {90, 100}},
      // A rail under 18 pixels has no thumb; without a rail each arrow takes half the bar.
      {L"value='45'", L"0,0,@10,@30", {0, 10}, {10, 15}, {15, 15}, {15, 20}, {20, 30}},
      {L"value='45'", L"0,0,@10,@16", {0, 8}, {8, 8}, {8, 8}, {8, 8}, {8, 16}},
      // Horizontal bars measure along x.
      {L"value='45' vertical='0'",
       L"0,0,@100,@10",
       {0, 10},
       {10, 41},
       {41, 59},
       {59, 90},
       {90, 100}},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    CAPTURE(std::wstring(c.pos));
    BarFixture f(c.attrs, c.pos);
    CHECK(f.Span(SB_LINEUP) == c.lineUp);
    CHECK(f.Span(SB_PAGEUP) == c.pageUp);
    CHECK(f.Span(SB_THUMBTRACK) == c.thumb);
    CHECK(f.Span(SB_PAGEDOWN) == c.pageDown);
    CHECK(f.Span(SB_LINEDOWN) == c.lineDown);
    CHECK(f.Span(SB_THUMBPOSITION) == Span(0, 0));
  }
}

TEST_CASE("scroll bar: hit testing and painting by part") {
  BarFixture f;
  struct Case {
    int y;
    int part;
  } cases[] = {{0, SB_LINEUP},      {9, SB_LINEUP},      {10, SB_PAGEUP},   {40, SB_PAGEUP},
               {41, SB_THUMBTRACK}, {58, SB_THUMBTRACK}, {59, SB_PAGEDOWN}, {89, SB_PAGEDOWN},
               {90, SB_LINEDOWN},   {99, SB_LINEDOWN},   {100, -1}};
  for (const Case& c : cases) {
    CAPTURE(c.y);
    CHECK(f.bar->HitTest(POINT{5, c.y}) == c.part);
  }
  CHECK(f.bar->HitTest(POINT{10, 50}) == -1);
  f.rig.Paint();
  CHECK(f.rig.Pixel(5, 5) == kRed);
  CHECK(f.rig.Pixel(5, 20) == kBlue);
  CHECK(f.rig.Pixel(5, 41) == kMagenta);
  CHECK(f.rig.Pixel(5, 58) == kMagenta);
  CHECK(f.rig.Pixel(5, 70) == kYellow);
  CHECK(f.rig.Pixel(5, 95) == kGreen);
  // Every part is drawn vertical and normal; disabled, every part in state 3.
  for (const SkinDraw& d : f.rig.Skin(L"sb")->Draws()) CHECK((d.raw >> 16) == 0x100u);
  f.bar->EnableWindow(FALSE);
  CellSkin::log.clear();
  f.rig.Paint();
  REQUIRE(f.rig.Skin(L"sb")->Draws().size() == 5u);
  for (const SkinDraw& d : f.rig.Skin(L"sb")->Draws()) CHECK((d.raw >> 16) == 0x103u);
}

TEST_CASE("scroll bar: arrow and rail presses report without moving") {
  BarFixture f;
  f.bar->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  CHECK(f.rig.container.capture == f.bar->GetSwnd());
  CHECK(f.StatesOf(SB_LINEUP) == std::vector<int>{2});  // redrawn pressed at once
  CellSkin::log.clear();
  f.bar->SSendMessage(WM_LBUTTONUP, 0, At(5, 5));
  CHECK(f.rig.container.capture == 0u);
  CHECK(f.StatesOf(SB_LINEUP) == std::vector<int>{0});
  f.bar->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 70));
  f.bar->SSendMessage(WM_LBUTTONUP, 0, At(5, 70));
  f.bar->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 95));
  f.bar->SSendMessage(WM_LBUTTONUP, 0, At(5, 95));
  CHECK(f.events == std::vector<Scroll>{
                        {SB_LINEUP, 45, TRUE}, {SB_PAGEDOWN, 45, TRUE}, {SB_LINEDOWN, 45, TRUE}});
  CHECK(f.bar->GetPos() == 45);
}

TEST_CASE("scroll bar: a drag tracks, then reports the position at the release") {
  BarFixture f(L"value='0'");
  f.bar->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 15));
  f.bar->SSendMessage(WM_MOUSEMOVE, 0, At(5, 46));  // 31 x 90 / 62
  f.bar->SSendMessage(WM_MOUSEMOVE, 0, At(6, 46));  // no change: no event
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_POS | SIF_TRACKPOS;
  CHECK(f.bar->SSendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si)) == TRUE);
  CHECK(si.nPos == 0);  // the position moves only at the release
  CHECK(si.nTrackPos == 45);
  CHECK(f.Span(SB_THUMBTRACK) == Span(41, 59));  // the thumb follows the drag
  // SetPos during a drag does not move the thumb.
  f.bar->SetPos(10);
  CHECK(f.Span(SB_THUMBTRACK) == Span(41, 59));
  f.bar->SSendMessage(WM_LBUTTONUP, 0, At(5, 46));
  CHECK(f.events == std::vector<Scroll>{{SB_THUMBTRACK, 45, TRUE}, {SB_THUMBPOSITION, 45, TRUE}});
  CHECK(f.bar->GetPos() == 45);
  si.fMask = SIF_TRACKPOS;
  f.bar->SSendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
  CHECK(si.nTrackPos == -1);
}

TEST_CASE("scroll bar: drags clamp to [min, max - page + 1]") {
  struct Case {
    const wchar_t* attrs;
    int to;
    int expected;
  } cases[] = {
      {L"value='0'", 400, 90},
      {L"value='0'", -400, 0},
      {L"min='100' max='199' value='100'", 400, 190},
      {L"min='100' max='199' value='100'", -400, 100},
      {L"min='100' max='199' value='100'", 46, 145},
  };
  // A drag that cannot move the thumb tracks nothing but still ends with the position.
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    CAPTURE(c.to);
    BarFixture f(c.attrs);
    f.bar->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 15));
    f.bar->SSendMessage(WM_MOUSEMOVE, 0, At(5, c.to));
    f.bar->SSendMessage(WM_LBUTTONUP, 0, At(5, c.to));
    CHECK(f.bar->GetPos() == c.expected);
    std::vector<Scroll> expected;
    if (c.to > 15) expected.push_back(Scroll{SB_THUMBTRACK, c.expected, TRUE});
    expected.push_back(Scroll{SB_THUMBPOSITION, c.expected, TRUE});
    CHECK(f.events == expected);
  }
}

TEST_CASE("scroll bar: SetPos clamps, moves the thumb and fires nothing") {
  BarFixture f;
  f.rig.Paint();
  CHECK(f.bar->SetPos(200) == 90);
  CHECK(f.bar->SetPos(-5) == 0);
  CHECK(f.bar->SetPos(30) == 30);
  CHECK(f.events.empty());
  // The old and new thumb places were redrawn at once (into the host's surface).
  IRenderTarget* host = f.rig.container.HostSurface();
  const int thumbTop = 10 + 62 * 30 / 90;
  CHECK(host->GetPixel(5, thumbTop) == kMagenta);
  CHECK(host->GetPixel(5, thumbTop - 1) == kBlue);
  CHECK(host->GetPixel(5, thumbTop + 18) == kYellow);
}

TEST_CASE("scroll bar: the scroll-info messages") {
  BarFixture f;
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 49;
  si.nPage = 10;
  si.nPos = 45;
  CHECK(f.bar->SSendMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&si)) == TRUE);
  CHECK(f.bar->GetPos() == 40);
  // An empty range is refused whole; one position is a range.
  SCROLLINFO bad = si;
  bad.nMin = 10;
  bad.nMax = 9;
  bad.nPos = 0;
  CHECK(f.bar->SSendMessage(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&bad)) == FALSE);
  CHECK(f.bar->SSendMessage(SBM_SETSCROLLINFO, FALSE, 0) == FALSE);
  SCROLLINFO out = {};
  out.cbSize = sizeof(out);
  out.fMask = SIF_ALL;
  f.bar->SSendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&out));
  CHECK(out.nMin == 0);
  CHECK(out.nMax == 49);
  CHECK(out.nPage == 10u);
  CHECK(out.nPos == 40);
  CHECK(out.nTrackPos == -1);
  SCROLLINFO one = {};
  one.fMask = SIF_RANGE | SIF_PAGE;
  one.nMin = one.nMax = 0;
  one.nPage = 0;
  CHECK(f.bar->SSendMessage(SBM_SETSCROLLINFO, FALSE, reinterpret_cast<LPARAM>(&one)) == TRUE);
  CHECK(f.bar->GetPos() == 0);
  // Only what the mask names is filled.
  SCROLLINFO page = {};
  page.fMask = SIF_PAGE;
  page.nPos = 77;
  f.bar->SSendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&page));
  CHECK(page.nPos == 77);
  CHECK(page.nPage == 0u);
}

TEST_CASE("scroll bar: hot tracking redraws the part left normal and the part entered hot") {
  BarFixture f;
  f.bar->SSendMessage(WM_MOUSEMOVE, 0, At(5, 95));
  CHECK(f.StatesOf(SB_LINEDOWN) == std::vector<int>{1});
  CellSkin::log.clear();
  f.bar->SSendMessage(WM_MOUSEMOVE, 0, At(5, 50));
  CHECK(f.StatesOf(SB_LINEDOWN) == std::vector<int>{0});
  CHECK(f.StatesOf(SB_THUMBTRACK) == std::vector<int>{1});
  CellSkin::log.clear();
  f.bar->SSendMessage(WM_MOUSELEAVE);
  CHECK(f.StatesOf(SB_THUMBTRACK) == std::vector<int>{0});
  CellSkin::log.clear();
  f.bar->SSendMessage(WM_MOUSELEAVE);  // nothing hot: nothing redrawn
  CHECK(f.rig.Skin(L"sb")->Draws().empty());
}

TEST_CASE("scroll bar: attributes") {
  // The arrow is the skin's width / 9 unless given; a layout's empty range is refused.
  RangeRig rig;
  rig.Load(
      L"<root><scrollbar name='a' pos='0,0,@10,@100' skin='sb' max='99' page='10' value='500'/>"
      L"<scrollbar name='e' pos='20,0,@10,@100' skin='sb' min='10' max='5' value='7'/></root>");
  auto* a = rig.Find<SScrollBar>(L"a");
  auto* e = rig.Find<SScrollBar>(L"e");
  CHECK(a->GetPartRect(SB_LINEUP).bottom == 10);
  CHECK(a->GetPos() == 90);
  SCROLLINFO si = {};
  si.fMask = SIF_RANGE;
  e->SSendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&si));
  CHECK(si.nMin == 0);
  CHECK(si.nMax == 0);
  CHECK(e->GetPos() == 0);
  // At run time a bound that would leave no position is refused; an unknown skin keeps it.
  CHECK(a->SetAttribute(L"min", L"100", FALSE) == E_FAIL);
  CHECK(a->SetAttribute(L"max", L"50", FALSE) == S_OK);
  CHECK(a->GetPos() == 41);
  CHECK(a->SetAttribute(L"skin", L"no.such.skin", FALSE) == E_FAIL);
  rig.Paint();
  CHECK(rig.Pixel(5, 5) == kRed);
  CHECK(a->IsClass(L"scrollbar"));
  CHECK(a->IsClass(L"window"));
}
