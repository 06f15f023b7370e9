// Device commands of the controller against the simulated effect processor.
#include <doctest/doctest.h>

#include <cstring>
#include <string>

#include "ControllerRig.h"
#include "DebugOutputCapture.h"
#include "HidDevice/Crc8.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamRows.h"
#include "SettableImage.h"

namespace {

void FillBank(SimDevice& dev, int bank, uint8_t seed) {
  dev.Inspect([&](SimProcessor& p) {
    for (int i = 0; i < SimProcessor::kBankSize; ++i) p.banks[bank][i] = static_cast<uint8_t>(seed + i * 7);
    return 0;
  });
}

uint8_t Expected(uint8_t seed, int i) { return static_cast<uint8_t>(seed + i * 7); }

}  // namespace

TEST_CASE("session: connect, end, and a rejected end keeps the flags") {
  ControllerRig rig(false);
  CDeviceController& c = rig.ctl;
  CHECK_FALSE(c.IsConnected());
  CHECK(c.EndSession());  // nothing to end
  CHECK(rig.Requests(0x70).empty());

  REQUIRE(c.ConnectDevice());
  CHECK(rig.LastRequest(0x70)[4] == 1);
  c.SetSpdifPresent(true);
  REQUIRE(c.CheckAdminPassword(L"123456") == 0);

  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x70);
  CHECK_FALSE(c.EndSession());
  CHECK(c.IsConnected());
  CHECK(c.IsLoggedIn());

  CHECK(c.EndSession());
  CHECK(rig.LastRequest(0x70)[4] == 2);
  CHECK_FALSE(c.IsSessionOpen());
  CHECK_FALSE(c.IsLoggedIn());
  CHECK_FALSE(c.ArePasswordsRead());
  CHECK_FALSE(c.IsSpdifPresent());

  // A rejected handshake leaves the session closed.
  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x70);
  CHECK_FALSE(c.ConnectDevice());
}

TEST_CASE("losing the device clears the session, S/PDIF and password state") {
  ControllerRig rig;
  CDeviceController& c = rig.ctl;
  c.SetSpdifPresent(true);
  REQUIRE(c.CheckAdminPassword(L"123456") == 0);
  REQUIRE(c.LoadDeviceModeNames());
  rig.mgr.DisconnectDevice();
  CHECK_FALSE(c.IsSessionOpen());
  CHECK_FALSE(c.IsSpdifPresent());
  CHECK_FALSE(c.IsLoggedIn());
  CHECK_FALSE(c.ArePasswordsRead());
  CHECK_FALSE(c.AreModeNamesLoaded());
  CHECK(c.CheckAdminPassword(L"123456") == CDeviceController::kPasswordNotConnected);
}

TEST_CASE("read-all reads both banks in 24 blocks and takes the active bank") {
  ControllerRig rig;
  FillBank(rig.dev, 0, 3);
  FillBank(rig.dev, 1, 5);
  rig.dev.Inspect([](SimProcessor& p) { return p.activeBank = 1; });
  REQUIRE(rig.ctl.ReadAllParams());

  const auto reads = rig.Requests(0x60);
  REQUIRE(reads.size() == 48);
  for (int b = 0; b < 24; ++b) {
    CAPTURE(b);
    CHECK(reads[b][2] == b + 1);
    CHECK(reads[b][4] == (b < 23 ? 58 : 56));
    CHECK((reads[b][5] | (reads[b][6] << 8)) == 58 * b);
  }
  for (int i = 0; i < kParamReadSize; ++i) {
    if (rig.ctl.Bank0Image()[i] != Expected(3, i) || rig.ctl.Bank1Image()[i] != Expected(5, i) ||
        rig.ctl.CurrentImage()[i] != Expected(5, i)) {
      FAIL("byte " << i << " differs");
    }
  }
  CHECK(rig.ctl.CurrentImage()[1390] == 0);

  // Without an answer to the active-bank query, bank 1 becomes the current image.
  rig.dev.Inspect([](SimProcessor& p) { return p.activeBank = 0; });
  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x7E);
  REQUIRE(rig.ctl.ReadAllParams());
  CHECK(rig.ctl.CurrentImage()[100] == Expected(5, 100));
}

