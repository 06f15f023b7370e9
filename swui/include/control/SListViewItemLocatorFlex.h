// The item locator of a list whose rows have heights of their own (the adapter's desired
// heights, told through SetItemHeight; rows not told yet have the default height). Rows lie in
// segments of at most 50, the leaves of a tree of branches with at most 10 sub-branches each;
// every branch keeps the sum of its rows' lines, so an offset or the row at an offset is
// found by walking one path of the tree and one segment, never every row.
//
// The tree is built for the adapter's count by OnDataSetChanged (and by SetAdapter and
// SetScale), every row at the default height: d levels of branches above the leaves, d the
// least with 50 x 10^d >= count. A position at the boundary of two rows belongs to the upper
// one.
#pragma once
#include <vector>

#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"
#include "control/IListViewItemLocator.h"
#include "control/ILvAdapter.h"
#include "core/SLayoutSize.h"
#include "core/STree.h"

namespace SWUI {

class SListViewItemLocatorFlex : public TObjRefImpl<IListViewItemLocator> {
 public:
  static constexpr int kSegmentRows = 50;
  static constexpr int kSubBranches = 10;

  SListViewItemLocatorFlex(const SLayoutSize& defHeight, const SLayoutSize& dividerSize);

  void SetAdapter(ILvAdapter* pAdapter) override;
  void OnDataSetChanged() override;
  BOOL IsFixHeight() const override { return FALSE; }
  int GetItemHeight(int iItem) const override;
  // A negative height counts as 0.
  void SetItemHeight(int iItem, int nHeight) override;
  int GetTotalHeight() override;
  int Item2Position(int iItem) override;
  // -1 without an adapter and outside [0, GetTotalHeight()).
  int Position2Item(int position) override;
  // The default line.
  int GetScrollLineSize() const override { return m_nDefLine; }
  int GetDividerSize() const override { return m_nDivider; }
  void SetScale(int scale) override;

  // The shape of the tree: levels of branches above the leaves, the rows the top branch may
  // hold (50 x 10^depth) and the rows of each segment in order.
  int GetDepth() const { return m_nDepth; }
  long long GetTopBranchSize() const { return m_nTopSize; }
  std::vector<int> GetSegmentRows() const;

 private:
  struct BranchInfo {
    int nBranchHei;   // the sum of its rows' lines
    int nBranchSize;  // rows
  };
  struct Segment {
    HSTREEITEM hBranch;
    int nItems;
    int lines[kSegmentRows];  // -1: the default line
  };

  void Clear();
  // Appends a branch of nRows rows under hParent, whose sub-branches hold up to nSubSize / 10
  // rows; false when memory runs out.
  bool BuildBranch(HSTREEITEM hParent, int nRows, long long nSubSize);
  int LineOf(int iItem) const;
  // The heights of every branch before this one in the tree's order.
  int BranchOffset(HSTREEITEM hBranch) const;

  SLayoutSize m_nDefHeight;
  SLayoutSize m_nDividerSize;
  int m_nScale = 100;
  // In pixels at the scale: the divider, and the line of a row of the default height.
  int m_nDivider = 0;
  int m_nDefLine = 0;
  SAutoRefPtr<ILvAdapter> m_adapter;
  CSTree<BranchInfo> m_branches;
  std::vector<Segment> m_segments;
  int m_nRows = 0;
  int m_nDepth = 0;
  long long m_nTopSize = 0;
};

}  // namespace SWUI
