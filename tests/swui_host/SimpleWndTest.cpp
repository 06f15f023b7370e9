// The native window wrapper: dispatch from the first message on, nested messages, the final
// message, styles, centring, subclassing and notification reflection.
#include <doctest/doctest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <thread>
#include <vector>

#include "HostRig.h"
#include "core/CSimpleWnd.h"
#include "core/CSimpleWndHelper.h"

using namespace SWUI;

namespace {

// Records every message; handlers may be installed per message number.
class RecordingWnd : public CSimpleWnd {
 public:
  using Handler = std::function<LRESULT(WPARAM, LPARAM)>;

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                            LRESULT& lResult, DWORD mapId) override {
    if (mapId != 0) return FALSE;
    messages.push_back(msg);
    if (msg == WM_CREATE) attachedAtCreate = (m_hWnd == hWnd);
    auto it = handlers.find(msg);
    if (it == handlers.end()) return FALSE;
    lResult = it->second(wParam, lParam);
    return TRUE;
  }
  void OnFinalMessage(HWND hWnd) override {
    finalHandles.push_back(hWnd);
    finalWhileCurrent = GetCurrentMessage() != nullptr;
    CSimpleWnd::OnFinalMessage(hWnd);
  }
  size_t Count(UINT msg) const {
    size_t n = 0;
    for (UINT m : messages) n += (m == msg);
    return n;
  }

  std::vector<UINT> messages;
  std::map<UINT, Handler> handlers;
  std::vector<HWND> finalHandles;
  bool attachedAtCreate = false;
  bool finalWhileCurrent = false;
};

HWND CreatePopup(CSimpleWnd& wnd, RECT rc, HWND owner = nullptr, DWORD style = WS_POPUP) {
  return wnd.Create(L"test", style, 0, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                    owner, nullptr);
}

RECT WindowRect(HWND hWnd) {
  RECT rc = {};
  GetWindowRect(hWnd, &rc);
  return rc;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

}  // namespace

TEST_CASE("the window class is registered as the application asks") {
  struct Case {
    BOOL ime;
    UINT style;
  };
  for (Case c : {Case{FALSE, CS_DBLCLKS}, Case{TRUE, 0x1000B}}) {
    CAPTURE(c.ime);
    HostRig rig(c.ime);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    REQUIRE(GetClassInfoExW(GetModuleHandleW(nullptr), L"SwuiHostTest", &wc));
    CHECK(wc.style == c.style);
    CHECK(wc.hCursor == LoadCursorW(nullptr, IDC_ARROW));
    CHECK(wc.hbrBackground == reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    CHECK(wc.cbClsExtra == 0);
    CHECK(wc.cbWndExtra == 0);
  }
  // Unregistered with the application.
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  CHECK_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), L"SwuiHostTest", &wc));
}

TEST_CASE("the first message reaches the object before CreateWindowExW returns") {
  HostRig rig;
  RecordingWnd wnd;
  HWND hWnd = CreatePopup(wnd, RECT{0, 0, 50, 40});
  REQUIRE(hWnd != nullptr);
  CHECK(wnd.m_hWnd == hWnd);
  CHECK(wnd.attachedAtCreate);
  REQUIRE_FALSE(wnd.messages.empty());
  // Every creation message came through the object, starting with the very first one.
  CHECK(wnd.Count(WM_NCCREATE) == 1);
  CHECK(wnd.Count(WM_CREATE) == 1);
  CHECK((wnd.messages.front() == WM_NCCREATE || wnd.messages.front() == WM_GETMINMAXINFO));
  CHECK(wnd.GetCurrentMessage() == nullptr);
  CHECK(wnd.DefWindowProc() == 0);  // no message is current

  // A second Create on the same object is refused; the first window stays.
  CHECK(CreatePopup(wnd, RECT{0, 0, 10, 10}) == nullptr);
  CHECK(wnd.m_hWnd == hWnd);
  CHECK(wnd.DestroyWindow());
  CHECK(wnd.finalHandles == std::vector<HWND>{hWnd});
  CHECK(wnd.m_hWnd == nullptr);
}

