#include "core/SEventSet.h"

#include <memory>

namespace SWUI {

SEventSet::~SEventSet() { RemoveAllEvents(); }

void SEventSet::AddEvent(DWORD id, LPCWSTR name) {
  if (IsEventPresent(id)) return;
  auto ev = std::make_unique<SEvent>(id, name);
  if (m_events.Add(ev.get()) != SArray<SEvent*>::kNotFound) ev.release();  // the set owns it
}

SEvent* SEventSet::GetEventObject(DWORD id) const {
  for (SEvent* ev : m_events) {
    if (ev->GetID() == id) return ev;
  }
  return nullptr;
}

void SEventSet::RemoveEvent(DWORD id) {
  for (size_t i = 0; i < m_events.GetCount(); ++i) {
    SEvent* ev = m_events[i];
    if (ev->GetID() == id) {
      m_events.RemoveAt(i);
      delete ev;
      return;
    }
  }
}

void SEventSet::RemoveAllEvents() {
  // Detach the array first: a subscriber of a dying event may still look the set up.
  SArray<SEvent*> events(std::move(m_events));
  m_events.RemoveAll();
  for (SEvent* ev : events) delete ev;
}

bool SEventSet::SubscribeEvent(DWORD id, const ISlotFunctor& slot) {
  SEvent* ev = GetEventObject(id);
  return ev != nullptr && ev->Subscribe(slot);
}

bool SEventSet::UnsubscribeEvent(DWORD id, const ISlotFunctor& slot) {
  SEvent* ev = GetEventObject(id);
  return ev != nullptr && ev->Unsubscribe(slot);
}

void SEventSet::FireEvent(EventArgs& args) {
  if (m_bMuted) return;
  SEvent* ev = GetEventObject(static_cast<DWORD>(args.GetID()));
  if (ev != nullptr) ev->Fire(args);
}

SEvent* SEventSet::FindByName(LPCWSTR name) const {
  if (name == nullptr) return nullptr;
  for (SEvent* ev : m_events) {
    if (ev->GetName() == name) return ev;
  }
  return nullptr;
}

bool SEventSet::SetEventScriptHandler(LPCWSTR name, const SStringA& handler) {
  SEvent* ev = FindByName(name);
  if (ev == nullptr) return false;
  ev->SetScriptHandler(handler);
  return true;
}

SStringA SEventSet::GetEventScriptHandler(LPCWSTR name) const {
  SEvent* ev = FindByName(name);
  return ev != nullptr ? ev->GetScriptHandler() : SStringA();
}

}  // namespace SWUI
