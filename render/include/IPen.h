// A pen (object type OT_PEN), made by a render target.
#pragma once
#include "IRenderObj.h"

namespace SWUI {

struct IPen : public IRenderObj {};

}  // namespace SWUI
