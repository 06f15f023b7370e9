// Raised by a slider bar when the user moved its value (a press on the rail, a drag); never
// for values set by the program.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSliderPos : public EventArgs {
  SWUI_EVENT_CLASS(17000, L"on_slider_pos")

 public:
  explicit EventSliderPos(IObject* sender) : EventArgs(sender) {}

  int nPos = 0;  // the new value
};

}  // namespace SWUI
