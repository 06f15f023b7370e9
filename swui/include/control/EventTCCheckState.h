// Raised by a tree control when the mouse button is released over an item's check box that it
// pressed; uCheckState holds the check box's visual bits then (1 hover, 2 pressed).
#pragma once
#include "core/EventArgs.h"
#include "core/STree.h"

namespace SWUI {

class EventTCCheckState : public EventArgs {
  SWUI_EVENT_CLASS(15003, L"on_treectrl_item_check")

 public:
  explicit EventTCCheckState(IObject* sender) : EventArgs(sender) {}

  HSTREEITEM hItem = 0;
  UINT uCheckState = 0;
};

}  // namespace SWUI
