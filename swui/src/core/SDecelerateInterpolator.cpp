#include "core/SDecelerateInterpolator.h"

#include <cmath>

namespace SWUI {

SDecelerateInterpolator::SDecelerateInterpolator(float factor) : m_factor(factor) {}

HRESULT SDecelerateInterpolator::SetAttribute(const SStringW& name, const SStringW& value,
                                              BOOL bLoading) {
  if (name.CompareNoCase(L"factor") == 0) return SetFloatAttribute(name, value, bLoading, m_factor);
  return SInterpolatorBase::SetAttribute(name, value, bLoading);
}

float SDecelerateInterpolator::GetInterpolation(float t) {
  if (IsOne(m_factor)) return 1.0f - (1.0f - t) * (1.0f - t);
  return static_cast<float>(1.0 - std::pow(1.0 - t, 2.0 * m_factor));
}

}  // namespace SWUI
