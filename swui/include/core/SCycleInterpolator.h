// The "Cycle" interpolator. Swings as a sine, cycles times over the animation.
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SCycleInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"Cycle")

 public:
  explicit SCycleInterpolator(float cycles = 1.0f);

  // "cycles" (any case), read as floats.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SInterpolatorBase::SetAttribute;

  float GetInterpolation(float t) override;

 private:
  float m_cycles;
};

}  // namespace SWUI
