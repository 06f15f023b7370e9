// Raised after the user's choice changed a list box's selection.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLBSelChanged : public EventArgs {
  SWUI_EVENT_CLASS(12001, L"on_listbox_sel_changed")

 public:
  explicit EventLBSelChanged(IObject* sender) : EventArgs(sender) {}

  int nNewSel = -1;
  int nOldSel = -1;
};

}  // namespace SWUI
