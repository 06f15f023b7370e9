#include <doctest/doctest.h>

#include <cstring>
#include <thread>

#include "DebugOutputCapture.h"
#include "DeviceRig.h"
#include "HidDevice/CHidRecvThread.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/CProtocolDev.h"
#include "LogCapture.h"
#include "WaitUntil.h"

namespace {
struct Reply {
  BYTE bytes[64];
};

Reply MakeReply(BYTE code, BYTE flag) {
  Reply r{};
  r.bytes[0] = code;
  r.bytes[3] = flag;
  CommandReport::Seal(r.bytes);
  return r;
}

bool AllZero(const BYTE* p, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (p[i] != 0) return false;
  return true;
}

// Reports with repeats in a row collapsed: what was asked, whatever the tries it took.
std::vector<SimDevice::Report> Distinct(const std::vector<SimDevice::Report>& reports) {
  std::vector<SimDevice::Report> out;
  for (const auto& r : reports)
    if (out.empty() || out.back() != r) out.push_back(r);
  return out;
}

BOOL SendD(CProtocol* p, BYTE* reply, DWORD tries = 5, DWORD timeout = 200) {
  BYTE request[64] = {CmdWriteParams};
  return p->SendAndReceive(request, reply, tries, timeout);
}
}  // namespace

TEST_CASE("CheckReply tests check, then code, then flag, and says which failed") {
  CProtocolDev protocol;
  LogCapture log;
  struct Case {
    const char* name;
    Reply reply;
    bool ok;
    const char* text;
  };
  Reply badCheckAndCode = MakeReply(0x10, 0xFF);
  badCheckAndCode.bytes[63] ^= 1;
  Reply badFlag = MakeReply(0x65, 0x00);
  Case cases[] = {
      {"accepted with empty payload", MakeReply(0x65, 0xFF), true, nullptr},
      {"bad check wins over bad code", badCheckAndCode, false, nullptr},
      {"code", MakeReply(0x66, 0xFF), false, "CheckReply error: reply cmd 0x66 != 0x65"},
      {"flag, not code", badFlag, false,
       "CheckReply error: reply falg 0x00 != 0xff  cmd=0x65"},
  };
  char crcText[96];
  snprintf(crcText, sizeof(crcText), "CheckReply error: reply crc 0x%02x != 0x%02x  cmd=0x10",
           badCheckAndCode.bytes[63], Crc8(badCheckAndCode.bytes, 63));
  cases[1].text = crcText;
  for (const Case& c : cases) {
    CAPTURE(c.name);
    log.Clear();
    CHECK(static_cast<bool>(protocol.CheckReply(c.reply.bytes, 0x65, 63)) == c.ok);
    if (c.ok) {
      CHECK(log.Lines().empty());
    } else {
      REQUIRE(log.Lines().size() == 1);
      CHECK(log.Lines()[0].text == c.text);
      CHECK(log.Lines()[0].func == "CProtocol::CheckReply");
      CHECK(log.Lines()[0].level == 4);
      CHECK(log.Lines()[0].file == "..\\common\\HidDevice\\Protocol");
    }
  }
}

TEST_CASE("Connecting agrees a session key from reply bytes 14, 25, 30, 16, 6, 37") {
  DeviceRig rig;
  DebugOutputCapture out;
  REQUIRE(rig.Connect());
  CHECK(rig.mgr.IsOpen());
  CHECK(std::wstring(rig.mgr.GetConnectedPath()) == rig.dev.Path());
  CHECK(out.Count("ORVK2: ====Connect device=====\n") == 1);
  // The protocol's own 200 ms time-out applies here; a slow machine may cost a try, which
  // writes the same request again and gets the same reply.
  auto received = Distinct(rig.dev.Received());
  auto sent = Distinct(rig.dev.Sent());
  REQUIRE(received.size() == 1);
  REQUIRE(sent.size() == 1);
  const auto& req = received[0];
  CHECK(req[0] == CmdSessionKey);
  CHECK(req[63] == Crc8(req.data(), 63));
  for (int at : {6, 12, 24, 32}) {
    DWORD w = req[at] | (req[at + 1] << 8) | (req[at + 2] << 16) | (static_cast<DWORD>(req[at + 3]) << 24);
    CHECK(w <= 32766);
  }
  const BYTE* key = rig.mgr.GetProtocol()->GetSessionKey();
  const int at[6] = {14, 25, 30, 16, 6, 37};
  for (int i = 0; i < 6; ++i) CHECK(key[i] == sent[0][at[i]]);
}

