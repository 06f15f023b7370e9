// The list control and its header under random operations: columns inserted and deleted
// through the list and through the header itself, rows, cells in and out of range, sorting,
// check marks, hostile widths and heights from XML and at run time, header drags and clicks,
// row clicks and keys, with selection handlers that delete columns and rows midway. After every
// step: the list's columns are the header's, every row has a cell in every column and none past
// them, and the selection, hits and checked rows are rows.
#include <algorithm>
#include <string>

#include "ElementRig.h"
#include "SweepSteps.h"
#include "control/EventLCItemDeleted.h"
#include "control/EventLCSelChanging.h"
#include "control/SHeaderCtrl.h"
#include "control/SListCtrl.h"

using namespace SWUI;
using ctrlsweep::Run;

namespace {

std::wstring ListXml(Run& r) {
  std::wstring xml = L"<root><listctrl name='l' pos='0,0,-0,-0' hotTrack='1' itemHeight='" +
                     r.Pick(ctrlsweep::HostileSizes()) + L"' headerHeight='" +
                     r.Pick(ctrlsweep::HostileSizes()) + L"' checkBox='" +
                     std::to_wstring(r.Below(2)) + L"' multiSelection='" +
                     std::to_wstring(r.Below(2)) + L"'><header name='h' fixWidth='" +
                     std::to_wstring(r.Below(2)) + L"'><items>";
  for (int i = r.Below(4); i > 0; --i) {
    xml += L"<item width='" + r.Pick(ctrlsweep::HostileSizes()) + L"' visible='" +
           std::to_wstring(r.OneIn(5) ? 0 : 1) + L"'>c</item>";
  }
  return xml + L"</items></header></listctrl></root>";
}

int RowCmp(void*, const ListRowInfo& a, const ListRowInfo& b) {
  return static_cast<int>(a.lParam) - static_cast<int>(b.lParam);
}

// One random operation on the list or its header.
void Step(Run& r, SListCtrl* list, SHeaderCtrl* header) {
  const int rows = list->GetItemCount();
  const int cols = list->GetColumnCount();
  const int row = r.Between(-1, rows);
  const int col = r.Between(-1, cols);
  switch (r.Below(17)) {
    case 0:
      list->InsertColumn(r.Between(-1, cols + 1), L"col", r.Pick(ctrlsweep::HostileInts()));
      break;
    case 1:
      header->InsertItem(r.Between(-1, cols + 1), L"hd", r.Pick(ctrlsweep::HostileInts()), 0, 0);
      break;
    case 2:
      header->DeleteItem(col);
      break;
    case 3:
      if (r.OneIn(4)) header->DeleteAllItems();
      break;
    case 4:
      for (int i = r.Between(1, 4); i > 0; --i) list->InsertItem(r.Between(-1, rows + 1), L"row");
      break;
    case 5:
      list->SetItemCount(rows + r.Below(5));
      break;
    case 6:
      if (r.OneIn(4)) list->DeleteAllItems();
      break;
    case 7:
      list->SetSubItemText(row, col, L"text");
      list->SetItemData(row, r.Below(100));
      break;
    case 8: {
      wchar_t text[8] = L"abcdefg";
      ListCellInfo cell;
      cell.mask = SLVIF_TEXT | SLVIF_IMAGE | SLVIF_INDENT;
      cell.strText = text;
      cell.cchTextMax = r.Between(-1, 8);
      (r.OneIn(2) ? list->SetSubItem(row, col, &cell) : list->GetSubItem(row, col, &cell));
      break;
    }
    case 9:
      list->SetSelectedItem(row);
      list->SetCheckState(row, r.Below(2));
      break;
    case 10:
      list->SortItems(RowCmp, nullptr);
      break;
    case 11:
    case 12:
      ctrlsweep::RandomMouse(r, r.OneIn(2) ? static_cast<SWindow*>(header) : list);
      break;
    case 13:
      ctrlsweep::RandomKey(r, list);
      break;
    case 14:
      list->SetAttribute(SStringW(r.OneIn(2) ? L"itemHeight" : L"headerHeight"),
                         SStringW(r.Pick(ctrlsweep::HostileSizes()).c_str()), FALSE);
      break;
    case 15:
      header->SetItemVisible(col, r.Below(2) != 0);
      break;
    default:
      list->OnScroll(r.Below(2), r.Pick(std::vector<UINT>{SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM,
                                                          SB_TOP, SB_THUMBPOSITION}),
                     r.Pick(ctrlsweep::HostileInts()));
      break;
  }
}

void CheckList(SListCtrl* list, SHeaderCtrl* header) {
  const int cols = list->GetColumnCount();
  REQUIRE(cols == header->GetItemCount());
  const int rows = list->GetItemCount();
  if (cols == 0) REQUIRE(rows == 0);
  ListCellInfo probe;  // an empty mask: answers whether the cell exists
  for (int r = 0; r < std::min(rows, 40); ++r) {
    for (int c = 0; c < cols; ++c) REQUIRE(list->GetSubItem(r, c, &probe));
    REQUIRE_FALSE(list->GetSubItem(r, cols, &probe));
    REQUIRE(list->GetSubItemText(r, cols).IsEmpty());
  }
  REQUIRE(header->GetTotalWidth() >= 0);
  REQUIRE(header->GetTotalWidth() <= SHeaderCtrl::kMaxExtent);
  if (cols > 0) {
    const int sel = list->GetSelectedItem();
    REQUIRE(sel >= -1);
    REQUIRE(sel < rows);
    REQUIRE(list->GetFirstCheckedItem() < rows);
    REQUIRE(list->GetLastCheckedItem() < rows);
  }
  const RECT rc = list->GetWindowRect();
  const int hit = list->HitTest(POINT{(rc.left + rc.right) / 2, rc.bottom - 3});
  REQUIRE(hit >= -1);
  REQUIRE(hit < rows);
}

}  // namespace

TEST_CASE("list and header under random operations, hostile values and handlers") {
  ctrlsweep::Announce("list");
  sweep::Watchdog dog("list");
  for (int run = 0; run < ctrlsweep::kRuns; ++run) {
    Run r("list", run);
    ElementRig rig(320, 200, true);
    rig.Load(ListXml(r).c_str());
    auto* list = rig.Find<SListCtrl>(L"l");
    SHeaderCtrl* header = list->GetHeaderCtrl();
    REQUIRE(header != nullptr);
    // Handlers that change the list while it changes its selection or deletes its rows.
    list->SubscribeEvent(EventLCSelChanging::EventID, FnSlot([&](EventArgs*) {
                           if (r.OneIn(4)) header->DeleteItem(0);
                           if (r.OneIn(6)) list->DeleteAllItems();
                           return false;
                         }));
    list->SubscribeEvent(EventLCItemDeleted::EventID, FnSlot([&](EventArgs*) {
                           if (r.OneIn(8)) list->InsertItem(0, L"again");
                           return false;
                         }));
    for (int step = 0; step < ctrlsweep::kSteps; ++step) {
      const std::string where = r.Where(step);
      dog.Enter(where);
      CAPTURE(where);
      Step(r, list, header);
      if (step % 10 == 0) rig.Paint();
      CheckList(list, header);
    }
  }
  dog.Enter("");
}
