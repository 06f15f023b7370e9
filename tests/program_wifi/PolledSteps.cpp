#include "PolledSteps.h"

#include <algorithm>

namespace {

std::vector<PolledSteps*>& Running() {
  static std::vector<PolledSteps*> running;
  return running;
}

}  // namespace

PolledSteps::PolledSteps(std::vector<Step> steps, DWORD timeoutMs, std::function<void()> bailOut)
    : steps_(std::move(steps)),
      bailOut_(std::move(bailOut)),
      started_(GetTickCount()),
      timeoutMs_(timeoutMs) {
  timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &PolledSteps::OnTick);
  Running().push_back(this);
}

PolledSteps::~PolledSteps() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  auto& running = Running();
  running.erase(std::remove(running.begin(), running.end(), this), running.end());
}

void CALLBACK PolledSteps::OnTick(HWND, UINT, UINT_PTR id, DWORD) {
  for (PolledSteps* steps : Running()) {
    if (steps->timer_ == id) {
      steps->Tick();
      return;
    }
  }
}

void PolledSteps::Tick() {
  if (inStep_ || bailedOut_) return;
  if (GetTickCount() - started_ > timeoutMs_) {
    timedOut_ = true;
    BailOut();
    return;
  }
  if (Finished()) return;
  inStep_ = true;
  bool done = false;
  try {
    done = steps_[next_]();
  } catch (...) {
    inStep_ = false;
    BailOut();
    return;
  }
  inStep_ = false;
  if (done) ++next_;
}

void PolledSteps::BailOut() {
  bailedOut_ = true;
  if (bailOut_) bailOut_();
}
