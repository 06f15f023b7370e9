// One native window routed into the virtual message map of the object that owns it. Every
// window of the framework is one: host windows, their companion windows, dialogs, drop-down
// windows, tooltips and the notify centre's receiver.
//
// Dispatch: the framework's window class starts every window in a start procedure, which
// takes the object that CSimpleWnd::Create is creating on this thread, stores it in the
// window's user data and switches the window to the procedure of created windows, which finds
// the object there. So the first message (before CreateWindowExW returns) already reaches the
// object. A subclassed window keeps its object in a window property instead, as its user data
// belongs to its own class. One CSimpleWnd per native window; the framework's windows leave
// their user data alone.
#pragma once
#include <windows.h>
// The element headers include windowsx.h, whose SubclassWindow macro would rename the member
// below wherever both are seen; included here first, the macro can go for good.
#include <windowsx.h>
#undef SubclassWindow

namespace SWUI {

class CSimpleWndHelper;

class CSimpleWnd {
 public:
  // Wraps an existing handle without routing its messages (use SubclassWindow for that).
  explicit CSimpleWnd(HWND hWnd = nullptr);

  // The message map: TRUE when handled, with the result in lResult. Derived maps handle map
  // id 0 only and chain to their base for the rest; the base handles nothing.
  virtual BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& lResult, DWORD mapId);
  // A window still attached is given back (subclassed) or destroyed (created) first, so no
  // message ever reaches a dead object.
  virtual ~CSimpleWnd();
  // Called once after the window's last message has been handled, with the old handle; the
  // object is detached by then and a derived class may delete itself here.
  virtual void OnFinalMessage(HWND hWnd);

  CSimpleWnd(const CSimpleWnd&) = delete;
  CSimpleWnd& operator=(const CSimpleWnd&) = delete;

  // Creates the window in the framework's class; null when it cannot be created, when this
  // object already has a window, or without the application's window helper.
  HWND Create(LPCWSTR windowName, DWORD style, DWORD exStyle, int x, int y, int cx, int cy,
              HWND hWndParent, LPVOID createParam);
  // Routes an existing window of this process through this object; FALSE when this object
  // already has a window or the window already belongs to a CSimpleWnd.
  BOOL SubclassWindow(HWND hWnd);
  // Gives the window its previous procedure back and detaches it; null when nothing is
  // subclassed, or, unless forced, when someone subclassed the window after us.
  HWND UnsubclassWindow(BOOL force = FALSE);

  // The procedure that unhandled messages go to (DefWindowProcW, or the subclassed window's
  // own).
  LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // The same for the message being processed; 0 outside any message.
  LRESULT DefWindowProc();
  // The message being processed (null outside any); records nest while messages re-enter.
  const MSG* GetCurrentMessage() const { return m_pCurrentMsg; }

  // new = (old & ~remove) | add; FALSE when that changes nothing. With swpFlags, SetWindowPos
  // is called with them plus SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE.
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
  // Centres the window over hWndCenter, by default the parent of a child window, else the
  // owner, else the active window; a hidden or minimised owner is ignored. A child stays in
  // its parent's client area, any other window in the work area of its monitor.
  BOOL CenterWindow(HWND hWndCenter = nullptr);

  BOOL DestroyWindow();
  LONG GetWindowLong(int index) const;
  LONG SetWindowLong(int index, LONG value);
  BOOL InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
  BOOL ScreenToClient(LPPOINT pt) const;
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
  BOOL KillTimer(UINT_PTR id);
  int ReleaseDC(HDC hdc);
  BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  BOOL SetWindowText(LPCWSTR text);
  HWND SetCapture();

  // Message-map helpers for dialogs and tooltips. ForwardNotifications sends control
  // notifications (WM_COMMAND, WM_NOTIFY, owner-draw, scroll and WM_CTLCOLOR* messages)
  // unchanged to the parent, handled; anything else is not handled.
  LRESULT ForwardNotifications(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  // Sends a notification back to the child that sent it as msg + OCM__BASE (0x2000) and
  // answers its result; without such a child, not handled and 1.
  LRESULT ReflectNotifications(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  // Answers a reflected message that the child did not handle with DefWindowProcW of the
  // original message; TRUE for reflected messages only.
  static BOOL DefaultReflectionHandler(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       LRESULT& lResult);

  HWND m_hWnd;

 private:
  friend class CSimpleWndHelper;

  // The message being processed and the one it interrupted.
  struct MsgRecord : MSG {
    MsgRecord* prev;
  };

  static LRESULT CALLBACK StartWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CreatedWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassedWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Whether the window's messages come to this object.
  bool RoutesHere(HWND hWnd) const;
  // Clears where the window keeps this object.
  void ForgetWindow(HWND hWnd);
  void Detach();
  BOOL ModifyStyleAt(int index, DWORD remove, DWORD add, UINT swpFlags);
  HWND FindReflectionTarget(UINT msg, WPARAM wParam, LPARAM lParam) const;

  MsgRecord* m_pCurrentMsg = nullptr;
  BOOL m_bDestroyed = FALSE;
  WNDPROC m_pfnSuperWindowProc = ::DefWindowProcW;
  BOOL m_bSubclassed = FALSE;
};

}  // namespace SWUI
