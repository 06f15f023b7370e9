// The common base of the interpolators: reference counting, the object model, the class name
// "interpolator_base" that every interpolator also answers, and their float attributes.
#pragma once
#include "core/IInterpolator.h"
#include "base/SObjectImpl.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SInterpolatorBase : public TObjRefImpl<SObjectImpl<IInterpolator>> {
  SWUI_CLASS_NAME_EX(SObjectImpl<IInterpolator>, L"interpolator_base", OBJ_TYPE_INTERPOLATOR)

 public:
  // pi as the nearest 32-bit float, as the curves use it.
  static constexpr float kPi = 3.1415925f;

  // Whether a factor counts as 1 (within 1e-8).
  static bool IsOne(float factor);

 protected:
  // Reads value with "%f" into target and answers AfterAttribute's result for S_FALSE;
  // E_INVALIDARG, target unchanged, when the value is not a number.
  HRESULT SetFloatAttribute(const SStringW& name, const SStringW& value, BOOL bLoading,
                            float& target);
};

}  // namespace SWUI
