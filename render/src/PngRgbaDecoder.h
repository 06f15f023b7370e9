// One plain PNG stream decoded by libpng into 8-bit straight R, G, B, A rows.
#pragma once
#include <windows.h>

#include <cstddef>

namespace SWUI {

class PngRgbaDecoder {
 public:
  // Decodes a complete PNG stream (signature included), which must be width x height, into rows of
  // width x 4 bytes placed stride bytes apart from out. Palette, gray, tRNS, missing alpha and
  // 16-bit samples are all turned into 8-bit R, G, B, A; interlacing is undone. False on any libpng
  // error or when the image has another size; rows already written may then hold part of the image.
  static bool Decode(const BYTE* png, size_t size, UINT width, UINT height, BYTE* out,
                     size_t stride);
};

}  // namespace SWUI
