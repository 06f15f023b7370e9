// Raised when a scroll view's content size changed: the view size before and after.
#pragma once
#include "core/EventArgs.h"

namespace SWUI {

class EventScrollViewSizeChanged : public EventArgs {
  SWUI_EVENT_CLASS(10003, L"on_scrollview_size_changed")

 public:
  explicit EventScrollViewSizeChanged(IObject* sender) : EventArgs(sender) {}

  SIZE szOldViewSize{0, 0};
  SIZE szNewViewSize{0, 0};
};

}  // namespace SWUI
