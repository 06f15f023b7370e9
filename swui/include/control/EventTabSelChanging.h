// Raised by a tab control before it changes its current page; a handler that sets bCancel
// keeps the current page.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventTabSelChanging : public EventArgs {
  SWUI_EVENT_CLASS(11000, L"on_tab_sel_changing")

 public:
  explicit EventTabSelChanging(IObject* sender) : EventArgs(sender) {}

  int uOldSel = -1;
  int uNewSel = -1;
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
