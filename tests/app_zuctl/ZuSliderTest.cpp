// The application slider: keys and wheel, rail presses (slowly or jumping, upward when
// vertical), drags, a rail without length, part thickness by skin, skin states by state
// count, and the shared value tip.
#include <doctest/doctest.h>

#include <memory>
#include <string>
#include <vector>

#include "ZuRig.h"
#include "controls/SSimpleToolTip.h"
#include "controls/ZuSlider.h"

using namespace SWUI;

namespace {

// A slider 110 x 20 at the origin, range 0..84 at 40 unless the attributes say otherwise. The
// rail skin is 6 high (rows 7..12), the thumb as given.
struct SliderFixture {
  explicit SliderFixture(const std::wstring& attrs = L"", const wchar_t* thumb = L"thumb",
                         const wchar_t* pos = L"0,0,@110,@20") {
    rig.AddCells(L"rail", 100, 6, {kCyan});
    rig.AddCells(L"sel", 1, 4, {kBlue});
    rig.AddCells(L"thumb", 10, 20, {kRed});
    rig.AddCells(L"thin", 2, 20, {kRed});
    rig.AddCells(L"vthin", 20, 2, {kRed});
    rig.AddCells(L"flat", 10, 4, {kRed});
    rig.Load((L"<root><zuslider name='s' pos='" + std::wstring(pos) +
              L"' min='0' max='84' value='40' bkgndSkin='rail' posSkin='sel' thumbSkin='" + thumb +
              L"' " + attrs + L"/></root>")
                 .c_str());
    slider = FindAs<ZuSlider>(rig, L"s");
    events = std::make_unique<ZuEvents>(slider);
  }
  void Press(int x, int y) { slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
  void Release(int x, int y) { slider->SSendMessage(WM_LBUTTONUP, 0, At(x, y)); }
  void Move(int x, int y) { slider->SSendMessage(WM_MOUSEMOVE, 0, At(x, y)); }
  std::vector<int>& Positions() { return events->positions; }

  ZuRig rig;
  ZuSlider* slider = nullptr;
  std::unique_ptr<ZuEvents> events;
};

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

BOOL CALLBACK FindOwnTip(HWND hwnd, LPARAM lParam) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t title[32] = {};
  GetWindowTextW(hwnd, title, 32);
  if (pid != GetCurrentProcessId() || std::wstring(title) != L"simple tooltip") return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hwnd;
  return FALSE;
}

// The simple tooltip window of this process, if any.
HWND OwnTipWindow() {
  HWND found = nullptr;
  EnumWindows(FindOwnTip, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

TEST_CASE("zuslider: keys step from 40 of 0..84 and notify even when nothing changes") {
  struct Case {
    UINT key;
    int value;
  } cases[] = {{VK_PRIOR, 56}, {VK_NEXT, 24}, {VK_END, 0},    {VK_HOME, 84},
               {VK_LEFT, 39},  {VK_DOWN, 39}, {VK_RIGHT, 41}, {VK_UP, 41}};
  for (const Case& c : cases) {
    CAPTURE(c.key);
    SliderFixture f;
    f.slider->SSendMessage(WM_KEYDOWN, c.key);
    CHECK(f.slider->GetValue() == c.value);
    CHECK(f.Positions() == std::vector<int>{c.value});
  }
  SliderFixture f(L"value='84'");
  f.slider->SSendMessage(WM_KEYDOWN, VK_HOME);
  f.slider->SSendMessage(WM_KEYDOWN, VK_PRIOR);  // clamped at the top
  CHECK(f.Positions() == std::vector<int>{84, 84});
  BOOL handled = TRUE;
  f.slider->SSendMessage(WM_KEYDOWN, VK_TAB, 0, &handled);
  CHECK_FALSE(handled);  // other keys go on
  CHECK(f.Positions().size() == 2u);
}

TEST_CASE("zuslider: the wheel takes the focus and steps one, a delta of 0 up") {
  SliderFixture f;
  REQUIRE(f.rig.container.focus == 0u);
  f.slider->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), At(50, 10));
  CHECK(f.slider->GetValue() == 39);
  CHECK(f.rig.container.focus == f.slider->GetSwnd());
  f.slider->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 0), At(50, 10));
  f.slider->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), At(50, 10));
  CHECK(f.Positions() == std::vector<int>{39, 40, 41});
}

