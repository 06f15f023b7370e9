// The "Anticipate" interpolator. First moves backwards, then forwards to the end.
#pragma once
#include "core/SInterpolatorBase.h"

namespace SWUI {

class SAnticipateInterpolator : public SInterpolatorBase {
  SWUI_CLASS_NAME(SInterpolatorBase, L"Anticipate")

 public:
  explicit SAnticipateInterpolator(float tension = 2.0f);

  // "tension" (any case), read as floats.
  HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) override;
  using SInterpolatorBase::SetAttribute;

  float GetInterpolation(float t) override;

 private:
  float m_tension;
};

}  // namespace SWUI
