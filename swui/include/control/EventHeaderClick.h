// Raised by a header when the user clicked a caption (with "sortHeader" on).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventHeaderClick : public EventArgs {
  SWUI_EVENT_CLASS(18000, L"on_header_click")

 public:
  explicit EventHeaderClick(IObject* sender) : EventArgs(sender) {}

  int iItem = -1;
};

}  // namespace SWUI
