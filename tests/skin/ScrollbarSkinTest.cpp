// The scroll-bar skin: its nine-column grid, the packed state word and the gripper.
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "SkinRig.h"
#include "core/SSkinScrollbar.h"

using namespace SWUI;

namespace {

// Cell (col, row) of the fixture grid is filled with a colour that names it.
DWORD CellColor(int col, int row) {
  return 0xFF000000u | (static_cast<DWORD>(col * 20) << 16) | (static_cast<DWORD>(row * 40) << 8) |
         0x55u;
}

// A grid of 9 x 5 cells of 10 pixels: 90 pixels wide.
SAutoRefPtr<IBitmap> Grid(const SkinRig& t) {
  std::vector<DWORD> px(90 * 50);
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 90; ++x) px[y * 90 + x] = CellColor(x / 10, y / 10);
  }
  return t.render.MakeBitmap(90, 50, px.data());
}


}  // namespace

TEST_CASE("scroll-bar parts come from their column and the state's row") {
  SkinRig t(40, 40);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<scrollbar name='sb' margin='2'/>");
  SSkinScrollbar* bar = SkinAs<SSkinScrollbar>(skin);
  CHECK(bar->GetIdealSize() == 0);
  bar->SetImage(Grid(t));
  CHECK(bar->GetIdealSize() == 10);
  CHECK(bar->HasArrows());

  struct Case {
    int part, state;
    BOOL vertical;
    int col, row;
  };
  const Case cases[] = {
      {SB_THUMBTRACK, 1, FALSE, 6, 1}, {SB_THUMBTRACK, 1, TRUE, 2, 1},
      {SB_LINEUP, 2, TRUE, 0, 2},      {SB_LINEDOWN, 0, FALSE, 5, 0},
      {SB_PAGEUP, 3, TRUE, 3, 3},      {SB_PAGEDOWN, 0, FALSE, 7, 0},
      {SB_LINEUP, 4, TRUE, 0, 0},      // inactive without inactive cells: normal
      {10, 3, TRUE, 8, 0},             {11, 2, TRUE, 8, 1},
      {11, 0, FALSE, 8, 2},
  };
  for (const Case& c : cases) {
    CAPTURE(c.part);
    CAPTURE(c.state);
    CAPTURE(c.vertical);
    const RECT rc = bar->GetPartRect(c.part, c.state, c.vertical);
    CHECK(rc.left == c.col * 10);
    CHECK(rc.top == c.row * 10);
    CHECK(rc.right - rc.left == 10);
    CHECK(rc.bottom - rc.top == 10);
    t.Clear();
    const RECT dest = {0, 0, 40, 20};
    skin->Draw(t.Target(), &dest, SSkinScrollbar::MakeState(c.part, c.state, c.vertical));
    CHECK(t.Pixel(20, 10) == CellColor(c.col, c.row));
  }
  t.Set(skin, L"hasInactive", L"1");
  CHECK(bar->GetPartRect(SB_LINEUP, 4, TRUE).top == 40);

  // SB_THUMBPOSITION and unknown parts have no cell: nothing is drawn.
  for (int part : {4, 6, 9, 12}) {
    CAPTURE(part);
    const RECT none = bar->GetPartRect(part, 0, TRUE);
    CHECK(IsRectEmpty(&none));
    t.Clear();
    const RECT dest = {0, 0, 40, 40};
    skin->Draw(t.Target(), &dest, SSkinScrollbar::MakeState(part, 0, TRUE));
    CHECK(t.render.CountPixels([](DWORD p) { return p != 0; }) == 0);
  }
}

TEST_CASE("the gripper sits centred on the thumb at its own length") {
  SkinRig t(40, 10);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<scrollbar name='sb' hasGripper='1'/>");
  SkinAs<SSkinScrollbar>(skin)->SetImage(Grid(t));
  const RECT thumb = {0, 0, 40, 10};
  skin->Draw(t.Target(), &thumb, SSkinScrollbar::MakeState(SB_THUMBTRACK, 1, FALSE));
  CHECK(t.Pixel(2, 5) == CellColor(6, 1));
  CHECK(t.Pixel(14, 5) == CellColor(6, 1));
  CHECK(t.Pixel(15, 5) == CellColor(8, 2));
  CHECK(t.Pixel(24, 5) == CellColor(8, 2));
  CHECK(t.Pixel(25, 5) == CellColor(6, 1));
}

TEST_CASE("a scaled scroll bar scales its cells and margin") {
  SkinRig t(4, 4);
  SAutoRefPtr<ISkinObj> skin =
      t.Make(L"<scrollbar name='sb' margin='3' hasGripper='1' hasInactive='1' states='1'/>");
  SkinAs<SSkinScrollbar>(skin)->SetImage(Grid(t));
  SAutoRefPtr<ISkinObj> copy;
  copy.Attach(skin->Scale(200));
  REQUIRE(copy);
  SSkinScrollbar* bar = SkinAs<SSkinScrollbar>(copy);
  CHECK(bar->GetIdealSize() == 20);
  CHECK(bar->GetPartRect(SB_LINEUP, 4, TRUE).top == 80);  // inactive cells kept
}
