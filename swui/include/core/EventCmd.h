// Raised when an element is activated (a button clicked).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventCmd : public EventArgs {
  SWUI_EVENT_CLASS(10000, L"on_command")

 public:
  explicit EventCmd(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