TEST_CASE("windows created on several threads at once each reach their own object") {
  HostRig rig;
  auto createMany = [](int* good) {
    for (int i = 0; i < 40; ++i) {
      RecordingWnd wnd;
      HWND hWnd = CreatePopup(wnd, RECT{0, 0, 10, 10});
      if (hWnd != nullptr && wnd.m_hWnd == hWnd && wnd.attachedAtCreate &&
          wnd.Count(WM_NCCREATE) == 1) {
        ++*good;
      }
      wnd.DestroyWindow();
    }
  };
  int good[3] = {};
  std::thread a(createMany, &good[0]);
  std::thread b(createMany, &good[1]);
  createMany(&good[2]);
  a.join();
  b.join();
  CHECK(good[0] == 40);
  CHECK(good[1] == 40);
  CHECK(good[2] == 40);
}

TEST_CASE("a window of the class created without an object goes to the default procedure") {
  HostRig rig;
  HWND stray = CreateWindowExW(0, L"SwuiHostTest", L"stray", WS_POPUP, 0, 0, 10, 10, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  REQUIRE(stray != nullptr);
  CHECK(SendMessageW(stray, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"plain")) == TRUE);
  // A later Create is not confused by the stray window.
  RecordingWnd wnd;
  HWND hWnd = CreatePopup(wnd, RECT{0, 0, 10, 10});
  REQUIRE(hWnd != nullptr);
  CHECK(wnd.Count(WM_CREATE) == 1);
  DestroyWindow(stray);
  CHECK(wnd.Count(WM_NCDESTROY) == 0);
}

TEST_CASE("a nested message is current inside, and the outer one again afterwards") {
  HostRig rig;
  RecordingWnd wnd;
  REQUIRE(CreatePopup(wnd, RECT{0, 0, 10, 10}) != nullptr);
  std::vector<UINT> seen;
  wnd.handlers[WM_APP] = [&](WPARAM, LPARAM) {
    seen.push_back(wnd.GetCurrentMessage()->message);
    LRESULT inner = SendMessageW(wnd.m_hWnd, WM_APP + 1, 5, 6);
    seen.push_back(wnd.GetCurrentMessage()->message);
    return inner + 1;
  };
  wnd.handlers[WM_APP + 1] = [&](WPARAM wParam, LPARAM lParam) {
    const MSG* current = wnd.GetCurrentMessage();
    seen.push_back(current->message);
    CHECK(current->wParam == 5);
    CHECK(current->lParam == 6);
    return static_cast<LRESULT>(wParam + lParam);
  };
  CHECK(SendMessageW(wnd.m_hWnd, WM_APP, 0, 0) == 12);
  CHECK(seen == std::vector<UINT>{WM_APP, WM_APP + 1, WM_APP});
  CHECK(wnd.GetCurrentMessage() == nullptr);
}

TEST_CASE("DestroyWindow inside a handler defers the final message to the outermost handler") {
  HostRig rig;
  RecordingWnd wnd;
  HWND hWnd = CreatePopup(wnd, RECT{0, 0, 10, 10});
  REQUIRE(hWnd != nullptr);
  bool handleKeptInside = false;
  wnd.handlers[WM_APP] = [&](WPARAM, LPARAM) {
    SendMessageW(wnd.m_hWnd, WM_APP + 1, 0, 0);
    handleKeptInside = wnd.m_hWnd == hWnd && wnd.finalHandles.empty();
    return 0;
  };
  wnd.handlers[WM_APP + 1] = [&](WPARAM, LPARAM) {
    ::DestroyWindow(wnd.m_hWnd);
    return 0;
  };
  SendMessageW(hWnd, WM_APP, 0, 0);
  CHECK(handleKeptInside);
  CHECK(wnd.finalHandles == std::vector<HWND>{hWnd});
  CHECK_FALSE(wnd.finalWhileCurrent);
  CHECK(wnd.m_hWnd == nullptr);
  CHECK_FALSE(IsWindow(hWnd));

  // The object can make a new window afterwards.
  HWND again = CreatePopup(wnd, RECT{0, 0, 10, 10});
  REQUIRE(again != nullptr);
  CHECK(wnd.m_hWnd == again);
}

TEST_CASE("an object dying with its window attached destroys the window first") {
  HostRig rig;
  HWND hWnd = nullptr;
  {
    RecordingWnd wnd;
    hWnd = CreatePopup(wnd, RECT{0, 0, 10, 10});
    REQUIRE(hWnd != nullptr);
  }
  CHECK_FALSE(IsWindow(hWnd));
}

