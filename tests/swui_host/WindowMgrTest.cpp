// Element handles, element timers (STimer2 and the host timer ids) and script timers.
#include <doctest/doctest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "HostRig.h"
#include "core/CSimpleWnd.h"
#include "core/SScriptTimer.h"
#include "core/STimer2.h"
#include "core/SWindowMgr.h"

using namespace SWUI;

namespace {

const RECT kRect = {0, 0, 10, 10};

STimer2& Timers() { return STimer2::getSingleton(); }

}  // namespace

TEST_CASE("handles start at 1, strictly increase and are never issued again") {
  HostRig rig;
  CHECK(SWindowMgr::GetWindow(0) == nullptr);
  CHECK(SWindowMgr::NewWindow(nullptr) == 0);

  SwndHandle first = 0;
  SwndHandle last = 0;
  {
    FakeElement a(kRect);
    first = a.Handle();
    CHECK(first == 1);  // the null element above used no handle
    CHECK(SWindowMgr::GetWindow(first) == &a);
    last = first;
  }
  CHECK(SWindowMgr::GetWindow(first) == nullptr);
  for (int i = 0; i < 50; ++i) {
    auto element = std::make_unique<FakeElement>(kRect);
    CHECK(element->Handle() > last);
    last = element->Handle();
    CHECK(SWindowMgr::GetWindow(last) == element.get());
  }
  CHECK(SWindowMgr::GetWindow(last) == nullptr);
  CHECK(SWindowMgr::GetWindow(last + 1) == nullptr);
}

TEST_CASE("element timers reach their element by handle, one per element and id") {
  HostRig rig;
  FakeElement a(kRect);
  FakeElement b(kRect);
  REQUIRE(STimer2::SetTimer2(a.Handle(), 5, 1));
  REQUIRE(STimer2::SetTimer2(a.Handle(), 5, 1));  // replaces the first
  REQUIRE(STimer2::SetTimer2(a.Handle(), 6, 100000));
  REQUIRE(STimer2::SetTimer2(b.Handle(), 5, 100000));
  CHECK(Timers().GetTimerCount() == 3);

  CHECK(PumpUntil([&] { return a.Count(UM_TIMER2) >= 3; }));
  for (const auto& m : a.Messages()) CHECK(m.wParam == 5);
  CHECK(b.Count(UM_TIMER2) == 0);

  STimer2::KillTimer2(a.Handle(), 5);
  CHECK(Timers().GetTimerCount() == 2);
  STimer2::KillTimers(a.Handle());
  CHECK(Timers().GetTimerCount() == 1);
  STimer2::KillTimer2(a.Handle(), 5);  // nothing left of a: no effect
  CHECK(Timers().GetTimerCount() == 1);
}

TEST_CASE("destroying a handle kills its timers, known or not; a dead element's timer is void") {
  HostRig rig;
  FakeElement live(kRect);
  SwndHandle dead = 0;
  {
    FakeElement gone(kRect);
    dead = gone.Handle();
    REQUIRE(STimer2::SetTimer2(dead, 1, 100000));
  }
  CHECK(Timers().GetTimerCount() == 0);  // the element's destruction killed it

  // A timer set for a handle whose element is gone fires without effect.
  REQUIRE(STimer2::SetTimer2(dead, 2, 1));
  REQUIRE(STimer2::SetTimer2(live.Handle(), 3, 1));
  CHECK(PumpUntil([&] { return live.Count(UM_TIMER2) >= 3; }));

  // The manager does not know the handle any more, yet kills its timers.
  CHECK_FALSE(SWindowMgr::DestroyWindow(dead));
  CHECK(Timers().GetTimerCount() == 1);
  CHECK(SWindowMgr::DestroyWindow(live.Handle()));
  CHECK(Timers().GetTimerCount() == 0);
  CHECK(SWindowMgr::GetWindow(live.Handle()) == nullptr);
}

TEST_CASE("element timer ids on the host window carry the timer id and the handle") {
  struct Case {
    SwndHandle swnd;
    UINT timerId;
    UINT_PTR nativeId;
    UINT timerBack;
    SwndHandle handleBack;
  };
  const Case cases[] = {
      {1, 0, 0x80000001u, 0, 1},
      {0x123456, 5, 0x85123456u, 5, 0x123456},
      {7, 127, 0xFF000007u, 127, 7},
      {7, 130, 0x82000007u, 2, 7},              // masked: meets timer 2 of the same element
      {0x1000002, 1, 0x81000002u, 1, 2},        // masked: meets element 2's timer 1
  };
  for (const Case& c : cases) {
    CAPTURE(c.nativeId);
    const UINT_PTR id = SwndTimerId::Make(c.swnd, c.timerId);
    CHECK(id == c.nativeId);
    CHECK(SwndTimerId::IsElementTimer(id));
    CHECK(SwndTimerId::GetTimerId(id) == c.timerBack);
    CHECK(SwndTimerId::GetHandle(id) == c.handleBack);
  }
  CHECK_FALSE(SwndTimerId::IsElementTimer(1011));
}

namespace {

// A host window that records the script timers that reach it.
class ScriptHost : public CSimpleWnd {
 public:
  BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override {
    if (mapId != 0 || msg != UM_SCRIPTTIMER) return FALSE;
    fired.push_back(wParam);
    handlers.push_back(reinterpret_cast<const char*>(lParam));
    lResult = 0;
    return TRUE;
  }
  std::vector<UINT_PTR> fired;
  std::vector<std::string> handlers;
};

}  // namespace

TEST_CASE("script timers send their handler to the host, and are killed through the registry") {
  HostRig rig;
  ScriptHost host;
  REQUIRE(host.Create(L"h", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr) != nullptr);
  SScriptTimer& timers = SScriptTimer::getSingleton();
  std::vector<std::string> removed;
  timers.SetRemovalCallback(
      [&](UINT_PTR, const ScriptTimerEntry& entry) { removed.push_back(entry.handler.c_str()); });

  const UINT_PTR once = timers.SetTimer(host.m_hWnd, "onOnce", 1, FALSE);
  const UINT_PTR again = timers.SetTimer(host.m_hWnd, "onAgain", 1, TRUE);
  REQUIRE(once != 0);
  REQUIRE(again != 0);
  CHECK(timers.GetTimerCount() == 2);
  CHECK(PumpUntil([&] {
    size_t repeats = 0;
    for (UINT_PTR id : host.fired) repeats += (id == again);
    return repeats >= 3;
  }));
  size_t onces = 0;
  for (UINT_PTR id : host.fired) onces += (id == once);
  CHECK(onces == 1);  // a one-shot timer removes itself after firing
  CHECK(removed == std::vector<std::string>{"onOnce"});
  CHECK(timers.GetTimerCount() == 1);

  CHECK(timers.KillTimer(again));
  CHECK_FALSE(timers.KillTimer(again));
  CHECK(removed == std::vector<std::string>{"onOnce", "onAgain"});
  CHECK(timers.GetTimerCount() == 0);
  timers.SetRemovalCallback(nullptr);
}
