// The notify centre's hidden message-only window: events posted to it from any thread are
// handed to the centre on the thread that owns the window.
#pragma once
#include "core/CSimpleWnd.h"
#include "core/INotifyCallback.h"

namespace SWUI {

// Posted to the receiver: wParam 0, lParam an EventArgs carrying one reference for the
// receiver, released after delivery.
constexpr UINT UM_NOTIFYEVENT = WM_USER + 1000;

class SNotifyReceiver : public CSimpleWnd {
 public:
  explicit SNotifyReceiver(INotifyCallback* callback) : m_callback(callback) {}

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

  // Releases the events still queued for the window, undelivered. Call on the window's
  // thread, before destroying it.
  void DrainQueue();

 private:
  INotifyCallback* m_callback;
};

}  // namespace SWUI
