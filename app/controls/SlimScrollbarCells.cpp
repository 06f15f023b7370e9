#include "controls/SlimScrollbarCells.h"

namespace SWUI {
namespace SlimScrollbar {

namespace {

// The cell in a grid of `states` columns by 2 rows of an image width x height: thumbs in
// the upper row, rails in the lower one.
RECT GridCell(int width, int height, int states, int part, int state) {
  int row;
  switch (part) {
    case SB_THUMBTRACK: row = 0; break;
    case SB_PAGEUP:
    case SB_PAGEDOWN: row = 1; break;
    default: return RECT{0, 0, 0, 0};
  }
  if (states < 1) return RECT{0, 0, 0, 0};
  const int w = width / states;
  const int h = height / 2;
  const int s = CellIndex(state, states);
  return RECT{s * w, row * h, s * w + w, row * h + h};
}

RECT Transposed(const RECT& rc) { return RECT{rc.top, rc.left, rc.bottom, rc.right}; }

}  // namespace

int CellIndex(int state, int states) { return state >= 0 && state < states ? state : 0; }

RECT VerticalCell(const IBitmap* image, int states, int part, int state) {
  if (image == nullptr) return RECT{0, 0, 0, 0};
  return GridCell(static_cast<int>(image->Width()), static_cast<int>(image->Height()), states,
                  part, state);
}

RECT HorizontalCell(const IBitmap* image, int states, int part, int state) {
  if (image == nullptr) return RECT{0, 0, 0, 0};
  return Transposed(GridCell(static_cast<int>(image->Height()),
                             static_cast<int>(image->Width()), states, part, state));
}

}  // namespace SlimScrollbar
}  // namespace SWUI
