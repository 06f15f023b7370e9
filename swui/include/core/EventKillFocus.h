// Raised when an element loses the keyboard focus.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventKillFocus : public EventArgs {
  SWUI_EVENT_CLASS(8101, L"on_kill_focus")

 public:
  explicit EventKillFocus(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
