// How the application's range controls (the slider and the rotary knob) step their value from
// the keyboard and the mouse wheel. Targets are computed in 64 bits and clamped into the range,
// so a step at either end of the int range cannot wrap. Every step is notified, also one that
// leaves the value where it was.
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

  // One wheel notch on a slider: it takes the focus when it is focusable, steps and notifies.
  template <class Slider>
  static void Wheel(Slider* slider, int delta) {
    if (slider->IsFocusable()) slider->SetFocus();
    int nMin = 0;
    int nMax = 0;
    slider->GetRange(&nMin, &nMax);
    StepTo(slider, WheelTarget(delta, slider->GetValue(), nMin, nMax));
  }
  // A key on a slider: steps and notifies; false (nothing done) for a key that does not step.
  template <class Slider>
  static bool Key(Slider* slider, UINT key) {
    int nMin = 0;
    int nMax = 0;
    slider->GetRange(&nMin, &nMax);
    int target = 0;
    if (!KeyTarget(key, slider->GetValue(), nMin, nMax, &target)) return false;
    StepTo(slider, target);
    return true;
  }

 private:
  // The slider's own value setter, then its notification (code 2, which the event does not
  // carry).
  template <class Slider>
  static void StepTo(Slider* slider, int value) {
    slider->SetValue(value);
    slider->NotifyPos(2, slider->GetValue());
  }
};
