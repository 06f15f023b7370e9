// A host window's tooltip: fed the mouse messages and the tip of the hovered element.
#pragma once
#include <windows.h>

namespace SWUI {

struct IToolTip {
  virtual BOOL PreTranslateMessage(MSG* msg) = 0;
  // id identifies the tip's owner; rc is in the host's client coordinates.
  virtual void UpdateTip(const void* id, const RECT& rc, LPCWSTR tip, int scale) = 0;
  virtual void ClearTip() = 0;
  virtual void RelayEvent(const MSG* msg) = 0;

 protected:
  ~IToolTip() = default;
};

}  // namespace SWUI
