#include "DeviceSteps.h"

#include <doctest/doctest.h>

#include "CApplication.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/ParamDesc.h"
#include "ProgramRig.h"

CDeviceController& Controller() { return ProgramRig::App().DeviceController(); }

uint8_t* Image() { return Controller().CurrentImage(); }

void Connect() {
  Controller().SetSessionSettleMs(0);
  REQUIRE(Controller().ConnectDevice());
  REQUIRE(Controller().ReadAllParams());
}

namespace {

// Calls f(value) for every entry of a 'd' report the device received at offset.
template <class F>
void ForEachWrite(const SimDevice& device, int offset, F f) {
  for (const SimDevice::Report& r : device.Received()) {
    if (r[0] != CmdWriteParams) continue;
    for (int i = 0; i < r[4] && i < 11; ++i) {
      const uint8_t* e = r.data() + 5 + 5 * i;
      if (e[0] + 256 * e[1] != offset) continue;
      f(e[2] == 2 ? static_cast<uint16_t>(e[3] + 256 * e[4]) : static_cast<uint16_t>(e[3]));
    }
  }
}

}  // namespace

bool DeviceWrote(const SimDevice& device, int offset, uint16_t value) {
  bool wrote = false;
  ForEachWrite(device, offset, [&](uint16_t got) { wrote = wrote || got == value; });
  return wrote;
}

int DeviceWrites(const SimDevice& device, int offset) {
  int count = 0;
  ForEachWrite(device, offset, [&](uint16_t) { ++count; });
  return count;
}

void SetDeviceRow(SimDevice& device, int row, uint16_t value) {
  const ParamDesc& desc = g_ParamDesc[row];
  device.Inspect([&](SimProcessor& p) {
    for (auto& bank : p.banks) {
      bank[desc.offset] = static_cast<uint8_t>(value);
      if (desc.bytes == 2) bank[desc.offset + 1] = static_cast<uint8_t>(value >> 8);
    }
    return 0;
  });
}
