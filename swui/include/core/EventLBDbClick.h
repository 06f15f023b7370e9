// Raised when a list box is double-clicked: the item under the mouse (-1 for none).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLBDbClick : public EventArgs {
  SWUI_EVENT_CLASS(12002, L"on_listbox_item_dbclick")

 public:
  explicit EventLBDbClick(IObject* sender) : EventArgs(sender) {}

  int nCurSel = -1;
};

}  // namespace SWUI
