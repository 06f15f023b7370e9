#include "core/SDefToolTipFactory.h"

#include <memory>

#include "core/STipCtrl.h"

namespace SWUI {

IToolTip* SDefToolTipFactory::CreateToolTip(HWND owner) {
  auto tip = std::make_unique<STipCtrl>();
  if (!tip->Create(owner)) return nullptr;
  return tip.release();
}

void SDefToolTipFactory::DestroyToolTip(IToolTip* tip) {
  // The window goes with the object.
  delete dynamic_cast<STipCtrl*>(tip);
}

}  // namespace SWUI
