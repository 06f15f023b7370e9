#include "core/SCycleInterpolator.h"

#include <cmath>

namespace SWUI {

SCycleInterpolator::SCycleInterpolator(float cycles) : m_cycles(cycles) {}

HRESULT SCycleInterpolator::SetAttribute(const SStringW& name, const SStringW& value,
                                         BOOL bLoading) {
  if (name.CompareNoCase(L"cycles") == 0) return SetFloatAttribute(name, value, bLoading, m_cycles);
  return SInterpolatorBase::SetAttribute(name, value, bLoading);
}

float SCycleInterpolator::GetInterpolation(float t) {
  return static_cast<float>(std::sin(2.0f * m_cycles * kPi * t));
}

}  // namespace SWUI
