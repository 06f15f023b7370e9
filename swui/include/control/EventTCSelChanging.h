// Raised by a tree control before its selection changes; a handler that sets bCancel keeps the
// old selection.
#pragma once
#include "core/EventArgs.h"
#include "core/STree.h"

namespace SWUI {

class EventTCSelChanging : public EventArgs {
  SWUI_EVENT_CLASS(15000, L"on_treectrl_sel_changing")

 public:
  explicit EventTCSelChanging(IObject* sender) : EventArgs(sender) {}

  HSTREEITEM hOldSel = 0;
  HSTREEITEM hNewSel = 0;
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
