// Raised by a tab of a tab strip when it is double-clicked. The tab raises it itself, so it
// travels from the tab to the host's handlers; the strip does not offer it.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventChromeTabDbClick : public EventArgs {
  SWUI_EVENT_CLASS(10000403, L"on_chrometab_dbclick")

 public:
  explicit EventChromeTabDbClick(IObject* sender) : EventArgs(sender) {}

  int iTabOrdinal = -1;
  int iTabIndex = -1;  // its position
};

}  // namespace SWUI
