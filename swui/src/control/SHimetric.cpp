#include "control/SHimetric.h"

namespace SWUI {

SIZE SHimetric::WindowDpi(HWND hwnd) {
  SIZE dpi = {96, 96};
  HDC dc = GetDC(hwnd);
  if (dc == nullptr) return dpi;
  const int x = GetDeviceCaps(dc, LOGPIXELSX);
  const int y = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(hwnd, dc);
  if (x > 0) dpi.cx = x;
  if (y > 0) dpi.cy = y;
  return dpi;
}

}  // namespace SWUI
