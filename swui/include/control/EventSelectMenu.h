// Raised by a menu bar's button when the user chose a command of its menu: the command and the
// menu it came from. The bar is the sender.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class SMenuEx;

class EventSelectMenu : public EventArgs {
  SWUI_EVENT_CLASS(22150, L"on_select_menu")

 public:
  explicit EventSelectMenu(IObject* sender) : EventArgs(sender) {}

  UINT uMenuId = 0;
  SMenuEx* pMenu = nullptr;
};

}  // namespace SWUI
