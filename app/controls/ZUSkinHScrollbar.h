// A slim horizontal scroll bar without arrow buttons, cut from one image of 2 columns by
// "states" rows: the thumb of each state on the left, the rail on the right
// (SlimScrollbarCells.h). Vertical bars draw nothing. Without a "states" attribute the image
// holds 2 states.
//
// Attributes are those of the framework's scroll-bar skin ("src", "states", "margin",
// "hasGripper", "hasInactive", "tile", ...).
#pragma once
#include "core/SSkinScrollbar.h"

namespace SWUI {

class ZUSkinHScrollbar : public SSkinScrollbar {
  SWUI_CLASS_NAME(SSkinScrollbar, L"zuhscrollbar")

 public:
  ZUSkinHScrollbar();

  BOOL HasArrows() const override { return FALSE; }
  // The bar's thickness: the image height / states; 0 without an image.
  int GetIdealSize() const override;
  // Empty unless horizontal. State 4 draws as 0 unless the skin has inactive cells, and a
  // state at or beyond the count draws as 0.
  RECT GetPartRect(int part, int state, BOOL vertical) const override;
};

}  // namespace SWUI
