// A script timer of a host window fired; carries the timer id.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventTimer : public EventArgs {
  SWUI_EVENT_CLASS(8002, L"on_timer")

 public:
  explicit EventTimer(IObject* sender) : EventArgs(sender) {}

  UINT uID = 0;
};

}  // namespace SWUI
