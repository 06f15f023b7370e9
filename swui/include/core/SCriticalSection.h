// A re-entrant lock: the platform's critical section, which the owning thread may enter again.
#pragma once
#include <windows.h>

namespace SWUI {

class SCriticalSection {
 public:
  SCriticalSection();
  ~SCriticalSection();
  SCriticalSection(const SCriticalSection&) = delete;
  SCriticalSection& operator=(const SCriticalSection&) = delete;

  void Enter();
  void Leave();

 private:
  CRITICAL_SECTION cs_;
};

}  // namespace SWUI
