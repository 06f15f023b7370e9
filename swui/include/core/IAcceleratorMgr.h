// The key combinations of one container and the targets registered for each (the container's
// focus manager). A target registered last for a combination is asked first.
#pragma once
#include "core/CAccelerator.h"
#include "core/IAcceleratorTarget.h"

namespace SWUI {

struct IAcceleratorMgr {
  virtual void RegisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) = 0;
  // Removes the target from the combination's list (nothing when either is missing).
  virtual void UnregisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) = 0;
  // Removes the target from every combination.
  virtual void UnregisterAccelerators(IAcceleratorTarget* target) = 0;

 protected:
  ~IAcceleratorMgr() = default;
};

}  // namespace SWUI
