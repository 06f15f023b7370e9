// Raised by an item panel when the left button goes down in it.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventItemPanelClick : public EventArgs {
  SWUI_EVENT_CLASS(10007, L"on_itempanel_click")

 public:
  explicit EventItemPanelClick(IObject* sender) : EventArgs(sender) {}

  // Of the mouse message that raised it (the point in the panel's own coordinates).
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

}  // namespace SWUI
