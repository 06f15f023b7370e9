#include "core/SWindowMgr.h"

#include "core/SAutoLock.h"
#include "core/SLog.h"
#include "core/STimer2.h"

namespace SWUI {

SWindowMgr::SWindowMgr() = default;

SWindowMgr::~SWindowMgr() {
  SAutoLock lock(m_cs);
  m_map.RemoveAll();
}

SwndHandle SWindowMgr::NewWindow(ISwndElement* element) {
  SWindowMgr* self = getSingletonPtr();
  if (self == nullptr || element == nullptr) return 0;
  SAutoLock lock(self->m_cs);
  if (self->m_lastHandle == static_cast<SwndHandle>(-1)) {
    SLog::Write(LOG_LEVEL_ERROR, "swui", __FILE__, __LINE__, "SWUI::SWindowMgr::NewWindow",
                "every element handle has been issued");
    return 0;
  }
  // A handle is used up even when the entry cannot be stored, so it is never issued twice.
  SwndHandle swnd = ++self->m_lastHandle;
  if (self->m_map.SetAt(swnd, element) == nullptr) return 0;
  return swnd;
}

ISwndElement* SWindowMgr::GetWindow(SwndHandle swnd) {
  if (swnd == 0) return nullptr;
  SWindowMgr* self = getSingletonPtr();
  if (self == nullptr) return nullptr;
  SAutoLock lock(self->m_cs);
  ISwndElement* element = nullptr;
  return self->m_map.Lookup(swnd, element) ? element : nullptr;
}

BOOL SWindowMgr::DestroyWindow(SwndHandle swnd) {
  BOOL existed = FALSE;
  if (SWindowMgr* self = getSingletonPtr()) {
    SAutoLock lock(self->m_cs);
    existed = self->m_map.RemoveKey(swnd) ? TRUE : FALSE;
  }
  STimer2::KillTimers(swnd);
  return existed;
}

}  // namespace SWUI
