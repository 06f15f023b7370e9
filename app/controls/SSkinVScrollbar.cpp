#include "controls/SSkinVScrollbar.h"

#include "controls/SlimScrollbarCells.h"

namespace SWUI {

SSkinVScrollbar::SSkinVScrollbar() { SetStates(4); }

int SSkinVScrollbar::GetIdealSize() const {
  return image_ ? static_cast<int>(image_->Width()) / states_ : 0;
}

RECT SSkinVScrollbar::GetPartRect(int part, int state, BOOL vertical) const {
  if (!vertical) return RECT{0, 0, 0, 0};
  if (state == 4 && !HasInactive()) state = 0;
  return SlimScrollbar::VerticalCell(image_, states_, part, state);
}

}  // namespace SWUI
