// The application's progress bars: the fill from the left or up from the bottom, exact to the
// pixel, and the three-skin bar with its ends at their own length.
#include <doctest/doctest.h>

#include <string>

#include "ZuRig.h"
#include "controls/ZuProgress.h"
#include "controls/ZuProgressEX.h"

using namespace SWUI;

TEST_CASE("zuprogress: the fill grows from the left, or up from the bottom, exactly") {
  ZuRig rig(300, 220);
  rig.AddCells(L"bg", 4, 4, {kCyan});
  rig.AddCells(L"bar", 4, 4, {kBlue});
  rig.Load(
      L"<root><zuprogress name='v' pos='0,0,@20,@200' vertical='1' min='0' max='100' "
      L"value='25' bkgndSkin='bg' posSkin='bar'/>"
      L"<zuprogress name='h' pos='30,0,@200,@20' min='0' max='100' value='25' "
      L"bkgndSkin='bg' posSkin='bar' showPercent='1'/>"
      L"<zuprogress name='empty' pos='30,50,@200,@20' min='-50' max='50' value='-50' "
      L"bkgndSkin='bg' posSkin='bar'/></root>");
  rig.PaintAndSave(L"zuprogress");
  CHECK(rig.All(RECT{0, 150, 20, 200}, kBlue));  // the bottom 50 rows
  CHECK(rig.All(RECT{0, 0, 20, 150}, kCyan));
  CHECK(rig.All(RECT{30, 0, 80, 20}, kBlue));  // the left 50 columns, no percentage text
  CHECK(rig.All(RECT{80, 0, 230, 20}, kCyan));
  CHECK(rig.All(RECT{30, 50, 230, 70}, kCyan));  // at the minimum no fill at all
  auto* v = FindAs<ZuProgress>(rig, L"v");
  v->SetValue(100);
  rig.Paint();
  CHECK(rig.All(RECT{0, 0, 20, 200}, kBlue));
}

TEST_CASE("zuprogressex: end skins at their own length at the fill's ends, the middle stretched") {
  ZuRig rig(300, 220);
  rig.AddCells(L"bg", 4, 4, {kCyan});
  rig.AddCells(L"vbottom", 20, 10, {kRed});
  rig.AddCells(L"vtop", 20, 6, {kGreen});
  rig.AddCells(L"hbottom", 10, 20, {kRed});
  rig.AddCells(L"htop", 6, 20, {kGreen});
  rig.AddCells(L"mid", 2, 2, {kBlue});
  rig.Load(
      L"<root><zuprogressex name='v' pos='0,0,@20,@200' vertical='1' value='50' bkgndSkin='bg' "
      L"SkinPosBottom='vbottom' SkinPosMid='mid' SkinPosTop='vtop'/>"
      L"<zuprogressex name='h' pos='30,0,@200,@20' value='50' bkgndSkin='bg' "
      L"SkinPosBottom='hbottom' SkinPosMid='mid' SkinPosTop='htop'/></root>");
  rig.PaintAndSave(L"zuprogressex");
  // Vertical, fill 100..200: top skin 100..106, middle 106..190, bottom 190..200.
  CHECK(rig.All(RECT{0, 0, 20, 100}, kCyan));
  CHECK(rig.All(RECT{0, 100, 20, 106}, kGreen));
  CHECK(rig.All(RECT{0, 106, 20, 190}, kBlue));
  CHECK(rig.All(RECT{0, 190, 20, 200}, kRed));
  // Horizontal, fill 30..130: bottom 30..40, middle 40..124, top 124..130.
  CHECK(rig.All(RECT{30, 0, 40, 20}, kRed));
  CHECK(rig.All(RECT{40, 0, 124, 20}, kBlue));
  CHECK(rig.All(RECT{124, 0, 130, 20}, kGreen));
  CHECK(rig.All(RECT{130, 0, 230, 20}, kCyan));

  // A fill of 12 rows, shorter than both ends: the top end over the bottom one, nothing
  // outside the fill.
  auto* v = FindAs<ZuProgressEX>(rig, L"v");
  v->SetValue(6);
  rig.Paint();
  CHECK(rig.All(RECT{0, 0, 20, 188}, kCyan));
  CHECK(rig.All(RECT{0, 188, 20, 194}, kGreen));
  CHECK(rig.All(RECT{0, 194, 20, 200}, kRed));

  CHECK(v->SetAttribute(L"SkinPosMid", L"no such skin", FALSE) == E_FAIL);
  CHECK(v->SetAttribute(L"skinposmid", L"", FALSE) == S_OK);  // names in any case; removed
  v->SetValue(50);
  rig.Paint();
  CHECK(rig.All(RECT{0, 106, 20, 190}, kCyan));
}
