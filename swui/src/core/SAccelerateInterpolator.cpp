#include "core/SAccelerateInterpolator.h"

#include <cmath>

namespace SWUI {

SAccelerateInterpolator::SAccelerateInterpolator(float factor)
    : m_factor(factor), m_doubleFactor(2.0 * factor) {}

float SAccelerateInterpolator::GetInterpolation(float t) {
  if (IsOne(m_factor)) return t * t;
  return static_cast<float>(std::pow(static_cast<double>(t), m_doubleFactor));
}

}  // namespace SWUI
