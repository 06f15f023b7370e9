// A simulated slider drag against the simulated effect processor, in real time: 1000 changes
// per second spread over 5 rows for 3 s, with timer 1012 of a real window driving the send
// throttle. Prints the reports sent, the entries they carried and whether the device's image
// equals the program's image once the last timer has fired (no change lost).
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "HidDevice/ParamRows.h"
#include "SimHidBus.h"

namespace {

CDeviceController* g_controller = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == CSendThrottle::kTimerId && g_controller) {
    g_controller->OnSendTimer();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

int main() {
  const int kRows[5] = {ParamRow::Musicvolume, ParamRow::Micvolume, ParamRow::MainDelay_L,
                        ParamRow::EchoDelay, ParamRow::Main_MI};
  const DWORD kDurationMs = 3000;
  const int kChangesPerSecond = 1000;

  WNDCLASSW wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TevaroSliderDragBench";
  if (!RegisterClassW(&wc)) return 1;
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
  if (!window) return 1;

  SimHidBus bus;
  SimDevice& dev = bus.AddDevice(CDeviceManager::kVendorId, CDeviceManager::kProductId);
  CDeviceManager mgr(CDeviceManager::kVendorId, CDeviceManager::kProductId);
  CDeviceController controller;
  g_controller = &controller;
  if (!mgr.StartRecvThread()) return 1;
  controller.AttachDeviceManager(&mgr);
  controller.Throttle().Init(window, &controller);
  if (!controller.ConnectDevice() || !controller.ReadAllParams()) {
    printf("bench_controller: the simulated device did not connect\n");
    return 1;
  }
  dev.ClearRecords();

  const DWORD start = GetTickCount();
  int changes = 0;
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= kDurationMs) break;
    const int due = static_cast<int>(elapsed * kChangesPerSecond / 1000);
    for (; changes < due; ++changes) {
      const int row = kRows[changes % 5];
      const uint16_t value = static_cast<uint16_t>(1 + (changes / 5) % 200);
      controller.SetParam(row, value);
    }
    Pump();
    Sleep(1);
  }
  // Let the last throttle timer fire.
  const DWORD settle = GetTickCount();
  while (GetTickCount() - settle < 200) {
    Pump();
    Sleep(5);
  }
  const DWORD total = GetTickCount() - start;

  size_t reports = 0, entries = 0, maxEntries = 0;
  for (const SimDevice::Report& r : dev.Received()) {
    if (r[0] != 0x64) continue;
    ++reports;
    entries += r[4];
    if (r[4] > maxEntries) maxEntries = r[4];
  }
  const bool same = dev.Inspect([&](SimProcessor& p) {
    return memcmp(p.banks[p.activeBank], controller.CurrentImage(), kParamReadSize) == 0;
  });

  printf("slider drag: %d changes over 5 rows in %lu ms (%d per second)\n", changes,
         static_cast<unsigned long>(total), kChangesPerSecond);
  printf("  reports sent: %zu (%.1f per second)\n", reports, reports * 1000.0 / total);
  printf("  entries per report: %.2f on average, %zu at most\n",
         reports ? static_cast<double>(entries) / reports : 0.0, maxEntries);
  printf("  changes per entry sent: %.1f\n", entries ? static_cast<double>(changes) / entries : 0.0);
  printf("  device image equals program image: %s\n", same ? "yes" : "NO (changes lost)");

  mgr.DisconnectDevice();
  mgr.Shutdown();
  DestroyWindow(window);
  return 0;
}
