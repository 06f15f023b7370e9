#include "core/SOvershootInterpolator.h"

namespace SWUI {

SOvershootInterpolator::SOvershootInterpolator(float tension) : m_tension(tension) {}

HRESULT SOvershootInterpolator::SetAttribute(const SStringW& name, const SStringW& value,
                                             BOOL bLoading) {
  if (name.CompareNoCase(L"tension") == 0)
    return SetFloatAttribute(name, value, bLoading, m_tension);
  return SInterpolatorBase::SetAttribute(name, value, bLoading);
}

float SOvershootInterpolator::GetInterpolation(float t) {
  const float u = t - 1.0f;
  return 1.0f + u * u * ((m_tension + 1.0f) * u + m_tension);
}

}  // namespace SWUI
