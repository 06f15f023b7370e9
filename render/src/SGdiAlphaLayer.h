// Drawing with GDI onto a 32-bit surface without punching holes into its alpha: the caller
// draws on the layer's device context (same logical coordinates as the target); at the end
// the pixels GDI touched (their alpha byte left at 0) are blended onto the target with a
// constant alpha and every untouched pixel is left out. The layer covers only the part of the
// given rectangle that can show, so a huge rectangle costs no more than the surface.
#pragma once
#include <windows.h>

namespace SWUI {

class SGdiAlphaLayer {
 public:
  // Takes the target's pen, brush and font into the layer and its text colour; with bCopy the
  // target's pixels under the rectangle are copied in first, so anti-aliased drawing blends
  // with the real background.
  SGdiAlphaLayer(HDC hdcTarget, const RECT& rc, BYTE byAlpha, bool bCopy);
  // Blends the drawn pixels onto the target and gives the pen, brush and font back.
  ~SGdiAlphaLayer();
  SGdiAlphaLayer(const SGdiAlphaLayer&) = delete;
  SGdiAlphaLayer& operator=(const SGdiAlphaLayer&) = delete;

  // The device context to draw on; null when the layer could not be made or nothing of the
  // rectangle can show (draw nothing).
  HDC GetDC() const { return dc_; }

  // The part of rc (logical coordinates) inside the device context's clip box, which for a
  // memory device context without a clip region is its surface: all that drawing can reach.
  // Empty when nothing of rc shows.
  static RECT VisiblePart(HDC hdc, const RECT& rc);

 private:
  HDC target_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  BYTE* bits_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  BYTE alpha_;
  RECT rc_;
  int width_ = 0;
  int height_ = 0;
  bool copy_;
  HGDIOBJ pen_ = nullptr;
  HGDIOBJ brush_ = nullptr;
  HGDIOBJ font_ = nullptr;
};

}  // namespace SWUI
