// Drives a modal loop (a dialog's DoModal) from inside with steps that wait: on every tick of a
// thread timer, dispatched by whatever loop runs, the current step is called until it answers
// true, then the next one. A step never runs inside another (a step may pump messages). When
// the time is up, or a step threw (a failed REQUIRE, already reported), the bail-out runs once:
// it should end the loop. Nothing sleeps.
//
//   PolledSteps steps({[&] { Click(...); return true; }, [&] { return Loaded(); }}, 20000,
//                     [&] { dlg.EndDialog(IDCANCEL); });
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

class PolledSteps {
 public:
  using Step = std::function<bool()>;

  PolledSteps(std::vector<Step> steps, DWORD timeoutMs, std::function<void()> bailOut);
  ~PolledSteps();
  PolledSteps(const PolledSteps&) = delete;
  PolledSteps& operator=(const PolledSteps&) = delete;

  bool Finished() const { return next_ >= steps_.size(); }
  bool TimedOut() const { return timedOut_; }
  // The step that was running when the time ran out (or the count done).
  size_t StepsDone() const { return next_; }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD);
  void Tick();
  void BailOut();

  std::vector<Step> steps_;
  std::function<void()> bailOut_;
  size_t next_ = 0;
  bool inStep_ = false;
  bool timedOut_ = false;
  bool bailedOut_ = false;
  DWORD started_;
  DWORD timeoutMs_;
  UINT_PTR timer_ = 0;
};
