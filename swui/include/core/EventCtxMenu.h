// Raised when an element is asked for its context menu.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventCtxMenu : public EventArgs {
  SWUI_EVENT_CLASS(10001, L"on_conext_menu")

 public:
  explicit EventCtxMenu(IObject* sender) : EventArgs(sender) {}

  // The mouse position, filled by the raising element.
  POINT pt{0, 0};
  // Set by a handler to cancel the element's own menu; returned to the raising element's caller.
  BOOL bCancel = FALSE;
};

}  // namespace SWUI
