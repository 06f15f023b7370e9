// Makes and destroys message loops: the application's main loop and those of modal dialogs.
#pragma once
#include "base/IObjRef.h"

namespace SWUI {

class SMessageLoop;

struct IMsgLoopFactory : public IObjRef {
  virtual SMessageLoop* CreateMsgLoop() = 0;
  virtual void DestroyMsgLoop(SMessageLoop* loop) = 0;
  virtual ~IMsgLoopFactory() = default;
};

}  // namespace SWUI
