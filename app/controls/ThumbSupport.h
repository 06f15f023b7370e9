// What the application's draggable handles (the EQ editor's and the speaker view's) read and
// show alike: their fraction attributes and the cursor of a drag.
#pragma once
#include "core/SString.h"

class ThumbSupport {
 public:
  // A fraction read with "%f"; false (out unchanged) when the text is no number.
  static bool ReadFloat(const SWUI::SStringW& value, float& out);
  // Shows the "sizeall" cursor; false when the application has none to show.
  static bool SetDragCursor();
};
