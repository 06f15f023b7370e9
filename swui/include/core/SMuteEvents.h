// Keeps an element's events muted while it lives (its own changes raise nothing), then
// restores what was set before. A null element is left alone.
#pragma once
#include "core/SWindow.h"

namespace SWUI {

class SMuteEvents {
 public:
  explicit SMuteEvents(SWindow* wnd)
      : m_set(wnd != nullptr ? wnd->GetEventSet() : nullptr),
        m_old(m_set != nullptr && m_set->IsMuted()) {
    if (m_set != nullptr) m_set->SetMute(true);
  }
  ~SMuteEvents() {
    if (m_set != nullptr) m_set->SetMute(m_old);
  }
  SMuteEvents(const SMuteEvents&) = delete;
  SMuteEvents& operator=(const SMuteEvents&) = delete;

 private:
  SEventSet* m_set;
  bool m_old;
};

}  // namespace SWUI
