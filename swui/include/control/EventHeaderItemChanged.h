// Raised by a header when a divider drag ends or a caption is shown or hidden: the column and
// its pixel width (0 when hidden).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventHeaderItemChanged : public EventArgs {
  SWUI_EVENT_CLASS(18002, L"on_header_item_changed")

 public:
  explicit EventHeaderItemChanged(IObject* sender) : EventArgs(sender) {}

  int iItem = -1;
  int nWidth = 0;
};

}  // namespace SWUI
