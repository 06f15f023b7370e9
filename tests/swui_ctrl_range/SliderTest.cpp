// The slider bar: part spans and rectangles, hit testing, presses, drags and their events,
// the focus, the painted parts and states, and its desired size.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "RangeRig.h"
#include "control/EventSliderPos.h"
#include "control/SSliderBar.h"

using namespace SWUI;

namespace {

// A horizontal slider 110 x 20 at the origin: thumb 10 x 20, background 8 high, so the rail
// runs from x 5 to 105 over rows 6 to 13.
const wchar_t kSlider[] =
    L"<root><sliderbar name='s' pos='0,0,@110,@20' bkgndSkin='bg' posSkin='bar' "
    L"thumbSkin='thumb' ";

struct SliderFixture {
  explicit SliderFixture(const wchar_t* attrs = L"value='50'") {
    rig.Load((std::wstring(kSlider) + attrs + L"/></root>").c_str());
    slider = rig.Find<SSliderBar>(L"s");
    REQUIRE(slider->SubscribeEvent(EventSliderPos::EventID, FnSlot([this](EventArgs* e) {
                                     positions.push_back(static_cast<EventSliderPos*>(e)->nPos);
                                     return false;
                                   })));
  }
  void Click(int x, int y) {
    slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    slider->SSendMessage(WM_LBUTTONUP, 0, At(x, y));
  }
  void Move(int x, int y) { slider->SSendMessage(WM_MOUSEMOVE, 0, At(x, y)); }

  RangeRig rig;
  SSliderBar* slider = nullptr;
  std::vector<int> positions;
};

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

}  // namespace

TEST_CASE("slider: CalcPartSpan") {
  using S = SSliderBar;
  struct Case {
    int value;
    BOOL inRail;
    int part;
    int start, end;
  } cases[] = {
      {50, FALSE, S::kPartSel, 5, 50},
      {50, FALSE, S::kPartThumb, 45, 55},
      {50, FALSE, S::kPartRail, 5, 95},
      {50, FALSE, S::kPartRailBkgnd, 5, 95},
      {50, TRUE, S::kPartSel, 0, 50},
      {50, TRUE, S::kPartRailBkgnd, 0, 100},
      {50, TRUE, S::kPartRail, 5, 95},  // presses still measure half a thumb in
      {0, FALSE, S::kPartThumb, 0, 10},
      {100, FALSE, S::kPartThumb, 90, 100},
      {50, FALSE, 7, 0, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.value);
    CAPTURE(c.part);
    const S::PartSpan span = S::CalcPartSpan(100, 10, c.inRail, 0, 100, c.value, c.part);
    CHECK(span.start == c.start);
    CHECK(span.end == c.end);
  }
  // An empty range, as a caller might pass, places the thumb at the start instead of dividing
  // by zero.
  const S::PartSpan empty = S::CalcPartSpan(100, 10, FALSE, 5, 5, 5, S::kPartThumb);
  CHECK(empty.start == 0);
  CHECK(empty.end == 10);
  // Wide ranges do not overflow.
  const S::PartSpan wide =
      S::CalcPartSpan(100, 10, FALSE, -2000000000, 2000000000, 0, S::kPartThumb);
  CHECK(wide.start == 45);
}

TEST_CASE("slider: part rectangles are centred across the rail; hit test thumb, selection, rail") {
  SliderFixture f;
  CHECK(Same(f.slider->GetPartRect(SSliderBar::kPartThumb), RECT{50, 0, 60, 20}));
  CHECK(Same(f.slider->GetPartRect(SSliderBar::kPartSel), RECT{5, 6, 55, 14}));
  CHECK(Same(f.slider->GetPartRect(SSliderBar::kPartRail), RECT{5, 6, 105, 14}));
  CHECK(Same(f.slider->GetPartRect(SSliderBar::kPartRailBkgnd), RECT{5, 6, 105, 14}));
  struct Case {
    POINT pt;
    int part;
  } cases[] = {{{52, 1}, 2},   {{10, 6}, 1},  {{54, 10}, 2},  {{70, 13}, 0},
               {{70, 14}, -1}, {{2, 10}, -1}, {{105, 10}, -1}};
  for (const Case& c : cases) {
    CAPTURE(c.pt.x);
    CAPTURE(c.pt.y);
    CHECK(f.slider->HitTest(c.pt) == c.part);
  }
}

