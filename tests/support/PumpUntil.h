// Runs the calling thread's messages until a condition that they make true holds, with a
// bound: tests of windows, timers and posted messages wait for what they observe.
#pragma once
#include <windows.h>

#include <functional>

// Dispatches the thread's messages until done() holds or timeoutMs pass; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
