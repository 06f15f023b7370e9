// Raised by a tab control after its current page changed.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventTabSelChanged : public EventArgs {
  SWUI_EVENT_CLASS(11001, L"on_tab_sel_changed")

 public:
  explicit EventTabSelChanged(IObject* sender) : EventArgs(sender) {}

  int uOldSel = -1;
  int uNewSel = -1;
};

}  // namespace SWUI
