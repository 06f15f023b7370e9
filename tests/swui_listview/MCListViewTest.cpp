// The multi-column list view: the two bars, the rows' columns under the captions (hidden,
// resized, moved), horizontal scrolling with the header, the selection events of clicks on
// empty space and of keys, sorting through the adapter, and a view without a header.
#include <doctest/doctest.h>

#include <string>
#include <utility>
#include <vector>

#include "ListViewRig.h"
#include "TestMcAdapter.h"
#include "control/EventLVSelChanged.h"
#include "control/EventLVSelChanging.h"
#include "control/SHeaderCtrl.h"
#include "control/SMCListView.h"
#include "core/MemberFunctionSlot.h"

using namespace SWUI;

namespace {

// 250 x 125 at (10, 10), a 25 px header of captions 100, 80 and 120 wide, bars 10 thick, rows
// of 20 whose columns are red, green and blue.
const wchar_t kView[] =
    L"<mclistview name='mc' pos='10,10,@250,@125' headerHeight='25' sbWid='10'>"
    L"<header name='h'><items><item width='100'>A</item><item width='80'>B</item>"
    L"<item width='120'>C</item></items></header>"
    L"<template itemHeight='20'><text name='col0' colorBkgnd='#ff0000'/>"
    L"<text name='col1' colorBkgnd='#00ff00'/><text name='col2' colorBkgnd='#0000ff'/>"
    L"</template></mclistview>";

constexpr DWORD kRed = 0xFF0000;
constexpr DWORD kGreen = 0x00FF00;
constexpr DWORD kBlue = 0x0000FF;

// The host's x of the view's content x (the view's client starts at 10).
constexpr int kLeft = 10;
// The rows start below the header.
constexpr int kRowsTop = 35;

struct SelRecorder {
  std::vector<std::pair<int, int>> changing;
  std::vector<std::pair<int, int>> changed;
  bool OnChanging(EventLVSelChanging* evt) {
    changing.emplace_back(evt->iOldSel, evt->iNewSel);
    return false;
  }
  bool OnChanged(EventLVSelChanged* evt) {
    changed.emplace_back(evt->iOldSel, evt->iNewSel);
    return false;
  }
};

class McRig : public ListViewRig {
 public:
  SMCListView* OpenMc(int rows = 10, const wchar_t* xml = kView) {
    OpenWith(xml);
    SMCListView* view = Find<SMCListView>(L"mc");
    mc.Attach(new TestMcAdapter(3, rows));
    REQUIRE(view->SetAdapter(mc));
    Drain();
    return view;
  }

  // A column child's span in its row (the row's own coordinates).
  std::pair<int, int> Span(SMCListView* view, int row, int column) const {
    SWindow* cell = RowChild(view, row, (L"col" + std::to_wstring(column)).c_str());
    const RECT rc = cell->GetWindowRect();
    return {rc.left, rc.right};
  }

  // Every visible row has these spans for columns 0, 1 and 2.
  void CheckSpans(SMCListView* view, const std::vector<std::pair<int, int>>& spans) const {
    REQUIRE(view->GetVisibleCount() > 0);
    for (int row = view->GetFirstVisible();
         row < view->GetFirstVisible() + view->GetVisibleCount(); ++row) {
      CAPTURE(row);
      for (int c = 0; c < 3; ++c) {
        CAPTURE(c);
        CHECK(Span(view, row, c) == spans[static_cast<size_t>(c)]);
      }
    }
  }

  // A press on the header at x (host), moved to toX and released.
  void DragHeader(int x, int toX) {
    const POINT from = {x, 22};
    const POINT to = {toX, 22};
    MouseMove(from);
    MouseDown(from);
    MouseMove(POINT{(x + toX) / 2, 22}, MK_LBUTTON);
    MouseMove(to, MK_LBUTTON);
    MouseUp(to);
  }

  std::vector<UINT> SortFlags(SMCListView* view) const {
    std::vector<UINT> flags;
    SHeaderCtrl* header = view->GetHeaderCtrl();
    for (int i = 0; i < header->GetItemCount(); ++i) {
      HeaderItemInfo info;
      info.mask = SHDI_SORTFLAG;
      header->GetItem(i, &info);
      flags.push_back(info.sortFlag);
    }
    return flags;
  }

  SAutoRefPtr<TestMcAdapter> mc;
};

}  // namespace

