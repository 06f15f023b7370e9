#include "HidDevice/CDeviceManager.h"

#include <cstring>

#include "HidDevice/CHidRecvThread.h"
#include "HidDevice/CommandReport.h"

namespace {
// The trace of the device manager's "ERROR - " texts writes nothing.
inline void Trace(const char*) {}

const BYTE kStatusBadCheck = 3;
}  // namespace

CDeviceManager::CDeviceManager(USHORT vendorId, USHORT productId)
    : m_count(0),
      m_vendorId(vendorId),
      m_productId(productId),
      m_protocol(nullptr),
      m_holders(0),
      m_mainWindow(nullptr),
      m_sink(nullptr) {
  memset(m_paths, 0, sizeof(m_paths));
  memset(m_connectedPath, 0, sizeof(m_connectedPath));
  InitializeCriticalSection(&m_holdLock);
  m_released = CreateEventW(nullptr, TRUE, TRUE, nullptr);
}

CDeviceManager::~CDeviceManager() {
  if (m_protocol.load() != nullptr) DestroyProtocol();
  Shutdown();  // deleting the manager also ends the notification registration and the thread
  DeleteCriticalSection(&m_holdLock);
  if (m_released != nullptr) CloseHandle(m_released);
}

CProtocolDev* CDeviceManager::HoldProtocol() {
  EnterCriticalSection(&m_holdLock);
  CProtocolDev* protocol = m_protocol.load();
  if (protocol != nullptr && m_holders++ == 0) ResetEvent(m_released);
  LeaveCriticalSection(&m_holdLock);
  return protocol;
}

void CDeviceManager::ReleaseProtocol() {
  EnterCriticalSection(&m_holdLock);
  if (--m_holders == 0) SetEvent(m_released);
  LeaveCriticalSection(&m_holdLock);
}

int CDeviceManager::EnumDevices() {
  memset(m_paths, 0, sizeof(m_paths));
  int n = CHidBase::EnumDevices(m_paths, m_vendorId, m_productId);
  m_count = n > CHidBase::kMaxDevices ? CHidBase::kMaxDevices : n;
  return m_count;
}

const wchar_t* CDeviceManager::GetDevicePath(int index) const {
  return index >= 0 && index < m_count ? m_paths[index] : nullptr;
}

BOOL CDeviceManager::ConnectDevice(int index) {
  if (index < 0 || index >= m_count) {
    Trace("ERROR - CDeviceManager::ConnectDevice invalid parameter.\n");
    return FALSE;
  }
  return ConnectDevice(m_paths[index]);
}

BOOL CDeviceManager::ConnectDevice(const wchar_t* devicePath) {
  // A copy: the disconnection message below may lead the window to enumerate again, which
  // rewrites the list the caller's path may point into.
  CHidBase::DevicePath path;
  CHidBase::CopyPath(path, devicePath);
  if (m_protocol.load() != nullptr) {
    DestroyProtocol();
    OnDeviceDisconnected();
  }
  CProtocolDev* protocol = new CProtocolDev;
  protocol->SetOwner(this);
  if (!protocol->Init(m_vendorId, m_productId, path)) {
    Trace("ERROR - CDeviceManager::ConnectDevice Init false\n");
    protocol->Close();
    delete protocol;
    OnDeviceDisconnected();
    return FALSE;
  }
  m_protocol = protocol;
  if (!protocol->OnConnectDevice(nullptr)) {
    Trace("ERROR - OnConnectDevice failed.\n");
    DisconnectDevice();
    return FALSE;
  }
  CHidBase::CopyPath(m_connectedPath, path);
  OutputDebugStringA("ORVK2: ====Connect device=====\n");
  return TRUE;
}

void CDeviceManager::DestroyProtocol() {
  EnterCriticalSection(&m_holdLock);
  CProtocolDev* protocol = m_protocol.exchange(nullptr);  // no new hold from here on
  LeaveCriticalSection(&m_holdLock);
  // A request in flight on another thread fails at once; the wait is then bounded by its
  // write (at most a second) and ends when the last hold goes.
  protocol->Abort();
  WaitForSingleObject(m_released, INFINITE);
  // Until the receive loop has left the protocol it must not be deleted; when Close gives up
  // waiting, the thread is stopped first and started again for the next device.
  bool left = protocol->Close() != FALSE;
  if (!left && m_thread != nullptr) m_thread->Stop();
  delete protocol;
  if (!left && m_thread != nullptr) m_thread->Start();
}

