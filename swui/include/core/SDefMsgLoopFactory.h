// The default message-loop factory: plain SMessageLoop objects.
#pragma once
#include "core/IMsgLoopFactory.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SDefMsgLoopFactory : public TObjRefImpl<IMsgLoopFactory> {
 public:
  SMessageLoop* CreateMsgLoop() override;
  void DestroyMsgLoop(SMessageLoop* loop) override;
};

}  // namespace SWUI
