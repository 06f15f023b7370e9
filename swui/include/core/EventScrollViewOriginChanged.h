// Raised when a scroll view's content moved: the view origin before and after.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventScrollViewOriginChanged : public EventArgs {
  SWUI_EVENT_CLASS(10002, L"on_scrollview_origin_changed")

 public:
  explicit EventScrollViewOriginChanged(IObject* sender) : EventArgs(sender) {}

  POINT ptOldOrigin{0, 0};
  POINT ptNewOrigin{0, 0};
};

}  // namespace SWUI
