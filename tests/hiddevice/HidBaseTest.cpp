#include <doctest/doctest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "DebugOutputCapture.h"
#include "HidDevice/CHidBase.h"
#include "LogCapture.h"
#include "SimHidBus.h"
#include "WaitUntil.h"

namespace {
const USHORT kVid = 0x1A2B;
const USHORT kPid = 0x0016;

SimDevice::Report Pattern(uint8_t seed) {
  SimDevice::Report r{};
  for (int i = 0; i < 64; ++i) r[i] = static_cast<uint8_t>(seed + i);
  return r;
}
}  // namespace

TEST_CASE("EnumDevices counts every match and keeps ten paths") {
  SimHidBus bus;
  for (int i = 0; i < 11; ++i) bus.AddDevice(kVid, kPid);
  bus.AddDevice(kVid, 0x0017);  // other product
  bus.AddDevice(0x9999, kPid);  // other vendor
  CHidBase::DevicePath paths[CHidBase::kMaxDevices + 1];
  memset(paths, 0xAB, sizeof(paths));
  CHECK(CHidBase::EnumDevices(paths, kVid, kPid) == 11);
  for (int i = 0; i < 10; ++i) CHECK(std::wstring(paths[i]).find(L"sim&" + std::to_wstring(i) + L"#") != std::wstring::npos);
  CHECK(reinterpret_cast<uint8_t*>(paths[10])[0] == 0xAB);  // the eleventh slot is untouched
  CHECK(CHidBase::EnumDevices(nullptr, kVid, kPid) == 11);
  CHECK(CHidBase::EnumDevices(nullptr, kVid, 0x0017) == 1);
}

TEST_CASE("EnumDevices skips unplugged devices and stops on a failing detail query") {
  SimHidBus bus;
  SimDevice& a = bus.AddDevice(kVid, kPid);
  bus.AddDevice(kVid, kPid);
  a.Unplug();
  CHECK(CHidBase::EnumDevices(nullptr, kVid, kPid) == 1);
  a.Plug();
  LogCapture log;
  bus.FailNextInterfaceDetail(ERROR_ACCESS_DENIED);
  CHECK(CHidBase::EnumDevices(nullptr, kVid, kPid) == 0);
  REQUIRE(log.Lines().size() == 1);
  CHECK(log.Lines()[0].text ==
        "CHidBase::EnumDevices SetupDiGetDeviceInterfaceDetail failed. error=5\n");
  CHECK(log.Lines()[0].func == "CHidBase::EnumDevices");
  CHECK(log.Lines()[0].tag == "swui");
  CHECK(log.Lines()[0].level == 4);
}

TEST_CASE("Paths are truncated to 259 characters and terminated") {
  std::wstring longPath(300, L'x');
  CHidBase::DevicePath p;
  CHidBase::CopyPath(p, longPath.c_str());
  CHECK(std::wstring(p) == std::wstring(259, L'x'));
  CHidBase::CopyPath(p, nullptr);
  CHECK(p[0] == L'\0');
}

TEST_CASE("OpenDevice refuses bad report lengths and reports each failure") {
  SimHidBus bus;
  LogCapture log;
  struct Case {
    USHORT in, out;
    bool ok;
  } cases[] = {{65, 65, true}, {1, 128, true}, {0, 65, false}, {65, 0, false},
               {129, 65, false}, {65, 129, false}};
  for (const Case& c : cases) {
    CAPTURE(c.in);
    CAPTURE(c.out);
    SimDevice& d = bus.AddDevice(kVid, kPid, c.in, c.out);
    CHidBase hid;
    log.Clear();
    CHECK(static_cast<bool>(hid.OpenDevice(d.Path().c_str())) == c.ok);
    if (c.ok) {
      CHECK(hid.GetInputLength() == c.in);
      CHECK(hid.GetOutputLength() == c.out);
      CHECK(std::wstring(hid.GetPath()) == d.Path());
    } else {
      CHECK(log.Texts() == std::vector<std::string>{"invalide device report byte length."});
      CHECK(hid.GetInputLength() == 0);
    }
    hid.Close();
    CHECK(hid.GetOutputLength() == 0);
    CHECK(hid.GetPath()[0] == L'\0');
  }
}

