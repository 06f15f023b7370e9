// A host window's tooltip: fed the mouse messages and the tip of the hovered element.
#pragma once
#include <windows.h>

#include "core/IMessageFilter.h"
#include "core/SwndHandle.h"

namespace SWUI {

// Whose tip is shown: the element and the element's own cookie for one of its tips.
struct TIPID {
  SwndHandle swnd = 0;
  DWORD dwCookie = 0;

  bool operator==(const TIPID& other) const {
    return swnd == other.swnd && dwCookie == other.dwCookie;
  }
  bool operator!=(const TIPID& other) const { return !(*this == other); }
};

// A message filter of the host's loop: it sees every message of the thread and never consumes
// one (PreTranslateMessage answers FALSE).
struct IToolTip : public IMessageFilter {
  // rc is in the host's client coordinates; scale in percent.
  virtual void UpdateTip(const TIPID& id, const RECT& rc, LPCWSTR tip, int scale) = 0;
  virtual void ClearTip() = 0;
  virtual void RelayEvent(const MSG* msg) = 0;

 protected:
  ~IToolTip() = default;
};

}  // namespace SWUI