TEST_CASE("a bank read that stops early keeps the old bank and fails") {
  ControllerRig rig;
  FillBank(rig.dev, 0, 9);
  const uint8_t before = rig.ctl.Bank0Image()[0];
  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x60);
  CHECK_FALSE(rig.ctl.ReadAllParams());
  CHECK(rig.ctl.Bank0Image()[0] == before);
  CHECK(memcmp(rig.ctl.Bank0Image(), DefaultParamImages::Sing(), kParamReadSize) == 0);

  // Not accepted bank selection: nothing is read.
  rig.dev.ClearRecords();
  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x7C);
  CHECK_FALSE(rig.ctl.ReadAllParams());
  CHECK(rig.Requests(0x60).empty());
}

TEST_CASE("an image upload is one header and 24 blocks, the last with its stale tail") {
  ControllerRig rig;
  DebugOutputCapture out;
  uint8_t image[kParamSlotSize];
  for (int i = 0; i < kParamSlotSize; ++i) image[i] = static_cast<uint8_t>(i * 13 + 1);
  MakeSettable(image, kParamTransferSize);
  const uint8_t* cur = rig.ctl.CurrentImage();
  const uint8_t volumes[3] = {cur[0], cur[1], cur[2]};
  REQUIRE(rig.ctl.UploadImage(image));
  CHECK(out.Contains("\nORVK2: Import Data:\n"));

  const SimDevice::Report h = rig.LastRequest(0x68);
  CHECK(h[4] == (1382 & 0xFF));
  CHECK(h[5] == (1382 >> 8));
  CHECK(h[6] == 24);
  CHECK(h[7] == 0);
  const auto blocks = rig.Requests(0x6A);
  REQUIRE(blocks.size() == 24);
  for (int b = 0; b < 24; ++b) {
    CAPTURE(b);
    CHECK(blocks[b][1] == 0);
    CHECK(blocks[b][2] == b);
    CHECK(blocks[b][3] == 0);
    const int count = b < 23 ? 59 : 25;
    CHECK(memcmp(blocks[b].data() + 4, cur + 59 * b, count) == 0);
  }
  // Block 23's bytes 29..62 still hold what block 22 carried there.
  CHECK(memcmp(blocks[23].data() + 29, blocks[22].data() + 29, 34) == 0);
  // The master volumes stay; everything else up to 1381 comes from the image.
  CHECK(memcmp(cur, volumes, 3) == 0);
  CHECK(memcmp(cur + 3, image + 3, kParamTransferSize - 3) == 0);
}

TEST_CASE("an effect upload no bank selection commits becomes the active bank before the next request") {
  ControllerRig rig;
  FillBank(rig.dev, 0, 3);
  FillBank(rig.dev, 1, 5);
  rig.dev.Inspect([](SimProcessor& p) { return p.activeBank = 1; });
  uint8_t image[kParamSlotSize];
  for (int i = 0; i < kParamSlotSize; ++i) image[i] = static_cast<uint8_t>(i * 11 + 2);
  MakeSettable(image, kParamTransferSize);
  REQUIRE(rig.ctl.UploadImage(image));
  const uint8_t* cur = rig.ctl.CurrentImage();
  // Nothing has been asked since the last block: the banks are still the old ones.
  rig.dev.Inspect([&](SimProcessor& p) {
    CHECK(p.banks[1][100] == Expected(5, 100));
    return 0;
  });
  // The next request finds the upload in the active bank, and a write lands on top of it.
  rig.ctl.SetParam(ParamRow::EchoDelay, 123, true);
  REQUIRE(rig.ctl.FlushPendingParams() > 0);
  rig.dev.Inspect([&](SimProcessor& p) {
    CHECK(p.uploadsSettled == 1);
    CHECK(p.uploadsCommitted == 0);
    CHECK(memcmp(p.banks[1], cur, kParamTransferSize) == 0);
    CHECK(p.banks[0][100] == Expected(3, 100));
    CHECK(p.banks[1][kParamTransferSize] == Expected(5, kParamTransferSize));  // system rows stay
    return 0;
  });

  // Settle applies an upload at once; an incomplete one never becomes a bank.
  REQUIRE(rig.ctl.UploadImage(DefaultParamImages::Sing()));
  rig.dev.Inspect([&](SimProcessor& p) {
    p.Settle();
    CHECK(p.uploadsSettled == 2);
    CHECK(memcmp(p.banks[1] + 3, DefaultParamImages::Sing() + 3, kParamTransferSize - 3) == 0);
    return 0;
  });
  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x6A);
  CHECK_FALSE(rig.ctl.UploadImage(image));
  rig.ctl.SetParam(ParamRow::EchoDelay, 124, true);
  REQUIRE(rig.ctl.FlushPendingParams() > 0);
  rig.dev.Inspect([&](SimProcessor& p) {
    CHECK(p.uploadsSettled == 2);
    CHECK(p.banks[1][100] == DefaultParamImages::Sing()[100]);
    return 0;
  });
}

