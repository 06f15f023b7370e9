// Raised when an animated image stops playing (stopped, or its repeat count reached). The
// script name is spelled as the system has always stored it.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventAnimateStop : public EventArgs {
  SWUI_EVENT_CLASS(22101, L"EVT_ANI_STOP")

 public:
  explicit EventAnimateStop(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
