// The "Accelerate" interpolator. Starts slowly and speeds up: t squared, or t to the power 2 x
// factor.
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SAccelerateInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"Accelerate")

 public:
  explicit SAccelerateInterpolator(float factor = 1.0f);

  float GetInterpolation(float t) override;

 private:
  float m_factor;
  double m_doubleFactor;
};

}  // namespace SWUI
