// Asks the handlers for an element's tooltip text.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventSwndUpdateTooltip : public EventArgs {
  SWUI_EVENT_CLASS(8109, L"on_update_tooltip")

 public:
  explicit EventSwndUpdateTooltip(IObject* sender) : EventArgs(sender) {}

  SStringW strToolTip;
  // Set by a handler that filled strToolTip; cleared by the raising element before it fires.
  BOOL bUpdated = FALSE;
};

}  // namespace SWUI
