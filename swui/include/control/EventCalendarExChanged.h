// Raised by the extended calendar when its date changed: a cell or "today" clicked, a month
// paged, or a date set with notice. The button code tells which: the cell index 0..41, 42
// "today", -10 previous month, -11 next month, or the code SetDate was given.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventCalendarExChanged : public EventArgs {
  SWUI_EVENT_CLASS(20002, L"on_calendarex_changed")

 public:
  explicit EventCalendarExChanged(IObject* sender) : EventArgs(sender) {}

  WORD iNewDay = 0;
  WORD iNewMonth = 0;
  WORD iNewYear = 0;
  int nBtnType = 0;
};

}  // namespace SWUI