TEST_CASE("ModifyStyle answers FALSE without a change and repositions only when asked") {
  HostRig rig;
  RecordingWnd wnd;
  REQUIRE(CreatePopup(wnd, RECT{0, 0, 10, 10}) != nullptr);
  UINT swpFlags = 0;
  wnd.handlers[WM_WINDOWPOSCHANGING] = [&](WPARAM, LPARAM lParam) {
    swpFlags = reinterpret_cast<WINDOWPOS*>(lParam)->flags;
    return 0;
  };
  wnd.messages.clear();
  CHECK_FALSE(wnd.ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED));  // not set: unchanged
  CHECK_FALSE(wnd.ModifyStyle(0, WS_POPUP, SWP_FRAMECHANGED));   // already set
  CHECK(wnd.Count(WM_WINDOWPOSCHANGING) == 0);

  CHECK(wnd.ModifyStyle(0, WS_BORDER));  // no flags: no SetWindowPos
  CHECK((wnd.GetWindowLong(GWL_STYLE) & WS_BORDER) != 0);
  CHECK(wnd.Count(WM_WINDOWPOSCHANGING) == 0);

  CHECK(wnd.ModifyStyleEx(0, WS_EX_TOOLWINDOW, SWP_FRAMECHANGED));
  CHECK((wnd.GetWindowLong(GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);
  REQUIRE(wnd.Count(WM_WINDOWPOSCHANGING) == 1);
  const UINT kKeep = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  CHECK((swpFlags & (kKeep | SWP_FRAMECHANGED)) == (kKeep | SWP_FRAMECHANGED));
  CHECK(wnd.ModifyStyleEx(WS_EX_TOOLWINDOW, 0));
  CHECK_FALSE(wnd.ModifyStyleEx(WS_EX_TOOLWINDOW, 0));
}

TEST_CASE("CenterWindow places windows over their reference, within the area") {
  HostRig rig;
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  REQUIRE(GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info));
  const RECT work = info.rcWork;
  const int workW = work.right - work.left;
  const int workH = work.bottom - work.top;

  RecordingWnd owner;
  REQUIRE(CreatePopup(owner, RECT{100, 100, 300, 260}) != nullptr);

  SUBCASE("a child centres in its parent's client area") {
    RecordingWnd child;
    REQUIRE(child.Create(L"c", WS_CHILD, 0, 0, 0, 40, 20, owner.m_hWnd, nullptr) != nullptr);
    CHECK(child.CenterWindow());
    RECT rc = WindowRect(child.m_hWnd);
    MapWindowPoints(nullptr, owner.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    CHECK(SameRect(rc, RECT{80, 70, 120, 90}));
  }
  SUBCASE("a popup centres over its visible owner") {
    ShowWindow(owner.m_hWnd, SW_SHOWNOACTIVATE);
    RecordingWnd popup;
    REQUIRE(CreatePopup(popup, RECT{0, 0, 60, 40}, owner.m_hWnd) != nullptr);
    CHECK(popup.CenterWindow());
    CHECK(SameRect(WindowRect(popup.m_hWnd), RECT{170, 160, 230, 200}));
  }
  SUBCASE("a hidden owner is ignored: the work area is the reference") {
    RecordingWnd popup;
    REQUIRE(CreatePopup(popup, RECT{0, 0, 60, 40}, owner.m_hWnd) != nullptr);
    CHECK(popup.CenterWindow());
    const int left = (work.left + work.right) / 2 - 30;
    const int top = (work.top + work.bottom) / 2 - 20;
    CHECK(SameRect(WindowRect(popup.m_hWnd), RECT{left, top, left + 60, top + 40}));
  }
  SUBCASE("a popup larger than the work area sits at the area's left and top") {
    RecordingWnd popup;
    REQUIRE(CreatePopup(popup, RECT{0, 0, workW + 100, workH + 50}) != nullptr);
    CHECK(popup.CenterWindow());
    const RECT rc = WindowRect(popup.m_hWnd);
    REQUIRE(rc.right - rc.left > workW);
    REQUIRE(rc.bottom - rc.top > workH);
    CHECK(rc.left == work.left);
    CHECK(rc.top == work.top);
  }
  SUBCASE("a popup near the edge of its owner stays inside the work area") {
    ShowWindow(owner.m_hWnd, SW_SHOWNOACTIVATE);
    SetWindowPos(owner.m_hWnd, nullptr, work.right - 50, work.bottom - 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RecordingWnd popup;
    REQUIRE(CreatePopup(popup, RECT{0, 0, 60, 40}, owner.m_hWnd) != nullptr);
    CHECK(popup.CenterWindow());
    CHECK(SameRect(WindowRect(popup.m_hWnd),
                   RECT{work.right - 60, work.bottom - 40, work.right, work.bottom}));
  }
}

namespace {

// A plain window procedure to subclass: counts what reaches it.
int g_plainMessages = 0;
LRESULT CALLBACK PlainProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP) ++g_plainMessages;
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

WNDPROC g_laterNext = nullptr;
LRESULT CALLBACK LaterSubclassProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(g_laterNext, hWnd, msg, wParam, lParam);
}

}  // namespace

