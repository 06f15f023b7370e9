// Raised by an edit before it handles a key press; a handler that sets bCancel keeps the key
// from the edit (it then goes on to the host, as an unhandled key does).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventKeyDown : public EventArgs {
  SWUI_EVENT_CLASS(8200, L"on_key_down")

 public:
  explicit EventKeyDown(IObject* sender) : EventArgs(sender) {}

  UINT nChar = 0;   // the virtual key
  UINT nFlags = 0;  // the key message's flags (repeat count and key data)
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
