#include "core/SEvent.h"

#include <algorithm>

namespace SWUI {

namespace {
constexpr size_t kInlineSnapshot = 8;
}

SEvent::SEvent(DWORD id, LPCWSTR name)
    : m_id(id), m_name(name), m_fireState(std::make_shared<FireState>()) {}

SEvent::~SEvent() {
  m_fireState->alive = false;
  for (ISlotFunctor* slot : m_slots) Discard(slot);
  m_slots.RemoveAll();
}

int SEvent::FindSlot(const ISlotFunctor& slot) const {
  for (size_t i = 0; i < m_slots.GetCount(); ++i) {
    if (m_slots[i]->Equal(slot)) return static_cast<int>(i);
  }
  return -1;
}

bool SEvent::Subscribe(const ISlotFunctor& slot) {
  if (FindSlot(slot) >= 0) return false;
  ISlotFunctor* copy = slot.Clone();
  if (copy == nullptr) return false;
  if (m_slots.Add(copy) == SArray<ISlotFunctor*>::kNotFound) {
    delete copy;
    return false;
  }
  return true;
}

bool SEvent::Unsubscribe(const ISlotFunctor& slot) {
  int index = FindSlot(slot);
  if (index < 0) return false;
  ISlotFunctor* stored = m_slots[index];
  m_slots.RemoveAt(static_cast<size_t>(index));
  Discard(stored);
  return true;
}

void SEvent::Fire(EventArgs& args) {
  // The walk keeps the shared state alive by itself: the event may die under it.
  const size_t count = m_slots.GetCount();
  if (count == 0) return;
  std::shared_ptr<FireState> state = m_fireState;
  // The subscribers present now; most events have a few, which fit on the stack.
  ISlotFunctor* inlineSnapshot[kInlineSnapshot];
  std::vector<ISlotFunctor*> heapSnapshot;
  ISlotFunctor** snapshot = inlineSnapshot;
  if (count > kInlineSnapshot) {
    heapSnapshot.assign(m_slots.begin(), m_slots.end());
    snapshot = heapSnapshot.data();
  } else {
    std::copy(m_slots.begin(), m_slots.end(), inlineSnapshot);
  }
  ++state->depth;
  for (size_t i = count; i-- > 0;) {
    if (!state->alive) break;
    ISlotFunctor* slot = snapshot[i];
    if (!IsSubscribed(slot)) continue;
    if ((*slot)(&args)) {
      ++args.handled;
      if (!args.bubbleUp) break;
    }
  }
  EndWalk(*state);
}

bool SEvent::IsSubscribed(const ISlotFunctor* slot) const {
  for (const ISlotFunctor* s : m_slots) {
    if (s == slot) return true;
  }
  return false;
}

// A subscriber removed while a walk is in progress may be the one running, or one the walk
// still holds: it is deleted when the outermost walk ends.
void SEvent::Discard(ISlotFunctor* slot) {
  if (m_fireState->depth > 0) {
    m_fireState->removed.push_back(slot);
  } else {
    delete slot;
  }
}

void SEvent::EndWalk(FireState& state) {
  if (--state.depth > 0) return;
  std::vector<ISlotFunctor*> removed;
  removed.swap(state.removed);
  for (ISlotFunctor* slot : removed) delete slot;
}

}  // namespace SWUI
