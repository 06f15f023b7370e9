// What a level meter of a VU group ("zuvumeter", a kind of "progress") offers the group: one
// value to show. A meter class implements it beside its element base; the group sets it on
// the UI thread only.
#pragma once

class IVuMeter {
 public:
  virtual void SetMeterValue(int value) = 0;

 protected:
  ~IVuMeter() = default;
};
