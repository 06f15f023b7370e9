#include "controls/SliderSteps.h"

#include <algorithm>

bool SliderSteps::KeyTarget(UINT key, int value, int nMin, int nMax, int* target) {
  const long long page = (static_cast<long long>(nMax) - nMin) / 5;
  switch (key) {
    case VK_PRIOR:
      *target = Step(value, page, nMin, nMax);
      return true;
    case VK_NEXT:
      *target = Step(value, -page, nMin, nMax);
      return true;
    case VK_END:
      *target = nMin;
      return true;
    case VK_HOME:
      *target = nMax;
      return true;
    case VK_LEFT:
    case VK_DOWN:
      *target = Step(value, -1, nMin, nMax);
      return true;
    case VK_UP:
    case VK_RIGHT:
      *target = Step(value, 1, nMin, nMax);
      return true;
    default:
      return false;
  }
}

int SliderSteps::WheelTarget(int delta, int value, int nMin, int nMax) {
  return Step(value, delta < 0 ? -1 : 1, nMin, nMax);
}

int SliderSteps::Step(int value, long long step, int nMin, int nMax) {
  return Clamp(static_cast<long long>(value) + step, nMin, nMax);
}

int SliderSteps::Clamp(long long value, int nMin, int nMax) {
  return static_cast<int>(std::min<long long>(std::max<long long>(value, nMin), nMax));
}
