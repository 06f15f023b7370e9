// The "Overshoot" interpolator. Moves past the end and comes back to it.
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SOvershootInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"Overshoot")

 public:
  explicit SOvershootInterpolator(float tension = 2.0f);

  // "tension" (any case), read as floats.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SInterpolatorBase::SetAttribute;

  float GetInterpolation(float t) override;

 private:
  float m_tension;
};

}  // namespace SWUI
