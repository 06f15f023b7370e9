#include "controls/ZuVuMeter.h"

// The progress bar clamps a level outside its range to the nearest end.
void ZuVuMeter::SetMeterValue(int value) { SetValue(value); }
