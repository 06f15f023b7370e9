// Raised by a split pane each time its split window places it; rcPane is its new rectangle
// (host client coordinates).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSplitPaneMoved : public EventArgs {
  SWUI_EVENT_CLASS(22000, L"on_split_pane_moved")

 public:
  explicit EventSplitPaneMoved(IObject* sender) : EventArgs(sender) {}

  RECT rcPane = {0, 0, 0, 0};
};

}  // namespace SWUI
