#include "controls/ZUSkinHScrollbar.h"

#include "controls/SlimScrollbarCells.h"

namespace SWUI {

ZUSkinHScrollbar::ZUSkinHScrollbar() { SetStates(2); }

int ZUSkinHScrollbar::GetIdealSize() const {
  return image_ ? static_cast<int>(image_->Height()) / states_ : 0;
}

RECT ZUSkinHScrollbar::GetPartRect(int part, int state, BOOL vertical) const {
  if (vertical) return RECT{0, 0, 0, 0};
  if (state == 4 && !HasInactive()) state = 0;
  return SlimScrollbar::HorizontalCell(image_, states_, part, state);
}

}  // namespace SWUI
