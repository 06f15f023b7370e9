// The entry points through which CHidBase reaches SetupAPI, the HID library and CreateFileW.
// By default they are the real system functions; a test binds them to a simulated device.
// Everything else CHidBase does (overlapped ReadFile/WriteFile, events, CloseHandle) runs on
// the real handles that these entry points hand out.
#pragma once
#include <windows.h>
#include <setupapi.h>
// The HID headers declare C functions without saying so.
extern "C" {
#include <hidsdi.h>
}

struct HidApi {
  void(WINAPI* GetHidGuid)(LPGUID guid);
  HDEVINFO(WINAPI* GetClassDevs)(const GUID* guid, PCWSTR enumerator, HWND parent, DWORD flags);
  BOOL(WINAPI* EnumDeviceInterfaces)(HDEVINFO set, PSP_DEVINFO_DATA info, const GUID* guid,
                                     DWORD index, PSP_DEVICE_INTERFACE_DATA data);
  BOOL(WINAPI* GetDeviceInterfaceDetail)(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data,
                                         PSP_DEVICE_INTERFACE_DETAIL_DATA_W detail, DWORD size,
                                         PDWORD required, PSP_DEVINFO_DATA info);
  BOOL(WINAPI* DestroyDeviceInfoList)(HDEVINFO set);
  HANDLE(WINAPI* CreateFile)(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                             DWORD disposition, DWORD flags, HANDLE templ);
  BOOLEAN(WINAPI* GetAttributes)(HANDLE device, PHIDD_ATTRIBUTES attributes);
  BOOLEAN(WINAPI* GetPreparsedData)(HANDLE device, PHIDP_PREPARSED_DATA* data);
  BOOLEAN(WINAPI* FreePreparsedData)(PHIDP_PREPARSED_DATA data);
  NTSTATUS(WINAPI* GetCaps)(PHIDP_PREPARSED_DATA data, PHIDP_CAPS caps);

  // The table in use; the real functions unless Bind replaced them.
  static const HidApi& Current();
  // Binds a table (null restores the real functions). The table must outlive its use.
  static void Bind(const HidApi* api);
  static const HidApi& Real();
};
