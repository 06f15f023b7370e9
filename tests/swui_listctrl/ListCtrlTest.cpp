// The report list: its scroll bars from the columns' width and the rows, row colours, the
// selection by click, Ctrl, Shift and check box, cells across column inserts and caption
// swaps, row deletion, and a list without a header.
#include <doctest/doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "GeometryChecks.h"
#include "HeldKeys.h"
#include "ListRig.h"
#include "control/EventLCItemDeleted.h"
#include "control/EventLCSelChanged.h"
#include "control/EventLCSelChanging.h"
#include "control/SHeaderCtrl.h"
#include "control/SListCtrl.h"

using namespace SWUI;

namespace {

// A list of the given size and attributes with an empty header and a 10 px bar skin.
SListCtrl* OpenList(ListRig& rig, const wchar_t* pos, const wchar_t* attrs = L"") {
  rig.OpenWith(std::wstring(L"<listctrl name='l' pos='") + pos + L"' sbSkin='sb' " + attrs +
               L"><header name='hd'/></listctrl>");
  return rig.Find<SListCtrl>(L"l");
}

void AddRows(SListCtrl* list, int count) {
  for (int i = 0; i < count; ++i) {
    REQUIRE(list->InsertItem(-1, (L"r" + std::to_wstring(i)).c_str()) == i);
  }
}

std::vector<int> Checked(SListCtrl* list) {
  std::vector<int> rows;
  for (int i = 0; i < list->GetItemCount(); ++i) {
    if (list->GetCheckState(i)) rows.push_back(i);
  }
  return rows;
}

}  // namespace

TEST_CASE_FIXTURE(ListRig,
                  "list scroll bars from the columns' width and the rows; a second "
                  "run keeps them") {
  struct Case {
    int width;
    int rows;
    bool vert;
    UINT vertPage;
    bool horz;
    UINT horzPage;
  };
  // Client 300 x 120, header 20, rows 20, bars 10.
  const Case cases[] = {
      {200, 5, false, 100, false, 300},
      {200, 6, true, 100, false, 300},
      {295, 5, false, 100, false, 300},
      {305, 5, true, 90, true, 290},
  };
  for (const Case& c : cases) {
    CAPTURE(c.width);
    CAPTURE(c.rows);
    SListCtrl* list = OpenList(*this, L"0,0,@300,@120");
    REQUIRE(list->InsertColumn(0, L"c", c.width) == 0);
    AddRows(list, c.rows);
    for (int run = 0; run < 2; ++run) {
      CHECK(list->HasScrollBar(TRUE) == c.vert);
      CHECK(list->HasScrollBar(FALSE) == c.horz);
      const SCROLLINFO& v = list->GetScrollInfo(TRUE);
      const SCROLLINFO& h = list->GetScrollInfo(FALSE);
      CHECK(v.nPage == c.vertPage);
      CHECK(v.nMax == (c.vert ? c.rows * 20 - 1 : 99));
      CHECK(h.nPage == c.horzPage);
      CHECK(h.nMax == (c.horz ? c.width - 1 : 299));
      CHECK(list->SetItemCount(c.rows));  // runs the bars again over the client left
    }
  }
}

TEST_CASE_FIXTURE(ListRig,
                  "list scrolling: the wheel moves the rows, a bar drag sideways moves "
                  "the header with them, and removing the rows pulls the origin back") {
  SListCtrl* list = OpenList(*this, L"0,0,@300,@120");
  list->InsertColumn(0, L"a", 200);
  list->InsertColumn(1, L"b", 200);
  AddRows(list, 20);
  list->SetFocus();  // the wheel goes to the focus
  Wheel(POINT{100, 60}, -WHEEL_DELTA * 3);
  CHECK(list->GetScrollOrigin().y == 30);
  CHECK(list->HitTest(POINT{100, 25}) == 1);  // 5 + 30 = 35: row 1
  CHECK(list->OnScroll(FALSE, SB_THUMBPOSITION, 50));
  CHECK(list->GetScrollOrigin().x == 50);
  CHECK(Find(L"hd")->GetWindowRect().left == -50);
  CHECK(list->GetItemRect(0, 1) == RECT{150, -10, 350, 10});
  list->DeleteAllItems();
  CHECK(list->GetScrollOrigin().y == 0);
  CHECK_FALSE(list->HasScrollBar(TRUE));
}

