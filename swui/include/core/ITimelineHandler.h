// Something that animates: while registered with a container it is called once per frame.
#pragma once

namespace SWUI {

struct ITimelineHandler {
  virtual void OnNextFrame() = 0;

 protected:
  ~ITimelineHandler() = default;
};

}  // namespace SWUI
