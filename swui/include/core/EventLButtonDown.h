// Raised when the left mouse button goes down on an element.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLButtonDown : public EventArgs {
  SWUI_EVENT_CLASS(8107, L"on_mouse_lbutton_down")

 public:
  explicit EventLButtonDown(IObject* sender) : EventArgs(sender) {}

  // The mouse position of the message, filled by the raising element.
  POINT pt{0, 0};
};

}  // namespace SWUI
