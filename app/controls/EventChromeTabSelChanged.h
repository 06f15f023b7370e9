// Raised by a tab strip after its selection changed; -1 stands for no selection.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventChromeTabSelChanged : public EventArgs {
  SWUI_EVENT_CLASS(10000402, L"on_chrometab_sel_changed")

 public:
  explicit EventChromeTabSelChanged(IObject* sender) : EventArgs(sender) {}

  int iOldSel = -1;
  int iNewSel = -1;
};

}  // namespace SWUI