TEST_CASE("slider: a press jumps to (max - min + 1) x offset / length + min, one event each") {
  SliderFixture f;
  f.Click(105, 10);
  CHECK(f.slider->GetValue() == 100);  // the far end gives max + 1, clamped
  f.Click(20, 10);
  CHECK(f.slider->GetValue() == 15);
  f.Click(2, 10);
  CHECK(f.slider->GetValue() == 0);
  CHECK(f.positions == std::vector<int>{100, 15, 0});
  // The press takes the focus and the capture; the release gives the capture back.
  CHECK(f.rig.container.focus == f.slider->GetSwnd());
  f.slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(50, 10));
  CHECK(f.rig.container.capture == f.slider->GetSwnd());
  f.slider->SSendMessage(WM_LBUTTONUP, 0, At(50, 10));
  CHECK(f.rig.container.capture == 0u);
  // Setting the value from the program fires nothing.
  f.positions.clear();
  f.slider->SetValue(30);
  CHECK(f.positions.empty());
}

TEST_CASE("slider: a drag from the thumb fires only when the value changes and clamps") {
  SliderFixture f(L"min='0' max='10' value='5'");  // thumb at 50..60, 11 values over 100 px
  f.slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(55, 10));
  CHECK(f.positions.empty());  // a press on the thumb moves nothing
  f.Move(60, 10);              // 11 x 5 / 100 = 0
  CHECK(f.positions.empty());
  f.Move(65, 10);
  f.Move(66, 10);
  f.Move(500, 10);  // the capture keeps the drag going outside
  f.Move(-500, 50);
  f.slider->SSendMessage(WM_LBUTTONUP, 0, At(-500, 50));
  CHECK(f.positions == std::vector<int>{6, 10, 0});
  f.Move(65, 10);  // no drag any more
  CHECK(f.positions.size() == 3u);
  CHECK(f.slider->GetValue() == 0);
}

TEST_CASE("slider: a press beside the thumb jumps, then drags from there") {
  SliderFixture f(L"min='0' max='100' value='0'");
  f.slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(55, 10));
  f.Move(65, 10);
  f.slider->SSendMessage(WM_LBUTTONUP, 0, At(65, 10));
  CHECK(f.positions == std::vector<int>{50, 60});
}

TEST_CASE("slider: vertical sliders have the minimum at the top") {
  RangeRig rig;
  rig.Load(
      L"<root><sliderbar name='s' pos='0,0,@20,@110' vertical='1' bkgndSkin='bar' "
      L"posSkin='bar' thumbSkin='vthumb' value='0'/></root>");
  auto* slider = rig.Find<SSliderBar>(L"s");
  CHECK(Same(slider->GetPartRect(SSliderBar::kPartThumb), RECT{0, 0, 20, 10}));
  slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 20));
  slider->SSendMessage(WM_LBUTTONUP, 0, At(5, 20));
  CHECK(slider->GetValue() == 15);
  CHECK(slider->GetDesiredSize(-1, -1).cx == 20);
  CHECK(slider->GetDesiredSize(-1, -1).cy == 100);
}

TEST_CASE("slider: a rail without length leaves the value and fires nothing") {
  RangeRig rig;
  rig.Load(
      L"<root><sliderbar name='s' pos='0,0,@10,@20' bkgndSkin='bg' posSkin='bar' "
      L"thumbSkin='thumb' value='40'/></root>");
  auto* slider = rig.Find<SSliderBar>(L"s");
  int events = 0;
  REQUIRE(slider->SubscribeEvent(EventSliderPos::EventID, FnSlot([&](EventArgs*) {
                                   ++events;
                                   return false;
                                 })));
  slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 25));  // below the thumb
  slider->SSendMessage(WM_MOUSEMOVE, 0, At(9, 25));
  slider->SSendMessage(WM_LBUTTONUP, 0, At(9, 25));
  CHECK(slider->GetValue() == 40);
  CHECK(events == 0);
}