TEST_CASE_FIXTURE(ListRig,
                  "list rows: white and light grey in turn, checked blue, a hot row "
                  "half blue over what lies below") {
  SListCtrl* list =
      OpenList(*this, L"0,0,@300,@120", L"colorBkgnd='#808080' hotTrack='1' iconSkin='icons'");
  list->InsertColumn(0, L"c", 150);
  list->InsertColumn(1, L"d", 50);
  AddRows(list, 5);
  ListCellInfo icon;
  icon.mask = SLVIF_IMAGE;
  icon.nImage = 1;
  list->SetSubItem(0, 0, &icon);
  list->SetSelectedItem(2);
  Paint();
  CHECK(Rgb(250, 30) == 0xFFFFFF);
  CHECK(Rgb(250, 50) == 0xE2E2E2);
  CHECK(Rgb(250, 70) == 0x3991D1);
  CHECK(Rgb(2, 30) == 0xFFFFFF);  // the row is filled across, left of its indent too
  // The icon (state 1, 8 x 8) a sixth of the row height in from the indented column, centred.
  CHECK(Rgb(7, 26) == 0x00FF00);
  CHECK(Rgb(14, 33) == 0x00FF00);
  CHECK(Rgb(6, 26) == 0xFFFFFF);
  CHECK(Rgb(7, 25) == 0xFFFFFF);
  list->SetAttribute(SStringW(L"colorBkgnd"), SStringW(L"#ffffff"), FALSE);
  MouseMove(POINT{100, 110});
  Paint();
  CHECK(NearRgb(Rgb(250, 110), 0x9CC8E8));
  SavePng(L"listctrl-rows", 2);
  MouseLeave();
  Paint();
  CHECK(Rgb(250, 110) == 0xFFFFFF);
  CHECK(list->SetAttribute(SStringW(L"colorItemBkgnd"), SStringW(L""), FALSE) == E_FAIL);
  CHECK(list->SetAttribute(SStringW(L"itemHeight"), SStringW(L"0"), FALSE) == E_FAIL);
  CHECK(list->GetItemHeight() == 20);
}

TEST_CASE_FIXTURE(ListRig,
                  "list selection by click, Ctrl and Shift; a click below the rows "
                  "clears it; a refused change leaves everything") {
  SListCtrl* list = OpenList(*this, L"0,0,@300,@200", L"multiSelection='1' itemHeight='15'");
  list->InsertColumn(0, L"c", 200);
  AddRows(list, 10);
  auto rowY = [](int row) { return 20 + 15 * row + 7; };
  HeldKeys::Only({});
  Click(POINT{100, rowY(3)});
  CHECK(Fired() == std::vector<FiredEvent>{{13000, 3, -1}, {13001, 3, -1}});
  {
    HeldKeys ctrl({VK_CONTROL});
    Click(POINT{100, rowY(5)});
  }
  CHECK(Checked(list) == std::vector<int>{3, 5});
  CHECK(list->GetSelectedItem() == 5);
  {
    HeldKeys shift({VK_SHIFT});
    Click(POINT{100, rowY(1)});
  }
  CHECK(Checked(list) == std::vector<int>{1, 2, 3, 4, 5});
  CHECK(list->GetSelectedItem() == 5);
  CHECK(list->GetCheckedItemCount() == 5);
  CHECK(list->GetFirstCheckedItem() == 1);
  CHECK(list->GetLastCheckedItem() == 5);
  ClearFired();
  Click(POINT{100, 185});
  CHECK(Checked(list).empty());
  CHECK(list->GetSelectedItem() == -1);
  CHECK(Fired() == std::vector<FiredEvent>{{13000, -1, 5}, {13001, -1, 5}});
  {
    HeldKeys shift({VK_SHIFT});
    Click(POINT{100, rowY(2)});
  }
  CHECK(Checked(list) == std::vector<int>{0, 1, 2});

  Click(POINT{100, rowY(6)});
  ClearFired();
  cancelSelection = true;
  Click(POINT{100, rowY(8)});
  CHECK(Fired() == std::vector<FiredEvent>{{13000, 8, 6}});
  CHECK(Checked(list) == std::vector<int>{6});
  CHECK(list->GetSelectedItem() == 6);
}

