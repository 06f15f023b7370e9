// The progress bar: the filled part by pixels, the percentage text, the range rules, the
// skins it falls back to and its desired size.
#include <doctest/doctest.h>

#include <string>

#include "RangeRig.h"
#include "control/SProgress.h"
#include "core/SSkinPoolMgr.h"

using namespace SWUI;

namespace {

SProgress* Progress(ElementRig& rig, const wchar_t* name = L"p") {
  return rig.Find<SProgress>(name);
}

// The first column (row y) from the left whose pixel is not the colour, or the width.
int RunLength(const ElementRig& rig, int y, DWORD colour, int width) {
  int x = 0;
  while (x < width && rig.Pixel(x, y) == colour) ++x;
  return x;
}

}  // namespace

TEST_CASE("progress: the filled part is (value - min) x length / (max - min), in 64 bits") {
  struct Case {
    const wchar_t* range;
    int filled;
  } cases[] = {
      {L"min='0' max='100' value='25'", 25},
      {L"min='0' max='100' value='0'", 0},
      {L"min='0' max='100' value='100'", 100},
      {L"min='50' max='150' value='75'", 25},
      {L"min='-100' max='100' value='0'", 50},
      // 1e9 x 100 does not fit in 32 bits.
      {L"min='0' max='2000000000' value='1000000000'", 50},
      {L"min='0' max='3' value='2'", 66},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.range));
    RangeRig rig;
    rig.Load((std::wstring(L"<root><progress name='p' pos='0,0,@100,@10' bkgndSkin='bg' "
                           L"posSkin='bar' ") +
              c.range + L"/></root>")
                 .c_str());
    rig.Paint();
    CHECK(RunLength(rig, 5, kBlue, 100) == c.filled);
    CHECK(rig.Pixel(99, 5) == (c.filled == 100 ? kBlue : kGrey));
    // At the minimum the position skin is not drawn at all.
    CHECK(rig.Skin(L"bar")->Draws().size() == (c.filled == 0 ? 0u : 1u));
  }
}

TEST_CASE("progress: a vertical bar fills downward from the top") {
  RangeRig rig;
  rig.Load(
      L"<root><progress name='p' pos='0,0,@10,@100' vertical='1' bkgndSkin='bg' posSkin='bar' "
      L"value='30'/></root>");
  rig.Paint();
  CHECK(rig.Pixel(5, 0) == kBlue);
  CHECK(rig.Pixel(5, 29) == kBlue);
  CHECK(rig.Pixel(5, 30) == kGrey);
  CHECK(rig.Pixel(5, 99) == kGrey);
}

