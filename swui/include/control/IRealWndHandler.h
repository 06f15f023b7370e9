// The application's maker of the native windows that "realwnd" elements stand for (set with
// SApplication::SetRealWndHandler; none by default, and then no native window is made).
#pragma once
#include <windows.h>

#include "base/IObjRef.h"

namespace SWUI {

class SRealWnd;

struct IRealWndHandler : public IObjRef {
  // A new native window for the element (a child of its host window), or null.
  virtual HWND CreateRealWnd(SRealWnd* pRealWnd) = 0;
  virtual void DestroyRealWnd(SRealWnd* pRealWnd) = 0;
  // Called once the window is made and placed.
  virtual BOOL InitRealWnd(SRealWnd* pRealWnd) = 0;
  // TRUE when the handler sized the new window itself.
  virtual BOOL ResizeRealWnd(SRealWnd* pRealWnd) = 0;
  // TRUE when the handler moved the window to the element's new rectangle itself.
  virtual BOOL MoveRealWnd(SRealWnd* pRealWnd, const RECT& rcNew) = 0;
};

}  // namespace SWUI
