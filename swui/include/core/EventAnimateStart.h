// Raised when an animated image starts playing.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventAnimateStart : public EventArgs {
  SWUI_EVENT_CLASS(22100, L"on_animate_start")

 public:
  explicit EventAnimateStart(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
