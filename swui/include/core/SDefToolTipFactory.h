// The application's default tooltip factory.
#pragma once
#include "core/IToolTipFactory.h"
#include "core/TObjRefImpl.h"

namespace SWUI {

class SDefToolTipFactory : public TObjRefImpl<IToolTipFactory> {
 public:
  // The default tooltip window comes with the tooltip control; until then none is made.
  IToolTip* CreateToolTip(HWND owner) override;
  void DestroyToolTip(IToolTip* tip) override;
};

}  // namespace SWUI
