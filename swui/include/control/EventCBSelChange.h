// Raised by a combo box after its selection changed (by the user, by stepping or by
// SetCurSel).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventCBSelChange : public EventArgs {
  SWUI_EVENT_CLASS(19000, L"on_combobox_sel_change")

 public:
  explicit EventCBSelChange(IObject* sender) : EventArgs(sender) {}

  int nCurSel = -1;  // -1: no selection
};

}  // namespace SWUI
