// The message loop: filters, idle handlers, the ways out, nesting and its factory.
#include <doctest/doctest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DebugOutputCapture.h"
#include "HostRig.h"
#include "core/CSimpleWnd.h"
#include "core/SDefMsgLoopFactory.h"
#include "core/SMessageLoop.h"

using namespace SWUI;

namespace {

// A window whose handlers are installed by the test; it records what reached it.
class ScriptWnd : public CSimpleWnd {
 public:
  BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& lResult,
                            DWORD mapId) override {
    if (mapId != 0 || !Scripted(msg) || onMessage == nullptr) return FALSE;
    log.push_back(msg);
    lResult = 0;
    onMessage(msg, wParam);
    return TRUE;
  }
  std::function<void(UINT, WPARAM)> onMessage;
  std::vector<UINT> log;

 private:
  static bool Scripted(UINT msg) {
    return msg == WM_KEYDOWN || msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE || msg == 0x118 ||
           msg >= WM_APP;
  }
};

struct Filter : SWUI::IMessageFilter {
  Filter(std::vector<char>* seen, char name, bool consume)
      : seen(seen), name(name), consume(consume) {}
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_APP) return FALSE;
    seen->push_back(name);
    return consume ? TRUE : FALSE;
  }
  std::vector<char>* seen;
  char name;
  bool consume;
};

struct IdleCounter : IIdleHandler {
  BOOL OnIdle() override {
    ++count;
    if (onIdle) onIdle(count);
    return TRUE;
  }
  int count = 0;
  std::function<void(int)> onIdle;
};

}  // namespace

TEST_CASE("filters are asked from the last added; the first that consumes ends the search") {
  HostRig rig;
  ScriptWnd wnd;
  REQUIRE(wnd.Create(L"w", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr) != nullptr);
  SMessageLoop loop;
  std::vector<char> seen;
  Filter a(&seen, 'a', false), b(&seen, 'b', true), c(&seen, 'c', false);
  loop.AddMessageFilter(&a);
  loop.AddMessageFilter(nullptr);  // skipped
  loop.AddMessageFilter(&b);
  loop.AddMessageFilter(&c);

  MSG msg = {wnd.m_hWnd, WM_APP, 0, 0, 0, {0, 0}};
  CHECK(loop.PreTranslateMessage(&msg));
  CHECK(seen == std::vector<char>{'c', 'b'});

  // Consumed messages are never dispatched; the others are.
  wnd.onMessage = [](UINT, WPARAM) {};
  loop.OnMsg(&msg);
  CHECK(wnd.log.empty());
  CHECK(loop.RemoveMessageFilter(&b));
  CHECK_FALSE(loop.RemoveMessageFilter(&b));
  seen.clear();
  loop.OnMsg(&msg);
  CHECK(seen == std::vector<char>{'c', 'a'});
  CHECK(wnd.log == std::vector<UINT>{WM_APP});
}

