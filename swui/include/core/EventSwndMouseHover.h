// Raised when the mouse rests over an element.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSwndMouseHover : public EventArgs {
  SWUI_EVENT_CLASS(9000, L"on_mouse_hover")

 public:
  explicit EventSwndMouseHover(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
