#include "core/SAnticipateOvershootInterpolator.h"

namespace SWUI {

SAnticipateOvershootInterpolator::SAnticipateOvershootInterpolator(float tension,
                                                                   float extraTension)
    : m_tension(tension), m_extraTension(extraTension) {}

HRESULT SAnticipateOvershootInterpolator::SetAttribute(const SStringW& name, const SStringW& value,
                                                       BOOL bLoading) {
  if (name.CompareNoCase(L"tension") == 0)
    return SetFloatAttribute(name, value, bLoading, m_tension);
  if (name.CompareNoCase(L"extraTension") == 0)
    return SetFloatAttribute(name, value, bLoading, m_extraTension);
  return SInterpolatorBase::SetAttribute(name, value, bLoading);
}

float SAnticipateOvershootInterpolator::Anticipate(float x, float s) {
  return x * x * ((s + 1.0f) * x - s);
}

float SAnticipateOvershootInterpolator::Overshoot(float x, float s) {
  return x * x * ((s + 1.0f) * x + s);
}

float SAnticipateOvershootInterpolator::GetInterpolation(float t) {
  const float s = m_tension * m_extraTension;
  if (t < 0.5f) return 0.5f * Anticipate(t * 2.0f, s);
  return 0.5f * (Overshoot(t * 2.0f - 2.0f, s) + 2.0f);
}

}  // namespace SWUI
