// Raised by the speaker view after a handle moved: positions, distances and delays are new.
#pragma once
#include "core/EventArgs.h"

class EventCarDelayChanged : public SWUI::EventArgs {
  SWUI_EVENT_CLASS(29102, L"onCarDelayChanged")

 public:
  explicit EventCarDelayChanged(SWUI::IObject* sender) : EventArgs(sender) {}
};
