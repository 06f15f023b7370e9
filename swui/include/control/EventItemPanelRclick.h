// Raised by an item panel when the right button goes down in it (its name is spelt so).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventItemPanelRclick : public EventArgs {
  SWUI_EVENT_CLASS(10009, L"on_itemparem_rclick")

 public:
  explicit EventItemPanelRclick(IObject* sender) : EventArgs(sender) {}

  // Of the mouse message that raised it (the point in the panel's own coordinates).
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

}  // namespace SWUI
