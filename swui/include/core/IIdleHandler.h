// Called while the message queue is empty.
#pragma once
#include <windows.h>

namespace SWUI {

struct IIdleHandler {
  virtual BOOL OnIdle() = 0;

 protected:
  ~IIdleHandler() = default;
};

}  // namespace SWUI
