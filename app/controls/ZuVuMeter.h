// One level meter of a VU group: a progress bar ("zuvumeter", also a "progress") whose value
// the group sets on each of its frames.
#pragma once
#include "control/SProgress.h"
#include "controls/IVuMeter.h"

class ZuVuMeter : public SWUI::SProgress, public IVuMeter {
  SWUI_CLASS_NAME(SWUI::SProgress, L"zuvumeter")

 public:
  void SetMeterValue(int value) override;
};
