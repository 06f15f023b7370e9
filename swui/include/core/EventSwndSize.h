// Raised when an element's size changes; carries the new size.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSwndSize : public EventArgs {
  SWUI_EVENT_CLASS(8104, L"on_size")

 public:
  explicit EventSwndSize(IObject* sender) : EventArgs(sender) {}

  int width = 0;
  int height = 0;
};

}  // namespace SWUI