void CDeviceManager::DisconnectDevice() {
  if (m_protocol.load() == nullptr) return;
  DestroyProtocol();
  OnDeviceDisconnected();
}

const wchar_t* CDeviceManager::GetConnectedPath() const {
  return m_protocol.load() != nullptr ? m_connectedPath : nullptr;
}

BOOL CDeviceManager::StartRecvThread() {
  if (m_thread != nullptr) return FALSE;
  m_thread = std::make_unique<CHidRecvThread>();
  if (!m_thread->Start()) {
    m_thread.reset();
    return FALSE;
  }
  return TRUE;
}

void CDeviceManager::Shutdown() {
  CHidBase::RegisterDeviceNotify(nullptr);
  if (m_thread != nullptr) {
    m_thread->Stop();
    m_thread.reset();
  }
}

BOOL CDeviceManager::RegisterDeviceNotify(HWND window) {
  return CHidBase::RegisterDeviceNotify(window);
}

template <class Call>
BOOL CDeviceManager::WithProtocol(Call call) {
  CProtocolDev* protocol = HoldProtocol();
  if (protocol == nullptr) return FALSE;
  const BOOL result = call(protocol);
  ReleaseProtocol();
  return result;
}

BOOL CDeviceManager::SendAndReceive(BYTE* request, BYTE* reply, DWORD timeoutMs) {
  return WithProtocol(
      [&](CProtocolDev* p) { return p->SendAndReceive(request, reply, 5, timeoutMs); });
}

BOOL CDeviceManager::SendNotReceive(BYTE* report) {
  return WithProtocol([&](CProtocolDev* p) { return p->SendNotReceive(report); });
}

BOOL CDeviceManager::GetDeviceInfo(int kind, void* out, DWORD size) {
  return WithProtocol([&](CProtocolDev* p) { return p->GetDeviceInfo(kind, out, size); });
}

BOOL CDeviceManager::Command(int kind, const void* data, DWORD size) {
  return WithProtocol([&](CProtocolDev* p) { return p->Command(kind, data, size); });
}

int CDeviceManager::AckDeviceNotification(const BYTE* report) {
  if (report[0] != CmdActiveBank) return 0;
  BYTE status = CommandReport::HasGoodCheck(report) ? CommandReport::kAccepted : kStatusBadCheck;
  BYTE ack[CommandReport::kSize];
  memcpy(ack, report, sizeof(ack));
  ack[0] = CmdNotifyAck;
  ack[1] = ack[2] = 0;
  ack[3] = status;
  if (!SendNotReceive(ack)) return 1;
  return status == CommandReport::kAccepted ? 0 : 1;
}

int CDeviceManager::OnDeviceNotify(const BYTE* report) {
  BYTE copy[CommandReport::kSize];
  memcpy(copy, report, sizeof(copy));
  IDeviceSessionSink* sink = m_sink;
  int handled = sink != nullptr ? sink->OnRecvEncryptData(copy) : AckDeviceNotification(copy);
  if (handled != 0) return 1;
  WithProtocol([&](CProtocolDev* p) { return p->OnNotifyData(copy + 4, 59); });
  HWND window = m_mainWindow;
  if (copy[0] == CmdActiveBank && window != nullptr) {
    PostMessageW(window, WM_DEVICE_NOTIFY, kDeviceNotification, 0);
  }
  return 0;
}

void CDeviceManager::OnDeviceDisconnected() {
  OutputDebugStringA("ORVK2: ====Disconnect device=====\n");
  IDeviceSessionSink* sink = m_sink;
  if (sink != nullptr) sink->ClearSessionFlags();
  HWND window = m_mainWindow;
  if (window != nullptr) SendMessageW(window, WM_DEVICE_NOTIFY, kDeviceClosed, 2);
}
