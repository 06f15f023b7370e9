// Raised before the user's choice changes a list box's selection; a handler that sets bCancel
// keeps the old selection.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLBSelChanging : public EventArgs {
  SWUI_EVENT_CLASS(12000, L"on_listbox_sel_changing")

 public:
  explicit EventLBSelChanging(IObject* sender) : EventArgs(sender) {}

  int nNewSel = -1;
  int nOldSel = -1;
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
