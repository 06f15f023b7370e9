// How attribute texts are read, one meaning for each kind of value, so that every class reads
// its attributes alike: names compare without regard to case; a boolean is false only for
// exactly "0"; an integer is decimal or "0x" hexadecimal (0 when it is neither). Colours and
// sizes are read by ParseNamedColor and GetNamedDimension (res.mgr/SNamedValueGetters.h),
// skins by SControlSkin::Assign (or Find), fonts by SFontPool::GetFont.
#pragma once
#include <windows.h>

#include "base/SString.h"

namespace SWUI {

class SAttrParse {
 public:
  static bool IsName(const SStringW& name, LPCWSTR attr) { return name.CompareNoCase(attr) == 0; }
  static BOOL Bool(const SStringW& value) { return value != L"0"; }
  // An on/off attribute that is read as a number: on for an integer other than 0, so that a
  // word ("true") is off.
  static bool NonZero(const SStringW& value) { return Int(value) != 0; }
  // A boolean that also knows the word: off for "0" and for "false" (compared with case).
  static bool BoolOrFalseWord(const SStringW& value) {
    return value != L"0" && value != L"false";
  }
  static int Int(const SStringW& value);
};

}  // namespace SWUI
