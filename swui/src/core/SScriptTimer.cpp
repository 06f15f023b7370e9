#include "core/SScriptTimer.h"

namespace SWUI {

SScriptTimer::SScriptTimer() = default;

SScriptTimer::~SScriptTimer() {
  for (SPOSITION pos = m_timers.GetStartPosition(); pos != nullptr;) {
    ::KillTimer(nullptr, m_timers.GetNext(pos)->m_key);
  }
  m_timers.RemoveAll();
}

UINT_PTR SScriptTimer::SetTimer(HWND host, const SStringA& handler, UINT elapse, BOOL repeat) {
  UINT_PTR timerId = ::SetTimer(nullptr, 0, elapse, &SScriptTimer::OnTimer);
  if (timerId == 0) return 0;
  ScriptTimerEntry entry;
  entry.host = host;
  entry.handler = handler;
  entry.repeat = repeat;
  if (m_timers.SetAt(timerId, entry) == nullptr) {
    ::KillTimer(nullptr, timerId);
    return 0;
  }
  return timerId;
}

BOOL SScriptTimer::KillTimer(UINT_PTR timerId) {
  ScriptTimerEntry entry;
  if (!m_timers.Lookup(timerId, entry)) return FALSE;
  ::KillTimer(nullptr, timerId);
  // Forgotten before the callback runs, so a callback that kills it again finds nothing.
  m_timers.RemoveKey(timerId);
  if (m_onRemove) m_onRemove(timerId, entry);
  return TRUE;
}

void CALLBACK SScriptTimer::OnTimer(HWND, UINT, UINT_PTR timerId, DWORD) {
  SScriptTimer* self = getSingletonPtr();
  if (self == nullptr) {
    ::KillTimer(nullptr, timerId);
    return;
  }
  ScriptTimerEntry entry;
  if (!self->m_timers.Lookup(timerId, entry)) return;
  // A copy: the host may kill the timer while it handles it.
  ::SendMessageW(entry.host, UM_SCRIPTTIMER, timerId,
                 reinterpret_cast<LPARAM>(entry.handler.c_str()));
  if (!entry.repeat) self->KillTimer(timerId);
}

}  // namespace SWUI
