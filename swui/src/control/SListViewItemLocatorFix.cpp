#include "control/SListViewItemLocatorFix.h"

#include <algorithm>
#include <climits>

namespace SWUI {

namespace {

int ToInt(long long value) {
  return static_cast<int>(std::min<long long>(std::max<long long>(value, INT_MIN), INT_MAX));
}

}  // namespace

SListViewItemLocatorFix::SListViewItemLocatorFix(const SLayoutSize& itemHeight,
                                                 const SLayoutSize& dividerSize)
    : m_nItemHeight(itemHeight), m_nDividerSize(dividerSize) {}

int SListViewItemLocatorFix::GetItemHeight(int) const {
  return std::max(m_nItemHeight.toPixelSize(m_nScale), 0);
}

int SListViewItemLocatorFix::GetDividerSize() const {
  return std::max(m_nDividerSize.toPixelSize(m_nScale), 0);
}

int SListViewItemLocatorFix::GetLine() const {
  return std::max(GetItemHeight(0) + GetDividerSize(), 1);
}

int SListViewItemLocatorFix::GetCount() const {
  return m_adapter != nullptr ? std::max(m_adapter->GetCount(), 0) : 0;
}

int SListViewItemLocatorFix::GetTotalHeight() {
  const int count = GetCount();
  if (count == 0) return 0;
  return ToInt(static_cast<long long>(count) * GetLine() - GetDividerSize());
}

int SListViewItemLocatorFix::Item2Position(int iItem) {
  if (iItem < 0 || iItem >= GetCount()) return 0;
  return ToInt(static_cast<long long>(iItem) * GetLine());
}

int SListViewItemLocatorFix::Position2Item(int position) {
  if (m_adapter == nullptr) return -1;
  return std::min(std::max(position / GetLine(), 0), GetCount());
}

}  // namespace SWUI