TEST_CASE_FIXTURE(ListRig,
                  "list check boxes: a click on a row's box toggles that row alone; "
                  "below the rows it is a click on empty space") {
  SListCtrl* list = OpenList(*this, L"0,0,@300,@200", L"checkBox='1'");
  CHECK_FALSE(list->SetCheckState(0, TRUE));  // no row yet
  list->InsertColumn(0, L"c", 200);
  AddRows(list, 5);
  HeldKeys::Only({});
  Click(POINT{100, 30});
  Click(POINT{7, 90});
  CHECK(Checked(list) == std::vector<int>{0, 3});
  Click(POINT{7, 90});
  CHECK(Checked(list) == std::vector<int>{0});
  CHECK(list->GetSelectedItem() == 3);
  Click(POINT{7, 150});
  CHECK(Checked(list).empty());
  CHECK(list->SetCheckState(4, TRUE));
  CHECK(list->GetCheckState(4));
  list->SetAttribute(SStringW(L"checkBox"), SStringW(L"0"), FALSE);
  CHECK_FALSE(list->SetCheckState(4, FALSE));
  CHECK(list->GetCheckState(4));
}

TEST_CASE_FIXTURE(ListRig,
                  "list cells: a column inserted inside keeps each text in its column, "
                  "a text copied out is cut and ended, swapped captions move the cells "
                  "shown") {
  SListCtrl* list = OpenList(*this, L"0,0,@300,@120");
  CHECK(list->InsertItem(0, L"x") == -1);
  CHECK(list->GetItemCount() == 0);
  for (int c = 0; c < 3; ++c) list->InsertColumn(c, L"h", 50);
  for (int r = 0; r < 2; ++r) {
    list->InsertItem(r, L"a0");
    list->SetSubItemText(r, 1, L"a1");
    list->SetSubItemText(r, 2, L"a2");
  }
  CHECK(list->InsertColumn(1, L"new", 50) == 1);
  for (int r = 0; r < 2; ++r) {
    CHECK(list->GetSubItemText(r, 0) == L"a0");
    CHECK(list->GetSubItemText(r, 1) == L"");
    CHECK(list->GetSubItemText(r, 2) == L"a1");
    CHECK(list->GetSubItemText(r, 3) == L"a2");
  }
  CHECK_FALSE(list->SetItemCount(1));
  CHECK(list->SetItemCount(3));
  CHECK(list->GetSubItemText(2, 3) == L"");
  CHECK_FALSE(list->SetSubItemText(3, 0, L"z"));
  CHECK_FALSE(list->SetSubItemText(0, 4, L"z"));

  ListCellInfo in;
  in.mask = SLVIF_TEXT | SLVIF_IMAGE | SLVIF_INDENT;
  wchar_t hello[] = L"hello";
  in.strText = hello;
  in.cchTextMax = -1;
  in.nImage = 2;
  in.nIndent = 3;
  REQUIRE(list->SetSubItem(1, 2, &in));
  wchar_t buf[4] = {L'#', L'#', L'#', L'#'};
  ListCellInfo out;
  out.mask = SLVIF_TEXT | SLVIF_IMAGE | SLVIF_INDENT;
  out.strText = buf;
  out.cchTextMax = 4;
  REQUIRE(list->GetSubItem(1, 2, &out));
  CHECK(std::wstring(buf) == L"hel");
  CHECK(out.nImage == 2);
  CHECK(out.nIndent == 3);

  // Caption 0 ("a0") dragged onto the third place: its cells are drawn there.
  CHECK(list->GetItemRect(0, 0) == RECT{0, 20, 50, 40});
  MouseMove(POINT{25, 10});
  MouseDown(POINT{25, 10});
  MouseMove(POINT{125, 10}, MK_LBUTTON);
  MouseUp(POINT{125, 10});
  CHECK(list->GetItemRect(0, 0) == RECT{100, 20, 150, 40});
  CHECK(list->GetItemRect(0, 2) == RECT{50, 20, 100, 40});
  CHECK(list->GetSubItemText(0, 0) == L"a0");
}

