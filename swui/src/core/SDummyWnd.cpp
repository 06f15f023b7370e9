#include "core/SDummyWnd.h"

#include "core/SHostWnd.h"

namespace SWUI {

BOOL SDummyWnd::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && msg == WM_PAINT) {
    PAINTSTRUCT ps;
    ::BeginPaint(hWnd, &ps);
    ::EndPaint(hWnd, &ps);
    m_pHost->OnPrint(nullptr, SHostWnd::kPaintFromDummy);
    lResult = 0;
    return TRUE;
  }
  return CSimpleWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

}  // namespace SWUI