TEST_CASE("mouse moves do not re-arm the idle phase; other messages do") {
  HostRig rig;
  ScriptWnd wnd;
  REQUIRE(wnd.Create(L"w", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr) != nullptr);
  struct Case {
    UINT msg;
    bool reArms;
  };
  for (Case c : {Case{WM_MOUSEMOVE, false}, Case{WM_NCMOUSEMOVE, false}, Case{0x118, false},
                 Case{WM_KEYDOWN, true}, Case{WM_APP, true}}) {
    CAPTURE(c.msg);
    SMessageLoop loop;
    IdleCounter idle;
    std::vector<std::string> events;
    idle.onIdle = [&](int n) {
      events.push_back("idle");
      if (n == 1) {
        wnd.PostMessage(c.msg, 0, 0);
        // Without a re-armed idle phase the loop waits for this timer.
        wnd.SetTimer(1, 200);
      } else {
        loop.Quit();
      }
    };
    loop.AddIdleHandler(&idle);
    wnd.log.clear();
    wnd.onMessage = [&](UINT msg, WPARAM) { events.push_back(msg == c.msg ? "msg" : "other"); };
    // The timer reaches the window's default procedure; the loop sees it pass.
    struct TimerSpy : SWUI::IMessageFilter {
      std::vector<std::string>* events;
      BOOL PreTranslateMessage(MSG* m) override {
        if (m->message == WM_TIMER) {
          events->push_back("timer");
          KillTimer(m->hwnd, m->wParam);
        }
        return FALSE;
      }
    } spy;
    spy.events = &events;
    loop.AddMessageFilter(&spy);
    loop.Run();
    wnd.KillTimer(1);
    MSG stale;
    while (PeekMessageW(&stale, wnd.m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    const std::vector<std::string> expected =
        c.reArms ? std::vector<std::string>{"idle", "msg", "idle"}
                 : std::vector<std::string>{"idle", "msg", "timer", "idle"};
    CHECK(events == expected);
  }
}

TEST_CASE("Quit ends Run after the current message, with that message's wParam") {
  HostRig rig;
  ScriptWnd wnd;
  REQUIRE(wnd.Create(L"w", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr) != nullptr);
  SMessageLoop loop;
  loop.Quit();  // not running: no effect
  CHECK_FALSE(loop.IsRunning());
  bool runningInside = false;
  wnd.onMessage = [&](UINT msg, WPARAM) {
    runningInside = loop.IsRunning() != FALSE;
    if (msg == WM_APP) loop.Quit();
  };
  wnd.PostMessage(WM_APP + 1, 5);
  wnd.PostMessage(WM_APP, 42);
  wnd.PostMessage(WM_APP + 2, 9);  // still queued when the loop ends
  CHECK(loop.Run() == 42);
  CHECK(runningInside);
  CHECK_FALSE(loop.IsRunning());
  CHECK(wnd.log == std::vector<UINT>{WM_APP + 1, WM_APP});

  // The loop can run again; the message left over is handled then.
  wnd.onMessage = [&](UINT msg, WPARAM) {
    if (msg == WM_APP + 2) PostQuitMessage(3);
  };
  CHECK(loop.Run() == 3);
}

TEST_CASE("WM_QUIT ends Run with its exit code and a log line") {
  HostRig rig;
  SMessageLoop loop;
  DebugOutputCapture capture;
  PostQuitMessage(7);
  CHECK(loop.Run() == 7);
  CHECK(capture.Contains("SMessageLoop::Run - exiting,code = 7"));
  CHECK_FALSE(loop.IsRunning());
}

TEST_CASE("loops nest: a handler runs an inner loop from the factory") {
  HostRig rig;
  ScriptWnd wnd;
  REQUIRE(wnd.Create(L"w", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr) != nullptr);
  IMsgLoopFactory* factory = rig.app->GetMsgLoopFactory();
  SMessageLoop* outer = rig.app->GetMsgLoop();
  int innerResult = -1;
  bool outerRunningInside = false;
  SMessageLoop* inner = nullptr;
  wnd.onMessage = [&](UINT msg, WPARAM) {
    if (msg == WM_APP) {
      inner = factory->CreateMsgLoop();
      REQUIRE(inner != nullptr);
      wnd.PostMessage(WM_APP + 1);
      innerResult = inner->Run();
      factory->DestroyMsgLoop(inner);
      inner = nullptr;
      wnd.PostMessage(WM_APP + 2, 11);
    } else if (msg == WM_APP + 1) {
      outerRunningInside = outer->IsRunning() != FALSE;
      inner->Quit();
      wnd.PostMessage(WM_APP + 3);  // wakes nobody: the inner loop has quit
    } else if (msg == WM_APP + 2) {
      outer->Quit();
    }
  };
  wnd.PostMessage(WM_APP);
  CHECK(outer->Run() == 11);
  CHECK(innerResult == 0);  // WM_APP + 1 carried wParam 0
  CHECK(outerRunningInside);
  CHECK(wnd.log == std::vector<UINT>{WM_APP, WM_APP + 1, WM_APP + 3, WM_APP + 2});
}
