#include "controls/GridLine.h"

void GridLine::Draw(SWUI::IRenderTarget* pRT, int x0, int y0, int x1, int y1) {
  POINT pts[2] = {{x0, y0}, {x1, y1}};
  pRT->DrawLines(pts, 2);
}
