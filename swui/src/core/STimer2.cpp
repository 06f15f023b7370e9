#include "core/STimer2.h"

#include <vector>

#include "core/ISwndElement.h"
#include "core/SWindowMgr.h"

namespace SWUI {

STimer2::STimer2() = default;

STimer2::~STimer2() {
  KillMatching([](const TimerOwner&) { return true; });
}

template <class Match>
void STimer2::KillMatching(Match match) {
  std::vector<UINT_PTR> found;
  for (SPOSITION pos = m_timers.GetStartPosition(); pos != nullptr;) {
    auto* pair = m_timers.GetNext(pos);
    if (match(pair->m_value)) found.push_back(pair->m_key);
  }
  for (UINT_PTR nativeId : found) {
    ::KillTimer(nullptr, nativeId);
    m_timers.RemoveKey(nativeId);
  }
}

BOOL STimer2::SetTimer2(SwndHandle swnd, UINT timerId, UINT elapse) {
  STimer2* self = getSingletonPtr();
  if (self == nullptr) return FALSE;
  KillTimer2(swnd, timerId);
  UINT_PTR nativeId = ::SetTimer(nullptr, 0, elapse, &STimer2::OnTimer);
  if (nativeId == 0) return FALSE;
  if (self->m_timers.SetAt(nativeId, TimerOwner{swnd, timerId}) == nullptr) {
    ::KillTimer(nullptr, nativeId);
    return FALSE;
  }
  return TRUE;
}

void STimer2::KillTimer2(SwndHandle swnd, UINT timerId) {
  if (STimer2* self = getSingletonPtr()) {
    self->KillMatching(
        [&](const TimerOwner& owner) { return owner.swnd == swnd && owner.timerId == timerId; });
  }
}

void STimer2::KillTimers(SwndHandle swnd) {
  if (STimer2* self = getSingletonPtr()) {
    self->KillMatching([&](const TimerOwner& owner) { return owner.swnd == swnd; });
  }
}

void CALLBACK STimer2::OnTimer(HWND, UINT, UINT_PTR nativeId, DWORD) {
  STimer2* self = getSingletonPtr();
  if (self == nullptr) {
    // The service is gone; nobody will ever kill this timer otherwise.
    ::KillTimer(nullptr, nativeId);
    return;
  }
  TimerOwner owner{};
  if (!self->m_timers.Lookup(nativeId, owner)) return;
  // A timer whose element is gone fires without effect.
  if (ISwndElement* element = SWindowMgr::GetWindow(owner.swnd)) {
    element->SSendMessage(UM_TIMER2, owner.timerId, 0, nullptr);
  }
}

}  // namespace SWUI