TEST_CASE("Every command of the device gets its reply from the simulator") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  const BYTE codes[] = {CmdSessionKey, CmdFirmwareBegin, CmdFirmwareBlock, CmdReadParams,
                        CmdChangePassword, CmdWriteParams, CmdReadModeNames, CmdUploadBegin,
                        CmdUploadBlock, CmdAction, CmdRecallMode, CmdSession, CmdSaveMode,
                        CmdReadPasswords, CmdSelectBank, CmdActiveBank, CmdDeviceConfig,
                        CmdWifiState, CmdWifiList, CmdWifiConnection};
  for (BYTE code : codes) {
    CAPTURE(static_cast<int>(code));
    BYTE request[64] = {code};
    BYTE reply[64];
    CHECK(rig.mgr.SendAndReceive(request, reply, 200));
    CHECK(reply[0] == static_cast<BYTE>(code + 1));
    CHECK(reply[3] == 0xFF);
  }
  // A 'd' write lands in the device's active bank and reads back through '`'.
  BYTE write[64] = {CmdWriteParams, 0, 0, 0, 1, 0x0F, 0x03, 2, 0x34, 0x12};
  BYTE reply[64];
  REQUIRE(rig.mgr.SendAndReceive(write, reply, 200));
  BYTE read[64] = {CmdReadParams, 0, 1, 0, 58, 0x00, 0x03};
  REQUIRE(rig.mgr.SendAndReceive(read, reply, 200));
  CHECK(reply[2] == 1);
  CHECK(reply[4] == 58);
  CHECK(reply[5 + 15] == 0x34);
  CHECK(reply[5 + 16] == 0x12);
}

TEST_CASE("Faulty replies cost one try each and the request is written again") {
  // The caller chooses the time-out: where a later try must succeed it is generous, so that a
  // slow machine never turns one try into two; where every try fails it is short.
  struct Case {
    SimDevice::Fault fault;
    int times;
    DWORD timeoutMs;
    bool ok;
    size_t writes;
    const char* diagnostic;
  } cases[] = {
      {SimDevice::BadCheck, 1, 2000, true, 2, "CheckReply error: reply crc"},
      {SimDevice::BadFlag, 1, 2000, true, 2, "CheckReply error: reply falg 0x00 != 0xff  cmd=0x65"},
      {SimDevice::WrongCode, 1, 500, true, 2, "WaitTimeout. cmd=0x64"},
      {SimDevice::NoReply, 1, 500, true, 2, "WaitTimeout. cmd=0x64"},
      {SimDevice::NoReply, 5, 40, false, 5, "WaitTimeout. cmd=0x64"},
      {SimDevice::BadCheck, 5, 40, false, 5, "CheckReply error: reply crc"},
  };
  DeviceRig rig;
  REQUIRE(rig.Connect());
  LogCapture log;
  for (const Case& c : cases) {
    CAPTURE(static_cast<int>(c.fault));
    CAPTURE(c.times);
    rig.dev.ClearRecords();
    rig.dev.InjectFault(c.fault, c.times, CmdWriteParams);
    log.Clear();
    BYTE reply[64];
    memset(reply, 0xCC, sizeof(reply));
    CHECK(static_cast<bool>(SendD(rig.mgr.GetProtocol(), reply, 5, c.timeoutMs)) == c.ok);
    CHECK(rig.dev.ReceivedCount(CmdWriteParams) == c.writes);
    bool seen = false;
    for (auto& t : log.Texts()) seen = seen || t.find(c.diagnostic) == 0;
    CHECK(seen);
    if (c.ok) {
      CHECK(reply[0] == 0x65);
      CHECK(reply[3] == 0xFF);
    } else {
      CHECK(AllZero(reply, 64));  // a rejected reply never reaches the caller
    }
    rig.dev.ClearFaults();
  }
}

