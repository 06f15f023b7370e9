#include "core/SDefMsgLoopFactory.h"

#include <new>

#include "core/SMessageLoop.h"

namespace SWUI {

SMessageLoop* SDefMsgLoopFactory::CreateMsgLoop() { return new (std::nothrow) SMessageLoop(); }

void SDefMsgLoopFactory::DestroyMsgLoop(SMessageLoop* loop) { delete loop; }

}  // namespace SWUI
