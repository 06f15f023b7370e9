// What shared text services (STextPainter) drew for an edit whose own are not made yet: the
// pixels of its client rectangle just before and just after the drawing, with a stamp of
// everything the drawing depended on besides them (configuration, text, geometry). The text
// services draw transparently, so each pixel they leave depends only on the stamp and on that
// pixel before: while the stamp holds and the pixels that show are as they were before, the
// picture can be put back instead of drawn again. Only pictures of a rectangle that showed
// whole under a rectangular clip are kept. UI thread only.
#pragma once
#include <windows.h>

#include <vector>

namespace SWUI {

class STextPicture {
 public:
  // Puts the picture back into what shows of rc (logical coordinates of hdc's 32-bit surface)
  // when the stamp is the picture's and every pixel that shows is as it was before; TRUE when
  // done, FALSE (nothing written) otherwise.
  BOOL Reuse(HDC hdc, const RECT& rc, const std::vector<BYTE>& stamp) const;
  // Before a drawing: keeps rc's pixels when all of it shows; forgets the picture otherwise.
  void Begin(HDC hdc, const RECT& rc, const std::vector<BYTE>& stamp);
  // After the drawing Begin prepared: keeps the pixels drawn.
  void End(HDC hdc);

 private:
  // The surface of hdc and what shows of rc on it, in surface pixels; false when the surface
  // cannot be read or what shows is not one rectangle.
  struct View {
    BITMAP bm;
    RECT visible;
  };
  static bool ViewOf(HDC hdc, const RECT& rc, View* view);
  // rc on the surface, when logical coordinates only shift by the viewport origin.
  static bool DeviceRect(HDC hdc, const RECT& rc, RECT* device);
  DWORD* Pixel(const View& view, LONG x, LONG y) const;

  std::vector<BYTE> m_stamp;
  RECT m_rcDevice = {0, 0, 0, 0};  // the client rectangle on the surface when kept
  std::vector<DWORD> m_before;
  std::vector<DWORD> m_after;
  bool m_bPending = false;  // Begin kept the pixels before; End still to come
};

}  // namespace SWUI
