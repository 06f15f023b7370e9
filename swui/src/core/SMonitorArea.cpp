#include "core/SMonitorArea.h"

namespace SWUI {

namespace {

SMonitorAreaFn g_source = &SMonitorAreaApi::System;

}  // namespace

BOOL SMonitorAreaApi::Get(HWND hWnd, SMonitorArea* area) {
  return area != nullptr && g_source(hWnd, area);
}

SMonitorAreaFn SMonitorAreaApi::Bind(SMonitorAreaFn fn) {
  const SMonitorAreaFn old = g_source;
  g_source = fn != nullptr ? fn : &SMonitorAreaApi::System;
  return old;
}

BOOL SMonitorAreaApi::System(HWND hWnd, SMonitorArea* area) {
  HMONITOR monitor = ::MonitorFromWindow(hWnd, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (monitor == nullptr || !::GetMonitorInfoW(monitor, &info)) return FALSE;
  area->rcMonitor = info.rcMonitor;
  area->rcWork = info.rcWork;
  return TRUE;
}

}  // namespace SWUI
