// The attribute block of the speaker view, shared by the view, its grid and its curve: the
// margins of the drawing area (pixels), the millimetres at its left and bottom margins, the
// scale (millimetres per pixel, always above 0), the millimetres per grid step, the car's width
// and wheelbase (millimetres), and the point the grid's guide lines cross (pixels).
//
// Millimetres and pixels convert over a client rectangle with integer division, so every pixel
// maps back to itself: px = (x - xStart) / mmPerPx + left + ldist, and upwards from the bottom
// margin for y.
#pragma once
#include <windows.h>

class CarPlotGeometry {
 public:
  int ldist = 40;
  int tdist = 20;
  int rdist = 20;
  int bdist = 20;
  int xStart = -2000;
  int yStart = -2000;
  int mmPerPx = 10;
  int mmPerScale = 1000;
  int carWidth = 1825;
  int zhouJu = 2680;
  POINT guide = {0, 0};

  POINT PxOfMm(const RECT& rc, POINT mm) const;
  POINT MmOfPx(const RECT& rc, POINT px) const;
  // The drawing area: left and top margins in, right and bottom margins out, edges included
  // (a point may lie on any of the four).
  RECT DrawingArea(const RECT& rc) const;
  POINT ClampToArea(const RECT& rc, POINT px) const;
  // Pixels per grid step, round(mmPerScale / mmPerPx), at least 1: a step of 0 would never
  // leave the first label.
  int GridStep() const;
  // The car seen from above, standing on the bottom-left corner of the drawing area: its body
  // (carWidth wide, zhouJu high), and the body with half the car's width added above and below.
  RECT CarBody(const RECT& rc) const;
  RECT CarExtent(const RECT& rc) const;
};