TEST_CASE("progress: the percentage is drawn centred in horizontal bars only") {
  const wchar_t kBar[] =
      L"<root><progress name='p' pos='0,0,@60,@60' bkgndSkin='bg' posSkin='bar' ";
  auto pixels = [](const ElementRig& rig) {
    std::vector<DWORD> out;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 60; ++x) out.push_back(rig.Pixel(x, y));
    return out;
  };
  // A bar without the text, then the text drawn over it with the bar's font and colour.
  auto expected = [&](const wchar_t* attrs, const wchar_t* text) {
    RangeRig rig;
    rig.Load((std::wstring(kBar) + attrs + L"/></root>").c_str());
    rig.Paint();
    if (text != nullptr) {
      IRenderTarget* rt = rig.render.Target();
      Progress(rig)->BeforePaintEx(rt);
      RECT rc = {0, 0, 60, 60};
      rt->DrawText(text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    return pixels(rig);
  };
  auto painted = [&](const wchar_t* attrs) {
    RangeRig rig;
    rig.Load((std::wstring(kBar) + L"showPercent='1' " + attrs + L"/></root>").c_str());
    rig.Paint();
    return pixels(rig);
  };
  const wchar_t kRange[] = L"min='0' max='200' value='25'";
  CHECK(expected(kRange, L"12%") != expected(kRange, nullptr));  // the text shows at all
  // 25 x 100 / 200 = 12.5, truncated.
  CHECK(painted(kRange) == expected(kRange, L"12%"));
  CHECK(painted(L"min='-50' max='50' value='50'") ==
        expected(L"min='-50' max='50' value='50'", L"100%"));
  CHECK(painted(L"vertical='1' value='40'") == expected(L"vertical='1' value='40'", nullptr));
}

TEST_CASE("progress: SetValue clamps, SetRange refuses an empty range and clamps the value") {
  RangeRig rig;
  rig.Load(L"<root><progress name='p' pos='0,0,@100,@10' bkgndSkin='bg' posSkin='bar'/></root>");
  SProgress* bar = Progress(rig);
  CHECK(bar->SetValue(150));
  CHECK(bar->GetValue() == 100);
  CHECK(bar->SetValue(-5));
  CHECK(bar->GetValue() == 0);
  bar->SetValue(60);
  CHECK_FALSE(bar->SetRange(10, 10));
  CHECK_FALSE(bar->SetRange(20, 10));
  int lo = 0;
  int hi = 0;
  bar->GetRange(&lo, &hi);
  CHECK(lo == 0);
  CHECK(hi == 100);
  CHECK(bar->SetRange(70, 80));
  CHECK(bar->GetValue() == 70);
  CHECK(bar->SetRange(0, 50));
  CHECK(bar->GetValue() == 50);
  bar->GetRange(nullptr, &hi);
  CHECK(hi == 50);

  // At run time the attributes keep to the same rules.
  CHECK(bar->SetAttribute(L"max", L"0", FALSE) == E_FAIL);
  CHECK(bar->SetAttribute(L"min", L"50", FALSE) == E_FAIL);
  CHECK(bar->SetAttribute(L"MIN", L"0x14", FALSE) == S_FALSE);
  bar->GetRange(&lo, &hi);
  CHECK(lo == 20);
  CHECK(hi == 50);
  CHECK(bar->SetAttribute(L"value", L"99", FALSE) == S_FALSE);
  CHECK(bar->GetValue() == 50);
}

TEST_CASE("progress: a layout's range is judged once all its attributes are read") {
  struct Case {
    const wchar_t* attrs;
    int lo, hi, value;
  } cases[] = {
      // "value" and "min" before "max": neither is judged against the default range.
      {L"value='250' min='200' max='300'", 200, 300, 250},
      {L"max='-10' min='-20' value='-15'", -20, -10, -15},
      // An empty range falls back to the range before loading; the value is clamped into it.
      {L"min='50' max='10' value='500'", 0, 100, 100},
      {L"min='7' max='7'", 0, 100, 0},
      {L"value='-3'", 0, 100, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    RangeRig rig;
    rig.Load((std::wstring(L"<root><progress name='p' ") + c.attrs + L"/></root>").c_str());
    int lo = 0;
    int hi = 0;
    Progress(rig)->GetRange(&lo, &hi);
    CHECK(lo == c.lo);
    CHECK(hi == c.hi);
    CHECK(Progress(rig)->GetValue() == c.value);
  }
}

TEST_CASE("progress: missing skins become the built-in bar skins; unknown names keep the skin") {
  RangeRig rig;
  rig.Load(
      L"<root><progress name='h' pos='0,0,@100,@10' value='50'/>"
      L"<progress name='v' pos='0,20,@10,@100' vertical='1' value='50'/>"
      L"<progress name='k' pos='0,130,@100,@10' bkgndSkin='bg' posSkin='no.such.skin' "
      L"value='50'/></root>");
  SSkinPoolMgr& pools = SSkinPoolMgr::getSingleton();
  // The built-in pool draws the horizontal and vertical bars differently; compare with the
  // built-in skins drawn directly.
  struct Expect {
    const wchar_t* name;
    int bkgnd, bar;
    RECT rc;
  } expects[] = {{L"h", 14, 15, {0, 0, 100, 10}}, {L"v", 16, 17, {0, 20, 10, 120}}};
  rig.Paint();
  for (const Expect& e : expects) {
    CAPTURE(std::wstring(e.name));
    RenderRig reference(200, 200);
    const RECT all = {0, 0, 200, 200};
    reference.Target()->ClearRect(&all, 0xFFFFFFFF);
    pools.GetBuiltinSkin(e.bkgnd, 100)->Draw(reference.Target(), &e.rc, 0);
    RECT fill = e.rc;
    if (e.rc.right - e.rc.left == 100) {
      fill.right = fill.left + 50;
    } else {
      fill.bottom = fill.top + 50;
    }
    pools.GetBuiltinSkin(e.bar, 100)->Draw(reference.Target(), &fill, 0);
    int differ = 0;
    for (int y = e.rc.top; y < e.rc.bottom; ++y)
      for (int x = e.rc.left; x < e.rc.right; ++x)
        differ += rig.Pixel(x, y) != reference.Pixel(x, y);
    CHECK(differ == 0);
  }
  // "no.such.skin" left the position skin to creation, which took the built-in one.
  SProgress* kept = Progress(rig, L"k");
  CellSkin::log.clear();
  CHECK(kept->SetAttribute(L"posSkin", L"bar", FALSE) == S_OK);
  CHECK(kept->SetAttribute(L"posSkin", L"no.such.skin", FALSE) == E_FAIL);
  rig.Paint();
  CHECK(rig.Skin(L"bar")->Draws().size() == 1u);
}

TEST_CASE("progress: without a skin for the bar, creation fails") {
  ElementRig rig;  // no built-in skins loaded
  rig.Load(L"<root><progress name='p'/><window name='w'/></root>");
  CHECK(rig.root->FindChildByName(L"p") == nullptr);
  CHECK(rig.root->FindChildByName(L"w") != nullptr);
}

TEST_CASE("progress: desired size from the background skin and the margin, the given length") {
  RangeRig rig;
  rig.Load(
      L"<root><progress name='h' bkgndSkin='bg' posSkin='bar' margin='1,2,3,4'/>"
      L"<progress name='w' width='60' bkgndSkin='bg' posSkin='bar'/>"
      L"<progress name='v' vertical='1' height='70' bkgndSkin='bg' posSkin='bar'/></root>");
  struct Case {
    const wchar_t* name;
    SIZE size;
  } cases[] = {{L"h", {104, 14}}, {L"w", {60, 8}}, {L"v", {100, 70}}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name));
    const SIZE got = Progress(rig, c.name)->GetDesiredSize(-1, -1);
    CHECK(got.cx == c.size.cx);
    CHECK(got.cy == c.size.cy);
  }
}

TEST_CASE("the range controls are made by their tags") {
  RangeRig rig;
  struct Case {
    const wchar_t* tag;
    const wchar_t* base;
  } cases[] = {{L"progress", L"window"}, {L"sliderbar", L"progress"}, {L"scrollbar", L"window"},
               {L"hotkey", L"window"},   {L"spinButton", L"window"},  {L"SPINBUTTON", L"window"}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.tag));
    SWindow* wnd = NewElement(rig.app, c.tag);
    CHECK(std::wstring(wnd->GetObjectClass()).size() == std::wstring(c.tag).size());
    CHECK(wnd->IsClass(c.base));
    wnd->Release();
  }
}
