// Raised by a tab strip when a tab's close button was clicked, before the tab is removed.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class SChromeTab;

class EventChromeTabClose : public EventArgs {
  SWUI_EVENT_CLASS(10000401, L"on_chrometab_close")

 public:
  explicit EventChromeTabClose(IObject* sender) : EventArgs(sender) {}

  SChromeTab* pCloseTab = nullptr;
  int iCloseTab = -1;  // its position
};

}  // namespace SWUI
