// Maps the elapsed fraction of an animation (0 to 1) to the fraction of the change to show.
// Interpolators are reference-counted creatable objects of kind OBJ_TYPE_INTERPOLATOR.
#pragma once
#include "core/IObjRef.h"
#include "core/IObject.h"

namespace SWUI {

struct IInterpolator : public IObjRef, public IObject {
  virtual float GetInterpolation(float input) = 0;
};

}  // namespace SWUI
