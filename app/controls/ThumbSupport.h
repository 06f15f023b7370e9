// What the application's draggable handles (the EQ editor's and the speaker view's) do alike:
// the size they take from their layout and the cursor of a drag.
#pragma once
#include <windows.h>

namespace SWUI {
class SWindow;
}

class ThumbSupport {
 public:
  // The size the handle's layout gives it inside the parent rectangle. On an axis where the
  // layout names no size the handle keeps the one it shows, less growth pixels on either side;
  // never below 0.
  static SIZE LayoutSize(SWUI::SWindow* thumb, const RECT& parentRect, int growth);
  // Shows the "sizeall" cursor; false when the application has none to show.
  static bool SetDragCursor();
};
