// Where the rows of a tree view lie: every item's height and width (as the adapter sized it),
// its top in the view (-1 while an ancestor is collapsed), the item at an offset, the indent of
// its depth, and the whole tree's size, all in pixels. The locator keeps its figures in the
// adapter's data words of each item (TvDataIndex), so it walks the tree, never every row.
// UI thread only.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"
#include "core/STree.h"

namespace SWUI {

struct ITvAdapter;

struct ITreeViewItemLocator : public IObjRef {
  // The whole tree is measured again (every item at the default size).
  virtual void SetAdapter(ITvAdapter* pAdapter) = 0;
  // The item's branch changed: it and everything below it go back to the default size.
  virtual void OnBranchChanged(HSTREEITEM hItem) = 0;
  virtual void OnBranchExpandedChanged(HSTREEITEM hItem, BOOL bExpandedOld, BOOL bExpandedNew) = 0;
  // The shown rows: the sum of their heights, and the widest row's right edge.
  virtual int GetTotalHeight() = 0;
  virtual int GetTotalWidth() = 0;
  virtual int Item2Position(HSTREEITEM hItem) = 0;
  // The shown item at an offset; 0 outside the rows.
  virtual HSTREEITEM Position2Item(int position) = 0;
  virtual int GetScrollLineSize() = 0;
  virtual void SetItemWidth(HSTREEITEM hItem, int nWidth) = 0;
  virtual int GetItemWidth(HSTREEITEM hItem) = 0;
  virtual void SetItemHeight(HSTREEITEM hItem, int nHeight) = 0;
  virtual int GetItemHeight(HSTREEITEM hItem) = 0;
  // The indent times the item's ancestors below the root.
  virtual int GetItemIndent(HSTREEITEM hItem) = 0;

 protected:
  virtual ~ITreeViewItemLocator() = default;
};

}  // namespace SWUI
