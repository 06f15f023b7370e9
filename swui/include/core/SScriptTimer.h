// Timers of script modules (application singleton 3): thread timers that, when they fire,
// send the host window UM_SCRIPTTIMER with the timer id and the script handler to run. No
// script module exists in this system, so nothing sets one; the host's script-timer kill
// comes here. Used on the UI thread only, like every thread timer.
#pragma once
#include <windows.h>

#include <functional>

#include "core/SCmnMap.h"
#include "core/SSingleton.h"
#include "base/SString.h"

namespace SWUI {

// Host window message of a script timer: wParam the timer id, lParam the handler text
// (const char*, valid during the call).
constexpr UINT UM_SCRIPTTIMER = 0x2BD9;

struct ScriptTimerEntry {
  HWND host = nullptr;
  SStringA handler;
  BOOL repeat = FALSE;
};

class SScriptTimer : public SSingleton<SScriptTimer> {
 public:
  using RemovalCallback = std::function<void(UINT_PTR timerId, const ScriptTimerEntry& entry)>;

  SScriptTimer();
  // Kills every timer still registered.
  virtual ~SScriptTimer();

  // A timer of elapse ms for host; a timer that does not repeat is killed after firing once.
  // 0 when the system gives no timer.
  UINT_PTR SetTimer(HWND host, const SStringA& handler, UINT elapse, BOOL repeat);
  // Kills the timer and forgets it, then hands its entry to the removal callback. FALSE for
  // an unknown id.
  BOOL KillTimer(UINT_PTR timerId);
  void SetRemovalCallback(RemovalCallback callback) { m_onRemove = std::move(callback); }

  size_t GetTimerCount() const { return m_timers.GetCount(); }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR timerId, DWORD);

  SCmnMap<UINT_PTR, ScriptTimerEntry> m_timers{17};
  RemovalCallback m_onRemove;
};

}  // namespace SWUI
