// Raised by an item panel when the mouse leaves it.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventItemPanelLeave : public EventArgs {
  SWUI_EVENT_CLASS(10011, L"on_itempanel_leave")

 public:
  explicit EventItemPanelLeave(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
