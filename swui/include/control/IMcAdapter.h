// The adapter of a multi-column list view: a list adapter that also names the child element of
// an item that shows each column, says which columns are visible and sorts on a header click.
// Columns are named by the header item's order (its index when it was inserted) except in
// IsColumnVisible, which takes the display index. Sort flags are 32-bit words: 0 none, 1 and 2
// the two directions.
#pragma once
#include "control/ILvAdapter.h"

namespace SWUI {

struct IMcAdapter : public ILvAdapter {
  virtual SStringW GetColumnName(int column) = 0;
  virtual bool IsColumnVisible(int column) = 0;
  // column: the clicked item's order (-1 when the click names no item); flags: the sort flag
  // of every column by order, count of them. True: the data was sorted again and the flags
  // left in the array are the header's new marks.
  virtual bool OnSort(int column, UINT* flags, int count) = 0;

 protected:
  ~IMcAdapter() = default;
};

}  // namespace SWUI
