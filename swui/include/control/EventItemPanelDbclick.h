// Raised by an item panel on a left-button double click in it.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventItemPanelDbclick : public EventArgs {
  SWUI_EVENT_CLASS(10008, L"on_itempanel_dbclick")

 public:
  explicit EventItemPanelDbclick(IObject* sender) : EventArgs(sender) {}

  // Of the mouse message that raised it (the point in the panel's own coordinates).
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

}  // namespace SWUI
