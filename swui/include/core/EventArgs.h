// The base of every event: who raised it, whether it may travel further (bubbleUp) and how
// many subscribers handled it. Reference-counted so that an event can be queued for another
// thread; normally built on the stack for one FireEvent call.
#pragma once
#include "base/IObjRef.h"
#include "base/SObjectImpl.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class EventArgs : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject> {
  SWUI_CLASS_NAME_EX(SObjectImpl<IObject>, L"eventargs", OBJ_TYPE_UNDEF)

 public:
  // Takes the sender's ID and name (0 and null without a sender).
  explicit EventArgs(IObject* sender);

  // Cleared by a handler that wants the event to stop: no further subscriber after one that
  // handled it, and no travel beyond the raising element's own event set.
  bool bubbleUp = true;
  // Subscribers of the event set that returned true.
  UINT handled = 0;
  int idFrom = 0;
  LPCWSTR nameFrom = nullptr;
  // The raising object (not counted).
  IObject* sender = nullptr;
};

}  // namespace SWUI

// Identity of a concrete event class, placed in its body: its id and its script name, which is
// also its class name; IsClass answers for that name and "eventargs".
#define SWUI_EVENT_CLASS(id, scriptName)                                              \
 public:                                                                              \
  enum { EventID = id };                                                              \
  static LPCWSTR ScriptName() { return scriptName; }                                  \
  static LPCWSTR ClassName() { return scriptName; }                                   \
  BOOL IsClass(LPCWSTR className) const override {                                    \
    if (className != nullptr && std::wcscmp(className, scriptName) == 0) return TRUE; \
    return EventArgs::IsClass(className);                                             \
  }                                                                                   \
  LPCWSTR GetObjectClass() const override { return scriptName; }                      \
  int GetObjectType() const override { return SWUI::OBJ_TYPE_UNDEF; }                 \
  int GetID() const override { return id; }                                           \
  LPCWSTR GetName() const override { return scriptName; }
