// The "Bounce" interpolator. Falls to the end and bounces there three times, each lower.
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SBounceInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"Bounce")

 public:
  float GetInterpolation(float t) override;

 private:
  static float Bounce(float x) { return x * x * 8.0f; }
};

}  // namespace SWUI
