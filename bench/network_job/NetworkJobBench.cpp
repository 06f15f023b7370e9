// A Wi-Fi query of the network dialog through its worker job (a thread started, the device's
// state, list and joined network asked on it, the end posted back and taken from the UI
// thread's queue) against the same three requests made directly on the UI thread, against the
// simulated processor (state 1, three networks, joined). Prints milliseconds per query and the
// ratio.
#include <windows.h>

#include <cstdio>

#include "BenchClock.h"
#include "CNetworkJob.h"
#include "CNetworkJobRunner.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "SimHidBus.h"

namespace {

// Waits on the UI thread's queue for the end of the job with that number.
bool WaitForEnd(HWND window, LPARAM number) {
  MSG msg;
  while (GetMessageW(&msg, window, 0, 0) > 0) {
    if (msg.message == CNetworkJob::kQueryDone && msg.lParam == number) return true;
    DispatchMessageW(&msg);
  }
  return false;
}

}  // namespace

int main() {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return 1;
  SimHidBus bus;
  SimDevice& dev = bus.AddDevice(CDeviceManager::kVendorId, CDeviceManager::kProductId);
  dev.Inspect([](SimProcessor& p) {
    p.wifiState = 1;
    p.wifiList = {"Home", "Office", "Guest"};
    p.wifiConnected = "Home";
  });
  CDeviceManager mgr(CDeviceManager::kVendorId, CDeviceManager::kProductId);
  CDeviceController controller;
  if (!mgr.StartRecvThread()) return 1;
  controller.AttachDeviceManager(&mgr);
  controller.SetSessionSettleMs(0);
  if (!controller.ConnectDevice()) {
    printf("bench_network_job: the simulated device did not connect\n");
    return 1;
  }
  bool allJoined = true;
  {
    CNetworkJobRunner runner(controller);
    auto worker = [&] {
      CNetworkJob* job = CNetworkJob::Create(window);
      if (job == nullptr || !runner.Start(job) || !WaitForEnd(window, job->Number())) {
        allJoined = false;
      } else if (job->WifiState() == 0) {
        allJoined = false;
      }
      if (job != nullptr) job->Release();
    };
    auto direct = [&] {
      const int state = controller.QueryWifiState();
      controller.QueryWifiList();
      if (state != 0) controller.QueryWifiConnection();
      if (state == 0) allJoined = false;
    };
    const bench::Timing t = bench::BestOfAlternating(worker, direct, 300.0, 5);
    printf("Wi-Fi query (state, 3 networks, joined): through its worker %.3f ms, its requests "
           "directly %.3f ms, ratio %.2f\n",
           t.ours, t.bare, t.ours / t.bare);
    runner.WaitIdle();
  }
  if (!allJoined) printf("bench_network_job: a query did not read the joined state\n");
  controller.AttachDeviceManager(nullptr);
  mgr.DisconnectDevice();
  mgr.Shutdown();
  DestroyWindow(window);
  return allJoined ? 0 : 1;
}
