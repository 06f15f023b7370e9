// A list adapter for the view tests: rows with heights and view types of the test's own, each
// shown as a "text" (the row's text, "row N") and a "button" beside it, unless the view's
// template gives children of its own. It counts what the views ask.
//
//   SAutoRefPtr<TestListAdapter> a(new TestListAdapter(100), FALSE);  // 100 rows of 20 px
//   a->heights[60] = 90;                      // the row's desired height
//   view->SetAdapter(a);
//   CHECK(a->getViewCalls == 5);
#pragma once
#include <functional>
#include <vector>

#include "TestAdapterBase.h"
#include "base/TObjRefImpl.h"
#include "control/ILvAdapter.h"

class TestListAdapter : public SWUI::TObjRefImpl<SWUI::ILvAdapter>, public TestAdapterBase {
 public:
  // The tree of a row when the template has no children.
  static const wchar_t kRowXml[];

  explicit TestListAdapter(int count = 0, int height = 20);

  // Rows: the desired height and view type of each (the count is heights.size()).
  std::vector<int> heights;
  std::vector<int> types;
  int typeCount = 1;
  // When set, the desired height of a row at a width (in place of heights).
  std::function<int(int position, int width)> desiredHeight;
  void Resize(int count, int height);

  // What the views asked.
  int getViewCalls = 0;
  int desiredSizeCalls = 0;
  std::vector<int> viewedRows;
  int templateInits = 0;
  int descCalls = 0;

  void RegisterObserver(SWUI::ILvDataSetObserver* observer) override { AddObserver(observer); }
  void UnregisterObserver(SWUI::ILvDataSetObserver* observer) override {
    RemoveObserver(observer);
  }
  int GetCount() override { return static_cast<int>(heights.size()); }
  void GetView(int position, SWUI::SWindow* pItem, pugi::xml_node xmlTemplate) override;
  int GetItemViewType(int position, DWORD dwState) override;
  int GetViewTypeCount() override { return typeCount; }
  SIZE GetViewDesiredSize(int position, SWUI::SWindow* pItem, LPCRECT prcContainer) override;
  bool IsEmpty() override { return heights.empty(); }
  ULONG_PTR GetItemData(int position) override { return static_cast<ULONG_PTR>(position); }
  SWUI::SStringW GetItemDesc(int position) override;
  void InitByTemplate(pugi::xml_node) override { ++templateInits; }
};
