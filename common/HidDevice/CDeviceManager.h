// The one object that knows which effect processors are plugged in and which one is open:
// lists matching HID devices, opens one (creating its CProtocolDev), closes it, owns the
// process's receive thread, and receives every unsolicited report. It reaches the main window
// only through a window handle that may be null.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>

#include "HidDevice/CHidBase.h"
#include "HidDevice/CProtocolDev.h"
#include "HidDevice/IDeviceSessionSink.h"

class CHidRecvThread;

// To the main window: wParam kDeviceClosed with lParam 2 (sent), or wParam
// kDeviceNotification with lParam 0 (posted).
#define WM_DEVICE_NOTIFY (WM_USER + 100)

class CDeviceManager {
 public:
  static const WPARAM kDeviceClosed = 0x100;
  static const WPARAM kDeviceNotification = 0x300;
  static const USHORT kVendorId = 0x1A2B;   // the effect processor's USB vendor ID
  static const USHORT kProductId = 0x0016;

  CDeviceManager(USHORT vendorId, USHORT productId);
  ~CDeviceManager();
  CDeviceManager(const CDeviceManager&) = delete;
  CDeviceManager& operator=(const CDeviceManager&) = delete;

  int EnumDevices();
  int GetDeviceCount() const { return m_count; }
  const wchar_t* GetDevicePath(int index) const;
  BOOL ConnectDevice(int index);
  BOOL ConnectDevice(const wchar_t* path);
  void DisconnectDevice();
  BOOL IsOpen() const { return m_protocol.load() != nullptr; }
  const wchar_t* GetConnectedPath() const;

  BOOL StartRecvThread();
  void Shutdown();
  BOOL RegisterDeviceNotify(HWND window);

  // Forwarders to the open protocol; 0 when none is open.
  BOOL SendAndReceive(BYTE* request, BYTE* reply, DWORD timeoutMs);  // always 5 tries
  BOOL SendNotReceive(BYTE* report);
  BOOL GetDeviceInfo(int kind, void* out, DWORD size);
  BOOL Command(int kind, const void* data, DWORD size);

  // Receive thread: an unsolicited report. Returns 1 when its handling ended early.
  int OnDeviceNotify(const BYTE* report);
  // Checks a device notification (0x7E) and acknowledges it (0x7F, status 0xFF or 3 for a bad
  // check). 0 for any other report and for a good one acknowledged; 1 for a bad check, or when
  // no device is open or the acknowledgement could not be written.
  int AckDeviceNotification(const BYTE* report);

  void SetMainWindow(HWND window) { m_mainWindow = window; }
  HWND GetMainWindow() const { return m_mainWindow; }
  // The device controller; without one, notifications are acknowledged here.
  void SetSessionSink(IDeviceSessionSink* sink) { m_sink = sink; }

  // The open protocol, for the UI thread (which alone closes it) and tests. Other threads reach
  // it only through the forwarders above, which hold it for the call.
  CProtocolDev* GetProtocol() const { return m_protocol; }
  CHidRecvThread* GetRecvThread() const { return m_thread.get(); }
  USHORT GetVendorId() const { return m_vendorId; }
  USHORT GetProductId() const { return m_productId; }

 private:
  // A counted hold on the open protocol for one call; null (and nothing held) when none is open.
  CProtocolDev* HoldProtocol();
  void ReleaseProtocol();
  // call(protocol) under a hold; FALSE without an open protocol.
  template <class Call>
  BOOL WithProtocol(Call call);
  // Fails the request in flight, waits until no call holds the protocol, then closes and
  // deletes it: a request on another thread never runs on a deleted protocol.
  void DestroyProtocol();
  void OnDeviceDisconnected();

  int m_count;
  CHidBase::DevicePath m_paths[CHidBase::kMaxDevices];
  USHORT m_vendorId;
  USHORT m_productId;
  CHidBase::DevicePath m_connectedPath;
  std::atomic<CProtocolDev*> m_protocol;
  CRITICAL_SECTION m_holdLock;  // guards taking m_protocol together with m_holders
  LONG m_holders;
  HANDLE m_released;            // manual-reset; set while m_holders is 0
  std::unique_ptr<CHidRecvThread> m_thread;
  std::atomic<HWND> m_mainWindow;
  std::atomic<IDeviceSessionSink*> m_sink;
};
