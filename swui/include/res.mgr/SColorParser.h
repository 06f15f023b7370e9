// Colour literals: "#rrggbb", "#rrggbbaa", "rgb(r,g,b)", "rgba(r,g,b,a)" (any case). The
// result holds red in bits 0-7, green 8-15, blue 16-23 and alpha 24-31; a component that is
// not given is 255, one outside 0..255 is clamped.
#pragma once
#include <windows.h>

#include "base/SString.h"

namespace SWUI {

class SColorParser {
 public:
  // False (value untouched) for text that is not a colour literal, such as "#f00".
  static bool ParseValue(const SStringW& text, COLORREF& value);
};

}  // namespace SWUI
