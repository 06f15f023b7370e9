// Raised when the left mouse button goes up on an element.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLButtonUp : public EventArgs {
  SWUI_EVENT_CLASS(8108, L"on_mouse_lbutton_up")

 public:
  explicit EventLButtonUp(IObject* sender) : EventArgs(sender) {}

  // The mouse position of the message, filled by the raising element.
  POINT pt{0, 0};
};

}  // namespace SWUI
