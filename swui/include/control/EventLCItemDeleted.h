// Raised by a list control for every row it deletes, after the row left the list: its former
// index and its user data.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLCItemDeleted : public EventArgs {
  SWUI_EVENT_CLASS(13002, L"on_listctrl_del_item")

 public:
  explicit EventLCItemDeleted(IObject* sender) : EventArgs(sender) {}

  int nItem = -1;
  LPARAM dwData = 0;
};

}  // namespace SWUI
