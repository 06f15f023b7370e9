// Raised by a tab control when the mouse leaves one of its tabs.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventTabItemLeave : public EventArgs {
  SWUI_EVENT_CLASS(11003, L"on_tab_item_leave")

 public:
  explicit EventTabItemLeave(IObject* sender) : EventArgs(sender) {}

  int iLeave = -1;
};

}  // namespace SWUI
