// The tile view and its locator: the grid's geometry, tiles on screen only, the arrow keys in
// two directions, the tiles per row following the width, and views that cannot lay tiles out.
#include <doctest/doctest.h>

#include "ListViewRig.h"
#include "control/EventLVSelChanged.h"
#include "control/EventLVSelChanging.h"
#include "control/STileView.h"

using namespace SWUI;

namespace {

// A tile view at (10, 10) whose client is 320 wide beside a bar 10 thick and 100 high; tiles of
// 100 x 50, blue, 5 apart.
const wchar_t kLayout[] =
    L"<SWUI width='400' height='300'><root colorBkgnd='#ffffff'>"
    L"<tileview name='tv' pos='10,10,@330,@100' marginSize='5' sbWid='10'>"
    L"<template itemWidth='100' itemHeight='50'>"
    L"<text name='text' pos='0,0,-0,-0' colorBkgnd='#0000ff'/></template></tileview>"
    L"</root></SWUI>";

class TileRig : public ListViewRig {
 public:
  STileView* OpenTiles(int count, const wchar_t* layout = kLayout) {
    Open(layout);
    STileView* view = Find<STileView>(L"tv");
    adapter.Attach(new TestListAdapter(count));
    REQUIRE(view->SetAdapter(adapter));
    Drain();
    return view;
  }
  // Gives the view an element width (its client is 10 less, beside the bar).
  void Resize(STileView* view, int width) {
    const RECT rc = {10, 10, 10 + width, 110};
    view->Move(&rc);
    Drain();
  }
};

}  // namespace

TEST_CASE("tile locator: tiles by row and column, bands, totals and the neighbours") {
  SAutoRefPtr<TestListAdapter> adapter;
  adapter.Attach(new TestListAdapter(7));
  STileViewItemLocator grid(SLayoutSize(100, px), SLayoutSize(50, px), SLayoutSize(5, px));
  CHECK(grid.Position2Item(0) == -1);
  CHECK(grid.GetTotalHeight() == 0);
  grid.SetAdapter(adapter);
  grid.SetViewWidth(320);
  CHECK(grid.GetCountInRow() == 3);
  const RECT tile4 = grid.GetItemRect(4);
  CHECK(tile4.left == 110);
  CHECK(tile4.top == 60);
  CHECK(tile4.right == 210);
  CHECK(tile4.bottom == 110);
  CHECK(grid.Item2Position(4) == 55);
  CHECK(grid.GetTotalHeight() == 170);
  CHECK(grid.GetScrollLineSize() == 55);
  const struct {
    int y;
    int item;
  } rows[] = {{60, 3}, {54, 0}, {55, 3}, {-5, 0}, {169, 6}, {10000, 7}};
  for (const auto& r : rows) {
    CAPTURE(r.y);
    CHECK(grid.Position2Item(r.y) == r.item);
  }
  // Up and down among 7 tiles of 3 a row: 0 1 2 / 3 4 5 / 6.
  const struct {
    int item;
    int up;
    int down;
    bool lastInRow;
  } moves[] = {{0, 0, 3, false}, {1, 1, 4, false}, {2, 2, 5, true}, {4, 1, 6, false},
               {5, 2, 6, true},  {6, 3, 6, false}};
  for (const auto& m : moves) {
    CAPTURE(m.item);
    CHECK(grid.GetUpItem(m.item) == m.up);
    CHECK(grid.GetDownItem(m.item) == m.down);
    CHECK(grid.IsLastInRow(m.item) == m.lastInRow);
  }
  // Narrower than a tile: one a row. Two a row at 215.
  grid.SetViewWidth(50);
  CHECK(grid.GetCountInRow() == 1);
  CHECK(grid.GetTotalHeight() == 7 * 55 + 5);
  grid.SetViewWidth(215);
  CHECK(grid.GetCountInRow() == 2);
  CHECK(grid.GetTotalHeight() == 225);
  // Sizes at the scale; tiles that with their margin come to less than a pixel do not fit.
  const struct {
    SLayoutSize w;
    SLayoutSize h;
    SLayoutSize m;
    int scale;
    bool fits;
  } fits[] = {{{0, px}, {0, px}, {1, px}, 100, true},  {{1, px}, {0, px}, {0, px}, 100, false},
              {{0, px}, {0, px}, {0, px}, 100, false}, {{-5, px}, {20, px}, {9, px}, 100, false},
              {{1, dp}, {1, dp}, {0, px}, 40, false},  {{1, dp}, {1, dp}, {0, px}, 150, true}};
  for (const auto& f : fits) {
    CAPTURE(f.scale);
    CHECK(STileViewItemLocator::Fits(f.w, f.h, f.m, f.scale) == f.fits);
  }
  grid.SetScale(200);
  CHECK(grid.GetItemRect(0).right == 105);  // pixels stay pixels
}

