// String definitions: the text itself.
#pragma once
#include "base/SString.h"

namespace SWUI {

class SStringParser {
 public:
  static bool ParseValue(const SStringW& text, SStringW& value) {
    value = text;
    return true;
  }
};

}  // namespace SWUI
