// A device manager with its receive thread over a simulated bus, a main window that records
// WM_DEVICE_NOTIFY, and a session sink that records what reaches the device controller.
#pragma once
#include <windows.h>

#include <functional>
#include <mutex>
#include <utility>
#include <vector>

#include "HidDevice/CDeviceManager.h"
#include "SimHidBus.h"

const USHORT kRigVid = CDeviceManager::kVendorId;
const USHORT kRigPid = CDeviceManager::kProductId;

// A message-only window that records every WM_DEVICE_NOTIFY it receives.
class NotifyWindow {
 public:
  NotifyWindow();
  ~NotifyWindow();
  HWND Handle() const { return m_hwnd; }
  // Dispatches posted messages for `ms` milliseconds.
  void Pump(DWORD ms);
  // Dispatches posted messages until `done` holds or `timeoutMs` have passed.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
  std::vector<std::pair<WPARAM, LPARAM>> Messages() const { return m_messages; }
  void Clear() { m_messages.clear(); }
  // Runs inside the window's handler of each WM_DEVICE_NOTIFY, as the main window's logic would.
  std::function<void(WPARAM, LPARAM)> onMessage;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND m_hwnd = nullptr;
  std::vector<std::pair<WPARAM, LPARAM>> m_messages;
};

// Records the reports handed to the device controller and lets it acknowledge them the way the
// device manager does on its own.
class RecordingSink : public IDeviceSessionSink {
 public:
  explicit RecordingSink(CDeviceManager& mgr) : m_mgr(mgr) {}
  void ClearSessionFlags() override { ++cleared; }
  int OnRecvEncryptData(const BYTE* report) override;
  std::vector<std::vector<BYTE>> Reports() const;
  bool WaitFor(BYTE code, DWORD timeoutMs) const;
  int cleared = 0;
  HANDLE block = nullptr;  // when set, the receive thread waits here inside the handler

 private:
  CDeviceManager& m_mgr;
  mutable std::mutex m_lock;
  std::vector<std::vector<BYTE>> m_reports;
};

struct DeviceRig {
  SimHidBus bus;
  SimDevice& dev;
  CDeviceManager mgr;
  NotifyWindow window;
  RecordingSink sink;

  DeviceRig() : dev(bus.AddDevice(kRigVid, kRigPid)), mgr(kRigVid, kRigPid), sink(mgr) {
    mgr.StartRecvThread();
    mgr.SetMainWindow(window.Handle());
  }
  ~DeviceRig() {
    mgr.SetSessionSink(nullptr);
    mgr.DisconnectDevice();
    mgr.Shutdown();
  }
  bool Connect() { return mgr.EnumDevices() > 0 && mgr.ConnectDevice(0); }
};
