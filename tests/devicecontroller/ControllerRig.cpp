#include "ControllerRig.h"

#include <doctest/doctest.h>

ControllerRig::ControllerRig(bool session)
    : dev(bus.AddDevice(CDeviceManager::kVendorId, CDeviceManager::kProductId)),
      mgr(CDeviceManager::kVendorId, CDeviceManager::kProductId) {
  window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                           nullptr);
  REQUIRE(window != nullptr);
  REQUIRE(mgr.StartRecvThread());
  ctl.AttachDeviceManager(&mgr);
  ctl.Throttle().Init(window, &ctl);
  ctl.Throttle().SetTickSource([this] { return now; });
  ctl.SetSessionSettleMs(1);
  REQUIRE(mgr.EnumDevices() == 1);
  REQUIRE(mgr.ConnectDevice(0));
  if (session) REQUIRE(ctl.ConnectDevice());
  dev.ClearRecords();
}

ControllerRig::~ControllerRig() {
  KillTimer(window, CSendThrottle::kTimerId);
  mgr.DisconnectDevice();
  mgr.Shutdown();
  ctl.AttachDeviceManager(nullptr);  // the controller ends first here
  DestroyWindow(window);
}

std::vector<SimDevice::Report> ControllerRig::Requests(int cmd) const {
  std::vector<SimDevice::Report> out;
  for (const SimDevice::Report& r : dev.Received())
    if (r[0] == cmd) out.push_back(r);
  return out;
}

SimDevice::Report ControllerRig::LastRequest(int cmd) const {
  std::vector<SimDevice::Report> all = Requests(cmd);
  REQUIRE(!all.empty());
  return all.back();
}

bool ControllerRig::TimerRunning() {
  const bool running = KillTimer(window, CSendThrottle::kTimerId) != FALSE;
  if (running) SetTimer(window, CSendThrottle::kTimerId, CSendThrottle::kIntervalMs, nullptr);
  return running;
}
