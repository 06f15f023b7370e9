// Raised once an element has been created.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSwndCreate : public EventArgs {
  SWUI_EVENT_CLASS(8102, L"on_create")

 public:
  explicit EventSwndCreate(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
