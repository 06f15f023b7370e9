// Raised when an element gains the keyboard focus.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSetFocus : public EventArgs {
  SWUI_EVENT_CLASS(8100, L"on_set_focus")

 public:
  explicit EventSetFocus(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
