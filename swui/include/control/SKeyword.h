// Keyword attribute values: a table of words and their values, read exactly (keywords compare
// with their case).
#pragma once
#include <windows.h>

#include <cstddef>

#include "base/SString.h"

namespace SWUI {

template <class T>
struct SKeyword {
  LPCWSTR word;
  T value;

  // The value of the word in the table; FALSE (out untouched) for any other word.
  template <size_t N>
  static BOOL Parse(const SKeyword (&table)[N], const SStringW& text, T* out) {
    for (const SKeyword& entry : table) {
      if (text == entry.word) {
        *out = entry.value;
        return TRUE;
      }
    }
    return FALSE;
  }
};

}  // namespace SWUI
