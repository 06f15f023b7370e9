// Raised after a tree view's selection changed by the user's choice.
#pragma once
#include "core/EventArgs.h"
#include "core/STree.h"

namespace SWUI {

class EventTVSelChanged : public EventArgs {
  SWUI_EVENT_CLASS(14001, L"on_treeview_select_changed")

 public:
  explicit EventTVSelChanged(IObject* sender) : EventArgs(sender) {}

  HSTREEITEM hOldSel = 0;
  HSTREEITEM hNewSel = 0;
};

}  // namespace SWUI