TEST_CASE("uploads of an image with a value no control can set change and send nothing") {
  ControllerRig rig;
  uint8_t wild[kParamSlotSize];
  memcpy(wild, DefaultParamImages::Disco(), kParamImageSize);
  SetImageParam(wild, ParamRow::MicLPF_Type + 3, 24);  // a filter Q past its slider
  const uint8_t* sing = DefaultParamImages::Sing();
  CHECK_FALSE(rig.ctl.UploadImage(wild));
  CHECK_FALSE(rig.ctl.UploadBankImages(sing, sing, wild, 3, 2));
  CHECK_FALSE(rig.ctl.UploadBankImages(wild, sing, sing, 3, 2));
  CHECK(rig.Requests(0x68).empty());
  CHECK(rig.Requests(0x6A).empty());
  CHECK(memcmp(rig.ctl.CurrentImage(), sing, kParamImageSize) == 0);
  CHECK(memcmp(rig.ctl.Bank1Image(), DefaultParamImages::Disco(), kParamImageSize) == 0);
}

TEST_CASE("bank upload: both banks committed, or 0 when bank 0's commit fails") {
  ControllerRig rig;
  uint8_t a[kParamSlotSize], b0[kParamSlotSize], b1[kParamSlotSize];
  memset(a, 0x11, sizeof a);
  memset(b0, 0x22, sizeof b0);
  memset(b1, 0x33, sizeof b1);
  for (uint8_t* image : {a, b0, b1}) MakeSettable(image, kParamTransferSize);
  REQUIRE(rig.ctl.UploadBankImages(a, b0, b1, 4, 2));
  CHECK(rig.LastRequest(0x68)[7] == 4);
  CHECK(rig.Requests(0x6A).size() == 48);
  CHECK(rig.LastRequest(0x7E)[4] == 2);
  rig.dev.Inspect([&](SimProcessor& p) {
    CHECK(p.uploadsCommitted == 2);
    CHECK(p.banks[0][10] == b0[10]);
    CHECK(p.banks[1][10] == b1[10]);
    CHECK(p.banks[1][g_ParamDesc[ParamRow::Echo_Tap1Pan].offset] == 0x33);  // no control's row
    CHECK(p.banks[1][1] == rig.ctl.CurrentImage()[1]);  // master volumes kept in all three
    return 0;
  });

  rig.dev.ClearRecords();
  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x7C);  // bank 0's commit is not accepted
  CHECK_FALSE(rig.ctl.UploadBankImages(a, b0, b1, 99, 1));
  CHECK(rig.LastRequest(0x68)[7] == 0);  // a slot outside 0..16 becomes 0
  CHECK(rig.Requests(0x6A).size() == 24);  // bank 1 never went out
}

TEST_CASE("ChangePassword results") {
  struct Case {
    int kind;
    const wchar_t* oldPw;
    const wchar_t* newPw;
    int result;
  };
  const Case cases[] = {
      {0, L"12345", L"654321", 5},   // old too short: refused before comparing
      {0, L"123456", L"65432a", 5},  // non-digit in the new password
      {2, L"123456", L"654321", 5},  // bad kind
      {1, L"0000", L"12345", 5},
      {0, L"123450", L"654321", 2},
      {1, L"0000", L"4321", 0},
      {0, L"123456", L"654321", 0},
  };
  ControllerRig rig;
  for (const Case& k : cases) {
    CAPTURE(k.oldPw);
    CAPTURE(k.newPw);
    CHECK(rig.ctl.ChangePassword(k.kind, k.oldPw, k.newPw) == k.result);
  }
  rig.dev.Inspect([](SimProcessor& p) {
    const uint8_t admin[6] = {6, 5, 4, 3, 2, 1}, key[4] = {4, 3, 2, 1};
    CHECK(memcmp(p.adminPassword, admin, 6) == 0);
    CHECK(memcmp(p.keyPassword, key, 4) == 0);
    return 0;
  });
  const SimDevice::Report b = rig.LastRequest(0x62);
  CHECK(b[4] == 2);
  CHECK(b[5] == 6);
  CHECK(b[10] == 1);
  CHECK(rig.ctl.CheckAdminPassword(L"654321") == 0);

  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x62);
  CHECK(rig.ctl.ChangePassword(1, L"4321", L"1111") == 3);
}

