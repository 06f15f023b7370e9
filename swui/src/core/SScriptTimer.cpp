#include "core/SScriptTimer.h"

namespace SWUI {

SScriptTimer::SScriptTimer() = default;

SScriptTimer::~SScriptTimer() = default;

}  // namespace SWUI
