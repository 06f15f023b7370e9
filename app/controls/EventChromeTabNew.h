// Raised by a tab strip after it inserted a tab.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class SChromeTab;

class EventChromeTabNew : public EventArgs {
  SWUI_EVENT_CLASS(10000400, L"on_chrometab_new")

 public:
  explicit EventChromeTabNew(IObject* sender) : EventArgs(sender) {}

  SChromeTab* pNewTab = nullptr;
  int iNewTab = -1;  // its position
};

}  // namespace SWUI
