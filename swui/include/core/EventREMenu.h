// Raised after a rich edit's context menu closed, with the command chosen (0 for none); a
// handler that handles it keeps the edit from carrying the command out itself.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventREMenu : public EventArgs {
  SWUI_EVENT_CLASS(16001, L"on_richedit_menu")

 public:
  explicit EventREMenu(IObject* sender) : EventArgs(sender) {}

  UINT uCmd = 0;
};

}  // namespace SWUI
