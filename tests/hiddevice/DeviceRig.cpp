#include "DeviceRig.h"

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
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(5);
  } while (GetTickCount() - start < ms);
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
  DWORD start = GetTickCount();
  do {
    for (auto& r : Reports())
      if (r[0] == code) return true;
    Sleep(2);
  } while (GetTickCount() - start < timeoutMs);
  return false;
}
