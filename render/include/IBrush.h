// A solid or bitmap brush (object type OT_BRUSH), made by a render target.
#pragma once
#include "IRenderObj.h"

namespace SWUI {

struct IBrush : public IRenderObj {};

}  // namespace SWUI
