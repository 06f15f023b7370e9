// How the application's range controls (the slider and the rotary knob) step their value from
// the keyboard and the mouse wheel. Targets are computed in 64 bits and clamped into the range,
// so a step at either end of the int range cannot wrap.
#pragma once
#include <windows.h>

class SliderSteps {
 public:
  // The value a key asks for: PageUp and PageDown a fifth of the range (truncated toward
  // zero) up or down, End the minimum, Home the maximum, Left and Down one less, Up and Right
  // one more. False for any other key.
  static bool KeyTarget(UINT key, int value, int nMin, int nMax, int* target);
  // The value one wheel notch asks for: one less for a negative delta, else (0 too) one more.
  static int WheelTarget(int delta, int value, int nMin, int nMax);
  // value + step, clamped into [nMin, nMax].
  static int Step(int value, long long step, int nMin, int nMax);
  static int Clamp(long long value, int nMin, int nMax);
};
