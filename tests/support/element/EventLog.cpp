#include "EventLog.h"

#include <algorithm>

#include "ElementRig.h"

using namespace SWUI;

EventLog::EventLog(SWindow* wnd, std::vector<DWORD> wanted) {
  for (DWORD id : wanted) {
    wnd->SubscribeEvent(id, FnSlot([this](EventArgs* e) {
                          ids.push_back(static_cast<DWORD>(e->GetID()));
                          return false;
                        }));
  }
}

size_t EventLog::Count(DWORD id) const {
  return static_cast<size_t>(std::count(ids.begin(), ids.end(), id));
}