TEST_CASE("ChangePassword when the passwords cannot be read, and without a session") {
  ControllerRig unread;
  unread.dev.InjectFault(SimDevice::BadFlag, 5, 0x74);
  CHECK(unread.ctl.ChangePassword(0, L"123456", L"111111") == 4);
  CHECK(unread.ctl.EndSession());
  CHECK(unread.ctl.ChangePassword(0, L"123456", L"111111") == 1);
}

TEST_CASE("typed passwords match stored digits only with the digits '0'..'9'") {
  // U+012F less '0' is 0xFF, the value of an erased store; ':' less '0' is 10.
  const struct {
    uint8_t stored[6];
    const wchar_t* typed;
    int result;
  } cases[] = {
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, L"\u012F\u012F\u012F\u012F\u012F\u012F", 2},
      {{1, 2, 3, 4, 5, 10}, L"12345:", 2},
      {{1, 2, 3, 4, 5, 10}, L"123450", 2},
      {{1, 2, 3, 4, 5, 6}, L"12345\u0666", 2},  // an Arabic-Indic six is no '6'
      {{1, 2, 3, 4, 5, 6}, L"123456", 0},
  };
  for (const auto& k : cases) {
    CAPTURE(k.typed);
    ControllerRig rig;
    rig.dev.Inspect([&](SimProcessor& p) {
      std::memcpy(p.adminPassword, k.stored, 6);
      std::memcpy(p.keyPassword, k.stored + 2, 4);
      return 0;
    });
    CHECK(rig.ctl.CheckAdminPassword(k.typed) == k.result);
    CHECK(rig.ctl.IsLoggedIn() == (k.result == 0));
    // The same rule for the old password of a change: a mismatch sends nothing.
    CHECK(rig.ctl.ChangePassword(0, k.typed, L"000000") == k.result);
    CHECK(rig.ctl.ChangePassword(1, k.typed + 2, L"0000") == k.result);  // the last four
    CHECK(rig.Requests(0x62).size() == (k.result == 0 ? 2u : 0u));
  }
}

TEST_CASE("a read-all never turns the stored password into zeros") {
  ControllerRig rig;
  REQUIRE(rig.ctl.ReadPasswords());
  REQUIRE(rig.ctl.ReadAllParams());
  CHECK(rig.ctl.CheckAdminPassword(L"000000") == CDeviceController::kPasswordWrong);
  CHECK(rig.ctl.CheckAdminPassword(L"123456") == 0);
}

TEST_CASE("device modes: save pads with spaces, names load in 8 reads, recall") {
  ControllerRig rig;
  REQUIRE(rig.ctl.SaveDeviceMode(2, "Pop"));
  const SimDevice::Report r = rig.LastRequest(0x72);
  CHECK(r[4] == 3);
  CHECK(std::string(reinterpret_cast<const char*>(r.data() + 5), 20) == "Pop                 ");
  CHECK(r[25] == 0);
  CHECK_FALSE(rig.ctl.SaveDeviceMode(2, ""));
  CHECK_FALSE(rig.ctl.SaveDeviceMode(16, "x"));

  rig.dev.Inspect([](SimProcessor& p) {
    strcpy(p.modeNames[15], "Last");
    return p.deviceMode = 7;
  });
  const char* name = rig.ctl.GetDeviceModeName(15);
  REQUIRE(name != nullptr);
  CHECK(std::string(name) == "Last");
  CHECK(std::string(rig.ctl.GetDeviceModeName(2)).substr(0, 3) == "Pop");
  CHECK(rig.ctl.GetDeviceMode() == 7);
  CHECK(rig.Requests(0x66).size() == 8);

  REQUIRE(rig.ctl.RecallDeviceMode(4));
  CHECK(rig.LastRequest(0x6E)[4] == 5);

  rig.dev.InjectFault(SimDevice::BadFlag, 10, 0x66);
  CHECK_FALSE(rig.ctl.LoadDeviceModeNames());
  CHECK(rig.ctl.GetDeviceModeName(15) == nullptr);
}

