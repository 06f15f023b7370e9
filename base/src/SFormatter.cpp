#include "base/SFormatter.h"

#include <stdio.h>
#include <wchar.h>

namespace SWUI {

// The runtime's own underscore functions are used on purpose: their "%s" meaning in wide
// formats does not depend on which printf family a compile-time define selects.

int SFormatter::CountV(const wchar_t* fmt, va_list args) { return _vscwprintf(fmt, args); }

int SFormatter::CountV(const char* fmt, va_list args) { return _vscprintf(fmt, args); }

int SFormatter::PrintV(wchar_t* buf, int bufCount, const wchar_t* fmt, va_list args) {
  if (!buf || bufCount < 1) return -1;
  int n = _vsnwprintf(buf, static_cast<size_t>(bufCount), fmt, args);
  if (n < 0 || n >= bufCount) {
    buf[bufCount - 1] = L'\0';
    return -1;
  }
  return n;
}

int SFormatter::PrintV(char* buf, int bufCount, const char* fmt, va_list args) {
  if (!buf || bufCount < 1) return -1;
  int n = _vsnprintf(buf, static_cast<size_t>(bufCount), fmt, args);
  if (n < 0 || n >= bufCount) {
    buf[bufCount - 1] = '\0';
    return -1;
  }
  return n;
}

}  // namespace SWUI
