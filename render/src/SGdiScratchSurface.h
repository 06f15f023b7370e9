// A memory device context holding a 32-bit top-down DIB section, kept by a render target for
// its alpha layers and reused from one drawing call to the next: making a section and a
// context costs far more than most drawing calls themselves. The section only grows (to the
// largest layer asked for), so a layer uses its top-left part, Stride() pixels to a row.
#pragma once
#include <windows.h>

namespace SWUI {

class SGdiScratchSurface {
 public:
  SGdiScratchSurface() = default;
  ~SGdiScratchSurface();
  SGdiScratchSurface(const SGdiScratchSurface&) = delete;
  SGdiScratchSurface& operator=(const SGdiScratchSurface&) = delete;

  // Makes room for at least width x height pixels, keeping the device context; false when
  // the section or the context cannot be made (the surface is then empty).
  bool Reserve(int width, int height);
  // Gives the section and the context back; the next Reserve makes them anew.
  void Free();

  HDC GetDC() const { return dc_; }
  // The pixels, row by row from the top; null while empty.
  DWORD* Bits() const { return bits_; }
  int Stride() const { return width_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  DWORD* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace SWUI
