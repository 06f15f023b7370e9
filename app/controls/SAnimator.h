// A timed transition driven from outside: Start records when it began and for how long it
// runs, and each Step reports how far it got in percent to OnAnimatorState, ending with 100.
// The clock is whatever tick the caller passes (milliseconds, wrapping like GetTickCount).
#pragma once
#include <windows.h>

namespace SWUI {

class SAnimator {
 public:
  using Callback = void (*)(int percent, void* context);

  SAnimator() = default;
  virtual ~SAnimator() = default;

  // Called with 0 at the start, the percent reached on each step and 100 at the end; -1 when
  // a running transition is interrupted by a new Start. Here it calls the callback, if any.
  virtual void OnAnimatorState(int percent);

  void SetAnimatorCallback(Callback callback, void* context) {
    m_callback = callback;
    m_context = context;
  }

  // Begins a transition of duration milliseconds at tick now. A running one is ended first
  // (OnAnimatorState(-1)); then OnAnimatorState(0).
  void Start(DWORD now, DWORD duration);
  // Reports the progress at tick now; once the duration has passed, 100, and the transition
  // ends. Nothing when none runs.
  void Step(DWORD now);
  // Ends a running transition where it is, telling nobody.
  void Stop() { m_duration = 0; }
  bool IsRunning() const { return m_duration != 0; }
  DWORD GetStartTime() const { return m_startTime; }
  DWORD GetDuration() const { return m_duration; }

 private:
  DWORD m_startTime = 0;
  DWORD m_duration = 0;
  void* m_context = nullptr;
  Callback m_callback = nullptr;
};

}  // namespace SWUI
