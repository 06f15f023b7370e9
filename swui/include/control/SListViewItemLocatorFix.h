// The item locator of a list whose rows all have one height: row i starts at i x line, where a
// line is the item height plus the divider. A line under one pixel counts as one pixel.
#pragma once
#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"
#include "control/IListViewItemLocator.h"
#include "control/ILvAdapter.h"
#include "core/SLayoutSize.h"

namespace SWUI {

class SListViewItemLocatorFix : public TObjRefImpl<IListViewItemLocator> {
 public:
  SListViewItemLocatorFix(const SLayoutSize& itemHeight, const SLayoutSize& dividerSize);

  void SetAdapter(ILvAdapter* pAdapter) override { m_adapter = pAdapter; }
  void OnDataSetChanged() override {}
  BOOL IsFixHeight() const override { return TRUE; }
  // The item height, whatever the position.
  int GetItemHeight(int iItem) const override;
  void SetItemHeight(int, int) override {}
  // 0 without rows; else rows x line - divider.
  int GetTotalHeight() override;
  int Item2Position(int iItem) override;
  // -1 without an adapter; else y / line, kept within 0 .. count.
  int Position2Item(int position) override;
  int GetScrollLineSize() const override { return GetLine(); }
  int GetDividerSize() const override;
  void SetScale(int scale) override { m_nScale = scale; }

 private:
  int GetLine() const;
  int GetCount() const;

  SLayoutSize m_nItemHeight;
  SLayoutSize m_nDividerSize;
  int m_nScale = 100;
  SAutoRefPtr<ILvAdapter> m_adapter;
};

}  // namespace SWUI