TEST_CASE_FIXTURE(ListRig,
                  "list deletion: the rows have left before each row's event, which "
                  "carries its index and data") {
  SListCtrl* list = OpenList(*this, L"0,0,@300,@120");
  list->InsertColumn(0, L"c", 100);
  AddRows(list, 3);
  for (int r = 0; r < 3; ++r) list->SetItemData(r, 10 + r);
  std::vector<int> countsSeen;
  host->onEvent = [&](EventArgs* e) {
    if (e->GetID() != EventLCItemDeleted::EventID) return FALSE;
    auto* evt = static_cast<EventLCItemDeleted*>(e);
    countsSeen.push_back(list->GetItemCount());
    fired.push_back({13002, evt->nItem, static_cast<int>(evt->dwData)});
    // A handler may use the list at once.
    list->InsertItem(-1, L"new");
    return FALSE;
  };
  list->SetSelectedItem(1);
  list->DeleteAllItems();
  CHECK(Fired() == std::vector<FiredEvent>{{13002, 0, 10}, {13002, 1, 11}, {13002, 2, 12}});
  CHECK(countsSeen == std::vector<int>{0, 1, 2});
  CHECK(list->GetSelectedItem() == -1);
  CHECK(list->GetItemCount() == 3);
}

TEST_CASE_FIXTURE(ListRig,
                  "list cells follow columns the header inserts and deletes on its own: "
                  "every row keeps one cell per column") {
  SListCtrl* list = OpenList(*this, L"0,0,@300,@120");
  SHeaderCtrl* header = list->GetHeaderCtrl();
  REQUIRE(list->InsertColumn(0, L"A", 50) == 0);
  AddRows(list, 2);
  ListCellInfo cell;
  cell.mask = SLVIF_TEXT | SLVIF_IMAGE;
  wchar_t text[8] = L"b";
  cell.strText = text;
  cell.cchTextMax = 8;
  struct Step {
    const char* what;
    std::function<void()> act;
    std::vector<std::wstring> row0;  // the texts of row 0 by data column; row 1 says "r1"
  };
  const Step steps[] = {
      {"the header inserts at its end", [&] { header->InsertItem(-1, L"B", 50, 0, 0); },
       {L"r0", L""}},
      {"a cell of the new column is written and read",
       [&] {
         CHECK(list->SetSubItemText(0, 1, L"b"));
         CHECK(list->SetSubItem(1, 1, &cell));
         CHECK(list->GetSubItem(1, 1, &cell));
       },
       {L"r0", L"b"}},
      {"the header inserts in front", [&] { header->InsertItem(0, L"C", 50, 0, 0); },
       {L"", L"r0", L"b"}},
      {"the header deletes the middle data column",
       [&] {
         for (int i = 0; i < header->GetItemCount(); ++i) {
           HeaderItemInfo info;
           info.mask = SHDI_ORDER;
           header->GetItem(i, &info);
           if (info.order == 1) {
             header->DeleteItem(i);
             break;
           }
         }
       },
       {L"", L"b"}},
      {"the header deletes all, then a column comes back",
       [&] {
         header->DeleteAllItems();
         CHECK(list->GetItemCount() == 0);
         header->InsertItem(-1, L"D", 50, 0, 0);
       },
       {L""}},
  };
  for (const Step& step : steps) {
    CAPTURE(step.what);
    step.act();
    REQUIRE(list->GetColumnCount() == static_cast<int>(step.row0.size()));
    CHECK(list->GetItemCount() == 2);
    for (int c = 0; c < list->GetColumnCount(); ++c) {
      const std::wstring row1 = step.row0[c] == L"r0" ? L"r1" : step.row0[c];
      CHECK(std::wstring(list->GetSubItemText(0, c).c_str()) == step.row0[c]);
      CHECK(std::wstring(list->GetSubItemText(1, c).c_str()) == row1);
    }
    CHECK(list->GetSubItemText(0, list->GetColumnCount()) == L"");
    CHECK_FALSE(list->SetSubItemText(0, list->GetColumnCount(), L"x"));
    Paint();  // every column's cell is drawn
  }
}

TEST_CASE_FIXTURE(ListRig, "a list without a header refuses rows and columns and says why") {
  DebugOutputCapture& log = CaptureLog();
  OpenWith(L"<listctrl name='l' pos='0,0,@300,@120' colorBkgnd='#808080'/>");
  auto* list = Find<SListCtrl>(L"l");
  CHECK(log.Contains("no header child"));
  CHECK(list->InsertColumn(0, L"c", 100) == -1);
  CHECK(list->InsertItem(0, L"r") == -1);
  CHECK_FALSE(list->SetItemCount(3));
  CHECK(list->GetItemCount() == 0);
  CHECK(list->GetColumnCount() == 0);
  Paint();
  CHECK(Rgb(100, 60) == 0x808080);
}
