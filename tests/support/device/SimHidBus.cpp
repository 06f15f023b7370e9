#include "SimHidBus.h"

#include <atomic>
#include <cstddef>
#include <cstring>
#include <string>

namespace {
std::atomic<SimHidBus*> g_bus{nullptr};

struct Snapshot {
  std::vector<std::wstring> paths;
};

struct Caps {
  USHORT input, output;
};
}  // namespace

SimHidBus::SimHidBus() {
  m_api.GetHidGuid = &SimHidBus::GetHidGuid;
  m_api.GetClassDevs = &SimHidBus::GetClassDevs;
  m_api.EnumDeviceInterfaces = &SimHidBus::EnumDeviceInterfaces;
  m_api.GetDeviceInterfaceDetail = &SimHidBus::GetDeviceInterfaceDetail;
  m_api.DestroyDeviceInfoList = &SimHidBus::DestroyDeviceInfoList;
  m_api.CreateFile = &SimHidBus::CreateFile;
  m_api.GetAttributes = &SimHidBus::GetAttributes;
  m_api.GetPreparsedData = &SimHidBus::GetPreparsedData;
  m_api.FreePreparsedData = &SimHidBus::FreePreparsedData;
  m_api.GetCaps = &SimHidBus::GetCaps;
  g_bus = this;
  HidApi::Bind(&m_api);
}

SimHidBus::~SimHidBus() {
  HidApi::Bind(nullptr);
  g_bus = nullptr;
  m_devices.clear();
}

SimHidBus* SimHidBus::Active() { return g_bus.load(); }

SimDevice& SimHidBus::AddDevice(USHORT vendorId, USHORT productId, USHORT inputLength,
                                USHORT outputLength) {
  std::lock_guard<std::mutex> guard(m_lock);
  int id = static_cast<int>(m_devices.size());
  m_devices.push_back(
      std::make_unique<SimDevice>(id, vendorId, productId, inputLength, outputLength));
  return *m_devices.back();
}

int SimHidBus::OpenCount(DWORD access) const {
  std::lock_guard<std::mutex> guard(m_lock);
  auto it = m_opens.find(access);
  return it == m_opens.end() ? 0 : it->second;
}

SimDevice* SimHidBus::DeviceOf(HANDLE h) {
  std::lock_guard<std::mutex> guard(m_lock);
  auto it = m_handles.find(h);
  return it == m_handles.end() ? nullptr : it->second;
}

void WINAPI SimHidBus::GetHidGuid(LPGUID guid) { HidD_GetHidGuid(guid); }

HDEVINFO WINAPI SimHidBus::GetClassDevs(const GUID*, PCWSTR, HWND, DWORD) {
  SimHidBus* bus = Active();
  auto* snap = new Snapshot;
  std::lock_guard<std::mutex> guard(bus->m_lock);
  for (auto& d : bus->m_devices) {
    if (d->IsPlugged()) snap->paths.push_back(d->Path());
  }
  return reinterpret_cast<HDEVINFO>(snap);
}

BOOL WINAPI SimHidBus::EnumDeviceInterfaces(HDEVINFO set, PSP_DEVINFO_DATA, const GUID* guid,
                                            DWORD index, PSP_DEVICE_INTERFACE_DATA data) {
  auto* snap = reinterpret_cast<Snapshot*>(set);
  if (index >= snap->paths.size()) {
    SetLastError(ERROR_NO_MORE_ITEMS);
    return FALSE;
  }
  data->InterfaceClassGuid = *guid;
  data->Flags = SPINT_ACTIVE;
  data->Reserved = index;
  return TRUE;
}

BOOL WINAPI SimHidBus::GetDeviceInterfaceDetail(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                                PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail,
                                                DWORD size, PDWORD required, PSP_DEVINFO_DATA) {
  auto* snap = reinterpret_cast<Snapshot*>(set);
  const std::wstring& path = snap->paths.at(data->Reserved);
  DWORD need = static_cast<DWORD>(offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath) +
                                  (path.size() + 1) * sizeof(wchar_t));
  if (required != nullptr) *required = need;
  SimHidBus* bus = Active();
  if (detail != nullptr && bus->m_detailError != 0) {
    DWORD error = bus->m_detailError;
    bus->m_detailError = 0;
    SetLastError(error);
    return FALSE;
  }
  if (detail == nullptr || size < need) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  if (detail->cbSize != sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) {
    SetLastError(ERROR_INVALID_USER_BUFFER);
    return FALSE;
  }
  memcpy(detail->DevicePath, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
  return TRUE;
}

BOOL WINAPI SimHidBus::DestroyDeviceInfoList(HDEVINFO set) {
  delete reinterpret_cast<Snapshot*>(set);
  return TRUE;
}

HANDLE WINAPI SimHidBus::CreateFile(LPCWSTR path, DWORD access, DWORD, LPSECURITY_ATTRIBUTES,
                                    DWORD, DWORD flags, HANDLE) {
  SimHidBus* bus = Active();
  SimDevice* device = nullptr;
  {
    std::lock_guard<std::mutex> guard(bus->m_lock);
    ++bus->m_opens[access];
    if (bus->m_failOpenAccess != 0 && bus->m_failOpenAccess == access) {
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
    for (auto& d : bus->m_devices) {
      if (path != nullptr && d->Path() == path) device = d.get();
    }
  }
  if (device == nullptr) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE h = device->OpenHostEnd(access, flags);
  if (h != INVALID_HANDLE_VALUE) {
    std::lock_guard<std::mutex> guard(bus->m_lock);
    bus->m_handles[h] = device;
  }
  return h;
}

BOOLEAN WINAPI SimHidBus::GetAttributes(HANDLE h, PHIDD_ATTRIBUTES attributes) {
  SimDevice* device = Active()->DeviceOf(h);
  if (device == nullptr || attributes == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  attributes->VendorID = device->VendorId();
  attributes->ProductID = device->ProductId();
  attributes->VersionNumber = 0x0100;
  return TRUE;
}

BOOLEAN WINAPI SimHidBus::GetPreparsedData(HANDLE h, PHIDP_PREPARSED_DATA* data) {
  SimHidBus* bus = Active();
  SimDevice* device = bus->DeviceOf(h);
  if (device == nullptr || data == nullptr || bus->m_failPreparsed) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *data = reinterpret_cast<PHIDP_PREPARSED_DATA>(
      new Caps{device->InputLength(), device->OutputLength()});
  return TRUE;
}

BOOLEAN WINAPI SimHidBus::FreePreparsedData(PHIDP_PREPARSED_DATA data) {
  delete reinterpret_cast<Caps*>(data);
  return TRUE;
}

NTSTATUS WINAPI SimHidBus::GetCaps(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps) {
  const Caps* c = reinterpret_cast<const Caps*>(data);
  memset(caps, 0, sizeof(*caps));
  caps->UsagePage = 0xFF00;
  caps->Usage = 1;
  caps->InputReportByteLength = c->input;
  caps->OutputReportByteLength = c->output;
  return HIDP_STATUS_SUCCESS;
}
