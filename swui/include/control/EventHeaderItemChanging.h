// Raised by a header at every step of a divider drag: the column and its new pixel width.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventHeaderItemChanging : public EventArgs {
  SWUI_EVENT_CLASS(18001, L"on_header_item_changing")

 public:
  explicit EventHeaderItemChanging(IObject* sender) : EventArgs(sender) {}

  int iItem = -1;
  int nWidth = 0;
};

}  // namespace SWUI
