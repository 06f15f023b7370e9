// A slim vertical scroll bar without arrow buttons, cut from one image of "states" columns by
// 2 rows: the thumb of each state above, the rail below (SlimScrollbarCells.h). Horizontal
// bars draw nothing. Without a "states" attribute the image holds 4 states.
//
// Attributes are those of the framework's scroll-bar skin ("src", "states", "margin",
// "hasGripper", "hasInactive", "tile", ...).
#pragma once
#include "core/SSkinScrollbar.h"

namespace SWUI {

class SSkinVScrollbar : public SSkinScrollbar {
  SWUI_CLASS_NAME(SSkinScrollbar, L"vscrollbar")

 public:
  SSkinVScrollbar();

  BOOL HasArrows() const override { return FALSE; }
  // The bar's thickness: the image width / states; 0 without an image.
  int GetIdealSize() const override;
  // Empty unless vertical. State 4 draws as 0 unless the skin has inactive cells, and a
  // state at or beyond the count draws as 0.
  RECT GetPartRect(int part, int state, BOOL vertical) const override;
};

}  // namespace SWUI