TEST_CASE("slider: painting the rail, the selection and the thumb in its state") {
  SliderFixture f;
  f.rig.Paint();
  CHECK(f.rig.Pixel(4, 10) == kWhite);
  CHECK(f.rig.Pixel(5, 10) == kBlue);  // the selection over the background
  CHECK(f.rig.Pixel(49, 10) == kBlue);
  CHECK(f.rig.Pixel(55, 2) == kRed);    // the thumb, normal
  CHECK(f.rig.Pixel(70, 10) == kGrey);  // the rail after the thumb
  CHECK(f.rig.Pixel(70, 5) == kWhite);
  CHECK(f.rig.Pixel(105, 10) == kWhite);

  auto thumbState = [&] {
    CellSkin::log.clear();
    f.rig.Paint();
    REQUIRE(f.rig.Skin(L"thumb")->Draws().size() == 1u);
    return f.rig.Skin(L"thumb")->Draws()[0].raw;
  };
  f.Move(80, 10);  // rail to rail: nothing tracked
  CHECK(thumbState() == 0u);
  f.Move(55, 10);
  CHECK(thumbState() == 1u);
  f.slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(55, 10));
  CHECK(thumbState() == 2u);
  f.slider->SSendMessage(WM_MOUSELEAVE);  // ignored while dragging
  f.slider->SSendMessage(WM_LBUTTONUP, 0, At(55, 10));
  CHECK(thumbState() == 1u);
  f.slider->SSendMessage(WM_MOUSELEAVE);
  CHECK(thumbState() == 0u);

  // At the minimum no selection is drawn; thumbInRail takes the background to both ends.
  f.slider->SetValue(0);
  CHECK(f.slider->SetAttribute(L"thumbInRail", L"1", FALSE) == S_OK);
  CellSkin::log.clear();
  f.rig.Paint();
  CHECK(f.rig.Skin(L"bar")->Draws().empty());
  CHECK(f.rig.Pixel(0, 10) == kRed);  // the thumb at the start
  CHECK(f.rig.Pixel(10, 10) == kGrey);
  CHECK(f.rig.Pixel(109, 10) == kGrey);
}

TEST_CASE("slider: disabled, the thumb draws its fourth state; one-state rails draw as before") {
  SliderFixture f;
  f.Move(55, 10);  // hovered first: the disabled look wins over it
  f.slider->EnableWindow(FALSE, TRUE);
  CellSkin::log.clear();
  f.rig.Paint();
  REQUIRE(f.rig.Skin(L"thumb")->Draws().size() == 1u);
  CHECK(f.rig.Skin(L"thumb")->Draws()[0].raw == 3u);
  CHECK(f.rig.Pixel(55, 2) == 0xFF808080);  // the fourth cell
  CHECK(f.rig.Pixel(5, 10) == kBlue);   // the selection's only cell
  CHECK(f.rig.Pixel(70, 10) == kGrey);  // the rail's only cell
  f.slider->EnableWindow(TRUE, TRUE);
  f.slider->SSendMessage(WM_MOUSELEAVE);
  f.rig.Paint();
  CHECK(f.rig.Pixel(55, 2) == kRed);
}

TEST_CASE("slider: desired size, class and unknown thumb skins") {
  SliderFixture f;
  const SIZE size = f.slider->GetDesiredSize(-1, -1);
  CHECK(size.cx == 100);
  CHECK(size.cy == 20);
  CHECK(f.slider->IsClass(L"sliderbar"));
  CHECK(f.slider->IsClass(L"progress"));
  CHECK(f.slider->IsClass(L"window"));
  CHECK(f.slider->SetAttribute(L"thumbSkin", L"no.such.skin", FALSE) == E_FAIL);
  f.rig.Paint();
  CHECK(f.rig.Pixel(55, 2) == kRed);  // the thumb kept
}

TEST_CASE("slider: without a thumb skin of its own it takes the built-in one") {
  RangeRig rig;
  rig.Load(L"<root><sliderbar name='s' pos='0,0,@110,@30' value='50'/></root>");
  auto* plain = rig.Find<SSliderBar>(L"s");
  const RECT thumb = plain->GetPartRect(SSliderBar::kPartThumb);
  CHECK(thumb.right - thumb.left > 0);
}
