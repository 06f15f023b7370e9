// A device controller attached to a device manager that talks to one simulated effect
// processor, with a message-only window owning the send throttle's timer and a pinned clock.
#pragma once
#include <windows.h>

#include <vector>

#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "SimHidBus.h"

class ControllerRig {
 public:
  // Opens the device and, when `session`, the 'p' session too.
  explicit ControllerRig(bool session = true);
  ~ControllerRig();
  ControllerRig(const ControllerRig&) = delete;
  ControllerRig& operator=(const ControllerRig&) = delete;

  // Reports of one command code the device received, oldest first.
  std::vector<SimDevice::Report> Requests(int cmd) const;
  SimDevice::Report LastRequest(int cmd) const;
  // True while the throttle's timer exists on the window (kills and restarts it to find out).
  bool TimerRunning();

  SimHidBus bus;
  SimDevice& dev;
  CDeviceManager mgr;
  HWND window = nullptr;
  DWORD now = 100000;  // the throttle's clock
  CDeviceController ctl;
};
