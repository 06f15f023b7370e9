// Raised when an element is shown or hidden.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSwndVisibleChanged : public EventArgs {
  SWUI_EVENT_CLASS(8105, L"on_visible_changed")

 public:
  explicit EventSwndVisibleChanged(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
