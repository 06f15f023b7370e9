// What the adapter view benchmarks share: draining the thread's messages, an adapter of rows
// that counts what a view asks of it, and the benchmarks the program runs.
#pragma once
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>

#include "base/TObjRefImpl.h"
#include "control/ILvAdapter.h"
#include "control/IMcAdapter.h"
#include "core/SWindow.h"

namespace bench_views {

inline void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Rows of 20 px; a row's panel is made from the template, and each of its first `texts`
// children shows "Item number <row>". It counts the rows asked for and the panels made.
template <class Base>
class RowAdapter : public SWUI::TObjRefImpl<Base> {
 public:
  RowAdapter(int rows, int texts) : rows_(rows), texts_(texts) {}

  int getViewCalls = 0;
  int panelsMade = 0;

  void RegisterObserver(SWUI::ILvDataSetObserver*) override {}
  void UnregisterObserver(SWUI::ILvDataSetObserver*) override {}
  int GetCount() override { return rows_; }
  void GetView(int position, SWUI::SWindow* pItem, pugi::xml_node xmlTemplate) override {
    ++getViewCalls;
    if (pItem->GetChildrenCount() == 0) {
      pItem->InitFromXml(xmlTemplate);
      ++panelsMade;
    }
    wchar_t text[32];
    swprintf(text, 32, L"Item number %d", position);
    for (int i = 1; i <= texts_; ++i) pItem->GetChild(i)->SetWindowText(text);
  }
  int GetItemViewType(int, DWORD) override { return 0; }
  int GetViewTypeCount() override { return 1; }
  SIZE GetViewDesiredSize(int, SWUI::SWindow*, LPCRECT rc) override {
    return SIZE{rc->right, 20};
  }
  bool IsEmpty() override { return rows_ == 0; }
  ULONG_PTR GetItemData(int) override { return 0; }
  SWUI::SStringW GetItemDesc(int) override { return SWUI::SStringW(); }
  void InitByTemplate(pugi::xml_node) override {}

 private:
  int rows_;
  int texts_;
};

using ListAdapter = RowAdapter<SWUI::ILvAdapter>;

// Columns "col0", "col1", ... all visible; no sorting.
class ColumnAdapter : public RowAdapter<SWUI::IMcAdapter> {
 public:
  using RowAdapter::RowAdapter;
  SWUI::SStringW GetColumnName(int column) override {
    wchar_t name[16];
    swprintf(name, 16, L"col%d", column);
    return SWUI::SStringW(name);
  }
  bool IsColumnVisible(int) override { return true; }
  bool OnSort(int, UINT*, int) override { return false; }
};

// The list view against the platform's list-view in virtual mode, and the flexible locator
// against a prefix-sum array.
void BenchList();
void BenchFlex();
// The tile view against the list view.
void BenchTiles();
// The multi-column view against the list control.
void BenchMultiColumn();

}  // namespace bench_views
