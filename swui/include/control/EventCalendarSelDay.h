// Raised by a month calendar when a click selects another day.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventCalendarSelDay : public EventArgs {
  SWUI_EVENT_CLASS(20000, L"on_calendar_sel_day")

 public:
  explicit EventCalendarSelDay(IObject* sender) : EventArgs(sender) {}

  WORD wOldDay = 0;  // 0: none was selected
  WORD wNewDay = 0;
};

}  // namespace SWUI
