#include "HidDevice/CHidBase.h"

#include <dbt.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>

#include "HidDevice/HidApi.h"
#include "core/SLog.h"

#define HID_LOG(func, ...)                                                                   \
  SWUI::SLog::Printf(SWUI::LOG_LEVEL_ERROR, "swui", "..\\common\\HidDevice\\HidBase", __LINE__, \
                     func, __VA_ARGS__)

namespace {
const DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
// How long a new write waits for the previous one before cancelling it.
const DWORD kWriteDrainMs = 1000;
}  // namespace

HDEVNOTIFY CHidBase::s_notify = nullptr;

CHidBase::CHidBase()
    : m_hWrite(INVALID_HANDLE_VALUE),
      m_hRead(INVALID_HANDLE_VALUE),
      m_inputLength(0),
      m_outputLength(0),
      m_read(nullptr),
      m_writePending(false),
      m_readPending(false),
      m_wake(false) {
  memset(m_path, 0, sizeof(m_path));
  memset(m_writeBuffer, 0, sizeof(m_writeBuffer));
  memset(&m_writeOv, 0, sizeof(m_writeOv));
  InitializeCriticalSection(&m_writeLock);
}

CHidBase::~CHidBase() {
  Close();  // a read still pending is cancelled (or its slot left to it) first
  if (ReadSlot* slot = m_read.exchange(nullptr)) {
    CloseHandle(slot->ov.hEvent);
    delete slot;
  }
  DeleteCriticalSection(&m_writeLock);
}

CHidBase::ReadSlot* CHidBase::TakeReadSlot() {
  if (ReadSlot* slot = m_read) return slot;
  auto slot = std::make_unique<ReadSlot>();  // value-initialised: no stale OVERLAPPED fields
  slot->ov.hEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  if (slot->ov.hEvent == nullptr) return nullptr;
  // From here the slot is owned through m_read: a read that outlives its cancel keeps it.
  ReadSlot* taken = slot.release();
  m_read = taken;
  return taken;
}

void CHidBase::CopyPath(DevicePath& dst, const wchar_t* src) {
  if (src == nullptr) {
    dst[0] = L'\0';
    return;
  }
  wcsncpy(dst, src, kMaxPath - 1);
  dst[kMaxPath - 1] = L'\0';
}

int CHidBase::EnumDevices(DevicePath* paths, USHORT vendorId, USHORT productId) {
  const HidApi& api = HidApi::Current();
  GUID guid;
  api.GetHidGuid(&guid);
  HDEVINFO set = api.GetClassDevs(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return 0;

  int count = 0;
  for (DWORD index = 0;; ++index) {
    SP_DEVICE_INTERFACE_DATA data;
    memset(&data, 0, sizeof(data));
    data.cbSize = sizeof(data);
    if (!api.EnumDeviceInterfaces(set, nullptr, &guid, index, &data)) break;

    DWORD required = 0;
    api.GetDeviceInterfaceDetail(set, &data, nullptr, 0, &required, nullptr);
    if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
      required = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    }
    auto* detail = static_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_W>(malloc(required));
    if (detail == nullptr) {
      HID_LOG("CHidBase::EnumDevices", "malloc return NULL");
      break;
    }
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!api.GetDeviceInterfaceDetail(set, &data, detail, required, nullptr, nullptr)) {
      HID_LOG("CHidBase::EnumDevices",
              "CHidBase::EnumDevices SetupDiGetDeviceInterfaceDetail failed. error=%ld\n",
              static_cast<long>(GetLastError()));
      free(detail);
      break;
    }

    HANDLE probe = api.CreateFile(detail->DevicePath, GENERIC_READ | GENERIC_WRITE, kShare, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
      HIDD_ATTRIBUTES attributes;
      memset(&attributes, 0, sizeof(attributes));
      attributes.Size = sizeof(attributes);
      if (api.GetAttributes(probe, &attributes) && attributes.VendorID == vendorId &&
          attributes.ProductID == productId) {
        if (paths != nullptr && count < kMaxDevices) CopyPath(paths[count], detail->DevicePath);
        ++count;
      }
      CloseHandle(probe);
    }
    free(detail);
  }
  api.DestroyDeviceInfoList(set);
  return count;
}

