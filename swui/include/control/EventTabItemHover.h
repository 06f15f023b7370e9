// Raised by a tab control when the mouse enters one of its tabs.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventTabItemHover : public EventArgs {
  SWUI_EVENT_CLASS(11002, L"on_tab_item_hover")

 public:
  explicit EventTabItemHover(IObject* sender) : EventArgs(sender) {}

  int iHover = -1;
};

}  // namespace SWUI
