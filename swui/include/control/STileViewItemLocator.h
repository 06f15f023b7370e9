// Where the tiles of a tile view lie: equal tiles of w x h with a margin m around and between
// them, filling the view's width row by row (n = view width / (w + m) per row, at least one).
// Item i is in row i / n and column i mod n; its tile starts at ((w + m) x column + m,
// (h + m) x row + m). A row's band (its line, h + m) starts at (h + m) x row, the margin above
// its tiles included. Sizes are converted to pixels at the locator's scale; a tile with its
// margin under one pixel, in either direction, counts as one pixel.
//
// It is the tile view's list locator: every tile is a fixed row of the tile height (0 outside
// the items), no divider, nothing stored per row, and the count read from the adapter each
// time (a data-set change has nothing to read again). UI thread only.
#pragma once
#include <windows.h>

#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"
#include "control/IListViewItemLocator.h"
#include "control/ILvAdapter.h"
#include "core/SLayoutSize.h"

namespace SWUI {

class STileViewItemLocator : public TObjRefImpl<IListViewItemLocator> {
 public:
  STileViewItemLocator(const SLayoutSize& itemWidth, const SLayoutSize& itemHeight,
                       const SLayoutSize& margin);

  // Whether tiles of these sizes can be laid out at a scale: both given in a unit (not
  // negative) and each with the margin at least one pixel.
  static bool Fits(const SLayoutSize& itemWidth, const SLayoutSize& itemHeight,
                   const SLayoutSize& margin, int scale);

  // Whether this locator's tiles fit with another margin at its scale.
  bool FitsMargin(const SLayoutSize& margin) const {
    return Fits(m_nItemWidth, m_nItemHeight, margin, m_nScale);
  }

  void SetAdapter(ILvAdapter* adapter) override { m_adapter = adapter; }
  // The width of the view's client area in pixels.
  void SetViewWidth(int width) { m_nViewWidth = width; }
  int GetViewWidth() const { return m_nViewWidth; }
  void SetScale(int scale) override { m_nScale = scale; }
  void SetMargin(const SLayoutSize& margin) { m_nMargin = margin; }
  const SLayoutSize& GetMargin() const { return m_nMargin; }

  int GetItemWidth() const;
  int GetItemHeight() const;
  int GetMarginSize() const;
  // h + m: a row's band, and the scroll step.
  int GetItemLineHeight() const;
  int GetScrollLineSize() const override { return GetItemLineHeight(); }
  int GetCountInRow() const;
  // The tile of an item in the content's coordinates (0 at the top of the first row's band).
  RECT GetItemRect(int iItem) const;

  // ---- IListViewItemLocator ----------------------------------------------------------------
  void OnDataSetChanged() override {}
  BOOL IsFixHeight() const override { return TRUE; }
  // The tile height for an item, 0 outside the items.
  int GetItemHeight(int iItem) const override;
  void SetItemHeight(int, int) override {}
  // The top of the item's row band.
  int Item2Position(int iItem) override;
  // -1 without an adapter; else the first item of the row band at y (the last row for y in
  // the margin below it), within 0 .. count.
  int Position2Item(int position) override;
  // 0 without items; else every row's band and the margin below the last.
  int GetTotalHeight() override;
  int GetDividerSize() const override { return 0; }

  bool IsLastInRow(int iItem) const;
  // The item above (the item itself in the first row).
  int GetUpItem(int iItem) const;
  // The item below; in the row before the last, where the last row is shorter, the last item;
  // the item itself in the last row.
  int GetDownItem(int iItem) const;

 private:
  int GetCount() const;
  // (w + m) and h + m, at least one pixel.
  int GetColumnWidth() const;

  SLayoutSize m_nItemWidth;
  SLayoutSize m_nItemHeight;
  SLayoutSize m_nMargin;
  int m_nViewWidth = 0;
  int m_nScale = 100;
  SAutoRefPtr<ILvAdapter> m_adapter;
};

}  // namespace SWUI
