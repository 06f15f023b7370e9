// Raised by a tree control on a double click over an item; a handler that sets bCancel keeps
// the item's expansion as it is.
#pragma once
#include "core/EventArgs.h"
#include "core/STree.h"

namespace SWUI {

class EventTCDbClick : public EventArgs {
  SWUI_EVENT_CLASS(15004, L"on_treectrl_item_dbclick")

 public:
  explicit EventTCDbClick(IObject* sender) : EventArgs(sender) {}

  HSTREEITEM hItem = 0;
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
