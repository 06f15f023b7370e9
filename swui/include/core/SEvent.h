// One event that an object can raise, with its subscribers in subscription order.
#pragma once
#include <memory>
#include <vector>

#include "core/EventArgs.h"
#include "core/ISlotFunctor.h"
#include "base/SArray.h"
#include "base/SString.h"

namespace SWUI {

class SEvent {
 public:
  SEvent(DWORD id, LPCWSTR name);
  virtual ~SEvent();
  SEvent(const SEvent&) = delete;
  SEvent& operator=(const SEvent&) = delete;

  DWORD GetID() const { return m_id; }
  SStringW GetName() const { return m_name; }
  SStringA GetScriptHandler() const { return m_scriptHandler; }
  void SetScriptHandler(const SStringA& handler) { m_scriptHandler = handler; }

  // Index of the first subscriber equal to slot, or -1.
  int FindSlot(const ISlotFunctor& slot) const;
  // Stores a copy of slot; false when an equal subscriber is already there.
  bool Subscribe(const ISlotFunctor& slot);
  // Removes the equal subscriber; false when there is none.
  bool Unsubscribe(const ISlotFunctor& slot);
  size_t GetSlotCount() const { return m_slots.GetCount(); }

  // Calls the subscribers from the last subscribed to the first. Each one that returns true is
  // counted in args.handled, and stops the walk when args.bubbleUp is then false.
  // Subscribers may subscribe, unsubscribe (themselves or others) or destroy this event while
  // it fires: the walk covers the subscribers present when it began that are still subscribed,
  // and ends as soon as the event is gone.
  void Fire(EventArgs& args);

 private:
  // What the walks in progress share with the event; it outlives the event until the
  // outermost walk ends, and holds the removed subscribers until then.
  struct FireState {
    bool alive = true;
    int depth = 0;
    std::vector<ISlotFunctor*> removed;
  };

  bool IsSubscribed(const ISlotFunctor* slot) const;
  void Discard(ISlotFunctor* slot);
  static void EndWalk(FireState& state);

  DWORD m_id;
  SStringW m_name;
  SStringA m_scriptHandler;
  SArray<ISlotFunctor*> m_slots;
  std::shared_ptr<FireState> m_fireState;
};

}  // namespace SWUI
