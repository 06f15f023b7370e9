// Raised when the mouse leaves an element.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSwndMouseLeave : public EventArgs {
  SWUI_EVENT_CLASS(9001, L"on_mouse_leave")

 public:
  explicit EventSwndMouseLeave(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
