// Message maps of elements. A map handles the messages its class owns and passes the rest to
// its base class's map, which ends at SWindow::SwndProc:
//
//   class SMyCtrl : public SWindow {
//     ...
//     SWND_BEGIN_MSG_MAP()
//       MSG_WM_PAINT_EX(OnPaint)
//       MSG_WM_LBUTTONDOWN(OnLButtonDown)
//       SWND_MESSAGE_HANDLER(WM_KEYDOWN, OnKeyMsg)
//     SWND_END_MSG_MAP(SWindow)
//   };
//
// An entry sets the handled flag before calling its handler; a handler that clears it
// (SetMsgHandled(FALSE)) lets the message go on to the next entries and the base map. Points
// arrive in host client coordinates as two signed 16-bit halves of lParam.
#pragma once
#include <windows.h>
#include <windowsx.h>

namespace SWUI {

inline POINT PointFromLParam(LPARAM lParam) {
  return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

}  // namespace SWUI

#define SWND_BEGIN_MSG_MAP()                                                                    \
 public:                                                                                        \
  BOOL ProcessSwndMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override { \
    (void)wParam;                                                                               \
    (void)lParam;

#define SWND_END_MSG_MAP(Base)                                    \
  return Base::ProcessSwndMessage(uMsg, wParam, lParam, lResult); \
  }

// An entry whose result is the value of expr (evaluated with the handled flag set).
#define SWND_MSG_ENTRY(msg, expr)         \
  if (uMsg == static_cast<UINT>(msg)) {   \
    SetMsgHandled(TRUE);                  \
    lResult = static_cast<LRESULT>(expr); \
    if (IsMsgHandled()) return TRUE;      \
  }

// LRESULT func(UINT uMsg, WPARAM wParam, LPARAM lParam)
#define SWND_MESSAGE_HANDLER(msg, func) SWND_MSG_ENTRY(msg, func(uMsg, wParam, lParam))
#define SWND_MESSAGE_RANGE_HANDLER(first, last, func)                        \
  if (uMsg >= static_cast<UINT>(first) && uMsg <= static_cast<UINT>(last)) { \
    SetMsgHandled(TRUE);                                                     \
    lResult = func(uMsg, wParam, lParam);                                    \
    if (IsMsgHandled()) return TRUE;                                         \
  }

// int func(LPVOID lpCreateParam): nonzero means creation failed.
#define MSG_WM_CREATE(func) SWND_MSG_ENTRY(WM_CREATE, func(reinterpret_cast<LPVOID>(lParam)))
// void func()
#define MSG_WM_DESTROY(func) SWND_MSG_ENTRY(WM_DESTROY, (func(), 0))
// void func(UINT nType, SIZE size)
#define MSG_WM_SIZE(func) \
  SWND_MSG_ENTRY(WM_SIZE, \
                 (func(static_cast<UINT>(wParam), SIZE{LOWORD(lParam), HIWORD(lParam)}), 0))
// void func(BOOL bEnable, UINT nStatus): status 1 when the parent sent it.
#define MSG_WM_ENABLE_EX(func) \
  SWND_MSG_ENTRY(WM_ENABLE, (func(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)), 0))
// void func(BOOL bShow, UINT nStatus): status 1 when the parent sent it.
#define MSG_WM_SHOWWINDOW(func) \
  SWND_MSG_ENTRY(WM_SHOWWINDOW, (func(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)), 0))
// void func(IRenderTarget* pRT)
#define MSG_WM_PAINT_EX(func) \
  SWND_MSG_ENTRY(WM_PAINT, (func(reinterpret_cast<SWUI::IRenderTarget*>(wParam)), 0))
#define MSG_WM_NCPAINT_EX(func) \
  SWND_MSG_ENTRY(WM_NCPAINT, (func(reinterpret_cast<SWUI::IRenderTarget*>(wParam)), 0))
// BOOL func(IRenderTarget* pRT)
#define MSG_WM_ERASEBKGND_EX(func) \
  SWND_MSG_ENTRY(WM_ERASEBKGND, func(reinterpret_cast<SWUI::IRenderTarget*>(wParam)))

// void func(UINT nFlags, POINT pt)
#define SWND_MOUSE_ENTRY(msg, func) \
  SWND_MSG_ENTRY(msg, (func(static_cast<UINT>(wParam), SWUI::PointFromLParam(lParam)), 0))
#define MSG_WM_MOUSEMOVE(func) SWND_MOUSE_ENTRY(WM_MOUSEMOVE, func)
#define MSG_WM_LBUTTONDOWN(func) SWND_MOUSE_ENTRY(WM_LBUTTONDOWN, func)
#define MSG_WM_LBUTTONUP(func) SWND_MOUSE_ENTRY(WM_LBUTTONUP, func)
#define MSG_WM_LBUTTONDBLCLK(func) SWND_MOUSE_ENTRY(WM_LBUTTONDBLCLK, func)
#define MSG_WM_RBUTTONDOWN(func) SWND_MOUSE_ENTRY(WM_RBUTTONDOWN, func)
#define MSG_WM_RBUTTONUP(func) SWND_MOUSE_ENTRY(WM_RBUTTONUP, func)
#define MSG_WM_MBUTTONDOWN(func) SWND_MOUSE_ENTRY(WM_MBUTTONDOWN, func)
#define MSG_WM_MBUTTONUP(func) SWND_MOUSE_ENTRY(WM_MBUTTONUP, func)
#define MSG_WM_MOUSEHOVER(func) SWND_MOUSE_ENTRY(WM_MOUSEHOVER, func)
// void func()
#define MSG_WM_MOUSELEAVE(func) SWND_MSG_ENTRY(WM_MOUSELEAVE, (func(), 0))
// BOOL func(UINT nFlags, short zDelta, POINT pt)
#define MSG_WM_MOUSEWHEEL(func)                                                              \
  SWND_MSG_ENTRY(WM_MOUSEWHEEL,                                                              \
                 func(static_cast<UINT>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam)), \
                      SWUI::PointFromLParam(lParam)))
// void func(SwndHandle swndOther): WM_SETFOCUS carries the focus reason in lParam.
#define MSG_WM_SETFOCUS_EX(func) \
  SWND_MSG_ENTRY(WM_SETFOCUS, (func(static_cast<SWUI::SwndHandle>(wParam)), 0))
#define MSG_WM_KILLFOCUS_EX(func) \
  SWND_MSG_ENTRY(WM_KILLFOCUS, (func(static_cast<SWUI::SwndHandle>(wParam)), 0))
// void func(char cTimerId): the element's own timer id (SWindow::SetTimer).
#define MSG_WM_TIMER_EX(func) SWND_MSG_ENTRY(WM_TIMER, (func(static_cast<char>(wParam)), 0))
// void func(UINT nChar, UINT nRepCnt, UINT nFlags)
#define SWND_KEY_ENTRY(msg, func)                                                          \
  SWND_MSG_ENTRY(msg, (func(static_cast<UINT>(wParam), static_cast<UINT>(lParam & 0xFFFF), \
                            static_cast<UINT>((lParam >> 16) & 0xFFFF)),                   \
                       0))
#define MSG_WM_KEYDOWN(func) SWND_KEY_ENTRY(WM_KEYDOWN, func)
#define MSG_WM_KEYUP(func) SWND_KEY_ENTRY(WM_KEYUP, func)
#define MSG_WM_CHAR(func) SWND_KEY_ENTRY(WM_CHAR, func)
#define MSG_WM_SYSKEYDOWN(func) SWND_KEY_ENTRY(WM_SYSKEYDOWN, func)
