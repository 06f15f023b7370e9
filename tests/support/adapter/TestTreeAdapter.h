// A tree adapter for the view tests: items of the test's own (parent, expansion, desired size,
// view type), each shown as a "text" ("item N", N its handle) unless the view's template has
// children of its own. It keeps the view's data words per item, as an application's adapter
// must, tells its observers when an item is expanded or collapsed (ExpandItem), and counts what
// the view asks.
//
//   SAutoRefPtr<TestTreeAdapter> a;
//   a.Attach(new TestTreeAdapter);
//   HSTREEITEM A = a->Add(ITvAdapter::ITEM_ROOT);   // 20 px high, 100 wide, collapsed
//   HSTREEITEM A1 = a->Add(A, 35);
//   a->At(A).expanded = TRUE;                        // before the view sees it (no notice)
//   view->SetAdapter(a);
//   a->ExpandItem(A, TVC_COLLAPSE);                  // the view is told
#pragma once
#include <functional>
#include <map>
#include <vector>

#include "TestItemTrees.h"
#include "TestObservers.h"
#include "base/TObjRefImpl.h"
#include "control/ITvAdapter.h"
#include "control/ITvDataSetObserver.h"

class TestTreeAdapter : public SWUI::TObjRefImpl<SWUI::ITvAdapter>, public TestItemTrees {
 public:
  // The tree of an item when the template has no children.
  static const wchar_t kRowXml[];

  struct Item {
    bool removed = false;
    SWUI::HSTREEITEM parent = 0;
    std::vector<SWUI::HSTREEITEM> children;
    BOOL expanded = FALSE;
    int height = 20;
    int width = 100;
    int type = 0;
    ULONG_PTR data[SWUI::TVDATA_COUNT] = {};
  };

  TestTreeAdapter();

  // A new last child of parent (ITEM_ROOT: a top-level item), collapsed; nobody is told.
  SWUI::HSTREEITEM Add(SWUI::HSTREEITEM parent, int height = 20, int width = 100);
  // Takes an item and its branch out of the tree (nobody is told); their handles are never
  // used again.
  void Remove(SWUI::HSTREEITEM hItem);
  bool IsRemoved(SWUI::HSTREEITEM hItem) const;
  // The item of a handle (the root's for ITEM_ROOT); the test fails for any other. A removed
  // item is counted in removedAsked and answered as an empty, collapsed leaf.
  Item& At(SWUI::HSTREEITEM hItem);
  const Item& At(SWUI::HSTREEITEM hItem) const;
  // Handles ever made (removed ones included).
  size_t Count() const { return items_.size(); }

  // Tells every observer.
  void NotifyBranchChanged(SWUI::HSTREEITEM hBranch);
  void NotifyBranchInvalidated(SWUI::HSTREEITEM hBranch);
  size_t ObserverCount() const { return observers_.Count(); }

  BOOL widthMatchParent = FALSE;
  int typeCount = 1;
  // When set, the desired size of an item in its container rectangle (in place of its own).
  std::function<SIZE(SWUI::HSTREEITEM hItem, const RECT& container)> desiredSize;

  // When set, called inside GetView (after counting it): a test changes the tree there and
  // tells the view, as an adapter may.
  std::function<void(SWUI::HSTREEITEM hItem)> onGetView;

  // What the view asked.
  int getViewCalls = 0;
  // Calls that named a removed item.
  mutable int removedAsked = 0;
  int templateInits = 0;
  // The container rectangle each item was last measured in (GetViewDesiredSize).
  std::map<SWUI::HSTREEITEM, RECT> measuredIn;

  // ---- ITvAdapter ------------------------------------------------------------------------
  void RegisterObserver(SWUI::ITvDataSetObserver* observer) override { observers_.Add(observer); }
  void UnregisterObserver(SWUI::ITvDataSetObserver* observer) override {
    observers_.Remove(observer);
  }
  ULONG_PTR GetItemDataByIndex(SWUI::HSTREEITEM hItem, int index) override;
  void SetItemDataByIndex(SWUI::HSTREEITEM hItem, int index, ULONG_PTR data) override;
  SWUI::HSTREEITEM GetParentItem(SWUI::HSTREEITEM hItem) override;
  SWUI::HSTREEITEM GetFirstChildItem(SWUI::HSTREEITEM hItem) override;
  SWUI::HSTREEITEM GetLastChildItem(SWUI::HSTREEITEM hItem) override;
  SWUI::HSTREEITEM GetPrevSiblingItem(SWUI::HSTREEITEM hItem) override;
  SWUI::HSTREEITEM GetNextSiblingItem(SWUI::HSTREEITEM hItem) override;
  BOOL HasChildren(SWUI::HSTREEITEM hItem) override { return !At(hItem).children.empty(); }
  BOOL IsItemVisible(SWUI::HSTREEITEM hItem) override;
  SWUI::HSTREEITEM GetFirstVisibleItem() override { return GetFirstChildItem(ITEM_ROOT); }
  SWUI::HSTREEITEM GetLastVisibleItem() override { return LastShownBelow(ITEM_ROOT); }
  SWUI::HSTREEITEM GetPrevVisibleItem(SWUI::HSTREEITEM hItem) override;
  SWUI::HSTREEITEM GetNextVisibleItem(SWUI::HSTREEITEM hItem) override;
  void ExpandItem(SWUI::HSTREEITEM hItem, UINT uCode) override;
  BOOL IsItemExpanded(SWUI::HSTREEITEM hItem) override { return At(hItem).expanded; }
  void SetItemExpanded(SWUI::HSTREEITEM hItem, BOOL bExpanded) override {
    At(hItem).expanded = bExpanded;
  }
  void GetView(SWUI::HSTREEITEM hItem, SWUI::SWindow* pItem, pugi::xml_node xmlTemplate) override;
  int GetViewType(SWUI::HSTREEITEM hItem) override { return At(hItem).type; }
  int GetViewTypeCount() override { return typeCount; }
  SIZE GetViewDesiredSize(SWUI::HSTREEITEM hItem, SWUI::SWindow* pItem,
                          LPCRECT prcContainer) override;
  BOOL IsViewWidthMatchParent() override { return widthMatchParent; }
  void InitByTemplate(pugi::xml_node) override { ++templateInits; }

 private:
  // The sibling before or after an item (step -1 or 1), 0 past the ends.
  SWUI::HSTREEITEM Sibling(SWUI::HSTREEITEM hItem, int step) const;
  // The last shown item of a branch: its last child's, as deep as expanded.
  SWUI::HSTREEITEM LastShownBelow(SWUI::HSTREEITEM hItem) const;

  Item root_;
  // What a removed item is answered as (reset on every answer).
  mutable Item gone_;
  std::vector<Item> items_;  // the handle of items_[i] is i + 1
  TestObservers<SWUI::ITvDataSetObserver> observers_;
};
