// Raised by a tree control after its selection changed.
#pragma once
#include "core/EventArgs.h"
#include "core/STree.h"

namespace SWUI {

class EventTCSelChanged : public EventArgs {
  SWUI_EVENT_CLASS(15001, L"on_treectrl_sel_changed")

 public:
  explicit EventTCSelChanged(IObject* sender) : EventArgs(sender) {}

  HSTREEITEM hOldSel = 0;
  HSTREEITEM hNewSel = 0;
};

}  // namespace SWUI
