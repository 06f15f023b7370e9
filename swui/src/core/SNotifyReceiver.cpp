#include "core/SNotifyReceiver.h"

#include "core/EventArgs.h"

namespace SWUI {

BOOL SNotifyReceiver::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam,
                                           LRESULT& lResult, DWORD mapId) {
  if (mapId != 0 || msg != UM_NOTIFYEVENT) return FALSE;
  lResult = 0;
  if (wParam != 0) return TRUE;
  auto* e = reinterpret_cast<EventArgs*>(lParam);
  if (e == nullptr) return TRUE;
  if (m_callback != nullptr) m_callback->OnFireEvent(e);
  e->Release();
  return TRUE;
}

void SNotifyReceiver::DrainQueue() {
  if (m_hWnd == nullptr) return;
  MSG msg;
  while (PeekMessageW(&msg, m_hWnd, UM_NOTIFYEVENT, UM_NOTIFYEVENT, PM_REMOVE)) {
    if (msg.wParam == 0 && msg.lParam != 0) reinterpret_cast<EventArgs*>(msg.lParam)->Release();
  }
}

}  // namespace SWUI
