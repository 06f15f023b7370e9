// The companion of a translucent host window: a fully transparent 10 x 10 layered popup whose
// WM_PAINT drives the host's paint and layered update (a window updated through
// UpdateLayeredWindow gets no WM_PAINT of its own).
#pragma once
#include "core/CSimpleWnd.h"

namespace SWUI {

class SHostWnd;

class SDummyWnd : public CSimpleWnd {
 public:
  explicit SDummyWnd(SHostWnd* host) : m_pHost(host) {}

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 private:
  SHostWnd* m_pHost;
};

}  // namespace SWUI
