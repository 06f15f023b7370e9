// The "Decelerate" interpolator. Starts fast and slows down: the mirror of the accelerating curve.
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SDecelerateInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"Decelerate")

 public:
  explicit SDecelerateInterpolator(float factor = 1.0f);

  // "factor" (any case), read as floats.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SInterpolatorBase::SetAttribute;

  float GetInterpolation(float t) override;

 private:
  float m_factor;
};

}  // namespace SWUI
