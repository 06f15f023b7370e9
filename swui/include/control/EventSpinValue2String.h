// Raised by a spin button before its buddy shows a new value: handlers may replace the text
// (strValue) that the buddy then shows.
#pragma once
#include "core/EventArgs.h"
#include "base/SString.h"

namespace SWUI {

class EventSpinValue2String : public EventArgs {
  SWUI_EVENT_CLASS(21000, L"on_spin_value2string")

 public:
  explicit EventSpinValue2String(IObject* sender) : EventArgs(sender) {}

  bool bInit = false;  // raised while the spin button is created
  int nValue = 0;
  SStringW strValue;  // "%d" of the value unless a handler changes it
};

}  // namespace SWUI
