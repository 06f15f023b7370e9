#include "control/SListViewItemLocatorFlex.h"

#include <algorithm>

namespace SWUI {

SListViewItemLocatorFlex::SListViewItemLocatorFlex(const SLayoutSize& defHeight,
                                                   const SLayoutSize& dividerSize)
    : m_nDefHeight(defHeight), m_nDividerSize(dividerSize) {
  OnDataSetChanged();
}

void SListViewItemLocatorFlex::SetAdapter(ILvAdapter* pAdapter) {
  m_adapter = pAdapter;
  OnDataSetChanged();
}

void SListViewItemLocatorFlex::SetScale(int scale) {
  m_nScale = scale;
  OnDataSetChanged();
}

void SListViewItemLocatorFlex::Clear() {
  m_branches.DeleteAllItems();
  m_segments.clear();
  m_nRows = 0;
  m_nDepth = 0;
  m_nTopSize = 0;
}

void SListViewItemLocatorFlex::OnDataSetChanged() {
  Clear();
  m_nDivider = std::max(m_nDividerSize.toPixelSize(m_nScale), 0);
  m_nDefLine = std::max(m_nDefHeight.toPixelSize(m_nScale), 0) + m_nDivider;
  const int count = m_adapter != nullptr ? m_adapter->GetCount() : 0;
  if (count <= 0) return;
  // Counted in integers: a logarithm in doubles can land a level high at a power of ten.
  long long topSize = kSegmentRows;
  while (topSize < count) {
    topSize *= kSubBranches;
    ++m_nDepth;
  }
  m_nTopSize = topSize;
  m_segments.reserve(static_cast<size_t>((count + kSegmentRows - 1) / kSegmentRows));
  if (!BuildBranch(STVI_ROOT, count, topSize)) {
    Clear();
    return;
  }
  m_nRows = count;
}

bool SListViewItemLocatorFlex::BuildBranch(HSTREEITEM hParent, int nRows, long long nSubSize) {
  const BranchInfo info = {nRows * m_nDefLine, nRows};
  const HSTREEITEM hBranch = m_branches.InsertItem(info, hParent);
  if (hBranch == 0) return false;
  if (nRows <= kSegmentRows) {
    Segment segment;
    segment.hBranch = hBranch;
    segment.nItems = nRows;
    std::fill(segment.lines, segment.lines + kSegmentRows, -1);
    m_segments.push_back(segment);
    return true;
  }
  const long long childSize = nSubSize / kSubBranches;
  for (int rest = nRows; rest > 0;) {
    const int rows = static_cast<int>(std::min<long long>(childSize, rest));
    if (!BuildBranch(hBranch, rows, childSize)) return false;
    rest -= rows;
  }
  return true;
}

std::vector<int> SListViewItemLocatorFlex::GetSegmentRows() const {
  std::vector<int> rows;
  for (const Segment& segment : m_segments) rows.push_back(segment.nItems);
  return rows;
}

int SListViewItemLocatorFlex::LineOf(int iItem) const {
  const int line = m_segments[iItem / kSegmentRows].lines[iItem % kSegmentRows];
  return line == -1 ? m_nDefLine : line;
}

int SListViewItemLocatorFlex::GetItemHeight(int iItem) const {
  if (iItem < 0 || iItem >= m_nRows) return 0;
  return LineOf(iItem) - m_nDivider;
}

void SListViewItemLocatorFlex::SetItemHeight(int iItem, int nHeight) {
  if (iItem < 0 || iItem >= m_nRows) return;
  const int newLine = std::max(nHeight, 0) + m_nDivider;
  const int oldLine = LineOf(iItem);
  Segment& segment = m_segments[iItem / kSegmentRows];
  segment.lines[iItem % kSegmentRows] = newLine;
  if (newLine == oldLine) return;
  for (HSTREEITEM h = segment.hBranch; h != 0; h = m_branches.GetParentItem(h)) {
    m_branches.GetItem(h).nBranchHei += newLine - oldLine;
  }
}

int SListViewItemLocatorFlex::GetTotalHeight() {
  const HSTREEITEM top = m_branches.GetRootItem();
  if (top == 0) return 0;
  return m_branches.GetItem(top).nBranchHei - m_nDivider;
}

int SListViewItemLocatorFlex::BranchOffset(HSTREEITEM hBranch) const {
  int offset = 0;
  for (HSTREEITEM h = hBranch; h != 0; h = m_branches.GetParentItem(h)) {
    for (HSTREEITEM prev = m_branches.GetPrevSiblingItem(h); prev != 0;
         prev = m_branches.GetPrevSiblingItem(prev)) {
      offset += m_branches.GetItem(prev).nBranchHei;
    }
  }
  return offset;
}

int SListViewItemLocatorFlex::Item2Position(int iItem) {
  if (iItem < 0 || iItem >= m_nRows) return 0;
  const Segment& segment = m_segments[iItem / kSegmentRows];
  int offset = BranchOffset(segment.hBranch);
  for (int i = 0; i < iItem % kSegmentRows; ++i) {
    offset += segment.lines[i] == -1 ? m_nDefLine : segment.lines[i];
  }
  return offset;
}

int SListViewItemLocatorFlex::Position2Item(int position) {
  if (m_adapter == nullptr || position < 0 || position >= GetTotalHeight()) return -1;
  int rest = position;
  int first = 0;
  HSTREEITEM branch = m_branches.GetRootItem();
  while (branch != 0 && m_branches.ItemHasChildren(branch)) {
    HSTREEITEM child = m_branches.GetChildItem(branch);
    // A position equal to a branch's height stays in that branch.
    for (HSTREEITEM next = m_branches.GetNextSiblingItem(child); next != 0;
         next = m_branches.GetNextSiblingItem(child)) {
      const BranchInfo& info = m_branches.GetItem(child);
      if (rest <= info.nBranchHei) break;
      rest -= info.nBranchHei;
      first += info.nBranchSize;
      child = next;
    }
    branch = child;
  }
  const Segment& segment = m_segments[first / kSegmentRows];
  for (int i = 0; i < segment.nItems; ++i) {
    const int line = LineOf(first + i);
    if (line >= rest) return first + i;
    rest -= line;
  }
  return -1;
}

}  // namespace SWUI
