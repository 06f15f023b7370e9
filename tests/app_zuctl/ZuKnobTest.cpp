// The rotary knob: values from points with 3.14 for pi, the minimum's offset, the refused
// gaps, the hold at an end of a drag, keys and wheel, and the painted arc, dot and slash.
#include <doctest/doctest.h>

#include <memory>
#include <string>
#include <vector>

#include "GdiplusSession.h"
#include "SkinRig.h"
#include "ZuRig.h"
#include "controls/ZuRotaryKnob.h"

using namespace SWUI;

namespace {

// A knob of 101 x 101 (centre 50, 50) with a gap of 90 degrees over 0..270 unless the
// attributes say otherwise.
struct KnobFixture {
  explicit KnobFixture(const std::wstring& attrs = L"min='0' max='270' value='0'") {
    rig.Load((L"<root><zurotaryknob name='k' pos='0,0,@101,@101' includedAngle='90' "
              L"dotRadius='40' " +
              attrs + L"/></root>")
                 .c_str());
    knob = FindAs<ZuRotaryKnob>(rig, L"k");
    events = std::make_unique<ZuEvents>(knob);
  }
  void Press(int x, int y) { knob->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
  void Move(int x, int y) { knob->SSendMessage(WM_MOUSEMOVE, 0, At(x, y)); }
  void Release() { knob->SSendMessage(WM_LBUTTONUP, 0, At(50, 50)); }
  std::vector<int>& Positions() { return events->positions; }

  ZuRig rig;
  ZuRotaryKnob* knob = nullptr;
  std::unique_ptr<ZuEvents> events;
};

}  // namespace

TEST_CASE("zurotaryknob: a point gives the value of its angle from the dial's start") {
  struct Case {
    POINT pt;
    int value;
    POINT dot;
  } cases[] = {
      {{10, 50}, 45, {10, 50}},    // left
      {{90, 50}, 225, {90, 50}},   // right
      {{50, 10}, 135, {50, 10}},   // above
      {{50, 90}, 270, {21, 78}},   // below: 315 degrees, clamped; the dot stays at 0's
      {{20, 20}, 89, {21, 21}},    // upper left: 135.07 degrees with 3.14 for pi
      {{80, 80}, 270, {78, 78}},   // in the gap, right of the bottom
      {{30, 90}, 0, {32, 85}},     // in the gap, left of the bottom
  };
  for (const Case& c : cases) {
    CAPTURE(c.pt.x);
    CAPTURE(c.pt.y);
    KnobFixture f;
    f.Press(c.pt.x, c.pt.y);
    CHECK(f.knob->GetValue() == c.value);
    CHECK(f.knob->GetDotPos().x == c.dot.x);
    CHECK(f.knob->GetDotPos().y == c.dot.y);
    CHECK(f.Positions() == std::vector<int>{c.value});  // a press always notifies
  }
  KnobFixture f(L"min='0' max='270' value='100'");
  f.Press(50, 50);  // the centre changes nothing
  CHECK(f.knob->GetValue() == 100);
  CHECK(f.knob->GetCenter().x == 50);
  CHECK(f.knob->GetStartAngle() == 135.0f);
}

TEST_CASE("zurotaryknob: the value counts from the minimum") {
  KnobFixture f(L"min='100' max='370' value='100'");
  f.Press(10, 50);
  CHECK(f.knob->GetValue() == 145);
  f.knob->SetValue(325);  // the pointer turns to the value: 225 degrees, straight right
  CHECK(f.knob->GetSweepAngle() == 225.0f);
  CHECK(f.knob->GetDotPos().x == 89);  // 50 + 40 x cos(3.14 x 360 / 180), truncated
  CHECK(f.knob->GetDotPos().y == 49);  // 50 + 40 x sin(6.28) is just below 50
}

TEST_CASE("zurotaryknob: a gap outside 0 up to 360 degrees is refused") {
  KnobFixture f;
  struct Case {
    const wchar_t* value;
    HRESULT hr;
  } cases[] = {{L"-1", E_FAIL},  {L"360", E_FAIL}, {L"400", E_FAIL}, {L"abc", E_FAIL},
               {L"", E_FAIL},    {L"0", S_OK},     {L"359.5", S_OK}, {L"120", S_OK}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.value));
    CHECK(f.knob->SetAttribute(L"includedAngle", c.value, FALSE) == c.hr);
  }
  CHECK(f.knob->GetIncludedAngle() == 120.0f);
  CHECK(f.knob->GetStartAngle() == 150.0f);
  CHECK(f.knob->SetAttribute(L"pointertype", L"pterslash", FALSE) == E_FAIL);  // exact words
  CHECK(f.knob->SetAttribute(L"pointertype", L"pterSlash", FALSE) == S_OK);
  CHECK(f.knob->GetPointerType() == ZuRotaryKnob::kPointerSlash);
}

