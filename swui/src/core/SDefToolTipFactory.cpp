#include "core/SDefToolTipFactory.h"

namespace SWUI {

IToolTip* SDefToolTipFactory::CreateToolTip(HWND) { return nullptr; }

void SDefToolTipFactory::DestroyToolTip(IToolTip*) {}

}  // namespace SWUI
