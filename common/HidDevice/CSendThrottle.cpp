#include "HidDevice/CSendThrottle.h"

#include "HidDevice/CDeviceController.h"

void CSendThrottle::Init(HWND window, CDeviceController* owner) {
  m_debounce = 0;
  m_interval = kIntervalMs;
  m_timerId = kTimerId;
  m_window = window;
  m_owner = owner;
}

DWORD CSendThrottle::Now() const { return m_tick ? m_tick() : GetTickCount(); }

void CSendThrottle::StopTimer() {
  // Killing a timer that is not running fails harmlessly; there is nothing to report.
  if (m_window) KillTimer(m_window, m_timerId);
}

void CSendThrottle::StartTimer() {
  // Without a window, or when the system has no timer left, the rows go out now rather
  // than wait for an expiry that will never come.
  if (!m_window || SetTimer(m_window, m_timerId, m_interval, nullptr) == 0) {
    m_lastSend = Now();
    Flush();
  }
}

void CSendThrottle::Flush() {
  if (m_owner) m_owner->FlushPendingParams();
}

void CSendThrottle::Trigger() {
  if (m_suspended) return;
  StopTimer();
  if (m_debounce) {
    StartTimer();
    return;
  }
  const DWORD now = Now();
  if (now - m_lastSend >= m_interval) {
    m_lastSend = now;
    Flush();
  } else {
    StartTimer();
  }
}

void CSendThrottle::OnTimer() {
  StopTimer();
  m_lastSend = Now();
  Flush();
}
