// The straight lines of the plot grids (the EQ editor's and the speaker view's), drawn with
// the pen the render target holds.
#pragma once
#include "IRenderTarget.h"

class GridLine {
 public:
  // One segment from (x0, y0) to (x1, y1).
  static void Draw(SWUI::IRenderTarget* pRT, int x0, int y0, int x1, int y1);
};