TEST_CASE("zuslider: a rail press with slowlyChangeValue steps one toward the press") {
  // A thumb 2 wide: the rail runs from x 1 to 109 (108 pixels) and the thumb covers 51..52.
  // x 53 is off the thumb and gives the value itself, 85 x 52 / 108 = 40: not above it, so
  // one down.
  SliderFixture f(L"slowlyChangeValue='1'", L"thin");
  REQUIRE(f.slider->HitTest(POINT{53, 10}) == SSliderBar::kPartRail);
  f.Press(53, 10);
  f.Release(53, 10);
  CHECK(f.slider->GetValue() == 39);
  f.Press(100, 10);
  f.Release(100, 10);
  CHECK(f.slider->GetValue() == 40);
  // One event per press: the slider bar's own press handling does not jump once more. The
  // release is the element's click.
  CHECK(f.Positions() == std::vector<int>{39, 40});
  CHECK(f.events->commands == 2);
}

TEST_CASE("zuslider: without slowlyChangeValue a press jumps; vertical sliders grow upward") {
  {
    SliderFixture f(L"", L"thin");
    f.Press(80, 10);  // 85 x 79 / 108
    f.Release(80, 10);
    CHECK(f.slider->GetValue() == 62);
  }
  SliderFixture v(L"vertical='1'", L"vthin", L"0,0,@20,@110");
  // The rail runs from y 109 (the minimum) up to y 1.
  v.Press(10, 100);  // 85 x 9 / 108
  v.Release(10, 100);
  CHECK(v.slider->GetValue() == 7);
  v.Press(10, 2);
  v.Release(10, 2);
  CHECK(v.slider->GetValue() == 84);
  CHECK(v.Positions() == std::vector<int>{7, 84});
}

TEST_CASE("zuslider: a drag from the thumb follows the cursor, upward when vertical") {
  for (bool vertical : {false, true}) {
    CAPTURE(vertical);
    SliderFixture f(vertical ? L"vertical='1'" : L"", vertical ? L"vthin" : L"thin",
                    vertical ? L"0,0,@20,@110" : L"0,0,@110,@20");
    // The thumb of 40 covers 51..52 from the rail's start (the bottom when vertical).
    const POINT on = vertical ? POINT{10, 58} : POINT{52, 10};
    REQUIRE(f.slider->HitTest(on) == SSliderBar::kPartThumb);
    f.Press(on.x, on.y);
    CHECK(f.Positions().empty());
    f.Move(on.x + (vertical ? 0 : 54), on.y - (vertical ? 54 : 0));  // 85 x 54 / 108 = 42
    f.Move(on.x + (vertical ? 0 : 54), on.y - (vertical ? 54 : 0));  // no change, no event
    f.Move(on.x + (vertical ? 0 : 500), on.y - (vertical ? 500 : 0));
    f.Release(0, 0);
    CHECK(f.Positions() == std::vector<int>{82, 84});
  }
}

TEST_CASE("zuslider: a rail without length leaves the value") {
  // A slider no longer than its thumb: the rail has no length. A press beside the flat thumb
  // lies on no part and would jump.
  SliderFixture f(L"", L"flat", L"0,0,@10,@20");
  REQUIRE(f.slider->HitTest(POINT{5, 2}) == SSliderBar::kPartNone);
  f.Press(5, 2);
  f.Move(8, 2);
  f.Release(8, 2);
  CHECK(f.slider->GetValue() == 40);
  CHECK(f.Positions().empty());
}

