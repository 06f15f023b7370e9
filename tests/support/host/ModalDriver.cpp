#include "ModalDriver.h"

#include <algorithm>

namespace {

// A code no test expects from a loop.
const int kWatchdogQuitCode = 0x7EA7;

std::vector<ModalDriver*>& Drivers() {
  static std::vector<ModalDriver*> drivers;
  return drivers;
}

}  // namespace

ModalDriver::ModalDriver(std::vector<Step> steps, DWORD watchdogMs, Step bailOut)
    : steps_(std::move(steps)), watchdogMs_(watchdogMs), bailOut_(std::move(bailOut)) {
  timer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &ModalDriver::OnTick);
  Drivers().push_back(this);
  if (steps_.empty()) doneAt_ = GetTickCount();
}

ModalDriver::~ModalDriver() {
  if (timer_ != 0) KillTimer(nullptr, timer_);
  auto& drivers = Drivers();
  drivers.erase(std::remove(drivers.begin(), drivers.end(), this), drivers.end());
  if (timedOut_ && !bailOut_) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
}

void CALLBACK ModalDriver::OnTick(HWND, UINT, UINT_PTR id, DWORD) {
  for (ModalDriver* driver : Drivers()) {
    if (driver->timer_ == id) {
      driver->Tick();
      return;
    }
  }
}

void ModalDriver::Tick() {
  // Re-entered when a step runs a nested modal loop: the next steps drive that one.
  if (next_ < steps_.size()) {
    const size_t index = next_++;
    if (next_ >= steps_.size()) doneAt_ = GetTickCount();
    steps_[index]();
  } else if (!timedOut_ && GetTickCount() - doneAt_ > watchdogMs_) {
    timedOut_ = true;
    if (bailOut_) {
      bailOut_();
    } else {
      PostQuitMessage(kWatchdogQuitCode);
    }
  }
}
