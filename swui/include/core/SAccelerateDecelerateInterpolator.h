// The "AccelerateDecelerate" interpolator. Slow at both ends, fastest in the middle (half a
// cosine).
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SAccelerateDecelerateInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"AccelerateDecelerate")

 public:
  float GetInterpolation(float t) override;
};

}  // namespace SWUI
