#include "core/SLinearInterpolator.h"

namespace SWUI {

float SLinearInterpolator::GetInterpolation(float t) { return t; }

}  // namespace SWUI
