// Cells of the application's slim scroll-bar images, which have no arrow buttons: one cell per
// state for the thumb and one for the rail. A vertical image holds "states" columns by 2 rows
// (thumbs above, rails below); a horizontal one is that grid transposed, 2 columns (thumbs
// left, rails right) by "states" rows. Only the rail (SB_PAGEUP, SB_PAGEDOWN) and the thumb
// (SB_THUMBTRACK) have cells; every other part code gives the empty rectangle.
#pragma once
#include <windows.h>

#include "IBitmap.h"

namespace SWUI {
namespace SlimScrollbar {

// The state index drawn for a part state: a state at or beyond the image's count draws as 0
// (the scroll views send 4 for a bar at rest, and many images hold only 3 states).
int CellIndex(int state, int states);

// The cell of a part in an image of a vertical bar, or empty (also without an image).
RECT VerticalCell(const IBitmap* image, int states, int part, int state);
// The cell of a part in an image of a horizontal bar, or empty.
RECT HorizontalCell(const IBitmap* image, int states, int part, int state);

}  // namespace SlimScrollbar
}  // namespace SWUI
