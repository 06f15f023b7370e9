// List adapters for the view tests: rows with heights and view types of the test's own. Each
// row's tree is built once from the view's template (its children), or from the adapter's own
// row when the template has none, and filled on every GetView. They count what the views ask.
//
// TestListAdapter's row is a "text" (the row's text, "row N") and a "button" beside it.
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
#include "control/IMcAdapter.h"

// The rows of a list adapter over the interface I (ILvAdapter or an interface built on it).
template <class I>
class TestListAdapterOf : public SWUI::TObjRefImpl<I>, public TestAdapterBase {
 public:
  explicit TestListAdapterOf(int count = 0, int height = 20) { Resize(count, height); }

  // Rows: the desired height and view type of each (the count is heights.size()).
  std::vector<int> heights;
  std::vector<int> types;
  int typeCount = 1;
  // When set, the desired height of a row at a width (in place of heights).
  std::function<int(int position, int width)> desiredHeight;
  void Resize(int count, int height);
  // Takes a row out (nobody is told).
  void Erase(int position);

  // When set, called inside the callback of that name (after counting it): a test changes
  // the data there and tells the view, as an adapter may.
  std::function<void(int position)> onGetView;
  std::function<void(int position)> onDesiredSize;
  std::function<void(int position)> onViewType;

  // What the views asked.
  int getViewCalls = 0;
  int desiredSizeCalls = 0;
  std::vector<int> viewedRows;
  int templateInits = 0;
  int descCalls = 0;
  // The container rectangle of the last GetViewDesiredSize.
  RECT lastContainer = {0, 0, 0, 0};
  // Calls about a position outside the rows (answered as for an empty row).
  int pastEndAsked = 0;

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

 protected:
  // The row's tree when the template has no children.
  virtual const wchar_t* RowXml() const = 0;
  // Shows the row's data in its tree.
  virtual void FillRow(int position, SWUI::SWindow* pItem) = 0;
  // Counts a position outside the rows; true when it is a row.
  bool IsRow(int position);
};

extern template class TestListAdapterOf<SWUI::ILvAdapter>;
extern template class TestListAdapterOf<SWUI::IMcAdapter>;

class TestListAdapter : public TestListAdapterOf<SWUI::ILvAdapter> {
 public:
  static const wchar_t kRowXml[];

  using TestListAdapterOf::TestListAdapterOf;

 protected:
  const wchar_t* RowXml() const override { return kRowXml; }
  void FillRow(int position, SWUI::SWindow* pItem) override;
};
