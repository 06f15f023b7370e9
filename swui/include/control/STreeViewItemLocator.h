// The tree view's locator: it keeps, in the adapter's data words of every item (TvDataIndex),
// the item's height and width, its branch's height (the children with their own shown
// branches) and width (the widest of them plus the indent below a top-level item), and its
// top within its parent's branch. A change of one item corrects its ancestors and the offsets
// of the siblings after it and after each shown ancestor, so positions are found by walking
// the tree (depth times siblings), never every row.
//
// A branch counts only while its item is expanded: a collapsed item is its own row, as tall
// and as wide as that row. Items not yet sized are 50 px high and 10 px wide; the root is
// 0 x 0. Heights and widths below 0 count as 0. UI thread only.
#pragma once
#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"
#include "control/ITreeViewItemLocator.h"
#include "control/ITvAdapter.h"

namespace SWUI {

class STreeViewItemLocator : public TObjRefImpl<ITreeViewItemLocator> {
 public:
  static constexpr int kLineSize = 50;
  static constexpr int kDefWidth = 10;
  static constexpr int kDefHeight = 50;

  explicit STreeViewItemLocator(int nIndent);

  int GetIndent() const { return m_nIndent; }

  // Measures the whole tree (every item at the default size).
  void SetAdapter(ITvAdapter* pAdapter) override;
  void OnBranchChanged(HSTREEITEM hItem) override;
  void OnBranchExpandedChanged(HSTREEITEM hItem, BOOL bExpandedOld, BOOL bExpandedNew) override;
  int GetTotalHeight() override;
  int GetTotalWidth() override;
  // -1 for an item with a collapsed ancestor, for the root and for 0.
  int Item2Position(HSTREEITEM hItem) override;
  HSTREEITEM Position2Item(int position) override;
  int GetScrollLineSize() override { return kLineSize; }
  void SetItemWidth(HSTREEITEM hItem, int nWidth) override;
  int GetItemWidth(HSTREEITEM hItem) override;
  void SetItemHeight(HSTREEITEM hItem, int nHeight) override;
  int GetItemHeight(HSTREEITEM hItem) override;
  int GetItemIndent(HSTREEITEM hItem) override;

 private:
  int Data(HSTREEITEM hItem, int index) const;
  void SetData(HSTREEITEM hItem, int index, int value);
  BOOL IsExpanded(HSTREEITEM hItem) const;
  // The item's row with its branch when expanded: its height and its width from its left edge.
  int ShownHeight(HSTREEITEM hItem) const;
  int ShownWidth(HSTREEITEM hItem) const;
  // What a branch adds to its children's widths: the indent, except below the root.
  int ChildIndent(HSTREEITEM hItem) const;
  int WidestChild(HSTREEITEM hItem) const;
  // The child of an expanded item whose shown rows hold position (the branch starting at top),
  // and its top in base; 0 for none.
  HSTREEITEM ChildAt(HSTREEITEM hItem, int top, int position, int& base);
  // Sizes the item and everything below it anew, at the default size.
  void RebuildBranch(HSTREEITEM hItem);
  // The item's shown height changed by delta: its ancestors' branches follow, up to the first
  // one that is collapsed (it takes the change; above it nothing shows it).
  void AddToAncestors(HSTREEITEM hItem, int delta);
  // The offsets of the siblings after the item, and after each shown ancestor.
  void UpdateSiblingOffsets(HSTREEITEM hItem);
  // The item's shown width went from oldWidth to newWidth: its ancestors' branch widths follow
  // as far as they change.
  void PropagateWidth(HSTREEITEM hItem, int oldWidth, int newWidth);

  SAutoRefPtr<ITvAdapter> m_adapter;
  int m_nIndent;
};

}  // namespace SWUI