TEST_CASE("user mode and key lock write one system row") {
  ControllerRig rig;
  REQUIRE(rig.ctl.CheckAdminPassword(L"123456") == 0);
  REQUIRE(rig.ctl.SetUserMode(false));
  const SimDevice::Report r = rig.LastRequest(0x64);
  const uint8_t want[] = {0x64, 0, 0, 0, 1, 0x66, 0x05, 0x01, 0x00, 0x00, 0};
  for (size_t i = 0; i < sizeof want; ++i) CHECK(r[i] == want[i]);
  CHECK_FALSE(rig.ctl.IsLoggedIn());
  CHECK_FALSE(rig.ctl.IsAdminMode());

  REQUIRE(rig.ctl.SetUserMode(true));
  CHECK(rig.LastRequest(0x64)[8] == 0x80);
  CHECK(rig.ctl.IsAdminMode());

  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x64);
  CHECK_FALSE(rig.ctl.SetKeyLock(true));
  CHECK_FALSE(rig.ctl.IsKeyLocked());  // unanswered: the image keeps the old value
  REQUIRE(rig.ctl.SetKeyLock(true));
  CHECK(rig.LastRequest(0x64)[5] == 0x67);
  CHECK(rig.ctl.IsKeyLocked());
}

TEST_CASE("actions: S/PDIF and a channel EQ reset by link mode") {
  ControllerRig rig;
  CHECK(rig.ctl.ConnectSpdif());
  CHECK(rig.LastRequest(0x6C)[4] == 7);
  CHECK(rig.ctl.DisconnectSpdif());
  CHECK(rig.LastRequest(0x6C)[4] == 8);

  CDeviceController& c = rig.ctl;
  c.SetParam(ParamRow::MainEQInfo3gain, 300);
  c.SetParam(ParamRow::MainREQInfo10gain, 100);
  c.SetParam(ParamRow::Main_LinkAdjust, 1);
  REQUIRE(c.ResetChannelEq(CDeviceController::kMain));
  CHECK(GetParam(c.CurrentImage(), ParamRow::MainREQInfo10gain) == 240);
  CHECK(GetParam(c.CurrentImage(), ParamRow::MainEQInfo3gain) == 300);  // left side untouched
  const SimDevice::Report r = rig.LastRequest(0x6C);
  CHECK(r[4] == CDeviceController::kMain);
  CHECK(r[5] == 1);
  const EqCurveInfo* right = c.Curves().GetChannelCurve(CDeviceController::kMain, 1);
  REQUIRE(right != nullptr);
  CHECK(right->bands.size() > 0);
}

TEST_CASE("Wi-Fi: list, connection, state and settings block") {
  ControllerRig rig;
  CHECK(rig.ctl.QueryWifiList() == 1);  // the first reply ends the list
  CHECK(rig.Requests(0x86).size() == 1);
  CHECK(std::string(rig.ctl.GetWifiListEntry(0)).empty());

  rig.dev.Inspect([](SimProcessor& p) {
    p.wifiList = {"home", "cafe"};
    p.wifiConnected = "home";
    return p.wifiState = 3;
  });
  CHECK(rig.ctl.QueryWifiList() == 1);
  CHECK(std::string(rig.ctl.GetWifiListEntry(1)) == "cafe");
  CHECK(rig.LastRequest(0x86)[4] == 2);
  CHECK(std::string(rig.ctl.QueryWifiConnection()) == "home");
  CHECK(rig.ctl.QueryWifiState() == 3);

  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x86);
  CHECK(rig.ctl.QueryWifiList() == 0);
  CHECK(std::string(rig.ctl.GetWifiListEntry(0)).empty());

  WifiConfigBlock block{};
  block.bytes[0] = 1;
  block.bytes[1] = 2;
  memcpy(block.bytes + 2, "net", 3);
  block.bytes[59] = '9';
  CHECK(rig.ctl.SetWifiConfig(block) == 1);
  const SimDevice::Report r = rig.LastRequest(0x82);
  CHECK(r[4] == 0x21);
  CHECK(memcmp(r.data() + 5, "net", 3) == 0);
  CHECK(r[62] == '9');
  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x82);
  CHECK(rig.ctl.SetWifiConfig(block) == -1);
}

