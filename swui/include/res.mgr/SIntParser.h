// Integer definitions: the decimal number at the start of the text (0 without digits).
#pragma once
#include <cwchar>

#include "base/SString.h"

namespace SWUI {

class SIntParser {
 public:
  static bool ParseValue(const SStringW& text, int& value) {
    value = static_cast<int>(wcstol(text, nullptr, 10));
    return true;
  }
};

}  // namespace SWUI
