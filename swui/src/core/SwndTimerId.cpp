#include "core/SLog.h"
#include "core/SwndHandle.h"

namespace SWUI {

UINT_PTR SwndTimerId::Make(SwndHandle swnd, UINT timerId) {
#ifndef NDEBUG
  if (timerId > kMaxTimerId || swnd > kHandleMask) {
    SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, "SWUI::SwndTimerId::Make",
                 "element timer %u of element %lu does not fit: masked to timer %u of element "
                 "%lu",
                 timerId, swnd, timerId & kMaxTimerId, swnd & kHandleMask);
  }
#endif
  return 0x80000000u | ((timerId & kMaxTimerId) << 24) | (swnd & kHandleMask);
}

}  // namespace SWUI
