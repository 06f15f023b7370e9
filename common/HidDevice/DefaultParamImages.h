// The two built-in parameter images the controller starts from before any device is read:
// the sing image (current image and bank 0) and the disco image (bank 1).
#pragma once
#include <cstdint>

class DefaultParamImages {
 public:
  // 1392 bytes each (bytes 1390 and 1391 are 0). Built once on first use, so they are ready
  // for a controller constructed during static initialisation.
  static const uint8_t* Sing();
  static const uint8_t* Disco();
};
