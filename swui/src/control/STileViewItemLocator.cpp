#include "control/STileViewItemLocator.h"

#include <algorithm>

#include "control/LocatorOffset.h"

namespace SWUI {

STileViewItemLocator::STileViewItemLocator(const SLayoutSize& itemWidth,
                                           const SLayoutSize& itemHeight,
                                           const SLayoutSize& margin)
    : m_nItemWidth(itemWidth), m_nItemHeight(itemHeight), m_nMargin(margin) {}

bool STileViewItemLocator::Fits(const SLayoutSize& itemWidth, const SLayoutSize& itemHeight,
                                const SLayoutSize& margin, int scale) {
  if (!itemWidth.IsSpecifiedSize() || !itemHeight.IsSpecifiedSize() ||
      !margin.IsSpecifiedSize()) {
    return false;
  }
  const long long m = margin.toPixelSize(scale);
  return itemWidth.toPixelSize(scale) + m >= 1 && itemHeight.toPixelSize(scale) + m >= 1;
}

int STileViewItemLocator::GetItemWidth() const {
  return std::max(m_nItemWidth.toPixelSize(m_nScale), 0);
}

int STileViewItemLocator::GetItemHeight() const {
  return std::max(m_nItemHeight.toPixelSize(m_nScale), 0);
}

int STileViewItemLocator::GetItemHeight(int iItem) const {
  return iItem >= 0 && iItem < GetCount() ? GetItemHeight() : 0;
}

int STileViewItemLocator::GetMarginSize() const {
  return std::max(m_nMargin.toPixelSize(m_nScale), 0);
}

int STileViewItemLocator::GetColumnWidth() const {
  return std::max(SaturateOffset(static_cast<long long>(GetItemWidth()) + GetMarginSize()), 1);
}

int STileViewItemLocator::GetItemLineHeight() const {
  return std::max(SaturateOffset(static_cast<long long>(GetItemHeight()) + GetMarginSize()), 1);
}

int STileViewItemLocator::GetCountInRow() const {
  return std::max(m_nViewWidth / GetColumnWidth(), 1);
}

int STileViewItemLocator::GetCount() const {
  return m_adapter != nullptr ? std::max(m_adapter->GetCount(), 0) : 0;
}

RECT STileViewItemLocator::GetItemRect(int iItem) const {
  const int n = GetCountInRow();
  const long long row = std::max(iItem, 0) / n;
  const long long column = std::max(iItem, 0) - row * n;
  const int m = GetMarginSize();
  const int left = SaturateOffset(GetColumnWidth() * column + m);
  const int top = SaturateOffset(GetItemLineHeight() * row + m);
  return RECT{left, top, SaturateOffset(static_cast<long long>(left) + GetItemWidth()),
              SaturateOffset(static_cast<long long>(top) + GetItemHeight())};
}

int STileViewItemLocator::Item2Position(int iItem) {
  return SaturateOffset(static_cast<long long>(std::max(iItem, 0) / GetCountInRow()) *
               GetItemLineHeight());
}

int STileViewItemLocator::Position2Item(int position) {
  if (m_adapter == nullptr) return -1;
  const int count = GetCount();
  long long row = position / GetItemLineHeight();
  // The margin below the last row belongs to it.
  if (count > 0 && position < GetTotalHeight()) {
    row = std::min(row, (count - 1LL) / GetCountInRow());
  }
  const long long item = row * GetCountInRow();
  return static_cast<int>(std::min<long long>(std::max<long long>(item, 0), count));
}

int STileViewItemLocator::GetTotalHeight() {
  const int count = GetCount();
  if (count == 0) return 0;
  const long long rows = (count - 1) / GetCountInRow() + 1;
  return SaturateOffset(rows * GetItemLineHeight() + GetMarginSize());
}

bool STileViewItemLocator::IsLastInRow(int iItem) const {
  const int n = GetCountInRow();
  return iItem % n == n - 1;
}

int STileViewItemLocator::GetUpItem(int iItem) const {
  const int up = iItem - GetCountInRow();
  return up < 0 ? iItem : up;
}

int STileViewItemLocator::GetDownItem(int iItem) const {
  const int n = GetCountInRow();
  const int count = GetCount();
  if (static_cast<long long>(iItem) + n < count) return iItem + n;
  if (count == 0 || iItem / n == (count - 1) / n) return iItem;
  return count - 1;
}

}  // namespace SWUI
