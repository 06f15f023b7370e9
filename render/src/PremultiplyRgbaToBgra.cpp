#include "PremultiplyRgbaToBgra.h"

namespace SWUI {

void PremultiplyRgbaToBgra(BYTE* pixels, size_t pixelCount) {
  for (size_t i = 0; i < pixelCount; ++i, pixels += 4) {
    const UINT a = pixels[3];
    if (a == 0) {
      pixels[0] = pixels[1] = pixels[2] = 0;
      continue;
    }
    const UINT r = pixels[0];
    pixels[0] = static_cast<BYTE>(pixels[2] * a / 255);
    pixels[1] = static_cast<BYTE>(pixels[1] * a / 255);
    pixels[2] = static_cast<BYTE>(r * a / 255);
  }
}

}  // namespace SWUI
