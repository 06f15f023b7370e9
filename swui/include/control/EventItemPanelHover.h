// Raised by an item panel when the mouse comes over it.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventItemPanelHover : public EventArgs {
  SWUI_EVENT_CLASS(10010, L"on_itempanel_hover")

 public:
  explicit EventItemPanelHover(IObject* sender) : EventArgs(sender) {}

  // Of the mouse message that raised it (the point in the panel's own coordinates).
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

}  // namespace SWUI
