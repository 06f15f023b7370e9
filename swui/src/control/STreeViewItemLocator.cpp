#include "control/STreeViewItemLocator.h"

#include <algorithm>

namespace SWUI {

namespace {

constexpr HSTREEITEM kRoot = ITvAdapter::ITEM_ROOT;

}  // namespace

STreeViewItemLocator::STreeViewItemLocator(int nIndent) : m_nIndent(std::max(nIndent, 0)) {}

// ---- data words --------------------------------------------------------------------------

int STreeViewItemLocator::Data(HSTREEITEM hItem, int index) const {
  if (m_adapter == nullptr || hItem == 0) return 0;
  return static_cast<int>(static_cast<LONG_PTR>(m_adapter->GetItemDataByIndex(hItem, index)));
}

void STreeViewItemLocator::SetData(HSTREEITEM hItem, int index, int value) {
  if (m_adapter == nullptr || hItem == 0) return;
  m_adapter->SetItemDataByIndex(hItem, index, static_cast<ULONG_PTR>(static_cast<LONG_PTR>(value)));
}

BOOL STreeViewItemLocator::IsExpanded(HSTREEITEM hItem) const {
  return hItem == kRoot || m_adapter->IsItemExpanded(hItem);
}

int STreeViewItemLocator::ShownHeight(HSTREEITEM hItem) const {
  const int height = Data(hItem, TVDATA_ITEM_HEIGHT);
  return IsExpanded(hItem) ? height + Data(hItem, TVDATA_BRANCH_HEIGHT) : height;
}

int STreeViewItemLocator::ShownWidth(HSTREEITEM hItem) const {
  const int width = Data(hItem, TVDATA_ITEM_WIDTH);
  return IsExpanded(hItem) ? std::max(width, Data(hItem, TVDATA_BRANCH_WIDTH)) : width;
}

int STreeViewItemLocator::ChildIndent(HSTREEITEM hItem) const {
  return hItem == kRoot ? 0 : m_nIndent;
}

int STreeViewItemLocator::WidestChild(HSTREEITEM hItem) const {
  int widest = 0;
  for (HSTREEITEM c = m_adapter->GetFirstChildItem(hItem); c != 0;
       c = m_adapter->GetNextSiblingItem(c)) {
    widest = std::max(widest, ShownWidth(c));
  }
  return widest;
}

// ---- measuring ---------------------------------------------------------------------------

void STreeViewItemLocator::SetAdapter(ITvAdapter* pAdapter) {
  m_adapter = pAdapter;
  if (m_adapter != nullptr) RebuildBranch(kRoot);
}

void STreeViewItemLocator::RebuildBranch(HSTREEITEM hItem) {
  const bool root = hItem == kRoot;
  SetData(hItem, TVDATA_ITEM_HEIGHT, root ? 0 : kDefHeight);
  SetData(hItem, TVDATA_ITEM_WIDTH, root ? 0 : kDefWidth);
  int height = 0;
  int widest = -1;
  if (m_adapter->HasChildren(hItem)) {
    for (HSTREEITEM c = m_adapter->GetFirstChildItem(hItem); c != 0;
         c = m_adapter->GetNextSiblingItem(c)) {
      SetData(c, TVDATA_ITEM_OFFSET, height);
      RebuildBranch(c);
      height += ShownHeight(c);
      widest = std::max(widest, ShownWidth(c));
    }
  }
  SetData(hItem, TVDATA_BRANCH_HEIGHT, height);
  SetData(hItem, TVDATA_BRANCH_WIDTH, widest < 0 ? 0 : widest + ChildIndent(hItem));
}

void STreeViewItemLocator::AddToAncestors(HSTREEITEM hItem, int delta) {
  if (delta == 0) return;
  for (HSTREEITEM p = m_adapter->GetParentItem(hItem); p != 0; p = m_adapter->GetParentItem(p)) {
    SetData(p, TVDATA_BRANCH_HEIGHT, Data(p, TVDATA_BRANCH_HEIGHT) + delta);
    if (p == kRoot || !IsExpanded(p)) break;
  }
}

void STreeViewItemLocator::UpdateSiblingOffsets(HSTREEITEM hItem) {
  for (HSTREEITEM h = hItem; h != 0 && h != kRoot;) {
    int offset = Data(h, TVDATA_ITEM_OFFSET);
    HSTREEITEM prev = h;
    for (HSTREEITEM s = m_adapter->GetNextSiblingItem(h); s != 0;
         s = m_adapter->GetNextSiblingItem(s)) {
      offset += ShownHeight(prev);
      SetData(s, TVDATA_ITEM_OFFSET, offset);
      prev = s;
    }
    h = m_adapter->GetParentItem(h);
    if (h != kRoot && h != 0 && !IsExpanded(h)) break;
  }
}

void STreeViewItemLocator::PropagateWidth(HSTREEITEM hItem, int oldWidth, int newWidth) {
  while (oldWidth != newWidth) {
    const HSTREEITEM p = m_adapter->GetParentItem(hItem);
    if (p == 0) return;
    const int indent = ChildIndent(p);
    const int branch = Data(p, TVDATA_BRANCH_WIDTH);
    int newBranch;
    if (newWidth + indent > branch) {
      newBranch = newWidth + indent;
    } else if (newWidth < oldWidth && oldWidth + indent >= branch) {
      newBranch = WidestChild(p) + indent;  // the widest shrank: another may be widest now
    } else {
      return;
    }
    if (newBranch == branch) return;
    const int oldShown = ShownWidth(p);
    SetData(p, TVDATA_BRANCH_WIDTH, newBranch);
    hItem = p;
    oldWidth = oldShown;
    newWidth = ShownWidth(p);
  }
}

void STreeViewItemLocator::OnBranchChanged(HSTREEITEM hItem) {
  if (m_adapter == nullptr || hItem == 0) return;
  const int oldHeight = ShownHeight(hItem);
  const int oldWidth = ShownWidth(hItem);
  RebuildBranch(hItem);
  if (hItem == kRoot) return;
  const int newHeight = ShownHeight(hItem);
  if (newHeight != oldHeight) {
    AddToAncestors(hItem, newHeight - oldHeight);
    UpdateSiblingOffsets(hItem);
  }
  PropagateWidth(hItem, oldWidth, ShownWidth(hItem));
}

void STreeViewItemLocator::OnBranchExpandedChanged(HSTREEITEM hItem, BOOL bExpandedOld,
                                                   BOOL bExpandedNew) {
  if (m_adapter == nullptr || hItem == 0 || hItem == kRoot) return;
  if (!bExpandedOld == !bExpandedNew) return;
  const int branch = Data(hItem, TVDATA_BRANCH_HEIGHT);
  AddToAncestors(hItem, bExpandedNew ? branch : -branch);
  UpdateSiblingOffsets(hItem);
  const int width = Data(hItem, TVDATA_ITEM_WIDTH);
  const int wide = std::max(width, Data(hItem, TVDATA_BRANCH_WIDTH));
  PropagateWidth(hItem, bExpandedOld ? wide : width, bExpandedNew ? wide : width);
}

void STreeViewItemLocator::SetItemHeight(HSTREEITEM hItem, int nHeight) {
  if (m_adapter == nullptr || hItem == 0 || hItem == kRoot) return;
  nHeight = std::max(nHeight, 0);
  const int old = Data(hItem, TVDATA_ITEM_HEIGHT);
  if (old == nHeight) return;
  SetData(hItem, TVDATA_ITEM_HEIGHT, nHeight);
  AddToAncestors(hItem, nHeight - old);
  UpdateSiblingOffsets(hItem);
}

void STreeViewItemLocator::SetItemWidth(HSTREEITEM hItem, int nWidth) {
  if (m_adapter == nullptr || hItem == 0 || hItem == kRoot) return;
  nWidth = std::max(nWidth, 0);
  if (Data(hItem, TVDATA_ITEM_WIDTH) == nWidth) return;
  const int old = ShownWidth(hItem);
  SetData(hItem, TVDATA_ITEM_WIDTH, nWidth);
  PropagateWidth(hItem, old, ShownWidth(hItem));
}

int STreeViewItemLocator::GetItemHeight(HSTREEITEM hItem) {
  return Data(hItem, TVDATA_ITEM_HEIGHT);
}

int STreeViewItemLocator::GetItemWidth(HSTREEITEM hItem) { return Data(hItem, TVDATA_ITEM_WIDTH); }

int STreeViewItemLocator::GetTotalHeight() { return Data(kRoot, TVDATA_BRANCH_HEIGHT); }

int STreeViewItemLocator::GetTotalWidth() { return Data(kRoot, TVDATA_BRANCH_WIDTH); }

// ---- positions ---------------------------------------------------------------------------

int STreeViewItemLocator::GetItemIndent(HSTREEITEM hItem) {
  if (m_adapter == nullptr || hItem == 0) return 0;
  int depth = 0;
  for (HSTREEITEM p = m_adapter->GetParentItem(hItem); p != 0 && p != kRoot;
       p = m_adapter->GetParentItem(p)) {
    ++depth;
  }
  return depth * m_nIndent;
}

int STreeViewItemLocator::Item2Position(HSTREEITEM hItem) {
  if (m_adapter == nullptr || hItem == 0 || hItem == kRoot) return -1;
  if (!m_adapter->IsItemVisible(hItem)) return -1;
  int position = Data(hItem, TVDATA_ITEM_OFFSET);
  for (HSTREEITEM p = m_adapter->GetParentItem(hItem); p != 0 && p != kRoot;
       p = m_adapter->GetParentItem(p)) {
    position += Data(p, TVDATA_ITEM_OFFSET) + Data(p, TVDATA_ITEM_HEIGHT);
  }
  return position;
}

HSTREEITEM STreeViewItemLocator::Position2Item(int position) {
  if (m_adapter == nullptr || position < 0) return 0;
  HSTREEITEM h = kRoot;
  int base = 0;
  while (h != 0) {
    if (position >= base + ShownHeight(h)) return 0;
    const int height = Data(h, TVDATA_ITEM_HEIGHT);
    if (base + height > position) return h;
    h = ChildAt(h, base + height, position, base);
  }
  return 0;
}

HSTREEITEM STreeViewItemLocator::ChildAt(HSTREEITEM hItem, int top, int position, int& base) {
  // The children are searched from the nearer end of the branch.
  const int branch = Data(hItem, TVDATA_BRANCH_HEIGHT);
  if (position - top >= branch / 2) {
    int q = top + branch;
    for (HSTREEITEM c = m_adapter->GetLastChildItem(hItem); c != 0;
         c = m_adapter->GetPrevSiblingItem(c)) {
      q -= ShownHeight(c);
      if (q <= position) {
        base = q;
        return c;
      }
    }
    return 0;
  }
  int q = top;
  for (HSTREEITEM c = m_adapter->GetFirstChildItem(hItem); c != 0;
       c = m_adapter->GetNextSiblingItem(c)) {
    const int shown = ShownHeight(c);
    if (q + shown > position) {
      base = q;
      return c;
    }
    q += shown;
  }
  return 0;
}

}  // namespace SWUI