TEST_CASE("zuslider: parts are as thick as their skins, centred; a vertical one fills upward") {
  ZuRig rig;
  rig.AddCells(L"vrail", 6, 100, {kCyan});
  rig.AddCells(L"vsel", 4, 1, {kBlue});
  rig.AddCells(L"vthumb", 20, 2, {kRed});
  rig.AddCells(L"sizeless", 0, 0, {kRed});
  rig.Load(
      L"<root><zuslider name='s' pos='0,0,@20,@110' vertical='1' min='0' max='100' value='50' "
      L"bkgndSkin='vrail' posSkin='vsel' thumbSkin='vthumb'/>"
      L"<zuslider name='bare' pos='30,0,@110,@20' posSkin='sizeless'/></root>");
  auto* s = FindAs<ZuSlider>(rig, L"s");
  // Thumb span (110 - 2) x 50 / 100 = 54..56 from the bottom.
  CHECK(Same(s->GetPartRect(SSliderBar::kPartThumb), RECT{0, 54, 20, 56}));
  CHECK(Same(s->GetPartRect(SSliderBar::kPartSel), RECT{8, 55, 12, 109}));
  CHECK(Same(s->GetPartRect(SSliderBar::kPartRailBkgnd), RECT{7, 1, 13, 109}));
  CHECK(Same(s->GetPartRect(SSliderBar::kPartRail), RECT{7, 1, 13, 109}));
  // A skin without a size spans the whole client thickness.
  auto* bare = FindAs<ZuSlider>(rig, L"bare");
  const RECT sel = bare->GetPartRect(SSliderBar::kPartSel);
  CHECK(sel.top == 0);
  CHECK(sel.bottom == 20);

  rig.PaintAndSave(L"zuslider_vertical");
  CHECK(rig.All(RECT{8, 56, 12, 109}, kBlue));   // the selection below the thumb
  CHECK(rig.All(RECT{7, 1, 8, 54}, kCyan));      // the rail's edge, above and beside it
  CHECK(rig.All(RECT{8, 1, 13, 54}, kCyan));     // no selection above the thumb
  CHECK(rig.All(RECT{0, 54, 20, 56}, kRed));     // the thumb across the whole slider
  CHECK(rig.Count(RECT{0, 0, 7, 54}, kWhite) == 7 * 54);
  CHECK(rig.Count(RECT{13, 56, 20, 110}, kWhite) == 7 * 54);
}

TEST_CASE("zuslider: each skin's state follows its state count") {
  enum Cond { kNormal, kHovered, kPressed, kDisabled };
  const std::vector<DWORD> palette = {kRed, kGreen, kBlue, kGrey, kYellow};
  // state index per count (1..5) and condition.
  const int expected[5][4] = {{0, 0, 0, 0}, {0, 1, 1, 0}, {0, 1, 2, 0}, {0, 1, 2, 3}, {0, 0, 0, 0}};
  for (int count = 1; count <= 5; ++count) {
    for (int cond = kNormal; cond <= kDisabled; ++cond) {
      CAPTURE(count);
      CAPTURE(cond);
      ZuRig rig(120, 20);
      const std::vector<DWORD> colors(palette.begin(), palette.begin() + count);
      rig.AddCells(L"rail", 100, 6, colors);
      rig.AddCells(L"thumb", 10, 20, colors);
      rig.Load(
          L"<root><zuslider name='s' pos='0,0,@110,@20' value='0' bkgndSkin='rail' "
          L"thumbSkin='thumb'/></root>");
      auto* s = FindAs<ZuSlider>(rig, L"s");
      if (cond == kHovered) {
        s->SSendMessage(WM_MOUSEHOVER, 0, At(5, 10));  // the element's hover (the rail)
        s->SSendMessage(WM_MOUSEMOVE, 0, At(5, 10));   // onto the thumb
      } else if (cond == kPressed) {
        s->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 10));  // drags the thumb
      } else if (cond == kDisabled) {
        s->EnableWindow(FALSE);
      }
      rig.Paint();
      const DWORD color = palette[expected[count - 1][cond]];
      CHECK(rig.Pixel(5, 10) == color);   // the thumb
      CHECK(rig.Pixel(60, 10) == color);  // the rail
    }
  }
}