BOOL CHidBase::OpenDevice(const wchar_t* path) {
  if (m_hWrite != INVALID_HANDLE_VALUE || m_hRead != INVALID_HANDLE_VALUE) {
    HID_LOG("CHidBase::OpenDevice", "One device is already opened.");
    return FALSE;
  }
  if (path == nullptr) {
    HID_LOG("CHidBase::OpenDevice", "Invalid parameter.");
    return FALSE;
  }
  const HidApi& api = HidApi::Current();
  HANDLE probe = api.CreateFile(path, GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return FALSE;

  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (!api.GetPreparsedData(probe, &preparsed)) {
    HID_LOG("CHidBase::OpenDevice", "HidD_GetPreparsedData failed.");
    CloseHandle(probe);
    return FALSE;
  }
  HIDP_CAPS caps;
  memset(&caps, 0, sizeof(caps));
  if (api.GetCaps(preparsed, &caps) != HIDP_STATUS_SUCCESS) memset(&caps, 0, sizeof(caps));
  api.FreePreparsedData(preparsed);
  CloseHandle(probe);

  DWORD inputLength = caps.InputReportByteLength;
  DWORD outputLength = caps.OutputReportByteLength;
  if (inputLength < 1 || inputLength > kBufferSize || outputLength < 1 ||
      outputLength > kBufferSize) {
    HID_LOG("CHidBase::OpenDevice", "invalide device report byte length.");
    return FALSE;
  }

  // A failed earlier attempt may have left the event; it is reused, never leaked.
  if (m_writeOv.hEvent == nullptr) m_writeOv.hEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
  m_writeOv.Offset = m_writeOv.OffsetHigh = 0;
  if (m_writeOv.hEvent == nullptr || TakeReadSlot() == nullptr) {
    HID_LOG("CHidBase::OpenDevice", "CreateEvent failed.");
    return FALSE;
  }

  HANDLE hWrite = api.CreateFile(path, GENERIC_WRITE, kShare, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED, nullptr);
  if (hWrite == INVALID_HANDLE_VALUE) {
    HID_LOG("CHidBase::OpenDevice", "CreateFile for write error.");
    return FALSE;
  }
  HANDLE hRead = api.CreateFile(path, GENERIC_READ, kShare, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, nullptr);
  if (hRead == INVALID_HANDLE_VALUE) {
    HID_LOG("CHidBase::OpenDevice", "CreateFile for write error.");
    CloseHandle(hWrite);
    return FALSE;
  }

  EnterCriticalSection(&m_writeLock);
  m_hWrite = hWrite;
  m_hRead = hRead;
  m_inputLength = inputLength;
  m_outputLength = outputLength;
  m_writePending = false;
  m_wake = false;
  CopyPath(m_path, path);
  LeaveCriticalSection(&m_writeLock);
  return TRUE;
}

void CHidBase::FinishPendingWrite() {
  if (!m_writePending) return;
  if (WaitForSingleObject(m_writeOv.hEvent, kWriteDrainMs) != WAIT_OBJECT_0) {
    CancelIoEx(m_hWrite, &m_writeOv);
  }
  DWORD done = 0;
  // Returns once the write has completed or been cancelled; the buffer is free afterwards.
  GetOverlappedResult(m_hWrite, &m_writeOv, &done, TRUE);
  m_writePending = false;
}

void CHidBase::CancelPendingRead() {
  ReadSlot* slot = m_read;
  if (!m_readPending || m_hRead == INVALID_HANDLE_VALUE || slot == nullptr) return;
  m_readPending = false;
  CancelIoEx(m_hRead, &slot->ov);
  // The cancellation itself is waited for, bounded: the system writes the slot until then.
  for (int i = 0; i < 1000 && !HasOverlappedIoCompleted(&slot->ov); ++i) Sleep(1);
  if (HasOverlappedIoCompleted(&slot->ov)) return;
  HID_LOG("CHidBase::CancelPendingRead",
          "a read did not end when cancelled; its buffer is left to it.");
  m_read = nullptr;
}

void CHidBase::Close() {
  EnterCriticalSection(&m_writeLock);
  if (m_hWrite != INVALID_HANDLE_VALUE) {
    FinishPendingWrite();
    CloseHandle(m_hWrite);
    m_hWrite = INVALID_HANDLE_VALUE;
  }
  if (m_hRead != INVALID_HANDLE_VALUE) {
    CancelPendingRead();  // a read left behind must not complete into a freed buffer
    CloseHandle(m_hRead);
    m_hRead = INVALID_HANDLE_VALUE;
  }
  if (m_writeOv.hEvent != nullptr) {
    CloseHandle(m_writeOv.hEvent);
    m_writeOv.hEvent = nullptr;
  }
  m_inputLength = 0;
  m_outputLength = 0;
  m_writePending = false;
  m_readPending = false;
  m_wake = false;
  m_path[0] = L'\0';
  LeaveCriticalSection(&m_writeLock);
}

BOOL CHidBase::Write(const void* data, DWORD length) {
  // Compared without adding to `length`, which a huge value would wrap past the test.
  if (data == nullptr || length == 0 || m_outputLength == 0 || length > m_outputLength - 1) {
    HID_LOG("CHidBase::Write", "invalide parameter.");
    return FALSE;
  }
  EnterCriticalSection(&m_writeLock);
  if (m_hWrite == INVALID_HANDLE_VALUE) {
    LeaveCriticalSection(&m_writeLock);
    HID_LOG("CHidBase::Write", "Please OpenDevice before Write.");
    return FALSE;
  }
  FinishPendingWrite();
  ResetEvent(m_writeOv.hEvent);
  memset(m_writeBuffer, 0, sizeof(m_writeBuffer));
  m_writeBuffer[0] = 0;  // report ID
  memcpy(m_writeBuffer + 1, data, length);
  BOOL ok = WriteFile(m_hWrite, m_writeBuffer, m_outputLength, nullptr, &m_writeOv);
  DWORD error = ok ? 0 : GetLastError();
  if (!ok && error == ERROR_IO_PENDING) m_writePending = true;
  LeaveCriticalSection(&m_writeLock);
  if (ok || error == ERROR_IO_PENDING || error == 0) return TRUE;
  HID_LOG("CHidBase::Write", "error code %ld", static_cast<long>(error));
  return FALSE;
}

BOOL CHidBase::Read(BYTE** data) {
  if (m_hRead == INVALID_HANDLE_VALUE) {
    HID_LOG("CHidBase::Read", "Please OpenDevice before Read.");
    return FALSE;
  }
  ReadSlot* slot = TakeReadSlot();
  if (slot == nullptr) {
    HID_LOG("CHidBase::Read", "out of memory.");
    return FALSE;
  }
  ResetEvent(slot->ov.hEvent);
  memset(slot->buffer, 0, sizeof(slot->buffer));
  BOOL ok = ReadFile(m_hRead, slot->buffer, m_inputLength, nullptr, &slot->ov);
  if (!ok && GetLastError() != ERROR_IO_PENDING) return FALSE;  // dead or failing device
  if (!ok) {
    m_readPending = true;
    // ReadFile resets the event when it starts, so a wake-up may have been swallowed: the
    // flag, set before the event, tells.
    if (m_wake) {
      CancelPendingRead();
      return FALSE;
    }
    if (WaitForSingleObject(slot->ov.hEvent, INFINITE) != WAIT_OBJECT_0) {
      CancelPendingRead();
      return FALSE;
    }
  }
  DWORD transferred = 0;
  if (!GetOverlappedResult(m_hRead, &slot->ov, &transferred, FALSE)) {
    if (GetLastError() == ERROR_IO_INCOMPLETE) CancelPendingRead();  // woken, nothing came
    m_readPending = false;
    return FALSE;
  }
  m_readPending = false;
  if (data != nullptr) *data = slot->buffer + 1;
  return TRUE;
}

void CHidBase::WakeRead() {
  m_wake = true;
  // A slot left to a stuck read is never freed: setting its event is harmless.
  if (ReadSlot* slot = m_read) SetEvent(slot->ov.hEvent);
}

BOOL CHidBase::RegisterDeviceNotify(HWND window) {
  BOOL unregistered = FALSE;
  if (s_notify != nullptr) {
    unregistered = UnregisterDeviceNotification(s_notify);
    s_notify = nullptr;
  }
  if (window == nullptr) return unregistered;
  if (!IsWindow(window)) return FALSE;

  DEV_BROADCAST_DEVICEINTERFACE_W filter;
  memset(&filter, 0, sizeof(filter));
  filter.dbcc_size = sizeof(filter);
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  HidApi::Current().GetHidGuid(&filter.dbcc_classguid);
  s_notify = RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
  return s_notify != nullptr;
}
