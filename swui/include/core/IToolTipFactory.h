// Makes and destroys the tooltips of host windows.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"
#include "core/IToolTip.h"

namespace SWUI {

struct IToolTipFactory : public IObjRef {
  // A tooltip owned by the given window, or null.
  virtual IToolTip* CreateToolTip(HWND owner) = 0;
  virtual void DestroyToolTip(IToolTip* tip) = 0;
  virtual ~IToolTipFactory() = default;
};

}  // namespace SWUI
