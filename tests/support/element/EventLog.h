// Records the ids of the events an element fires through its own event set (subscribed, so
// it hears them whether or not they travel on).
#pragma once
#include <windows.h>

#include <vector>

#include "core/SWindow.h"

class EventLog {
 public:
  EventLog(SWUI::SWindow* wnd, std::vector<DWORD> ids);
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

  std::vector<DWORD> ids;
  size_t Count(DWORD id) const;
};
