// The simulated HID bus: binds CHidBase's seam (HidApi) to simulated effect processors while it
// lives. Enumeration lists the plugged devices, attributes and capabilities come from them, and
// opening a device path hands out real pipe handles served by that device's thread.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "HidDevice/HidApi.h"
#include "SimDevice.h"

class SimHidBus {
 public:
  SimHidBus();   // binds the seam
  ~SimHidBus();  // restores the real functions, then removes the devices
  SimHidBus(const SimHidBus&) = delete;
  SimHidBus& operator=(const SimHidBus&) = delete;

  SimDevice& AddDevice(USHORT vendorId, USHORT productId, USHORT inputLength = 65,
                       USHORT outputLength = 65);
  // The next interface-detail request fails with `error` (the enumeration gives up).
  void FailNextInterfaceDetail(DWORD error) { m_detailError = error; }
  // HidD_GetPreparsedData fails while set.
  void FailPreparsedData(bool fail) { m_failPreparsed = fail; }
  // Opening any path with exactly this access mask fails while set (0: none), as for a device
  // that refuses one kind of handle.
  void FailOpen(DWORD access) { m_failOpenAccess = access; }
  // CreateFile calls seen, by access mask (probe, write, read).
  int OpenCount(DWORD access) const;

 private:
  static SimHidBus* Active();
  static void WINAPI GetHidGuid(LPGUID guid);
  static HDEVINFO WINAPI GetClassDevs(const GUID*, PCWSTR, HWND, DWORD);
  static BOOL WINAPI EnumDeviceInterfaces(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD,
                                          PSP_DEVICE_INTERFACE_DATA);
  static BOOL WINAPI GetDeviceInterfaceDetail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA,
                                              PSP_DEVICE_INTERFACE_DETAIL_DATA_W, DWORD, PDWORD,
                                              PSP_DEVINFO_DATA);
  static BOOL WINAPI DestroyDeviceInfoList(HDEVINFO);
  static HANDLE WINAPI CreateFile(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                  HANDLE);
  static BOOLEAN WINAPI GetAttributes(HANDLE, PHIDD_ATTRIBUTES);
  static BOOLEAN WINAPI GetPreparsedData(HANDLE, PHIDP_PREPARSED_DATA*);
  static BOOLEAN WINAPI FreePreparsedData(PHIDP_PREPARSED_DATA);
  static NTSTATUS WINAPI GetCaps(PHIDP_PREPARSED_DATA, PHIDP_CAPS);

  SimDevice* DeviceOf(HANDLE h);

  HidApi m_api;
  mutable std::mutex m_lock;
  std::vector<std::unique_ptr<SimDevice>> m_devices;
  std::map<HANDLE, SimDevice*> m_handles;
  std::map<DWORD, int> m_opens;
  DWORD m_detailError = 0;
  DWORD m_failOpenAccess = 0;
  bool m_failPreparsed = false;
};
