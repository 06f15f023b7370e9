// Raised by a host window's root when the host's tree has been built from its layout.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventInit : public EventArgs {
  SWUI_EVENT_CLASS(8000, L"on_init")

 public:
  explicit EventInit(IObject* sender) : EventArgs(sender) {}
};

}  // namespace SWUI
