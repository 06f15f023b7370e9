// Raised by a list control after a selection change: the row clicked (-1: none) and the
// selected row before.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLCSelChanged : public EventArgs {
  SWUI_EVENT_CLASS(13001, L"on_listctrl_sel_changed")

 public:
  explicit EventLCSelChanged(IObject* sender) : EventArgs(sender) {}

  int nNewSel = -1;
  int nOldSel = -1;
};

}  // namespace SWUI
