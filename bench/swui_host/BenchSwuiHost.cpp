// Figures of the native-window services: message dispatch and window creation through
// CSimpleWnd against bare window procedures, cross-thread events through the notify centre,
// and the CPU an idle message loop uses.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "RenderModule.h"
#include "core/CSimpleWnd.h"
#include "core/MemberFunctionSlot.h"
#include "core/SApplication.h"
#include "core/SMessageLoop.h"
#include "core/SNotifyCenter.h"

using namespace SWUI;
using Clock = std::chrono::steady_clock;

namespace {

const wchar_t kBareClass[] = L"BenchBareWnd";

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Posted messages that the bare window counts, and how many end its loop.
int g_barePosted = 0;
int g_bareExpected = 0;

LRESULT CALLBACK BareProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP) return static_cast<LRESULT>(wParam + 1);
  if (msg == WM_APP + 1) {
    if (++g_barePosted == g_bareExpected) PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

// Answers WM_APP as the bare procedure does.
class BenchWnd : public CSimpleWnd {
 public:
  BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& lResult,
                            DWORD mapId) override {
    if (mapId != 0 || msg != WM_APP) return FALSE;
    lResult = static_cast<LRESULT>(wParam + 1);
    return TRUE;
  }
};

HWND CreateBare() {
  return CreateWindowExW(0, kBareClass, L"bare", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// Sends WM_APP rounds times; answers the seconds taken.
double SendRounds(HWND hWnd, int rounds, LRESULT* sum) {
  auto t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) *sum += SendMessageW(hWnd, WM_APP, i, 0);
  return SecondsSince(t0);
}

void BenchDispatch() {
  const int rounds = 1000000;
  BenchWnd wnd;
  HWND ours = wnd.Create(L"bench", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr);
  HWND bare = CreateBare();
  if (ours == nullptr || bare == nullptr) {
    std::printf("dispatch: windows could not be created\n");
    return;
  }
  LRESULT a = 0, b = 0;
  SendRounds(ours, rounds / 10, &a);  // warm-up
  SendRounds(bare, rounds / 10, &b);
  a = b = 0;
  const double tOurs = SendRounds(ours, rounds, &a);
  const double tBare = SendRounds(bare, rounds, &b);
  std::printf("messages through CSimpleWnd: %.2f M/s, bare WNDPROC %.2f M/s, time ratio %.2f%s\n",
              rounds / tOurs / 1e6, rounds / tBare / 1e6, tOurs / tBare,
              a == b ? "" : " (MISMATCH)");
  wnd.DestroyWindow();
  DestroyWindow(bare);
}

void BenchCreate() {
  const int rounds = 3000;
  auto t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    BenchWnd wnd;
    if (wnd.Create(L"bench", WS_POPUP, 0, 0, 0, 10, 10, nullptr, nullptr) != nullptr) {
      wnd.DestroyWindow();
    }
  }
  const double tOurs = SecondsSince(t0);
  t0 = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    if (HWND bare = CreateBare()) DestroyWindow(bare);
  }
  const double tBare = SecondsSince(t0);
  std::printf("window create+destroy: CSimpleWnd %.0f /s, bare %.0f /s, time ratio %.2f\n",
              rounds / tOurs, rounds / tBare, tOurs / tBare);
}

class EventStamp : public EventArgs {
  SWUI_EVENT_CLASS(9200, L"on_bench_stamp")

 public:
  EventStamp() : EventArgs(nullptr) {}
  Clock::time_point posted;
};

struct Receiver {
  bool OnStamp(EventStamp* e) {
    latencies.push_back(std::chrono::duration<double>(Clock::now() - e->posted).count());
    if (ack != nullptr) SetEvent(ack);
    if (latencies.size() == expected) loop->Quit();
    return true;
  }
  std::vector<double> latencies;
  size_t expected = 0;
  SMessageLoop* loop = nullptr;
  HANDLE ack = nullptr;  // set: the worker waits for each event before the next
};

