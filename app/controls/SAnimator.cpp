#include "controls/SAnimator.h"

namespace SWUI {

void SAnimator::OnAnimatorState(int percent) {
  if (m_callback != nullptr) m_callback(percent, m_context);
}

void SAnimator::Start(DWORD now, DWORD duration) {
  if (IsRunning()) {
    m_duration = 0;
    OnAnimatorState(-1);
  }
  m_startTime = now;
  m_duration = duration;
  OnAnimatorState(0);
}

void SAnimator::Step(DWORD now) {
  if (!IsRunning()) return;
  // Unsigned: a tick count that wrapped since the start still gives the time passed.
  const DWORD elapsed = now - m_startTime;
  if (elapsed < m_duration) {
    OnAnimatorState(static_cast<int>(elapsed * 100 / m_duration));
    return;
  }
  // Ended before the last report, so that a new Start made from it keeps running.
  m_duration = 0;
  OnAnimatorState(100);
}

}  // namespace SWUI
