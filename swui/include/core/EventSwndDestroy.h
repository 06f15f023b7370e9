// Raised when an element is being destroyed.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSwndDestroy : public EventArgs {
  SWUI_EVENT_CLASS(8103, L"on_destroy")

 public:
  explicit EventSwndDestroy(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
