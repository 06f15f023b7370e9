// What an owner-drawn item of an SMenu carries as its item data (separators carry none).
#pragma once
#include <windows.h>

#include "base/SString.h"

namespace SWUI {

struct SMenuItemData {
  int iIcon = -1;           // index into the icon skin; -1 none
  SStringW strText;         // translated
  WCHAR vHotKey = 0;        // lower case; 0 none
  ULONG_PTR dwUserData = 0;
};

// Hot keys and typed menu characters compare lower-cased A to Z, other characters as they are.
inline WCHAR MenuHotKeyChar(WCHAR ch) {
  return (ch >= L'A' && ch <= L'Z') ? static_cast<WCHAR>(ch - L'A' + L'a') : ch;
}

}  // namespace SWUI
