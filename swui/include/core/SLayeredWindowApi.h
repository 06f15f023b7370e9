// The system's layered-window functions, looked up at run time. A system without
// UpdateLayeredWindowIndirect gets a replacement built on UpdateLayeredWindow, which always
// updates the whole window (it has no dirty rectangle).
#pragma once
#include <windows.h>

namespace SWUI {

using PFN_UpdateLayeredWindow = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                              BLENDFUNCTION*, DWORD);
using PFN_UpdateLayeredWindowIndirect = BOOL(WINAPI*)(HWND, const UPDATELAYEREDWINDOWINFO*);

class SLayeredWindowApi {
 public:
  // Looks both up in user32; FALSE, with both null, when UpdateLayeredWindow is missing.
  static BOOL Resolve(PFN_UpdateLayeredWindow* update,
                      PFN_UpdateLayeredWindowIndirect* updateIndirect);
  // The same from functions already looked up (null where missing).
  static BOOL Resolve(FARPROC foundUpdate, FARPROC foundUpdateIndirect,
                      PFN_UpdateLayeredWindow* update,
                      PFN_UpdateLayeredWindowIndirect* updateIndirect);

  // The replacement: UpdateLayeredWindow with the record's fields from the destination DC to
  // the flags, in record order. FALSE for a null or too short record, or before Resolve found
  // UpdateLayeredWindow.
  static BOOL WINAPI UpdateIndirectByUpdate(HWND hWnd, const UPDATELAYEREDWINDOWINFO* info);
};

}  // namespace SWUI