// A worker fires count events through the centre, all at once (the UI thread's loop then
// delivers the burst) or each after the previous one arrived. Fills the latencies and answers
// the seconds the loop ran; a negative answer when not all events arrived.
double RunEvents(SApplication& app, SNotifyCenter& centre, Receiver& receiver, int count) {
  receiver.latencies.clear();
  receiver.latencies.reserve(count);
  receiver.expected = static_cast<size_t>(count);
  receiver.loop = app.GetMsgLoop();
  std::vector<EventStamp*> events;
  for (int i = 0; i < count; ++i) events.push_back(new EventStamp());
  const bool oneAtATime = receiver.ack != nullptr;
  const DWORD uiThread = GetCurrentThreadId();
  std::thread worker([&] {
    for (EventStamp* e : events) {
      e->posted = Clock::now();
      if (!centre.FireEventAsync(e)) {
        PostThreadMessageW(uiThread, WM_QUIT, 0, 0);  // the loop would wait for it forever
        break;
      }
      if (oneAtATime) WaitForSingleObject(receiver.ack, INFINITE);
    }
  });
  if (!oneAtATime) worker.join();
  const auto t0 = Clock::now();
  app.GetMsgLoop()->Run();
  const double seconds = SecondsSince(t0);
  if (oneAtATime) worker.join();
  for (EventStamp* e : events) e->Release();
  return receiver.latencies.size() == static_cast<size_t>(count) ? seconds : -1.0;
}

void BenchNotify(SApplication& app) {
  SNotifyCenter centre;
  centre.AddEvent<EventStamp>();
  Receiver receiver;
  centre.SubscribeEvent(EventStamp::EventID, Subscriber(&Receiver::OnStamp, &receiver));

  const int burst = 20000;
  const double seconds = RunEvents(app, centre, receiver, burst);
  if (seconds <= 0) {
    std::printf("notify centre: only %zu of %d events arrived\n", receiver.latencies.size(), burst);
    return;
  }
  // The baseline: the same burst of bare posted messages to a bare window.
  HWND bare = CreateBare();
  g_barePosted = 0;
  g_bareExpected = burst;
  std::thread poster([&] {
    for (int i = 0; i < burst; ++i) PostMessageW(bare, WM_APP + 1, 0, 0);
  });
  poster.join();
  const auto t0 = Clock::now();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  const double bareSeconds = SecondsSince(t0);
  DestroyWindow(bare);
  std::printf(
      "notify centre, worker to UI thread: %.0f events/s delivered, bare posts %.0f /s, "
      "time ratio %.2f",
      burst / seconds, burst / bareSeconds, seconds / bareSeconds);

  const int pings = 2000;
  receiver.ack = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  const bool all = RunEvents(app, centre, receiver, pings) > 0;
  CloseHandle(receiver.ack);
  receiver.ack = nullptr;
  if (!all) {
    std::printf(", latency run lost events\n");
    return;
  }
  std::vector<double> sorted = receiver.latencies;
  std::nth_element(sorted.begin(), sorted.begin() + pings / 2, sorted.end());
  std::printf(", median latency %.1f us (one at a time)\n", sorted[pings / 2] * 1e6);
}

ULONGLONG ThreadCpu100ns() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  ULARGE_INTEGER k, u;
  k.LowPart = kernel.dwLowDateTime;
  k.HighPart = kernel.dwHighDateTime;
  u.LowPart = user.dwLowDateTime;
  u.HighPart = user.dwHighDateTime;
  return k.QuadPart + u.QuadPart;
}

// Runs loop() on this thread while another thread posts WM_QUIT after two seconds; answers
// the CPU milliseconds this thread used.
template <class Loop>
double IdleCpuMs(Loop loop) {
  const DWORD self = GetCurrentThreadId();
  std::thread quitter([self] {
    Sleep(2000);
    PostThreadMessageW(self, WM_QUIT, 0, 0);
  });
  const ULONGLONG before = ThreadCpu100ns();
  loop();
  const ULONGLONG after = ThreadCpu100ns();
  quitter.join();
  return static_cast<double>(after - before) / 1e4;
}

void BenchIdle(SApplication& app) {
  // Empty the queue first: only an idle loop is measured.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  const double ours = IdleCpuMs([&] { app.GetMsgLoop()->Run(); });
  const double bare = IdleCpuMs([] {
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  });
  std::printf("idle CPU over 2 s: SMessageLoop %.1f ms, bare GetMessage loop %.1f ms\n", ours,
              bare);
}

}  // namespace

int main() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kBareClass;
  RegisterClassW(&wc);

  IObjRef* render = nullptr;
  if (!CreateRenderFactory_GDI(&render)) {
    std::printf("no render factory\n");
    return 1;
  }
  {
    SApplication app(static_cast<IRenderFactory*>(render), GetModuleHandleW(nullptr));
    BenchDispatch();
    BenchCreate();
    BenchNotify(app);
    BenchIdle(app);
  }
  render->Release();
  return 0;
}