TEST_CASE("Tries 0 writes nothing") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  rig.dev.ClearRecords();
  BYTE reply[64];
  CHECK_FALSE(SendD(rig.mgr.GetProtocol(), reply, 0));
  Sleep(20);
  CHECK(rig.dev.ReceivedCount() == 0);
}

TEST_CASE("A late reply and a second copy of a reply go to the unsolicited path") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  rig.mgr.SetSessionSink(&rig.sink);
  BYTE reply[64];

  rig.dev.InjectFault(SimDevice::LateReply, 1, CmdWriteParams, 400);
  CHECK_FALSE(SendD(rig.mgr.GetProtocol(), reply, 1, 50));
  CHECK(rig.sink.WaitFor(0x65, 5000));

  // The second copy neither overwrites the accepted reply nor answers the next request.
  rig.dev.InjectFault(SimDevice::DoubleReply, 1, CmdWriteParams);
  BYTE first[64];
  REQUIRE(SendD(rig.mgr.GetProtocol(), first, 5, 2000));
  REQUIRE(WaitUntil([&] { return rig.sink.Reports().size() >= 2; }));
  CHECK(rig.sink.Reports().size() == 2);
  CHECK(memcmp(first, rig.sink.Reports()[1].data(), 64) == 0);
  rig.dev.InjectFault(SimDevice::NoReply, 1, CmdWriteParams);
  rig.dev.ClearRecords();
  CHECK(SendD(rig.mgr.GetProtocol(), reply, 5, 500));
  CHECK(rig.dev.ReceivedCount(CmdWriteParams) == 2);
}

TEST_CASE("Firmware upload framing, and sizes 0 and 65537 refused without sending") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  rig.dev.ClearRecords();
  CProtocolDev* p = rig.mgr.GetProtocol();
  BYTE data[65537];
  for (size_t i = 0; i < sizeof(data); ++i) data[i] = static_cast<BYTE>(i * 7 + 1);
  CHECK_FALSE(p->UpdateFirmware(data, 0));
  CHECK_FALSE(p->UpdateFirmware(data, 65537));
  CHECK_FALSE(rig.mgr.Command(CProtocolDev::CommandFirmware, nullptr, 33));
  CHECK_FALSE(rig.mgr.Command(CProtocolDev::CommandFirmware, data, 0));
  CHECK(rig.dev.ReceivedCount() == 0);

  REQUIRE(rig.mgr.Command(CProtocolDev::CommandFirmware, data, 33));
  auto got = Distinct(rig.dev.Received());
  REQUIRE(got.size() == 3);
  CHECK(got[0][0] == CmdFirmwareBegin);
  CHECK(got[0][6] == 0);
  CHECK(got[0][7] == 2);
  CHECK(got[0][8] == 0);
  CHECK(got[0][9] == 0);
  CHECK(got[0][10] == 33);
  CHECK(got[1][0] == CmdFirmwareBlock);
  CHECK(got[1][2] == 0);
  CHECK(memcmp(got[1].data() + 4, data, 32) == 0);
  CHECK(got[2][2] == 1);
  CHECK(got[2][4] == data[32]);
  CHECK(AllZero(got[2].data() + 5, 58));
  CHECK(rig.dev.Inspect([&](SimProcessor& s) {
    return s.firmware == std::vector<uint8_t>(data, data + 33);
  }));

  // A block without a good reply ends the upload (rejected replies: no time-out to sit out).
  rig.dev.ClearRecords();
  rig.dev.InjectFault(SimDevice::BadCheck, -1, CmdFirmwareBlock);
  CHECK_FALSE(p->UpdateFirmware(data, 100));
  CHECK(rig.dev.ReceivedCount(CmdFirmwareBlock) == 5);
}

