// Something a key combination can trigger: registered with a focus manager for a combination,
// it is asked when that combination is pressed.
#pragma once
#include <windows.h>

#include "core/CAccelerator.h"

namespace SWUI {

struct IAcceleratorTarget {
  // TRUE when the target acted on the combination (the key is then consumed).
  virtual BOOL OnAcceleratorPressed(const CAccelerator& acc) = 0;

 protected:
  ~IAcceleratorTarget() = default;
};

}  // namespace SWUI
