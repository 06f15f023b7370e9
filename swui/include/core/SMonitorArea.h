// Where popups keep themselves on screen: the whole rectangle and the work area of the monitor
// a window is on (the primary monitor when it is on none). One replaceable function, so that
// tests can put a screen of their own size under the popup menus.
#pragma once
#include <windows.h>

namespace SWUI {

struct SMonitorArea {
  RECT rcMonitor;
  RECT rcWork;
};

// Fills the area of hWnd's monitor; FALSE when there is none.
using SMonitorAreaFn = BOOL (*)(HWND hWnd, SMonitorArea* area);

class SMonitorAreaApi {
 public:
  // Through the bound source (the system's by default).
  static BOOL Get(HWND hWnd, SMonitorArea* area);
  // Replaces the source (null: the system's); answers the one it replaced.
  static SMonitorAreaFn Bind(SMonitorAreaFn fn);
  // The system's: MonitorFromWindow (MONITOR_DEFAULTTOPRIMARY) and GetMonitorInfoW.
  static BOOL System(HWND hWnd, SMonitorArea* area);
};

}  // namespace SWUI
