// Drawing with GDI onto a 32-bit surface without punching holes into its alpha: the caller
// draws on the layer's device context (same logical coordinates as the target); at the end
// the pixels GDI touched (their alpha byte left at 0) are blended onto the target with a
// constant alpha and every untouched pixel is left out. The layer covers only the part of the
// given rectangle that can show, so a huge rectangle costs no more than the surface. It draws
// on a scratch surface its target keeps from call to call; at constant alpha 255 the drawn
// pixels are copied straight into the target's surface where the direct writer can.
#pragma once
#include <windows.h>

#include "SDibDirectWriter.h"
#include "SGdiScratchSurface.h"

namespace SWUI {

class SGdiAlphaLayer {
 public:
  // Takes the target's pen, brush and font into the layer and its text colour; with bCopy the
  // target's pixels under the rectangle are copied in first, so anti-aliased drawing blends
  // with the real background. The scratch surface serves one layer at a time; the writer
  // holds what was read of the target's clip and mapping.
  SGdiAlphaLayer(HDC hdcTarget, SGdiScratchSurface& scratch, const SDibDirectWriter& writer,
                 const RECT& rc, BYTE byAlpha, bool bCopy);
  // Blends the drawn pixels onto the target and gives the pen, brush and font back.
  ~SGdiAlphaLayer();
  SGdiAlphaLayer(const SGdiAlphaLayer&) = delete;
  SGdiAlphaLayer& operator=(const SGdiAlphaLayer&) = delete;

  // The device context to draw on; null when the layer could not be made or nothing of the
  // rectangle can show (draw nothing).
  HDC GetDC() const { return dc_; }

  // What a layer without copy gives when the drawing covers all of it in one colour: the
  // colour's alpha byte (0xAABBGGRR) is the constant alpha, the drawn pixels are the colour,
  // opaque. visible is the layer's rectangle, already inside the clip box.
  static void BlendSolid(HDC hdcTarget, SGdiScratchSurface& scratch, const RECT& visible,
                         COLORREF cr);
  // Copies one raw pixel value over visible (inside the clip box) with SRCCOPY; false when
  // the scratch surface cannot be had.
  static bool CopySolid(HDC hdcTarget, SGdiScratchSurface& scratch, const RECT& visible,
                        DWORD pixel);

  // What the platform's AlphaBlend (per-pixel alpha, constant alpha 255) of the premultiplied
  // pixel does to each byte of a pixel under it, read from the platform itself by blending it
  // over every byte value once; false when the platform could not be asked.
  static bool UniformBlendMaps(DWORD pixel, ChannelMaps* maps);

  // The raw pixel GDI writes for a colour's red, green and blue (0xAABBGGRR), made opaque.
  static DWORD OpaquePixel(COLORREF cr) {
    return 0xFF000000u | ((cr & 0xFFu) << 16) | (cr & 0xFF00u) | ((cr >> 16) & 0xFFu);
  }

 private:
  // Sets the alpha byte of every pixel of the layer's rectangle to 255 (bCopy), or the whole
  // pixel to opaque black (the colour an empty layer of its own would start with).
  void Prime();
  // Brings the drawn pixels onto the target.
  void BlendBack();

  HDC target_;
  SGdiScratchSurface& scratch_;
  const SDibDirectWriter& writer_;
  HDC dc_ = nullptr;
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