TEST_CASE_FIXTURE(McRig, "multi-column view: both bars for columns wider than the view; the "
                         "header and the rows scroll across together") {
  SMCListView* view = OpenMc();
  const SCROLLINFO& horz = view->GetScrollInfo(FALSE);
  const SCROLLINFO& vert = view->GetScrollInfo(TRUE);
  CHECK(view->HasScrollBar(FALSE));
  CHECK(view->HasScrollBar(TRUE));
  CHECK(horz.nMin == 0);
  CHECK(horz.nMax == 299);
  CHECK(horz.nPage == 240u);
  CHECK(vert.nMax == 199);
  CHECK(vert.nPage == 90u);
  CHECK(mc->desiredSizeCalls == 0);
  const RECT header = view->GetHeaderCtrl()->GetWindowRect();
  CHECK(header.left == kLeft);
  CHECK(header.top == 10);
  CHECK(header.bottom == kRowsTop);
  CHECK(RowRect(view, 0).top == kRowsTop);
  CHECK(RowRect(view, 0).right - RowRect(view, 0).left == 300);
  CheckSpans(view, {{0, 100}, {100, 180}, {180, 300}});

  Paint();
  // Pixels at the right end of each cell (its text starts at the left).
  CHECK(Rgb(kLeft + 95, kRowsTop + 10) == kRed);
  CHECK(Rgb(kLeft + 175, kRowsTop + 10) == kGreen);
  CHECK(Rgb(kLeft + 235, kRowsTop + 10) == kBlue);
  // The rows stay below the header.
  CHECK(Rgb(kLeft + 50, 20) != kRed);

  // As far right as it goes: 300 - 240.
  CHECK(view->OnScroll(FALSE, SB_THUMBPOSITION, 100));
  CHECK(view->GetScrollPos(FALSE) == 60);
  CHECK(view->GetHeaderCtrl()->GetWindowRect().left == kLeft - 60);
  CHECK(RowRect(view, 0).left == kLeft - 60);
  Paint();
  CHECK(Rgb(kLeft + 35, kRowsTop + 10) == kRed);
  CHECK(Rgb(kLeft + 115, kRowsTop + 10) == kGreen);
  CHECK(Rgb(kLeft + 235, kRowsTop + 10) == kBlue);
  // Nothing of the rows left of the view.
  CHECK(Rgb(kLeft - 5, kRowsTop + 10) == 0xFFFFFF);

  // Rows of their own heights get a container as wide as the header, of open height.
  OpenWith(L"<mclistview name='mc' pos='10,10,@250,@125'><header name='h'><items>"
           L"<item width='130'>A</item><item width='90'>B</item></items></header>"
           L"<template defHeight='30'/></mclistview>");
  SMCListView* flex = Find<SMCListView>(L"mc");
  mc.Attach(new TestMcAdapter(2, 5, 40));
  REQUIRE(flex->SetAdapter(mc));
  CHECK(mc->desiredSizeCalls > 0);
  CHECK(mc->lastContainer.right == 220);
  CHECK(mc->lastContainer.bottom == SMCListView::kDesiredSizeBottom);
  CHECK(RowRect(flex, 1).top - RowRect(flex, 0).top == 40);
  CHECK(Span(flex, 1, 1) == std::make_pair(130, 220));
}

TEST_CASE_FIXTURE(McRig, "multi-column view: a column the adapter hides is hidden in every row "
                         "and takes no room") {
  SMCListView* view = OpenMc();
  mc->visible[1] = false;
  mc->NotifyChanged();
  CHECK_FALSE(view->GetHeaderCtrl()->IsItemVisible(1));
  for (int row = 0; row < view->GetVisibleCount(); ++row) {
    CAPTURE(row);
    CHECK_FALSE(RowChild(view, row, L"col1")->IsVisible(FALSE));
    CHECK(Span(view, row, 0) == std::make_pair(0, 100));
    CHECK(Span(view, row, 2) == std::make_pair(100, 220));
  }
  // 220 fits beside the vertical bar: no horizontal bar, the whole height for rows.
  CHECK_FALSE(view->HasScrollBar(FALSE));
  CHECK(view->GetScrollInfo(TRUE).nPage == 100u);
  Paint();
  CHECK(Rgb(kLeft + 215, kRowsTop + 10) == kBlue);
  // Shown again.
  mc->visible[1] = true;
  mc->NotifyChanged();
  CheckSpans(view, {{0, 100}, {100, 180}, {180, 300}});
}

TEST_CASE_FIXTURE(McRig, "multi-column view: a caption resized or moved lays every row's "
                         "columns out again") {
  SMCListView* view = OpenMc();
  // The divider right of A (at 100) to 150.
  DragHeader(kLeft + 98, kLeft + 148);
  REQUIRE(view->GetHeaderCtrl()->GetItemWidth(0) == 150);
  CheckSpans(view, {{0, 150}, {150, 230}, {230, 350}});
  CHECK(view->GetScrollInfo(FALSE).nMax == 349);
  CHECK(RowRect(view, 3).right - RowRect(view, 3).left == 350);
  // C (230..350, seen up to 240) onto A: C first, then A and B.
  DragHeader(kLeft + 238, kLeft + 60);
  REQUIRE(view->GetHeaderCtrl()->GetItemWidth(0) == 120);
  CheckSpans(view, {{120, 270}, {270, 350}, {0, 120}});
  Paint();
  CHECK(Rgb(kLeft + 115, kRowsTop + 10) == kBlue);
  CHECK(Rgb(kLeft + 235, kRowsTop + 10) == kRed);
  // Rows scrolled in later are laid out the same way.
  view->OnScroll(TRUE, SB_BOTTOM, 0);
  CHECK(view->GetFirstVisible() > 3);
  CheckSpans(view, {{120, 270}, {270, 350}, {0, 120}});
}