TEST_CASE_FIXTURE(TileRig, "tile view: tiles at their places, drawn there, only those on "
                           "screen have panels") {
  STileView* view = OpenTiles(100);
  CHECK(view->IsClass(L"tileview"));
  CHECK_FALSE(view->IsClass(L"listview"));
  // Rows 0 and 1 meet the 100 px page: 6 tiles.
  CHECK(view->GetVisibleCount() == 6);
  CHECK(adapter->panelsCreated == 6);
  const RECT tile4 = RowRect(view, 4);
  CHECK(tile4.left == 10 + 110);
  CHECK(tile4.top == 10 + 60);
  CHECK(tile4.right - tile4.left == 100);
  CHECK(tile4.bottom - tile4.top == 50);
  int max = 0;
  view->GetScrollRange(TRUE, nullptr, &max);
  CHECK(max == 34 * 55 + 5 - 1);
  Paint();
  CHECK(Rgb(10 + 110 + 90, 10 + 60 + 25) == 0x0000FF);
  CHECK(Rgb(10 + 107, 10 + 60 + 25) == 0xFFFFFF);  // the margin between tiles
  CHECK(Rgb(10 + 320 - 2, 40) == 0xFFFFFF);        // past the third tile

  // Wheel steps a band at a time; the panels of the rows that leave serve the rows that come.
  view->SetFocus();
  for (int i = 0; i < 20; ++i) Wheel(CenterOf(L"tv"), -WHEEL_DELTA);
  CHECK(view->GetScrollPos(TRUE) > 0);
  CHECK(view->GetScrollPos(TRUE) % 55 == 0);
  CHECK(view->GetFirstVisible() == view->GetScrollPos(TRUE) / 55 * 3);
  CHECK(adapter->panelsCreated <= 9);
  CHECK(adapter->PanelsAlive() == view->GetVisibleCount() + view->GetRecycledCount());
  // EnsureVisible: a tile below is brought up to the bottom edge, one above to the top.
  view->EnsureVisible(99);
  CHECK(view->GetScrollPos(TRUE) == 33 * 55 + 5 + 50 - 100);
  view->EnsureVisible(4);
  CHECK(view->GetScrollPos(TRUE) == 60);
  view->EnsureVisible(5);
  CHECK(view->GetScrollPos(TRUE) == 60);
  // End and Home from the list view: to the bottom, the last tile on screen selected.
  KeyDown(VK_END);
  CHECK(view->GetSel() == 99);
  KeyDown(VK_HOME);
  CHECK(view->GetScrollPos(TRUE) == 0);
  CHECK(view->GetSel() == 0);
}

TEST_CASE_FIXTURE(TileRig, "tile view: arrow keys move by tile and by row, silently") {
  STileView* view = OpenTiles(7);
  view->SetFocus();
  // Down with nothing selected starts at the first tile, as Right does.
  KeyDown(VK_DOWN);
  CHECK(view->GetSel() == 0);
  const struct {
    int from;
    UINT vk;
    int to;
  } moves[] = {{4, VK_DOWN, 6}, {5, VK_DOWN, 6}, {6, VK_DOWN, 6}, {1, VK_DOWN, 4},
               {2, VK_UP, 2},   {4, VK_UP, 1},   {3, VK_LEFT, 2}, {0, VK_LEFT, 0},
               {2, VK_RIGHT, 3}, {6, VK_RIGHT, 6}};
  for (const auto& m : moves) {
    CAPTURE(m.from);
    CAPTURE(m.vk);
    view->SetSel(m.from);
    view->EnsureVisible(m.from);
    KeyDown(m.vk);
    CHECK(view->GetSel() == m.to);
    SItemPanel* panel = view->GetItemPanel(m.to);
    REQUIRE(panel != nullptr);
    CHECK(panel->GetRoot()->IsChecked());
  }
  CHECK(CountHostEvents(EventLVSelChanging::EventID) == 0);
  CHECK(CountHostEvents(EventLVSelChanged::EventID) == 0);
  // The row below the page is scrolled into view.
  view->SetSel(1);
  KeyDown(VK_DOWN);
  KeyDown(VK_DOWN);
  CHECK(view->GetSel() == 6);
  CHECK(view->GetScrollPos(TRUE) == 115 + 50 - 100);
  // A click selects with the events.
  Click(CenterOf(view, 6, L"text"));
  view->OnScroll(TRUE, SB_TOP, 0);
  Click(CenterOf(view, 2, L"text"));
  CHECK(view->GetSel() == 2);
  CHECK(CountHostEvents(EventLVSelChanged::EventID) == 1);
}

