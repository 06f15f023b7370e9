#include "core/SNotifyCenter.h"

#include <algorithm>

#include "core/SLog.h"

namespace SWUI {

SNotifyCenter::SNotifyCenter() : m_receiver(this) {
  if (m_receiver.Create(L"NotifyReceiver", WS_POPUP, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr) ==
      nullptr) {
    SLog::Write(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "SWUI::SNotifyCenter::SNotifyCenter",
                "the notify centre's receiver window could not be created");
  }
}

SNotifyCenter::~SNotifyCenter() {
  m_receiver.DrainQueue();
  if (m_receiver.m_hWnd != nullptr) m_receiver.DestroyWindow();
  m_slots.clear();
}

BOOL SNotifyCenter::FireEventAsync(EventArgs* e) {
  HWND receiver = m_receiver.m_hWnd;
  if (e == nullptr || receiver == nullptr) return FALSE;
  e->AddRef();
  if (!PostMessageW(receiver, UM_NOTIFYEVENT, 0, reinterpret_cast<LPARAM>(e))) {
    e->Release();
    return FALSE;
  }
  return TRUE;
}

void SNotifyCenter::OnFireEvent(EventArgs* e) {
  if (e == nullptr || !IsEventPresent(e->GetID())) return;
  FireEvent(*e);
  if (!e->bubbleUp) return;
  const std::vector<SlotPtr> snapshot = m_slots;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    if (!IsRegistered(*it)) continue;
    (**it)(e);
    if (!e->bubbleUp) break;
  }
}

bool SNotifyCenter::IsRegistered(const SlotPtr& slot) const {
  return std::find(m_slots.begin(), m_slots.end(), slot) != m_slots.end();
}

bool SNotifyCenter::RegisterEventMap(const ISlotFunctor& slot) {
  for (const SlotPtr& stored : m_slots) {
    if (stored->Equal(slot)) return false;
  }
  ISlotFunctor* copy = slot.Clone();
  if (copy == nullptr) return false;
  m_slots.emplace_back(copy);
  return true;
}

bool SNotifyCenter::UnregisterEventMap(const ISlotFunctor& slot) {
  for (auto it = m_slots.begin(); it != m_slots.end(); ++it) {
    if ((*it)->Equal(slot)) {
      m_slots.erase(it);
      return true;
    }
  }
  return false;
}

}  // namespace SWUI
