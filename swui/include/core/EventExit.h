// Raised by a host window's root when the host's tree is about to go (window destroyed or
// rebuilt).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventExit : public EventArgs {
  SWUI_EVENT_CLASS(8001, L"on_exit")

 public:
  explicit EventExit(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
