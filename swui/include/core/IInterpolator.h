// Maps the elapsed fraction of an animation (0 to 1) to the fraction of the change to show.
// Interpolators are reference-counted creatable objects of kind OBJ_TYPE_INTERPOLATOR.
#pragma once
#include "base/IObjRef.h"
#include "base/IObject.h"

namespace SWUI {

struct IInterpolator : public IObjRef, public IObject {
  virtual float GetInterpolation(float input) = 0;
};

}  // namespace SWUI