TEST_CASE_FIXTURE(McRig, "multi-column view: a press below the rows clears the selection and "
                         "every key move raises the selection events") {
  SMCListView* view = OpenMc(3);
  SelRecorder rec;
  view->SubscribeEvent(EventLVSelChanging::EventID,
                       Subscriber(&SelRecorder::OnChanging, &rec));
  view->SubscribeEvent(EventLVSelChanged::EventID, Subscriber(&SelRecorder::OnChanged, &rec));
  Click(POINT{kLeft + 50, kRowsTop + 30});
  REQUIRE(view->GetSel() == 1);
  Click(POINT{kLeft + 50, kRowsTop + 70});
  CHECK(view->GetSel() == -1);
  CHECK_FALSE(view->GetItemPanel(1)->GetRoot()->IsChecked());
  CHECK(rec.changing == std::vector<std::pair<int, int>>{{-1, 1}, {1, -1}});
  CHECK(rec.changed == std::vector<std::pair<int, int>>{{-1, 1}, {1, -1}});
  view->SetFocus();
  KeyDown(VK_DOWN);
  KeyDown(VK_DOWN);
  KeyDown(VK_UP);
  CHECK(view->GetSel() == 0);
  CHECK(rec.changed ==
        std::vector<std::pair<int, int>>{{-1, 1}, {1, -1}, {-1, 0}, {0, 1}, {1, 0}});
  CHECK(rec.changing.size() == 5);
  // "hotTrack" is taken and changes nothing.
  CHECK(view->SetAttribute(SStringW(L"hotTrack"), SStringW(L"1"), FALSE) == S_FALSE);
}

TEST_CASE_FIXTURE(McRig, "multi-column view: a caption click asks the adapter to sort; only its "
                         "yes sets the captions' marks, by the columns' orders") {
  SMCListView* view = OpenMc();
  // C onto A: the captions show C, A, B (orders 2, 0, 1).
  DragHeader(kLeft + 236, kLeft + 60);
  mc->sortAnswer = false;
  mc->sortFlags = {1, 2, 0};
  Click(POINT{kLeft + 150, 22});  // A, shown second
  REQUIRE(mc->sortCalls.size() == 1);
  CHECK(mc->sortCalls[0].column == 0);
  CHECK(mc->sortCalls[0].flags == std::vector<UINT>{0, 0, 0});
  CHECK(SortFlags(view) == std::vector<UINT>{0, 0, 0});
  mc->sortAnswer = true;
  const int views = mc->getViewCalls;
  Click(POINT{kLeft + 60, 22});  // C, shown first
  REQUIRE(mc->sortCalls.size() == 2);
  CHECK(mc->sortCalls[1].column == 2);
  // By display index: C gets flags[2], A flags[0], B flags[1]; the rows are read again.
  CHECK(SortFlags(view) == std::vector<UINT>{0, 1, 2});
  CHECK(mc->getViewCalls > views);
  Click(POINT{kLeft + 150, 22});
  CHECK(mc->sortCalls[2].flags == std::vector<UINT>{1, 2, 0});
}

TEST_CASE_FIXTURE(McRig, "multi-column view: without a header it holds no columns and no rows "
                         "and says why; a list adapter is refused") {
  DebugOutputCapture& log = CaptureLog();
  OpenWith(L"<mclistview name='mc' pos='10,10,@250,@125'><template itemHeight='20'/>"
           L"</mclistview>");
  SMCListView* bare = Find<SMCListView>(L"mc");
  CHECK(log.Contains("no header child"));
  mc.Attach(new TestMcAdapter(3, 10));
  CHECK_FALSE(bare->SetAdapter(mc));
  CHECK(bare->InsertColumn(0, L"A", 100) == -1);
  CHECK_FALSE(bare->DeleteColumn(0));
  CHECK(bare->GetVisibleCount() == 0);
  Paint();
  Click(POINT{50, 50});
  CHECK(bare->GetSel() == -1);

  SMCListView* view = OpenMc();
  CHECK(view->IsClass(L"mclistview"));
  CHECK(view->IsClass(L"div"));
  CHECK_FALSE(view->IsClass(L"listview"));
  SAutoRefPtr<TestListAdapter> plain;
  plain.Attach(new TestListAdapter(5));
  CHECK_FALSE(view->SetAdapter(plain));
  CHECK(view->GetAdapter() == mc);
  // Columns inserted and deleted at run time lay the rows out again. The new caption takes
  // order 1 ("col1"); C's order becomes 3, and no row has a "col3": its room stays empty.
  CHECK(view->InsertColumn(1, L"N", 40) == 1);
  CheckSpans(view, {{0, 100}, {100, 140}, {140, 220}});
  CHECK(view->DeleteColumn(1));
  CHECK_FALSE(view->DeleteColumn(7));
  CheckSpans(view, {{0, 100}, {100, 180}, {180, 300}});
}
