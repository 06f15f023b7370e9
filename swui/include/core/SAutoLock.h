// Holds a critical section for the lifetime of a scope.
#pragma once
#include "core/SCriticalSection.h"

namespace SWUI {

class SAutoLock {
 public:
  explicit SAutoLock(SCriticalSection& cs);
  ~SAutoLock();
  SAutoLock(const SAutoLock&) = delete;
  SAutoLock& operator=(const SAutoLock&) = delete;

 private:
  SCriticalSection& cs_;
};

}  // namespace SWUI
