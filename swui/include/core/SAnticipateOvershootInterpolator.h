// The "AnticipateOvershoot" interpolator. First moves backwards, then past the end and back to it.
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SAnticipateOvershootInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"AnticipateOvershoot")

 public:
  SAnticipateOvershootInterpolator(float tension = 2.0f, float extraTension = 1.5f);

  // "tension", "extraTension" (any case), read as floats.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SInterpolatorBase::SetAttribute;

  float GetInterpolation(float t) override;

 private:
  static float Anticipate(float x, float s);
  static float Overshoot(float x, float s);

  float m_tension;
  float m_extraTension;
};

}  // namespace SWUI
