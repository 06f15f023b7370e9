// The pixel conversion shared by the decoders whose libraries hand out straight R, G, B, A.
#pragma once
#include <windows.h>

#include <cstddef>

namespace SWUI {

// Turns pixelCount pixels of straight R, G, B, A in place into premultiplied B, G, R, A:
// alpha 0 gives four zero bytes, otherwise each colour byte becomes c x a / 255 (truncated).
void PremultiplyRgbaToBgra(BYTE* pixels, size_t pixelCount);

}  // namespace SWUI