TEST_CASE("subclassing routes a window through the object and gives it back") {
  HostRig rig;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SwuiPlainTest";
  REQUIRE(RegisterClassW(&wc) != 0);
  HWND hWnd = CreateWindowExW(0, wc.lpszClassName, L"p", WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, wc.hInstance, nullptr);
  REQUIRE(hWnd != nullptr);
  g_plainMessages = 0;

  RecordingWnd wnd;
  REQUIRE(wnd.SubclassWindow(hWnd));
  CHECK(wnd.m_hWnd == hWnd);
  RecordingWnd second;
  CHECK_FALSE(second.SubclassWindow(hWnd));  // one object per window

  SendMessageW(hWnd, WM_APP, 0, 0);  // unhandled: on to the window's own procedure
  CHECK(wnd.Count(WM_APP) == 1);
  CHECK(g_plainMessages == 1);
  wnd.handlers[WM_APP] = [](WPARAM, LPARAM) { return 0; };
  SendMessageW(hWnd, WM_APP, 0, 0);  // handled: the window's own procedure never sees it
  CHECK(g_plainMessages == 1);
  wnd.handlers.clear();

  CHECK(wnd.UnsubclassWindow() == hWnd);
  CHECK(wnd.m_hWnd == nullptr);
  CHECK((reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == PlainProc));
  CHECK(wnd.UnsubclassWindow() == nullptr);  // nothing left to give back

  // Someone subclassed after us: only a forced unsubclass gives the window back.
  REQUIRE(wnd.SubclassWindow(hWnd));
  g_laterNext = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LaterSubclassProc)));
  CHECK(wnd.UnsubclassWindow(FALSE) == nullptr);
  CHECK(wnd.m_hWnd == hWnd);
  CHECK(wnd.UnsubclassWindow(TRUE) == hWnd);
  CHECK((reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == PlainProc));

  // A subclassed window destroyed: the window's own procedure sees WM_NCDESTROY, the object
  // gets its final message.
  REQUIRE(wnd.SubclassWindow(hWnd));
  DestroyWindow(hWnd);
  CHECK(wnd.finalHandles == std::vector<HWND>{hWnd});
  CHECK(wnd.m_hWnd == nullptr);
  UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

namespace {

// A parent that reflects notifications to the child that sent them.
class ReflectingParent : public RecordingWnd {
 public:
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                            LRESULT& lResult, DWORD mapId) override {
    if (mapId == 0 && Reflected(msg)) {
      BOOL handled = FALSE;
      lResult = ReflectNotifications(msg, wParam, lParam, handled);
      reflected = handled;
      lastResult = lResult;
      if (handled) return TRUE;
    }
    return RecordingWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
  }
  BOOL reflected = FALSE;
  LRESULT lastResult = 0;

 private:
  static bool Reflected(UINT msg) {
    switch (msg) {
      case WM_COMMAND:
      case WM_NOTIFY:
      case WM_PARENTNOTIFY:
      case WM_DRAWITEM:
      case WM_MEASUREITEM:
      case WM_HSCROLL:
      case WM_CTLCOLORSTATIC:
        return true;
      default:
        return false;
    }
  }
};

