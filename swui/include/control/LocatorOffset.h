// Item locators compute offsets in 64 bits and answer them as ints: an offset beyond the int
// range stops at its edge.
#pragma once
#include <algorithm>
#include <climits>

namespace SWUI {

inline int SaturateOffset(long long value) {
  return static_cast<int>(std::min<long long>(std::max<long long>(value, INT_MIN), INT_MAX));
}

}  // namespace SWUI
