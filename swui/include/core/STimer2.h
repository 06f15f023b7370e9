// Element timers that need no host window (application singleton 2): thread timers whose
// firing reaches the element by handle as UM_TIMER2 with the element's own timer id. Used on
// the UI thread only: thread timers fire on, and can only be killed by, the thread that set
// them.
#pragma once
#include <windows.h>

#include "core/SCmnMap.h"
#include "core/SSingleton.h"
#include "core/SwndHandle.h"

namespace SWUI {

// Element message of an element timer: wParam the element's own timer id, lParam 0.
constexpr UINT UM_TIMER2 = 0x1938;

class STimer2 : public SSingleton<STimer2> {
 public:
  STimer2();
  // Kills every timer still running.
  virtual ~STimer2();

  // Starts (or restarts: a running timer of the same element and id is killed first) a timer
  // of elapse ms; FALSE when the system gives no timer or there is no timer service.
  static BOOL SetTimer2(SwndHandle swnd, UINT timerId, UINT elapse);
  static void KillTimer2(SwndHandle swnd, UINT timerId);
  // Kills every timer of the element.
  static void KillTimers(SwndHandle swnd);

  // Timers running, for diagnostics.
  size_t GetTimerCount() const { return m_timers.GetCount(); }

 private:
  struct TimerOwner {
    SwndHandle swnd;
    UINT timerId;
  };

  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nativeId, DWORD);
  // Kills and forgets every timer for which match(owner) holds.
  template <class Match>
  void KillMatching(Match match);

  SCmnMap<UINT_PTR, TimerOwner> m_timers{17};
};

}  // namespace SWUI
