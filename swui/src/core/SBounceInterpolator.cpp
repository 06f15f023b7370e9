#include "core/SBounceInterpolator.h"

namespace SWUI {

float SBounceInterpolator::GetInterpolation(float t) {
  const float u = t * 1.1226f;
  if (u < 0.3535f) return Bounce(u);
  if (u < 0.7408f) return Bounce(u - 0.54719f) + 0.7f;
  if (u < 0.9644f) return Bounce(u - 0.8526f) + 0.9f;
  return Bounce(u - 1.0435f) + 0.95f;
}

}  // namespace SWUI