TEST_CASE("OpenDevice failure texts") {
  SimHidBus bus;
  SimDevice& d = bus.AddDevice(kVid, kPid);
  LogCapture log;
  CHidBase hid;
  CHECK_FALSE(hid.OpenDevice(nullptr));
  CHECK(log.Texts() == std::vector<std::string>{"Invalid parameter."});
  log.Clear();
  CHECK_FALSE(hid.OpenDevice(L"\\\\?\\hid#nothing"));  // cannot be opened: silent
  CHECK(log.Lines().empty());
  bus.FailPreparsedData(true);
  CHECK_FALSE(hid.OpenDevice(d.Path().c_str()));
  CHECK(log.Texts() == std::vector<std::string>{"HidD_GetPreparsedData failed."});
  bus.FailPreparsedData(false);
  for (DWORD access : {static_cast<DWORD>(GENERIC_WRITE), static_cast<DWORD>(GENERIC_READ)}) {
    log.Clear();
    bus.FailOpen(access);
    CHECK_FALSE(hid.OpenDevice(d.Path().c_str()));
    CHECK(log.Texts() == std::vector<std::string>{"CreateFile for write error."});
    CHECK_FALSE(hid.IsOpen());
  }
  bus.FailOpen(0);
  log.Clear();
  REQUIRE(hid.OpenDevice(d.Path().c_str()));
  CHECK_FALSE(hid.OpenDevice(d.Path().c_str()));
  CHECK(log.Texts() == std::vector<std::string>{"One device is already opened."});
  CHECK(log.Lines()[0].func == "CHidBase::OpenDevice");
  hid.Close();
  CHECK(bus.OpenCount(GENERIC_WRITE) == 3);
  CHECK(bus.OpenCount(GENERIC_READ) == 2);
}

TEST_CASE("Write takes 1..output length - 1 bytes and frames them with report ID 0") {
  SimHidBus bus;
  SimDevice& d = bus.AddDevice(kVid, kPid, 65, 65);
  LogCapture log;
  CHidBase hid;
  uint8_t data[65] = {};
  CHECK_FALSE(hid.Write(data, 64));  // closed: the length test comes first
  CHECK(log.Texts() == std::vector<std::string>{"invalide parameter."});
  REQUIRE(hid.OpenDevice(d.Path().c_str()));
  log.Clear();
  SimDevice::Report r = Pattern(1);
  r[0] = 0x7F;  // an acknowledgement gets no reply
  CHECK(hid.Write(r.data(), 64));
  CHECK_FALSE(hid.Write(data, 65));
  CHECK_FALSE(hid.Write(data, 0));
  CHECK_FALSE(hid.Write(nullptr, 10));
  CHECK_FALSE(hid.Write(data, 0xFFFFFFFF));  // not wrapped round to a length that passes
  CHECK(log.Count("invalide parameter.") == 4);
  uint8_t shortData[3] = {0x7F, 9, 9};
  CHECK(hid.Write(shortData, 3));
  REQUIRE(d.WaitReceived(2, 2000));
  auto got = d.Received();
  CHECK(got[0] == r);
  SimDevice::Report expect{};
  expect[0] = 0x7F;
  expect[1] = expect[2] = 9;  // the rest of the write buffer was zeroed
  CHECK(got[1] == expect);
  hid.Close();
}

TEST_CASE("Read delivers a report, wakes on request and fails on an unplugged device") {
  SimHidBus bus;
  SimDevice& d = bus.AddDevice(kVid, kPid);
  LogCapture log;
  CHidBase hid;
  BYTE* data = nullptr;
  CHECK_FALSE(hid.Read(&data));
  CHECK(log.Texts() == std::vector<std::string>{"Please OpenDevice before Read."});
  REQUIRE(hid.OpenDevice(d.Path().c_str()));

  SimDevice::Report r = Pattern(7);
  REQUIRE(d.SendReport(r));
  REQUIRE(hid.Read(&data));
  CHECK(memcmp(data, r.data(), 64) == 0);

  // A blocked read returns, failing, when woken; so do later reads until the link is closed.
  std::atomic<int> result{-1};
  std::thread reader([&] { result = hid.Read(&data) ? 1 : 0; });
  Sleep(50);
  CHECK(result == -1);
  hid.WakeRead();
  reader.join();
  CHECK(result == 0);
  CHECK_FALSE(hid.Read(&data));
  hid.Close();

  // Unplugged: a pending read ends with an error instead of hanging or spinning.
  REQUIRE(hid.OpenDevice(d.Path().c_str()));
  std::thread reader2([&] { result = hid.Read(&data) ? 1 : 0; });
  Sleep(30);
  d.Unplug();
  reader2.join();
  CHECK(result == 0);
  DWORD start = GetTickCount();
  CHECK_FALSE(hid.Read(&data));
  CHECK(GetTickCount() - start < 2000);  // fails at once, never waits for a report
  uint8_t ack[64] = {0x7F};
  log.Clear();
  CHECK_FALSE(hid.Write(ack, 64));
  REQUIRE(log.Lines().size() == 1);
  CHECK(log.Lines()[0].text.rfind("error code ", 0) == 0);
  hid.Close();
  CHECK_FALSE(hid.OpenDevice(d.Path().c_str()));
}