// A child that answers reflected messages with their number and forwards notifications.
class ReflectedChild : public RecordingWnd {
 public:
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                            LRESULT& lResult, DWORD mapId) override {
    if (mapId == 0 && msg >= 0x2000 && msg < 0x3000) {
      reflectedMsgs.push_back(msg);
      lResult = msg;
      return TRUE;
    }
    if (mapId == 0 && forward) {
      BOOL handled = FALSE;
      lResult = ForwardNotifications(msg, wParam, lParam, handled);
      if (handled) return TRUE;
    }
    return RecordingWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
  }
  std::vector<UINT> reflectedMsgs;
  bool forward = false;
};

}  // namespace

TEST_CASE("notifications are reflected to the child that sent them") {
  HostRig rig;
  ReflectingParent parent;
  REQUIRE(CreatePopup(parent, RECT{0, 0, 100, 100}) != nullptr);
  ReflectedChild child;
  REQUIRE(child.Create(L"c", WS_CHILD, 0, 0, 0, 10, 10, parent.m_hWnd, nullptr) != nullptr);
  SetWindowLongPtrW(child.m_hWnd, GWLP_ID, 7);
  const LPARAM childParam = reinterpret_cast<LPARAM>(child.m_hWnd);

  NMHDR nm = {child.m_hWnd, 7, 0};
  DRAWITEMSTRUCT dis = {};
  dis.hwndItem = child.m_hWnd;
  MEASUREITEMSTRUCT mis = {};
  mis.CtlID = 7;
  struct Case {
    const char* what;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool reaches;
  };
  const Case cases[] = {
      {"WM_COMMAND from the child", WM_COMMAND, 7, childParam, true},
      {"WM_COMMAND from a menu", WM_COMMAND, 7, 0, false},
      {"WM_NOTIFY", WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm), true},
      {"WM_PARENTNOTIFY creation", WM_PARENTNOTIFY, WM_CREATE, childParam, true},
      {"WM_PARENTNOTIFY click, by id", WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 7), 0, true},
      {"WM_DRAWITEM of a control", WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&dis), true},
      {"WM_DRAWITEM of a menu", WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), false},
      {"WM_MEASUREITEM, by id", WM_MEASUREITEM, 7, reinterpret_cast<LPARAM>(&mis), true},
      {"WM_HSCROLL", WM_HSCROLL, SB_LINEDOWN, childParam, true},
      {"WM_CTLCOLORSTATIC", WM_CTLCOLORSTATIC, 0, childParam, true},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    child.reflectedMsgs.clear();
    parent.reflected = FALSE;
    const LRESULT result = SendMessageW(parent.m_hWnd, c.msg, c.wParam, c.lParam);
    CHECK(parent.reflected == (c.reaches ? TRUE : FALSE));
    if (c.reaches) {
      CHECK(child.reflectedMsgs == std::vector<UINT>{0x2000 + c.msg});
      CHECK(result == static_cast<LRESULT>(0x2000 + c.msg));
    } else {
      CHECK(child.reflectedMsgs.empty());
      CHECK(parent.lastResult == 1);
    }
  }

  // The default handling of a reflected message is the original message's default.
  LRESULT lResult = -5;
  CHECK(CSimpleWnd::DefaultReflectionHandler(child.m_hWnd, 0x2000 + WM_COMMAND, 0, 0, lResult));
  CHECK(lResult == 0);
  CHECK(CSimpleWnd::DefaultReflectionHandler(child.m_hWnd, 0x2000 + WM_CTLCOLORBTN, 0, 0,
                                             lResult));
  CHECK_FALSE(CSimpleWnd::DefaultReflectionHandler(child.m_hWnd, WM_COMMAND, 0, 0, lResult));
  CHECK_FALSE(CSimpleWnd::DefaultReflectionHandler(child.m_hWnd, 0x2000 + WM_PAINT, 0, 0,
                                                   lResult));

  // Forwarding sends control notifications up to the parent unchanged, and nothing else.
  child.forward = true;
  parent.messages.clear();
  SendMessageW(child.m_hWnd, WM_COMMAND, 9, 0);
  SendMessageW(child.m_hWnd, WM_APP + 3, 0, 0);
  CHECK(parent.Count(WM_COMMAND) == 1);
  CHECK(parent.Count(WM_APP + 3) == 0);
}
