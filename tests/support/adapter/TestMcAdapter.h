// A multi-column adapter for the view tests: rows as TestListAdapter keeps them, each shown as
// one "text" per column, named "col0", "col1", ... by the column's order (unless the view's
// template gives children of its own). Columns are visible as the test says (by display
// index), and a header click is answered as the test scripts it, each call recorded.
//
//   SAutoRefPtr<TestMcAdapter> a(new TestMcAdapter(3, 10), FALSE);  // 3 columns, 10 rows
//   a->visible[1] = false;
//   a->sortAnswer = true;
//   a->sortFlags = {0, 1, 0};   // the header's marks after a sort
#pragma once
#include <string>
#include <vector>

#include "TestListAdapter.h"

class TestMcAdapter : public TestListAdapterOf<SWUI::IMcAdapter> {
 public:
  explicit TestMcAdapter(int columns, int count = 0, int height = 20);

  // By display index; a column outside it is visible.
  std::vector<bool> visible;
  // What OnSort answers, and the flags it leaves in the view's array when it answers true
  // (unless empty).
  bool sortAnswer = false;
  std::vector<UINT> sortFlags;
  // Each OnSort: the clicked column (an order) and the flags the view gave.
  struct SortCall {
    int column;
    std::vector<UINT> flags;
  };
  std::vector<SortCall> sortCalls;

  SWUI::SStringW GetColumnName(int column) override;
  bool IsColumnVisible(int column) override;
  bool OnSort(int column, UINT* flags, int count) override;

 protected:
  const wchar_t* RowXml() const override { return rowXml_.c_str(); }
  void FillRow(int position, SWUI::SWindow* pItem) override;

 private:
  int columns_;
  std::wstring rowXml_;
};
