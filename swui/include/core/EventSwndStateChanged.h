// Raised when an element's state word changes.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSwndStateChanged : public EventArgs {
  SWUI_EVENT_CLASS(8106, L"on_state_changed")

 public:
  explicit EventSwndStateChanged(IObject* sender) : EventArgs(sender) {}

  // Filled by the raising element.
  DWORD dwOldState = 0;
  DWORD dwNewState = 0;
};

}  // namespace SWUI
