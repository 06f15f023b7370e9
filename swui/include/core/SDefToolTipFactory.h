// The application's default tooltip factory: one STipCtrl per host window.
#pragma once
#include "core/IToolTipFactory.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SDefToolTipFactory : public TObjRefImpl<IToolTipFactory> {
 public:
  // A new tooltip with its window, or null when the window cannot be made.
  IToolTip* CreateToolTip(HWND owner) override;
  // Destroys a tooltip this factory made, window and all; anything else is left alone.
  void DestroyToolTip(IToolTip* tip) override;
};

}  // namespace SWUI