TEST_CASE("Writes from two threads arrive whole and in per-thread order") {
  SimHidBus bus;
  SimDevice& d = bus.AddDevice(kVid, kPid);
  CHidBase hid;
  REQUIRE(hid.OpenDevice(d.Path().c_str()));
  const int kEach = 300;
  auto writer = [&](uint8_t tag) {
    for (int i = 0; i < kEach; ++i) {
      uint8_t r[64];
      memset(r, tag, sizeof(r));
      r[0] = 0x7F;  // no reply
      r[1] = static_cast<uint8_t>(i >> 8);
      r[2] = static_cast<uint8_t>(i);
      hid.Write(r, 64);
    }
  };
  std::thread a(writer, 0x11), b(writer, 0x22);
  a.join();
  b.join();
  REQUIRE(d.WaitReceived(2 * kEach, 5000));
  int next[2] = {0, 0}, torn = 0, order = 0;
  for (const auto& r : d.Received()) {
    uint8_t tag = r[3];
    for (int i = 3; i < 64; ++i) torn += r[i] != tag ? 1 : 0;
    int k = tag == 0x11 ? 0 : 1;
    order += ((r[1] << 8) | r[2]) != next[k]++ ? 1 : 0;
  }
  CHECK(torn == 0);
  CHECK(order == 0);
  CHECK(next[0] == kEach);
  CHECK(next[1] == kEach);
  hid.Close();
}

TEST_CASE("A write waits for the previous one before reusing the write buffer") {
  SimHidBus bus;
  SimDevice& d = bus.AddDevice(kVid, kPid);
  d.SetHostWriteBuffer(16);  // every write stays pending until the device reads it
  CHidBase hid;
  REQUIRE(hid.OpenDevice(d.Path().c_str()));
  const int kCount = 40;
  for (int i = 0; i < kCount; ++i) {
    uint8_t r[64];
    memset(r, i + 1, sizeof(r));
    r[0] = 0x7F;  // no reply
    REQUIRE(hid.Write(r, 64));
  }
  REQUIRE(d.WaitReceived(kCount, 5000));
  int wrong = 0;
  auto got = d.Received();
  for (int i = 0; i < kCount; ++i)
    for (int k = 1; k < 64; ++k) wrong += got[i][k] != i + 1 ? 1 : 0;
  CHECK(wrong == 0);

  // A write stuck behind a device that reads nothing is given up after a bounded wait.
  d.ClearRecords();
  d.StallReads(true);
  REQUIRE(WaitUntil([&] { return d.ReadsWithdrawn(); }));
  uint8_t a[64], b[64];
  memset(a, 0xAA, sizeof(a));
  memset(b, 0xBB, sizeof(b));
  a[0] = b[0] = 0x7F;
  REQUIRE(hid.Write(a, 64));
  DWORD start = GetTickCount();
  REQUIRE(hid.Write(b, 64));
  DWORD took = GetTickCount() - start;
  CHECK(took >= 900);
  CHECK(took < 10000);  // given up after the bounded wait, not stuck
  d.StallReads(false);
  REQUIRE(d.WaitReceived(1, 2000));
  Sleep(50);
  got = d.Received();
  REQUIRE(got.size() == 1);
  CHECK(got[0][5] == 0xBB);
  hid.Close();
}

TEST_CASE("RegisterDeviceNotify registers a window and a null window only removes it") {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                             nullptr);
  REQUIRE(wnd != nullptr);
  CHECK(CHidBase::RegisterDeviceNotify(wnd));
  CHECK(CHidBase::RegisterDeviceNotify(nullptr));        // removed
  CHECK_FALSE(CHidBase::RegisterDeviceNotify(nullptr));  // nothing left to remove
  DestroyWindow(wnd);
  CHECK_FALSE(CHidBase::RegisterDeviceNotify(wnd));  // no longer a window
}

TEST_CASE("Without a log manager the transport's lines go to the debugger output") {
  DebugOutputCapture out;
  CHidBase hid;
  BYTE* data = nullptr;
  CHECK_FALSE(hid.Read(&data));
  CHECK(out.Contains("Please OpenDevice before Read."));
}
