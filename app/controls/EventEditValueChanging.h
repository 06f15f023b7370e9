// Raised by the step edit when the wheel, Up, Down or Return asks for the value to change:
// +1 one step up, -1 one step down, 0 take what was typed. The edit leaves its text alone;
// whoever listens changes the value and writes the text back.
#pragma once
#include <cwchar>

#include "core/EventArgs.h"

class EventEditValueChanging : public SWUI::EventArgs {
  SWUI_EVENT_CLASS(29101, L"on_edit_valuechanging")

 public:
  explicit EventEditValueChanging(SWUI::IObject* sender) : EventArgs(sender) {}

  int step = 0;
};
