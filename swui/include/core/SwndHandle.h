// Elements are known to the rest of the system by handle, never by a pointer that could
// dangle: the window manager issues the handles and maps them back to live elements.
#pragma once
#include <windows.h>

namespace SWUI {

// Issued from 1 upward and never reused; 0 means no element.
using SwndHandle = DWORD;

// The native timer ids of element timers on the host window: bit 31 set, the element's own
// timer id in bits 24-30 and the low 24 bits of its handle below. The host recognises them by
// bit 31 and finds the element by the handle bits.
class SwndTimerId {
 public:
  static const UINT kMaxTimerId = 0x7F;
  static const SwndHandle kHandleMask = 0xFFFFFF;

  // Timer ids above 127 and handles above 0xFFFFFF lose their high bits, so such a timer can
  // meet another one; debug builds trace that.
  static UINT_PTR Make(SwndHandle swnd, UINT timerId);
  static bool IsElementTimer(UINT_PTR nativeId) { return (nativeId & 0x80000000u) != 0; }
  static SwndHandle GetHandle(UINT_PTR nativeId) {
    return static_cast<SwndHandle>(nativeId & kHandleMask);
  }
  static UINT GetTimerId(UINT_PTR nativeId) {
    return static_cast<UINT>((nativeId >> 24) & kMaxTimerId);
  }
};

}  // namespace SWUI
