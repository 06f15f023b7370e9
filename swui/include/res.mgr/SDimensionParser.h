// Dimension definitions: a length with an optional unit, starting from 0 px.
#pragma once
#include "core/SLayoutSize.h"
#include "base/SString.h"

namespace SWUI {

class SDimensionParser {
 public:
  // Always succeeds: text without a number gives 0 px.
  static bool ParseValue(const SStringW& text, SLayoutSize& value) {
    value = SLayoutSize::fromString(text);
    return true;
  }
};

}  // namespace SWUI
