// Raised by scroll bars and scrolling views: a part was pressed (SB_LINEUP .. SB_PAGEDOWN,
// with the position unchanged), the thumb was dragged (SB_THUMBTRACK, the position under the
// thumb) or released (SB_THUMBPOSITION, the new position).
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventScroll : public EventArgs {
  SWUI_EVENT_CLASS(10004, L"on_scroll")

 public:
  explicit EventScroll(IObject* sender) : EventArgs(sender) {}

  int nSbCode = 0;
  int nPos = 0;
  BOOL bVertical = FALSE;
};

}  // namespace SWUI
