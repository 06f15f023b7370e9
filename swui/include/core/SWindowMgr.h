// Issues element handles and maps them back to live elements (application singleton 1).
// Used on the UI thread only: the element behind a handle is a plain pointer that only the
// thread owning the tree may touch, and destroying a handle kills its STimer2 timers, which
// belong to that thread. The map is still guarded, so a lookup never meets a half-done
// insertion.
#pragma once
#include "core/ISwndElement.h"
#include "core/SCmnMap.h"
#include "core/SCriticalSection.h"
#include "core/SSingleton.h"
#include "core/SwndHandle.h"

namespace SWUI {

class SWindowMgr : public SSingleton<SWindowMgr> {
 public:
  SWindowMgr();
  virtual ~SWindowMgr();

  // A new handle for the element, never issued before; 0 for a null element, without a
  // window manager, once every handle has been issued, or when memory runs out.
  static SwndHandle NewWindow(ISwndElement* element);
  // The live element of a handle; null for 0, for a destroyed element and without a window
  // manager. No reference is added.
  static ISwndElement* GetWindow(SwndHandle swnd);
  // Removes the handle (FALSE when it was not there) and kills every STimer2 timer of that
  // handle in any case.
  static BOOL DestroyWindow(SwndHandle swnd);

 private:
  SCmnMap<SwndHandle, ISwndElement*> m_map{17};
  SCriticalSection m_cs;
  SwndHandle m_lastHandle = 0;
};

}  // namespace SWUI