TEST_CASE_FIXTURE(TileRig, "tile view: the tiles per row follow the width; the position is "
                           "kept within the new height") {
  STileView* view = OpenTiles(7);
  Resize(view, 225);  // client 215
  CHECK(view->GetTileLocator()->GetCountInRow() == 2);
  int max = 0;
  view->GetScrollRange(TRUE, nullptr, &max);
  CHECK(max == 224);
  view->OnScroll(TRUE, SB_BOTTOM, 0);
  CHECK(view->GetScrollPos(TRUE) == 125);
  CHECK(RowRect(view, 6).left == 10 + 5);
  Resize(view, 330);  // client 320
  CHECK(view->GetTileLocator()->GetCountInRow() == 3);
  view->GetScrollRange(TRUE, nullptr, &max);
  CHECK(max == 169);
  CHECK(view->GetScrollPos(TRUE) == 70);
  CHECK(RowRect(view, 6).top == 10 + 115 - 70);
  // Narrower than a tile: one a row.
  Resize(view, 60);
  CHECK(view->GetTileLocator()->GetCountInRow() == 1);
  CHECK(RowRect(view, view->GetFirstVisible()).left == 10 + 5);
  // A bar that comes takes its width from the tiles (3 of 113 fit in 340, 2 beside the bar);
  // one that goes gives it back.
  Open(L"<SWUI width='400' height='300'><root><tileview name='tv' pos='0,0,@340,@200' "
       L"sbWid='10'><template itemWidth='113' itemHeight='50'/></tileview></root></SWUI>");
  STileView* wide = Find<STileView>(L"tv");
  adapter.Attach(new TestListAdapter(13));
  REQUIRE(wide->SetAdapter(adapter));
  CHECK(wide->HasScrollBar(TRUE));
  CHECK(wide->GetTileLocator()->GetViewWidth() == 330);
  CHECK(wide->GetTileLocator()->GetCountInRow() == 2);
  adapter->Resize(6, 20);
  adapter->NotifyChanged();
  CHECK_FALSE(wide->HasScrollBar(TRUE));
  CHECK(wide->GetTileLocator()->GetViewWidth() == 340);
  CHECK(wide->GetTileLocator()->GetCountInRow() == 3);
  CHECK(RowRect(wide, 2).right == 339);
}

TEST_CASE_FIXTURE(TileRig, "tile view: without a template or with tiles under a pixel it takes "
                           "no adapter; a margin that would leave them so is refused") {
  adapter.Attach(new TestListAdapter(5));
  const wchar_t* refused[] = {
      L"<SWUI width='400' height='300'><root><tileview name='tv' pos='0,0,@200,@100'/>"
      L"</root></SWUI>",
      L"<SWUI width='400' height='300'><root><tileview name='tv' pos='0,0,@200,@100'>"
      L"<template itemWidth='0' itemHeight='20'/></tileview></root></SWUI>",
      L"<SWUI width='400' height='300'><root><tileview name='tv' pos='0,0,@200,@100'>"
      L"<template itemWidth='-4' itemHeight='20'/></tileview></root></SWUI>"};
  for (const wchar_t* layout : refused) {
    CAPTURE(layout);
    Open(layout);
    STileView* view = Find<STileView>(L"tv");
    CHECK(view->GetItemLocator() == nullptr);
    CHECK_FALSE(view->SetAdapter(adapter));
    CHECK_FALSE(view->SetItemLocator(nullptr));
    Paint();
    view->SetFocus();
    KeyDown(VK_DOWN);
    CHECK(view->GetSel() == -1);
  }
  // The same tiles with a margin fit: the margin takes the pixel.
  Open(L"<SWUI width='400' height='300'><root><tileview name='tv' pos='0,0,@200,@100' "
       L"marginSize='2'><template itemWidth='0' itemHeight='20'/></tileview></root></SWUI>");
  STileView* view = Find<STileView>(L"tv");
  REQUIRE(view->SetAdapter(adapter));
  CHECK(view->GetTileLocator()->GetCountInRow() == 100);
  CHECK(view->SetAttribute(SStringW(L"marginSize"), SStringW(L"0"), FALSE) == E_FAIL);
  CHECK(view->SetAttribute(SStringW(L"marginSize"), SStringW(L"-1"), FALSE) == E_FAIL);
  CHECK(view->SetAttribute(SStringW(L"marginSize"), SStringW(L"4"), FALSE) == S_OK);
  CHECK(view->GetTileLocator()->GetCountInRow() == 50);
  // Default tiles are 10 dp.
  Open(L"<SWUI width='400' height='300'><root><tileview name='tv' pos='0,0,@200,@100'>"
       L"<template/></tileview></root></SWUI>");
  STileView* plain = Find<STileView>(L"tv");
  REQUIRE(plain->SetAdapter(adapter));
  CHECK(plain->GetTileLocator()->GetItemWidth() == 10);
  CHECK(plain->GetTileLocator()->GetItemHeight() == 10);
}
