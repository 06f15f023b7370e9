// The "Linear" interpolator. The change follows the time.
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SLinearInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"Linear")

 public:
  float GetInterpolation(float t) override;
};

}  // namespace SWUI
