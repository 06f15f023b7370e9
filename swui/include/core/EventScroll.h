// Raised when a scroll bar is pressed, dragged or scrolled: the part code (SB_ codes), the new
// position and the bar's orientation.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventScroll : public EventArgs {
  SWUI_EVENT_CLASS(10004, L"on_scroll")

 public:
  explicit EventScroll(IObject* sender) : EventArgs(sender) {}

  int nSbCode = 0;
  int nPos = 0;
  BOOL bVertical = FALSE;
};

}  // namespace SWUI
