// Raised by the date-time picker when a day chosen in its drop-down calendar set its date.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventDateTimeChanged : public EventArgs {
  SWUI_EVENT_CLASS(20003, L"on_datetime_changed")

 public:
  explicit EventDateTimeChanged(IObject* sender) : EventArgs(sender) {}

  SYSTEMTIME newTime = {};
};

}  // namespace SWUI
