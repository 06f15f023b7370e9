#include "controls/ContrastRatio.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF cr) {
  return 0.2126 * Linear(GetRValue(cr)) + 0.7152 * Linear(GetGValue(cr)) +
         0.0722 * Linear(GetBValue(cr));
}

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
