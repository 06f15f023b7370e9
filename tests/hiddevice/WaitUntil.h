// Bounded waits for conditions that another thread makes true: tests wait for what they can
// observe instead of sleeping a fixed time, so a loaded machine only makes them slower.
#pragma once
#include <windows.h>

// Polls `condition` every few milliseconds until it holds or `timeoutMs` have passed; returns
// its last value.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = 5000) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    Sleep(2);
  }
}