TEST_CASE("Device information query and its kinds") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  CHECK(rig.mgr.Command(CProtocolDev::CommandUpdateInfo, nullptr, 0));
  WORD ymd[3];
  REQUIRE(rig.mgr.GetDeviceInfo(CProtocolDev::InfoDate, ymd, sizeof(ymd)));
  CHECK(ymd[0] == 2024);
  CHECK(ymd[1] == 5);
  CHECK(ymd[2] == 17);
  BYTE b = 0;
  CHECK(rig.mgr.GetDeviceInfo(CProtocolDev::InfoI0, &b, 1));
  CHECK(b == 3);
  CHECK(rig.mgr.GetDeviceInfo(CProtocolDev::InfoI1, &b, 1));
  CHECK(b == 2);
  CHECK(rig.mgr.GetDeviceInfo(CProtocolDev::InfoI3, &b, 1));
  CHECK(b == 9);
  WORD w = 0;
  CHECK(rig.mgr.GetDeviceInfo(CProtocolDev::InfoValueA, &w, 2));
  CHECK(w == 0x1234);
  CHECK(rig.mgr.GetDeviceInfo(CProtocolDev::InfoValueB, &w, 2));
  CHECK(w == 0x5678);
  char block[20];
  CHECK(rig.mgr.GetDeviceInfo(CProtocolDev::InfoBlock, block, 20));
  CHECK(block[0] == 'A');
  CHECK_FALSE(rig.mgr.GetDeviceInfo(CProtocolDev::InfoBlock, block, 19));
  CHECK_FALSE(rig.mgr.GetDeviceInfo(1, &b, 1));
  CHECK_FALSE(rig.mgr.GetDeviceInfo(10, &b, 1));
  CHECK_FALSE(rig.mgr.GetDeviceInfo(CProtocolDev::InfoI0, nullptr, 1));
}

TEST_CASE("Closing a protocol with no traffic returns at once") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  Sleep(50);  // the receive thread is blocked in its read
  // "At once" means without the 3000 ms the close may wait for a loop that does not leave.
  DWORD start = GetTickCount();
  rig.mgr.DisconnectDevice();
  CHECK(GetTickCount() - start < 2000);
  CHECK_FALSE(rig.mgr.IsOpen());

  // A protocol that never started receiving has no loop to wait for.
  CProtocolDev idle;
  idle.Init(kRigVid, kRigPid, rig.dev.Path().c_str());
  start = GetTickCount();
  CHECK(idle.Close());
  CHECK(GetTickCount() - start < 2000);
}

TEST_CASE("Unplugging mid-request fails the request in bounded time, then pauses per failure") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  LogCapture log;
  rig.dev.InjectFault(SimDevice::NoReply, -1, CmdWriteParams);
  std::thread unplug([&] {
    Sleep(50);
    rig.dev.Unplug();
  });
  BYTE reply[64];
  DWORD start = GetTickCount();
  CHECK_FALSE(SendD(rig.mgr.GetProtocol(), reply));
  DWORD took = GetTickCount() - start;
  unplug.join();
  CHECK(took < 5 * 200 + 2000);  // at most tries x time-out, with room for a slow machine
  auto failures = [&] {
    size_t n = 0;
    for (auto& t : log.Texts())
      n += t.find(" CProtocol::DoRecvThreadProc() -- read return 0, ") == 0 ? 1 : 0;
    return n;
  };
  CHECK(WaitUntil([&] { return failures() >= 3; }));
  // One line and a 200 ms pause per failure, never a busy loop.
  DWORD elapsed = GetTickCount() - start;
  CHECK(failures() <= elapsed / 200 + 2);
  start = GetTickCount();
  rig.mgr.DisconnectDevice();
  CHECK(GetTickCount() - start < 2000);  // the loop left at once, not after the 3000 ms wait

  // Plugged in again, the device is found and answers.
  CHECK(rig.mgr.EnumDevices() == 0);
  rig.dev.Plug();
  rig.dev.ClearFaults();
  REQUIRE(rig.Connect());
  CHECK(SendD(rig.mgr.GetProtocol(), reply));
}