TEST_CASE("device notifications are acknowledged with their check status") {
  ControllerRig rig;
  REQUIRE(rig.dev.SendNotification(false));
  REQUIRE(rig.dev.WaitReceived(1, 2000, 0x7F));
  CHECK(rig.LastRequest(0x7F)[3] == 3);
  REQUIRE(rig.dev.SendNotification(true));
  REQUIRE(rig.dev.WaitReceived(2, 2000, 0x7F));
  CHECK(rig.LastRequest(0x7F)[3] == 0xFF);

  uint8_t other[64] = {0x61};
  CHECK(rig.ctl.OnRecvEncryptData(other) == 0);
}

TEST_CASE("commands send nothing without a session") {
  ControllerRig rig(false);
  CDeviceController& c = rig.ctl;
  CHECK_FALSE(c.ReadAllParams());
  CHECK_FALSE(c.SetUserMode(true));
  CHECK_FALSE(c.ConnectSpdif());
  CHECK(c.QueryActiveBank(0) == 0);
  CHECK(c.QueryWifiState() == 0);
  CHECK(c.QueryWifiConnection() == nullptr);
  CHECK(c.GetDeviceModeName(0) == nullptr);
  CHECK(c.ChangePassword(0, L"123456", L"111111") == 1);
  CHECK(rig.dev.Received().empty());
}

TEST_CASE("PumpMessages dispatches queued messages and posts a WM_QUIT again") {
  PostQuitMessage(5);
  CDeviceController::PumpMessages();
  MSG msg;
  REQUIRE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  CHECK(msg.wParam == 5);
}

TEST_CASE("a read reply claiming more than was asked copies only what was asked") {
  ControllerRig rig;
  FillBank(rig.dev, 0, 1);
  rig.dev.Inspect([](SimProcessor& p) { return p.readLengthClaim = 255; });
  REQUIRE(rig.ctl.ReadAllParams());
  CHECK(rig.Requests(0x60).size() == 48);  // still 24 blocks per bank
  for (int i = 0; i < kParamReadSize; ++i) {
    if (rig.ctl.Bank0Image()[i] != Expected(1, i)) FAIL("byte " << i << " differs");
  }
  CHECK(rig.ctl.Bank0Image()[1390] == 0);
  CHECK(rig.ctl.Bank0Image()[1401] == 0);

  rig.dev.Inspect([](SimProcessor& p) { return p.readLengthClaim = 0; });  // an empty block
  const uint8_t before = rig.ctl.Bank0Image()[5];
  FillBank(rig.dev, 0, 2);
  CHECK_FALSE(rig.ctl.ReadAllParams());
  CHECK(rig.ctl.Bank0Image()[5] == before);
}

TEST_CASE("read-all and imports rebuild the EQ curves from the new image") {
  if (g_eqAxisMinFreq < 0) InitEqFreqAxis(10.0);  // the EQ editor builds the axis in the program
  ControllerRig rig;
  rig.dev.Inspect([](SimProcessor& p) {
    memcpy(p.banks[0], DefaultParamImages::Sing(), SimProcessor::kBankSize);
    const int gain = g_ParamDesc[ParamRow::MusicEQInfo3gain].offset;
    p.banks[0][gain] = 360 & 0xFF;  // +12 dB
    p.banks[0][gain + 1] = 360 >> 8;
    return 0;
  });
  const EqCurveInfo* music = rig.ctl.Curves().GetChannelCurve(CDeviceController::kMusic, 0);
  REQUIRE(music != nullptr);
  CHECK(music->maxDb < 1.0);
  REQUIRE(rig.ctl.ReadAllParams());
  CHECK(music->maxDb > 6.0);

  REQUIRE(rig.ctl.UploadImage(DefaultParamImages::Sing()));
  CHECK(music->maxDb < 1.0);
}

TEST_CASE("a device-mode upload stores the current image in its work mode's bank") {
  ControllerRig rig;
  CDeviceController& c = rig.ctl;
  c.SetParam(ParamRow::MainWorkMode, 1);
  c.SetParam(ParamRow::EchoDelay, 123);
  REQUIRE(c.UploadToDeviceMode(15));
  CHECK(GetParam(c.Bank1Image(), ParamRow::EchoDelay) == 123);
  CHECK(GetParam(c.Bank0Image(), ParamRow::EchoDelay) == 250);
  CHECK(rig.LastRequest(0x68)[7] == 16);
  CHECK(rig.LastRequest(0x7E)[4] == 1);
  CHECK_FALSE(c.UploadToDeviceMode(16));
}
