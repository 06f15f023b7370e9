// Reference counting shared by every framework object and interface: a new object holds one
// reference, the release that brings the count to zero calls OnFinalRelease, which by default
// deletes the object.
#pragma once
#include <windows.h>

namespace SWUI {

struct IObjRef {
  // Adds one reference; returns the new count.
  virtual LONG AddRef() = 0;
  // Drops one reference; calls OnFinalRelease when the count reaches zero. Returns the new
  // count (the object may be gone when it is zero).
  virtual LONG Release() = 0;
  // Called once, by the release that brings the count to zero.
  virtual void OnFinalRelease() = 0;

 protected:
  // Objects die through Release, never through a delete of the interface.
  ~IObjRef() = default;
};

}  // namespace SWUI
