// Where the rows of a list view lie: each row's height, its top offset and the row at an offset,
// in pixels at the locator's scale (percent). A row's line is its height plus the divider
// below it. Positions outside 0 .. count - 1 answer 0 (Position2Item -1 where it finds no row)
// and store nothing. UI thread only.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"

namespace SWUI {

struct ILvAdapter;

struct IListViewItemLocator : public IObjRef {
  virtual void SetAdapter(ILvAdapter* pAdapter) = 0;
  // The adapter's rows changed: heights are read again.
  virtual void OnDataSetChanged() = 0;
  virtual BOOL IsFixHeight() const = 0;
  virtual int GetItemHeight(int iItem) const = 0;
  virtual void SetItemHeight(int iItem, int nHeight) = 0;
  // All rows with the dividers between them.
  virtual int GetTotalHeight() = 0;
  virtual int Item2Position(int iItem) = 0;
  virtual int Position2Item(int position) = 0;
  virtual int GetScrollLineSize() const = 0;
  virtual int GetDividerSize() const = 0;
  virtual void SetScale(int scale) = 0;

 protected:
  virtual ~IListViewItemLocator() = default;
};

}  // namespace SWUI
