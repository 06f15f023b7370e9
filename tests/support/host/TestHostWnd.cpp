#include "TestHostWnd.h"

#include <algorithm>

using namespace SWUI;

BOOL TestHostWnd::HandleEvent(EventArgs* evt) {
  events.push_back(RecordedEvent{static_cast<DWORD>(evt->GetID()), evt->idFrom,
                                 evt->nameFrom != nullptr ? evt->nameFrom : L""});
  return onEvent ? onEvent(evt) : FALSE;
}

size_t TestHostWnd::CountEvents(DWORD id) const {
  return static_cast<size_t>(std::count_if(events.begin(), events.end(),
                                           [&](const RecordedEvent& e) { return e.id == id; }));
}

size_t TestHostWnd::CountEvents(DWORD id, int idFrom) const {
  return static_cast<size_t>(
      std::count_if(events.begin(), events.end(),
                    [&](const RecordedEvent& e) { return e.id == id && e.idFrom == idFrom; }));
}
