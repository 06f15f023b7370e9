// Raised by an EQ handle while it is dragged to a new place: where the handle would go (its
// top-left following the cursor on each axis it may move along) and where it is. The handle
// does not move itself; whoever listens moves it. Lefts and tops are host client coordinates,
// like window rectangles.
#pragma once
#include <cwchar>

#include "core/EventArgs.h"

class EventThumbMoving : public SWUI::EventArgs {
  SWUI_EVENT_CLASS(29100, L"on_thumb_moving")

 public:
  explicit EventThumbMoving(SWUI::IObject* sender) : EventArgs(sender) {}

  int bandIndex = -1;  // the band a guide handle shows, -1 for any other handle
  int newLeft = 0;
  int newTop = 0;
  int curLeft = 0;
  int curTop = 0;
};
