// Raised by a header after a caption was dragged onto another: the caption's old index and the
// index where it now stands.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventHeaderItemSwap : public EventArgs {
  SWUI_EVENT_CLASS(18003, L"on_header_item_swap")

 public:
  explicit EventHeaderItemSwap(IObject* sender) : EventArgs(sender) {}

  int iOldIndex = -1;
  int iNewIndex = -1;
};

}  // namespace SWUI