TEST_CASE("zuslider: the value tip shows beside the thumb while hovered or dragged") {
  struct Case {
    const wchar_t* xml;
    POINT onThumb;
    POINT tip;  // host client coordinates
  } cases[] = {
      // Thumb 10 x 20 at x 147..157: x = 147 + (10 - 6 x 2 - 10) / 2, y = 120 + 10.
      {L"pos='100,100,@110,@20' thumbSkin='thumb'", {150, 110}, {141, 130}},
      // Thumb 20 x 10 at y 153..163, 47..57 up from the bottom (210):
      // x = 100 - 6 x 2 - 15, y = 153 + 5 - 11.
      {L"pos='100,100,@20,@110' vertical='1' thumbSkin='vthumb'", {110, 158}, {73, 147}},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.xml));
    ZuRig rig(300, 300);
    rig.AddCells(L"thumb", 10, 20, {kRed});
    rig.AddCells(L"vthumb", 20, 10, {kRed});
    rig.Load((L"<root><zuslider name='s' min='0' max='84' value='40' showPercent='1' " +
              std::wstring(c.xml) + L"/></root>")
                 .c_str());
    auto* s = FindAs<ZuSlider>(rig, L"s");
    REQUIRE(s->HitTest(c.onThumb) == SSliderBar::kPartThumb);
    s->SSendMessage(WM_MOUSEMOVE, 0, At(c.onThumb.x, c.onThumb.y));
    SSimpleToolTip* tip = SSimpleToolTip::GetInstance();
    REQUIRE(tip->m_hWnd != nullptr);
    CHECK(IsWindowVisible(tip->m_hWnd));
    CHECK(tip->GetText() == L"40");
    POINT expected = c.tip;
    MapWindowPoints(rig.container.GetHostHwnd(), HWND_DESKTOP, &expected, 1);
    RECT rc;
    GetWindowRect(tip->m_hWnd, &rc);
    CHECK(rc.left == expected.x);
    CHECK(rc.top == expected.y);

    // A drag keeps it beside the thumb with the new value; the release hides it.
    s->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(c.onThumb.x, c.onThumb.y));
    s->SSendMessage(WM_MOUSELEAVE);  // the captured cursor left the element
    CHECK(IsWindowVisible(tip->m_hWnd));
    s->SSendMessage(WM_MOUSEMOVE, 0, At(c.onThumb.x + 40, c.onThumb.y - 40));
    CHECK(IsWindowVisible(tip->m_hWnd));
    CHECK(tip->GetText() == std::to_wstring(s->GetValue()).c_str());
    CHECK(s->GetValue() > 40);
    s->SSendMessage(WM_LBUTTONUP, 0, At(0, 0));
    CHECK_FALSE(IsWindowVisible(tip->m_hWnd));
    // Back on the thumb it shows again; leaving the element hides it.
    const RECT thumb = s->GetPartRect(SSliderBar::kPartThumb);
    s->SSendMessage(WM_MOUSEMOVE, 0, At(thumb.left + 1, thumb.top + 1));
    CHECK(IsWindowVisible(tip->m_hWnd));
    s->SSendMessage(WM_MOUSELEAVE);
    CHECK_FALSE(IsWindowVisible(tip->m_hWnd));
  }
}

TEST_CASE("zuslider: without showPercent no tip is made") {
  SliderFixture f;
  f.Move(50, 10);
  CHECK(f.slider->HitTest(POINT{50, 10}) == SSliderBar::kPartThumb);
  CHECK(OwnTipWindow() == nullptr);
}

TEST_CASE("zuslider: a destroyed slider leaves the shared tip to the others") {
  ZuRig rig;
  rig.AddCells(L"thumb", 10, 20, {kRed});
  rig.Load(
      L"<root><zuslider name='a' pos='0,0,@110,@20' value='10' showPercent='1' "
      L"thumbSkin='thumb'/>"
      L"<zuslider name='b' pos='0,50,@110,@20' value='0' showPercent='1' thumbSkin='thumb'/>"
      L"<zuslider name='c' pos='0,100,@110,@20' value='0' showPercent='1' "
      L"thumbSkin='thumb'/></root>");
  SWindow* a = rig.Find(L"a");
  SWindow* b = rig.Find(L"b");
  SWindow* c = rig.Find(L"c");
  a->SSendMessage(WM_MOUSEMOVE, 0, At(14, 10));  // a's thumb: 10..20
  a->SSendMessage(WM_MOUSELEAVE);
  b->SSendMessage(WM_MOUSEMOVE, 0, At(4, 60));
  SSimpleToolTip* tip = SSimpleToolTip::GetInstance();
  const HWND hwnd = tip->m_hWnd;
  REQUIRE(IsWindowVisible(hwnd));
  REQUIRE(tip->GetText() == L"0");
  // a held the tip but does not show it: b's value stays.
  a->DestroyWindow();
  CHECK(IsWindowVisible(hwnd));
  CHECK(tip->GetText() == L"0");
  // c takes it over; destroying b, which no longer shows it, leaves c's value up too.
  c->SSendMessage(WM_MOUSEMOVE, 0, At(4, 110));
  b->DestroyWindow();
  CHECK(IsWindowVisible(hwnd));
  // The slider that shows it hides it; the last one gone takes the window with it.
  c->DestroyWindow();
  CHECK_FALSE(IsWindow(hwnd));
}
