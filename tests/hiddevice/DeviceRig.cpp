#include "DeviceRig.h"

#include "WaitUntil.h"

NotifyWindow::NotifyWindow() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = &NotifyWindow::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TevaroTestNotifyWindow";
  RegisterClassW(&wc);  // fails harmlessly when already registered
  m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, this);
  SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NotifyWindow::~NotifyWindow() {
  if (m_hwnd != nullptr) DestroyWindow(m_hwnd);
}

LRESULT CALLBACK NotifyWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_DEVICE_NOTIFY && self != nullptr) {
    self->m_messages.emplace_back(wp, lp);
    if (self->onMessage) self->onMessage(wp, lp);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void NotifyWindow::Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

bool NotifyWindow::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(5);
  }
}

int RecordingSink::OnRecvEncryptData(const BYTE* report) {
  {
    std::lock_guard<std::mutex> guard(m_lock);
    m_reports.emplace_back(report, report + 64);
  }
  if (block != nullptr) WaitForSingleObject(block, INFINITE);
  return m_mgr.AckDeviceNotification(report);
}

std::vector<std::vector<BYTE>> RecordingSink::Reports() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_reports;
}

bool RecordingSink::WaitFor(BYTE code, DWORD timeoutMs) const {
  return WaitUntil(
      [&] {
        for (auto& r : Reports())
          if (r[0] == code) return true;
        return false;
      },
      timeoutMs);
}
