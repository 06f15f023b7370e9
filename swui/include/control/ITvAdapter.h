// The contract between the tree view and the application's tree. The framework has no adapter
// of its own: an application implements this interface and hands the adapter to a view, which
// holds one reference.
//
// Items are pointer-sized handles of the adapter's choosing; 0 is no item and ITEM_ROOT the
// invisible root whose children are the top-level items (the root answers expanded). Besides
// the tree itself the adapter keeps a few data words per item for the view (GetItemDataByIndex,
// SetItemDataByIndex, by TvDataIndex): the view's locator stores every item's geometry there,
// so finding a row walks the tree, not the rows. UI thread only; the adapter notifies its
// observers on the UI thread (ExpandItem included).
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "base/IObjRef.h"
#include "core/STree.h"

namespace SWUI {

class SWindow;
struct ITvDataSetObserver;

// The data words the view keeps per item (integers), by index. Index 4 is the application's:
// the view neither reads nor writes it.
enum TvDataIndex {
  TVDATA_ITEM_HEIGHT = 0,
  TVDATA_ITEM_WIDTH = 1,
  TVDATA_BRANCH_HEIGHT = 2,  // the children's heights, each with its own shown branch
  TVDATA_BRANCH_WIDTH = 3,   // the widest child with its shown branch, plus the indent
  TVDATA_ITEM_OFFSET = 5,    // the item's top within its parent's branch
  TVDATA_COUNT = 6,
};

// ExpandItem's codes.
enum TvExpandCode {
  TVC_COLLAPSE = 1,
  TVC_EXPAND = 2,
  TVC_TOGGLE = 3,
};

struct ITvAdapter : public IObjRef {
  static constexpr HSTREEITEM ITEM_NULL = 0;
  static constexpr HSTREEITEM ITEM_ROOT = STVI_ROOT;

  // The view's observer, registered when the adapter is set and unregistered when it is
  // replaced or the view is destroyed.
  virtual void RegisterObserver(ITvDataSetObserver* observer) = 0;
  virtual void UnregisterObserver(ITvDataSetObserver* observer) = 0;
  // The item's data word of that index (0 until set).
  virtual ULONG_PTR GetItemDataByIndex(HSTREEITEM hItem, int index) = 0;
  virtual void SetItemDataByIndex(HSTREEITEM hItem, int index, ULONG_PTR data) = 0;
  // The tree: ITEM_ROOT is the parent of a top-level item, 0 the parent of the root; 0 for no
  // such item.
  virtual HSTREEITEM GetParentItem(HSTREEITEM hItem) = 0;
  virtual HSTREEITEM GetFirstChildItem(HSTREEITEM hItem) = 0;
  virtual HSTREEITEM GetLastChildItem(HSTREEITEM hItem) = 0;
  virtual HSTREEITEM GetPrevSiblingItem(HSTREEITEM hItem) = 0;
  virtual HSTREEITEM GetNextSiblingItem(HSTREEITEM hItem) = 0;
  virtual BOOL HasChildren(HSTREEITEM hItem) = 0;
  // Every ancestor is expanded.
  virtual BOOL IsItemVisible(HSTREEITEM hItem) = 0;
  // Items in display order (the visible ones, top to bottom); 0 past either end.
  virtual HSTREEITEM GetFirstVisibleItem() = 0;
  // No view calls this one; the application's.
  virtual HSTREEITEM GetLastVisibleItem() = 0;
  virtual HSTREEITEM GetPrevVisibleItem(HSTREEITEM hItem) = 0;
  virtual HSTREEITEM GetNextVisibleItem(HSTREEITEM hItem) = 0;
  // Collapses, expands or toggles (TvExpandCode); a change is told to the observers
  // (OnBranchExpandedChanged).
  virtual void ExpandItem(HSTREEITEM hItem, UINT uCode) = 0;
  virtual BOOL IsItemExpanded(HSTREEITEM hItem) = 0;
  // No view calls this one; the application's.
  virtual void SetItemExpanded(HSTREEITEM hItem, BOOL bExpanded) = 0;
  // Fills or refreshes the item's element tree. pItem is the item's root element (empty the
  // first time); xmlTemplate the view's "template" element.
  virtual void GetView(HSTREEITEM hItem, SWindow* pItem, pugi::xml_node xmlTemplate) = 0;
  // The item's view type, 0 .. GetViewTypeCount() - 1; trees are reused only within a type.
  virtual int GetViewType(HSTREEITEM hItem) = 0;
  virtual int GetViewTypeCount() = 0;
  // The item's size in the container rectangle (left the item's indent, top 0, right the
  // view's client width, bottom 10000).
  virtual SIZE GetViewDesiredSize(HSTREEITEM hItem, SWindow* pItem, LPCRECT prcContainer) = 0;
  // TRUE: the items are as wide as the view, which then shows no horizontal bar.
  virtual BOOL IsViewWidthMatchParent() = 0;
  // Called once when the adapter is set.
  virtual void InitByTemplate(pugi::xml_node xmlTemplate) = 0;

 protected:
  ~ITvAdapter() = default;
};

}  // namespace SWUI
