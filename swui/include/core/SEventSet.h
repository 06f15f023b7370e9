// The events an object can raise, in the order they were added, and a mute flag that
// silences them all.
#pragma once
#include "base/SArray.h"
#include "core/SEvent.h"

namespace SWUI {

class SEventSet {
 public:
  SEventSet() = default;
  virtual ~SEventSet();
  SEventSet(const SEventSet&) = delete;
  SEventSet& operator=(const SEventSet&) = delete;

  // Adds an event unless one of that id exists (whose name then stays).
  void AddEvent(DWORD id, LPCWSTR name);
  // Adds the event type E under its own id and script name.
  template <class E>
  void AddEvent() {
    AddEvent(E::EventID, E::ScriptName());
  }
  // The first event of that id, or null.
  SEvent* GetEventObject(DWORD id) const;
  bool IsEventPresent(DWORD id) const { return GetEventObject(id) != nullptr; }
  void RemoveEvent(DWORD id);
  void RemoveAllEvents();

  // False when the set has no event of that id, else as SEvent::Subscribe / Unsubscribe.
  bool SubscribeEvent(DWORD id, const ISlotFunctor& slot);
  bool UnsubscribeEvent(DWORD id, const ISlotFunctor& slot);

  // Fires the event whose id is args' GetID; nothing when the set lacks it or is muted.
  void FireEvent(EventArgs& args);

  // The handler text of the first event of that name (exact comparison).
  bool SetEventScriptHandler(LPCWSTR name, const SStringA& handler);
  SStringA GetEventScriptHandler(LPCWSTR name) const;

  void SetMute(bool mute) { m_bMuted = mute; }
  bool IsMuted() const { return m_bMuted; }

 private:
  SEvent* FindByName(LPCWSTR name) const;

  SArray<SEvent*> m_events;
  bool m_bMuted = false;
};

}  // namespace SWUI
