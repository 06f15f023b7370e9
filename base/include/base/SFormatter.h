// The one place where the framework formats printf-style text. It uses the platform C
// runtime's rules: in a wide format "%s" takes a wide string and "%hs" (or "%S") a narrow
// one; in a narrow format "%s" takes a narrow string and "%ls" (or "%S") a wide one.
#pragma once
#include <cstdarg>

namespace SWUI {

class SFormatter {
 public:
  // Characters the format produces (terminator excluded), or -1 when the runtime rejects it.
  static int CountV(const wchar_t* fmt, va_list args);
  static int CountV(const char* fmt, va_list args);
  // Formats into buf of bufCount characters (terminator included); the number of characters
  // written, or -1 when they do not fit or the format is rejected.
  static int PrintV(wchar_t* buf, int bufCount, const wchar_t* fmt, va_list args);
  static int PrintV(char* buf, int bufCount, const char* fmt, va_list args);
};

}  // namespace SWUI
