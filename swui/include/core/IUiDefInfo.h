// One loaded UI definition: default font, named values, skins, styles and class defaults.
// Its tables are added with the UI-definition loader; here it is the counted handle that the
// resource manager and SUiDef pass around.
#pragma once
#include "core/IObjRef.h"

namespace SWUI {

struct IUiDefInfo : public IObjRef {
  virtual ~IUiDefInfo() = default;
};

}  // namespace SWUI
