// Character operations the string template needs, for UTF-16 units and for bytes. Case
// folding touches A to Z only, so that results do not depend on the locale.
#pragma once
#include <cstdarg>
#include <cstring>
#include <cwchar>

#include "base/SFormatter.h"

namespace SWUI {

template <class T>
struct TStringTraits {
  static int Length(const T* p) {
    if (!p) return 0;
    const T* e = p;
    while (*e) ++e;
    return static_cast<int>(e - p);
  }
  // Length of the text, but at most maxLen characters are looked at.
  static int BoundedLength(const T* p, int maxLen) {
    int n = 0;
    while (n < maxLen && p[n]) ++n;
    return n;
  }
  static T ToLower(T c) { return (c >= 'A' && c <= 'Z') ? static_cast<T>(c - 'A' + 'a') : c; }
  static T ToUpper(T c) { return (c >= 'a' && c <= 'z') ? static_cast<T>(c - 'a' + 'A') : c; }
  // Ordinal comparison of code units (negative, 0, positive).
  static int Compare(const T* a, const T* b) {
    for (;; ++a, ++b) {
      if (*a != *b) return Unit(*a) < Unit(*b) ? -1 : 1;
      if (!*a) return 0;
    }
  }
  static int CompareNoCase(const T* a, const T* b) {
    for (;; ++a, ++b) {
      const T ca = ToLower(*a);
      const T cb = ToLower(*b);
      if (ca != cb) return Unit(ca) < Unit(cb) ? -1 : 1;
      if (!ca) return 0;
    }
  }
  static bool IsTrimSpace(T c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  static int FormatCount(const T* fmt, va_list args) { return SFormatter::CountV(fmt, args); }
  static int FormatInto(T* buf, int bufCount, const T* fmt, va_list args) {
    return SFormatter::PrintV(buf, bufCount, fmt, args);
  }

 private:
  // Code units compare unsigned, so that byte 0xE4 sorts after 'z' in narrow text too.
  static unsigned Unit(T c) {
    return sizeof(T) == 1 ? static_cast<unsigned char>(c) : static_cast<unsigned>(c);
  }
};

}  // namespace SWUI
