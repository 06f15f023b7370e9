#include "core/SAccelerateDecelerateInterpolator.h"

#include <cmath>

namespace SWUI {

float SAccelerateDecelerateInterpolator::GetInterpolation(float t) {
  return static_cast<float>(std::cos((t + 1.0f) * kPi)) * 0.5f + 0.5f;
}

}  // namespace SWUI
