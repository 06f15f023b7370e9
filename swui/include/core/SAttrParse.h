// How attribute texts are read: names compare without regard to case, a boolean is false only
// for exactly "0", an integer is decimal or "0x" hexadecimal (0 when it is neither).
#pragma once
#include <windows.h>

#include "base/SString.h"

namespace SWUI {

class SAttrParse {
 public:
  static bool IsName(const SStringW& name, LPCWSTR attr) { return name.CompareNoCase(attr) == 0; }
  static BOOL Bool(const SStringW& value) { return value != L"0"; }
  static int Int(const SStringW& value);
};

}  // namespace SWUI
