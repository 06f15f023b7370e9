#include "core/SDefMsgLoopFactory.h"

#include "core/SMessageLoop.h"

namespace SWUI {

SMessageLoop* SDefMsgLoopFactory::CreateMsgLoop() { return new SMessageLoop(); }

void SDefMsgLoopFactory::DestroyMsgLoop(SMessageLoop* loop) { delete loop; }

}  // namespace SWUI
