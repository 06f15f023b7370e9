// Raised by a month calendar when its date was set by a caller that asked for notice.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventCalendarSetDate : public EventArgs {
  SWUI_EVENT_CLASS(20001, L"on_calendar_set_date")

 public:
  explicit EventCalendarSetDate(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
