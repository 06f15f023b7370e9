// Raised by a list control on a double click: the row under the mouse (-1: none).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLCDbClick : public EventArgs {
  SWUI_EVENT_CLASS(13003, L"on_listctrl_item_dbclick")

 public:
  explicit EventLCDbClick(IObject* sender) : EventArgs(sender) {}

  int nCurSel = -1;
};

}  // namespace SWUI
