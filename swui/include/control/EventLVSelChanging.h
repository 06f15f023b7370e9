// Raised before a list view's selection changes by the user's choice; a handler that sets
// bCancel keeps the old selection.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLVSelChanging : public EventArgs {
  SWUI_EVENT_CLASS(15100, L"on_listview_select_changing")

 public:
  explicit EventLVSelChanging(IObject* sender) : EventArgs(sender) {}

  int iOldSel = -1;
  int iNewSel = -1;
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
