// A host window for tests: it records every event that bubbles out of its tree and can hand
// them to a test's handler first; the protected parts of the host are reachable.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/EventArgs.h"
#include "core/SHostWnd.h"

// One event that reached the host: its id and who raised it.
struct RecordedEvent {
  DWORD id;
  int idFrom;
  std::wstring nameFrom;
};

class TestHostWnd : public SWUI::SHostWnd {
 public:
  explicit TestHostWnd(LPCWSTR layoutName = nullptr) : SWUI::SHostWnd(layoutName) {}

  // Recorded, then offered to onEvent (its answer is the host's; FALSE without one).
  BOOL HandleEvent(SWUI::EventArgs* evt) override;

  // How many recorded events have the id (and, when given, come from the element id).
  size_t CountEvents(DWORD id) const;
  size_t CountEvents(DWORD id, int idFrom) const;

  std::vector<RecordedEvent> events;
  std::function<BOOL(SWUI::EventArgs*)> onEvent;

  using SWUI::SHostWnd::OnNcHitTest;
  using SWUI::SHostWnd::PushToScreen;
  using SWUI::SHostWnd::ReleaseHeldButtons;
};
