// Raised after a list view's selection changed by the user's choice.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLVSelChanged : public EventArgs {
  SWUI_EVENT_CLASS(15101, L"on_listview_select_changed")

 public:
  explicit EventLVSelChanged(IObject* sender) : EventArgs(sender) {}

  int iOldSel = -1;
  int iNewSel = -1;
};

}  // namespace SWUI
