// What the site of a hosted ActiveX control needs of the element that owns it: the native
// window it is shown in, the hook after the control came up, repaints, the mouse capture and
// the windowless device-context requests. Rectangles are host client coordinates.
#pragma once
#include <ole2.h>
#include <windows.h>

namespace SWUI {

struct IAxHostDelegate {
  // The host window of the element's tree; null while there is none.
  virtual HWND GetAxHostWindow() = 0;
  // The control is created, activated and placed.
  virtual void OnAxActivate(IUnknown* pCtrl) = 0;
  virtual void OnAxInvalidate(LPCRECT pRect, BOOL bErase) = 0;
  // The element takes (TRUE) or gives up (FALSE) the mouse capture.
  virtual void OnAxSetCapture(BOOL fCapture) = 0;
  // A device context for a windowless control; *phDC receives it (null when none is given).
  virtual HRESULT OnAxGetDC(LPCRECT pRect, DWORD grfFlags, HDC* phDC) = 0;
  virtual HRESULT OnAxReleaseDC(HDC hDC) = 0;

 protected:
  ~IAxHostDelegate() = default;
};

}  // namespace SWUI
