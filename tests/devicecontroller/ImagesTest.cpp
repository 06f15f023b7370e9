// The controller's three image slots without a device.
#include <doctest/doctest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>
#include <string>
#include <vector>

#include "DebugOutputCapture.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamRows.h"

TEST_CASE("the slots start from the default images; the start image is dumped when asked") {
  DebugOutputCapture out;
  CDeviceController c;
  CHECK(memcmp(c.CurrentImage(), DefaultParamImages::Sing(), kParamImageSize) == 0);
  CHECK(memcmp(c.Bank0Image(), DefaultParamImages::Sing(), kParamImageSize) == 0);
  CHECK(memcmp(c.Bank1Image(), DefaultParamImages::Disco(), kParamImageSize) == 0);
  CHECK(out.Count("ORVK2: ") == 0);  // a new controller writes nothing yet

  // The same lines as a dump of the new controller's current image, whatever it holds since.
  c.SetParam(ParamRow::EchoDelay, 7);
  out.Clear();
  CDeviceController::DumpStartImage();
  const std::vector<std::string> started = out.Lines();
  CHECK(out.Count("ORVK2: ") == kParamCount);
  CHECK(out.Contains(
      "ORVK2:        EchoDelay =  250 = 0x00FA  (2 bytes) index=308  offset=412\n"));
  out.Clear();
  CDeviceController::DumpParams(CDeviceController().CurrentImage());
  CHECK(out.Lines() == started);
}

TEST_CASE("bank parameters and the bank switch") {
  CDeviceController c;
  c.SetBankParams(ParamRow::EchoDelay, 111, 222);
  CHECK(GetParam(c.Bank0Image(), ParamRow::EchoDelay) == 111);
  CHECK(GetParam(c.Bank1Image(), ParamRow::EchoDelay) == 222);
  CHECK(GetParam(c.CurrentImage(), ParamRow::EchoDelay) == 250);
  c.SetBankParam(ParamRow::Micvolume, 7);
  CHECK(GetParam(c.Bank1Image(), ParamRow::Micvolume) == 7);

  c.SetParam(ParamRow::Musicvolume, 44);
  c.SetParam(ParamRow::SysMusicStartVolume, 9);  // beyond the switched bytes
  c.SwitchBankImage(true);
  CHECK(GetParam(c.Bank0Image(), ParamRow::Musicvolume) == 44);  // the left bank got the image
  CHECK(GetParam(c.CurrentImage(), ParamRow::EchoDelay) == 222);
  CHECK(GetParam(c.CurrentImage(), ParamRow::MainWorkMode) == 1);
  CHECK(GetParam(c.CurrentImage(), ParamRow::SysMusicStartVolume) == 9);
  c.SwitchBankImage(false);
  CHECK(GetParam(c.CurrentImage(), ParamRow::Musicvolume) == 44);
  CHECK(GetParam(c.Bank1Image(), ParamRow::EchoDelay) == 222);
}

TEST_CASE("an unattached controller's throttle is not driven by the timer") {
  CDeviceController c;
  CHECK_FALSE(c.Throttle().IsInitialised());
  c.OnSendTimer();  // nothing to do and nothing to crash on
  CHECK(c.FlushPendingParams() == 1);
  CHECK_FALSE(c.IsConnected());
  CHECK_FALSE(c.ConnectDevice());
  uint8_t notification[64] = {0x7E};
  CHECK(c.OnRecvEncryptData(notification) == 1);  // nothing to acknowledge it with
}

TEST_CASE("a controller outliving its device manager never touches the deleted manager") {
  // As at shut-down: the manager is deleted, the controller lives on until the process ends.
  alignas(CDeviceManager) unsigned char storage[sizeof(CDeviceManager)];
  auto* controller = new CDeviceController;
  auto* manager = new (storage) CDeviceManager(CDeviceManager::kVendorId, CDeviceManager::kProductId);
  controller->AttachDeviceManager(manager);
  manager->~CDeviceManager();
  std::memset(storage, 0xAB, sizeof storage);  // what freed memory may hold
  delete controller;
  CHECK(std::all_of(std::begin(storage), std::end(storage), [](unsigned char b) { return b == 0xAB; }));
}
