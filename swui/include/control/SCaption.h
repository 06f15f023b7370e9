// A caption ("caption"): dragging it moves the host window, a double click maximises or
// restores it (when the window has a sizing frame and a maximise box). A press on the caption
// of a maximised window waits for the first move, which then starts moving the window out
// of its maximised state (on systems of major version 6 of the workstation kind).
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SCaption : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"caption")

 public:
  // What the caption reaches the host window through (SendMessageW) and asks the system's
  // version of (GetVersionExW); tests bind stand-ins, since a move command starts the
  // system's modal move loop.
  using SendMessageFn = LRESULT(WINAPI*)(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  using GetVersionExFn = BOOL(WINAPI*)(LPOSVERSIONINFOW info);
  // Bind the functions (null restores the real one).
  static void BindSendMessage(SendMessageFn fn);
  static void BindGetVersionEx(GetVersionExFn fn);

  // Whether a press on the maximised window waits for a move.
  BOOL IsWaitingForMove() const { return m_bIsMaxDown; }

 protected:
  void OnLButtonDown(UINT nFlags, POINT pt);
  void OnLButtonUp(UINT, POINT) { m_bIsMaxDown = FALSE; }
  void OnLButtonDblClk(UINT nFlags, POINT pt);
  void OnMouseMove(UINT nFlags, POINT pt);

  SWND_BEGIN_MSG_MAP()
  MSG_WM_LBUTTONDOWN(OnLButtonDown)
  MSG_WM_LBUTTONUP(OnLButtonUp)
  MSG_WM_LBUTTONDBLCLK(OnLButtonDblClk)
  MSG_WM_MOUSEMOVE(OnMouseMove)
  SWND_END_MSG_MAP(SWindow)

  BOOL m_bIsMaxDown = FALSE;

 private:
  HWND HostHwnd() const;
  // Major version 6 and a workstation product type.
  static bool IsVersion6Workstation();
};

}  // namespace SWUI
