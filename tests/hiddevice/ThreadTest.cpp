#include <doctest/doctest.h>

#include <atomic>

#include "HidDevice/CThreadObject.h"
#include "WaitUntil.h"

namespace {
// Open handles of the process, counted by probing handle values (the system's own count is not
// kept under Wine).
int CountHandles() {
  int n = 0;
  DWORD flags;
  for (ULONG_PTR v = 4; v < 0x4000; v += 4) n += GetHandleInformation(reinterpret_cast<HANDLE>(v), &flags) ? 1 : 0;
  return n;
}

class Worker : public CThreadObject {
 public:
  enum Mode { UntilStopped, IgnoreStop, ReturnAtOnce };
  explicit Worker(Mode mode) : m_mode(mode) {}
  ~Worker() override { quit = true; Stop(1000); }
  std::atomic<int> runs{0};
  std::atomic<int> finished{0};  // bodies that returned on their own (a terminated one never does)
  std::atomic<bool> quit{false};

 protected:
  DWORD Run() override {
    ++runs;
    while (m_mode != ReturnAtOnce && !quit && (m_mode == IgnoreStop || !IsStopRequested())) Sleep(2);
    ++finished;
    return 0;
  }

 private:
  Mode m_mode;
};
}  // namespace

TEST_CASE("A thread object starts once, stops on request and starts again") {
  Worker w(Worker::UntilStopped);
  CHECK_FALSE(w.IsRunning());
  REQUIRE(w.Start());
  CHECK(w.IsRunning());
  CHECK_FALSE(w.Start());
  CHECK(w.Stop(30000));
  CHECK_FALSE(w.IsRunning());
  REQUIRE(w.Start());
  CHECK(w.IsRunning());
  // A stop right after the start is seen by the body, which returns on its own: a lost request
  // would end in the forced termination after the (long) time-out instead.
  CHECK(w.Stop(30000));
  CHECK(w.runs == 2);
  CHECK(w.finished == 2);
}

TEST_CASE("A thread that ignores the stop request is ended after the time-out") {
  Worker w(Worker::IgnoreStop);
  REQUIRE(w.Start());
  DWORD start = GetTickCount();
  CHECK(w.Stop(100));
  DWORD took = GetTickCount() - start;
  CHECK(took >= 90);
  CHECK(took < 10000);  // ended by force, not waited for (the body never returns by itself)
  CHECK(w.finished == 0);
  CHECK_FALSE(w.IsRunning());  // a terminated thread does not count as running
  REQUIRE(w.Start());
  w.quit = true;
}

TEST_CASE("Stop releases the thread handle even when the thread already ended") {
  {
    Worker warmUp(Worker::ReturnAtOnce);
    REQUIRE(warmUp.Start());
    warmUp.Stop(1000);
  }
  Worker w(Worker::ReturnAtOnce);  // its events are counted in `before`
  // Let the warm-up thread leave the system entirely: the count settles.
  int before = CountHandles();
  for (int settled = 0, i = 0; settled < 5 && i < 500; ++i) {
    Sleep(10);
    int now = CountHandles();
    settled = now == before ? settled + 1 : 0;
    before = now;
  }
  REQUIRE(w.Start());
  // Run has returned: the thread no longer counts as running.
  CHECK(WaitUntil([&] { return !w.IsRunning(); }));
  CHECK(w.Stop(1000));
  CHECK(w.runs == 1);
  // The thread's own traces leave with it; only a kept handle stays for good.
  CHECK(WaitUntil([&] { return CountHandles() <= before; }));
}
