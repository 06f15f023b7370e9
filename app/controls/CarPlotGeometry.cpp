#include "controls/CarPlotGeometry.h"

#include <algorithm>
#include <cmath>

POINT CarPlotGeometry::PxOfMm(const RECT& rc, POINT mm) const {
  return POINT{(mm.x - xStart) / mmPerPx + rc.left + ldist,
               rc.bottom - (mm.y - yStart) / mmPerPx - bdist};
}

POINT CarPlotGeometry::MmOfPx(const RECT& rc, POINT px) const {
  return POINT{(px.x - rc.left - ldist) * mmPerPx + xStart,
               (rc.bottom - bdist - px.y) * mmPerPx + yStart};
}

RECT CarPlotGeometry::DrawingArea(const RECT& rc) const {
  return RECT{rc.left + ldist, rc.top + tdist, rc.right - rdist, rc.bottom - bdist};
}

POINT CarPlotGeometry::ClampToArea(const RECT& rc, POINT px) const {
  const RECT area = DrawingArea(rc);
  // An area narrower than its margins keeps the point at its near edges.
  return POINT{std::max(area.left, std::min(px.x, area.right)),
               std::max(area.top, std::min(px.y, area.bottom))};
}

int CarPlotGeometry::GridStep() const {
  const double step = std::floor(static_cast<double>(mmPerScale) / mmPerPx + 0.5);
  return step < 1.0 ? 1 : static_cast<int>(std::min(step, 1e6));
}

RECT CarPlotGeometry::CarBody(const RECT& rc) const {
  const POINT corner = PxOfMm(rc, POINT{xStart, yStart});
  return RECT{corner.x, corner.y - zhouJu / mmPerPx, corner.x + carWidth / mmPerPx, corner.y};
}

RECT CarPlotGeometry::CarExtent(const RECT& rc) const {
  RECT extent = CarBody(rc);
  const int half = carWidth / mmPerPx / 2;
  InflateRect(&extent, 0, half);
  return extent;
}
