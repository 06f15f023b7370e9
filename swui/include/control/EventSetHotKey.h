// Raised by a hot-key field whenever the combination it shows changes: a key pressed, or
// Shift, Ctrl or Alt pressed or released while a combination is being entered.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSetHotKey : public EventArgs {
  SWUI_EVENT_CLASS(23000, L"on_hot_key_set_event")

 public:
  explicit EventSetHotKey(IObject* sender) : EventArgs(sender) {}

  WORD vKey = 0;
  WORD wModifiers = 0;  // CAccelerator bits: 1 Alt, 2 Ctrl, 4 Shift
};

}  // namespace SWUI
