// Raised before a tree view's selection changes by the user's choice (a click or a key); a
// handler that sets bCancel keeps the old selection.
#pragma once
#include "core/EventArgs.h"
#include "core/STree.h"

namespace SWUI {

class EventTVSelChanging : public EventArgs {
  SWUI_EVENT_CLASS(14000, L"on_treeview_select_changing")

 public:
  explicit EventTVSelChanging(IObject* sender) : EventArgs(sender) {}

  HSTREEITEM hOldSel = 0;
  HSTREEITEM hNewSel = 0;
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