TEST_CASE("zurotaryknob: a drag across the gap holds the end it came from") {
  {
    KnobFixture f;
    f.Press(90, 50);  // 225
    f.Move(55, 90);   // the gap's right side: 270
    f.Move(45, 90);   // the gap's left side would be 0: held at 270
    CHECK(f.knob->GetValue() == 270);
    f.Move(10, 50);  // 45, still held until the point gives 270 again
    CHECK(f.knob->GetValue() == 270);
    f.Move(55, 90);  // 270: the hold ends, nothing changed
    f.Move(90, 50);
    f.Release();
    CHECK(f.Positions() == std::vector<int>{225, 270, 225});
  }

  KnobFixture g;
  g.Press(45, 90);  // 0
  g.Move(55, 90);   // would be 270: held at 0
  g.Move(10, 50);
  CHECK(g.knob->GetValue() == 0);
  g.Move(45, 90);
  g.Move(10, 50);
  CHECK(g.Positions() == std::vector<int>{0, 45});
}

TEST_CASE("zurotaryknob: keys and the wheel step as the slider's do") {
  KnobFixture f(L"min='0' max='270' value='0'");
  f.knob->SSendMessage(WM_KEYDOWN, VK_HOME);
  f.knob->SSendMessage(WM_KEYDOWN, VK_NEXT);  // 270 - 54
  f.knob->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), At(50, 50));
  CHECK(f.Positions() == std::vector<int>{270, 216, 215});
  CHECK(f.rig.container.focus == f.knob->GetSwnd());
  CHECK(f.knob->GetSweepAngle() == 215.0f);
}

TEST_CASE("zurotaryknob: the arc, the dot and the slash are painted at the pointer") {
  fixtures::GdiplusSession gdiplus;
  KnobFixture f(
      L"min='0' max='270' value='135' fgPaintArc='1' fgRadius='40' colorCircle='#0000ff' "
      L"dotSkin='dot'");
  f.rig.AddCells(L"dot", 6, 6, {kGreen});
  REQUIRE(f.knob->SetAttribute(L"dotSkin", L"dot", FALSE) == S_OK);
  f.rig.PaintAndSave(L"zuknob_dot");
  // The pie from 135 degrees over 135: left and upper left, not right or below.
  CHECK(f.rig.Pixel(20, 50) == kBlue);
  CHECK(f.rig.Pixel(30, 30) == kBlue);
  CHECK(f.rig.Pixel(80, 50) == kWhite);
  CHECK(f.rig.Pixel(50, 80) == kWhite);
  // The dot straight above, 40 from the centre: (49, 10) with 3.14 for pi.
  CHECK(f.rig.All(RECT{46, 7, 52, 13}, kGreen));
  // At the minimum: no arc, the dot at the dial's start (lower left).
  f.knob->SetValue(0);
  f.rig.Paint();
  CHECK(f.rig.Pixel(20, 50) == kWhite);
  CHECK(f.rig.All(RECT{18, 75, 24, 81}, kGreen));  // centred on (21, 78)

  // A slash 30 x 2 turned with the pointer: upright at the start of a dial without gap.
  ZuRig& rig = f.rig;
  const TempImageFile slash(rig.render.SolidBitmap(30, 2, kRed), L"zuknob-slash");
  f.knob->SetAttribute(L"includedAngle", L"0", FALSE);
  f.knob->SetAttribute(L"max", L"360", FALSE);  // one value per degree
  f.knob->SetAttribute(L"fgPaintArc", L"0", FALSE);
  f.knob->SetAttribute(L"pointertype", L"pterSlash", FALSE);
  REQUIRE(f.knob->SetAttribute(L"slashSkin", slash.Ref().c_str(), FALSE) == S_OK);
  CHECK(f.knob->SetAttribute(L"slashSkin", L"file:no-such-image.png", FALSE) == E_FAIL);
  f.knob->SetValue(0);  // 90 degrees: straight down
  rig.PaintAndSave(L"zuknob_slash_down");
  CHECK(rig.Count(RECT{48, 37, 52, 64}, kRed) >= 2 * 27);
  CHECK(rig.Count(RECT{37, 48, 64, 52}, kRed) <= 4 * 4);
  f.knob->SetValue(90);  // 180 degrees: level
  rig.PaintAndSave(L"zuknob_slash_level");
  CHECK(rig.Count(RECT{37, 48, 64, 52}, kRed) >= 2 * 27);
  CHECK(rig.Count(RECT{48, 37, 52, 64}, kRed) <= 4 * 4);
  CHECK(rig.Count(RECT{0, 0, 101, 101}, kGreen) == 0);  // no dot with the slash pointer
}
