// Pixels and HIMETRIC (hundredths of a millimetre), the unit in which OLE objects (the text
// services, hosted ActiveX controls) take their extents, at a device's resolution.
#pragma once
#include <windows.h>

namespace SWUI {

class SHimetric {
 public:
  // LOGPIXELSX and LOGPIXELSY of a window (null: the screen) from one device context; an axis
  // that cannot be asked is 96.
  static SIZE WindowDpi(HWND hwnd);
  // Pixels × 2540 / dpi, rounded (MulDiv).
  static LONG FromPixels(int pixels, int dpi) { return MulDiv(pixels, 2540, dpi); }
};

}  // namespace SWUI
