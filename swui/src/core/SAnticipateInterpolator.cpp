#include "core/SAnticipateInterpolator.h"

namespace SWUI {

SAnticipateInterpolator::SAnticipateInterpolator(float tension) : m_tension(tension) {}

HRESULT SAnticipateInterpolator::SetAttribute(const SStringW& name, const SStringW& value,
                                              BOOL bLoading) {
  if (name.CompareNoCase(L"tension") == 0)
    return SetFloatAttribute(name, value, bLoading, m_tension);
  return SInterpolatorBase::SetAttribute(name, value, bLoading);
}

float SAnticipateInterpolator::GetInterpolation(float t) {
  return t * t * ((m_tension + 1.0f) * t - m_tension);
}

}  // namespace SWUI
