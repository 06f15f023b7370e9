// Default implementation of IObjRef over an interface T: one interlocked count that starts at
// one; the final release deletes the object through its virtual destructor.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"

namespace SWUI {

template <class T>
class TObjRefImpl : public T {
 public:
  TObjRefImpl() = default;
  TObjRefImpl(const TObjRefImpl&) = delete;
  TObjRefImpl& operator=(const TObjRefImpl&) = delete;
  virtual ~TObjRefImpl() = default;

  LONG AddRef() override { return InterlockedIncrement(&m_cRef); }

  LONG Release() override {
    LONG n = InterlockedDecrement(&m_cRef);
    if (n == 0) OnFinalRelease();
    return n;
  }

  void OnFinalRelease() override { delete this; }

  // The current count, for diagnostics and tests; stale as soon as another thread touches it.
  LONG GetRefCount() const { return m_cRef; }

 protected:
  volatile LONG m_cRef = 1;
};

}  // namespace SWUI
