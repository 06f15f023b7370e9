// What the notify centre's receiver window calls on the UI thread for each event that crossed
// its queue.
#pragma once

namespace SWUI {

class EventArgs;

struct INotifyCallback {
  virtual void OnFireEvent(EventArgs* e) = 0;

 protected:
  ~INotifyCallback() = default;
};

}  // namespace SWUI
