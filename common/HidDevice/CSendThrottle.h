// Paces parameter reports: at most one throttled flush per interval while the user drags.
// A trigger flushes at once when the interval has passed since the last throttled flush, else
// starts the owner window's timer, whose expiry flushes (the window calls OnTimer, through
// CDeviceController::OnSendTimer).
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>

class CDeviceController;

class CSendThrottle {
 public:
  static constexpr UINT kTimerId = 1012;
  static constexpr uint32_t kIntervalMs = 50;
  using TickSource = std::function<DWORD()>;

  CSendThrottle() = default;
  CSendThrottle(const CSendThrottle&) = delete;
  CSendThrottle& operator=(const CSendThrottle&) = delete;

  // Debounce off, interval 50 ms, timer 1012 on `window`; `owner`'s pending rows are flushed.
  void Init(HWND window, CDeviceController* owner);
  void Trigger();
  void OnTimer();

  bool IsInitialised() const { return m_timerId == kTimerId; }
  void SetDebounce(bool on) { m_debounce = on ? 1 : 0; }
  void SetSuspended(bool on) { m_suspended = on ? 1 : 0; }
  bool IsSuspended() const { return m_suspended != 0; }
  HWND Window() const { return m_window; }
  UINT TimerId() const { return m_timerId; }
  DWORD LastSend() const { return m_lastSend; }

  // Replaces GetTickCount (tests pin the time); an empty source restores GetTickCount.
  void SetTickSource(TickSource source) { m_tick = std::move(source); }

 private:
  DWORD Now() const;
  void StartTimer();
  void StopTimer();
  void Flush();

  uint32_t m_debounce = 0;
  uint32_t m_interval = 0;
  HWND m_window = nullptr;
  UINT m_timerId = 0;
  DWORD m_lastSend = 0;
  uint32_t m_suspended = 0;
  CDeviceController* m_owner = nullptr;
  TickSource m_tick;
};
