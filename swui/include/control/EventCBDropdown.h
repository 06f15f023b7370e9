// Raised by a combo box as it opens its drop-down, before the drop-down window is shown.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class SDropDownWnd;

class EventCBDropdown : public EventArgs {
  SWUI_EVENT_CLASS(19001, L"on_combobox_dropdown")

 public:
  explicit EventCBDropdown(IObject* sender) : EventArgs(sender) {}

  SDropDownWnd* pDropDown = nullptr;
};

}  // namespace SWUI
