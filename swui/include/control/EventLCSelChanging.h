// Raised by a list control before the user's click changes its selection; a handler that sets
// bCancel keeps everything as it was.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventLCSelChanging : public EventArgs {
  SWUI_EVENT_CLASS(13000, L"on_listctrl_sel_changing")

 public:
  explicit EventLCSelChanging(IObject* sender) : EventArgs(sender) {}

  int nNewSel = -1;
  int nOldSel = -1;
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
