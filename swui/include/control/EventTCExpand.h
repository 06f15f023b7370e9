// Raised by a tree control when an item was expanded or collapsed; bCollapsed is the state
// after the change.
#pragma once
#include "core/EventArgs.h"
#include "core/STree.h"

namespace SWUI {

class EventTCExpand : public EventArgs {
  SWUI_EVENT_CLASS(15002, L"on_treectrl_item_expand")

 public:
  explicit EventTCExpand(IObject* sender) : EventArgs(sender) {}

  HSTREEITEM hItem = 0;
  BOOL bCollapsed = FALSE;
};

}  // namespace SWUI
