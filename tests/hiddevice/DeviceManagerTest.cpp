#include <doctest/doctest.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <utility>

#include "DebugOutputCapture.h"
#include "DeviceRig.h"
#include "HidDevice/CHidRecvThread.h"
#include "HidDevice/CommandReport.h"
#include "WaitUntil.h"

namespace {
typedef std::pair<WPARAM, LPARAM> Msg;
const Msg kClosed(CDeviceManager::kDeviceClosed, 2);
const Msg kNotified(CDeviceManager::kDeviceNotification, 0);
}  // namespace

TEST_CASE("Enumeration keeps at most ten devices and a bad index connects nothing") {
  DeviceRig rig;
  for (int i = 0; i < 10; ++i) rig.bus.AddDevice(kRigVid, kRigPid);
  CHECK(rig.mgr.EnumDevices() == 10);
  CHECK(rig.mgr.GetDevicePath(9) != nullptr);
  CHECK(rig.mgr.GetDevicePath(10) == nullptr);
  CHECK_FALSE(rig.mgr.ConnectDevice(10));
  CHECK_FALSE(rig.mgr.ConnectDevice(-1));
  CHECK_FALSE(rig.mgr.IsOpen());
  CHECK(rig.window.Messages().empty());
}

TEST_CASE("Without an open device the forwarders do nothing") {
  DeviceRig rig;
  BYTE request[64] = {CmdWriteParams}, reply[64];
  BYTE b;
  CHECK_FALSE(rig.mgr.SendAndReceive(request, reply, 200));
  CHECK_FALSE(rig.mgr.SendNotReceive(request));
  CHECK_FALSE(rig.mgr.GetDeviceInfo(3, &b, 1));
  CHECK_FALSE(rig.mgr.Command(2, nullptr, 0));
  CHECK(rig.mgr.GetConnectedPath() == nullptr);
  rig.mgr.DisconnectDevice();  // nothing open: no message
  CHECK(rig.window.Messages().empty());
  CHECK_FALSE(rig.mgr.StartRecvThread());  // one receive thread per manager
}

TEST_CASE("Deleting the manager ends its notification registration") {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                             nullptr);
  REQUIRE(wnd != nullptr);
  {
    CDeviceManager mgr(kRigVid, kRigPid);
    REQUIRE(mgr.StartRecvThread());
    CHECK(mgr.RegisterDeviceNotify(wnd));
  }
  CHECK_FALSE(CHidBase::RegisterDeviceNotify(nullptr));  // nothing was left to remove
  DestroyWindow(wnd);
}

TEST_CASE("A device silent on the session key request is dropped and its closing reported") {
  DeviceRig rig;
  rig.mgr.SetSessionSink(&rig.sink);
  DebugOutputCapture out;
  rig.dev.InjectFault(SimDevice::NoReply, -1, CmdSessionKey);
  CHECK_FALSE(rig.Connect());
  CHECK_FALSE(rig.mgr.IsOpen());
  CHECK(rig.dev.ReceivedCount(CmdSessionKey) == 5);
  CHECK(rig.window.Messages() == std::vector<Msg>{kClosed});
  CHECK(rig.sink.cleared == 1);
  CHECK(out.Count("ORVK2: ====Disconnect device=====\n") == 1);
  CHECK(out.Count("ORVK2: ====Connect device=====\n") == 0);
}

TEST_CASE("Connecting a second device first reports the first one's disconnection") {
  DeviceRig rig;
  SimDevice& second = rig.bus.AddDevice(kRigVid, kRigPid);
  REQUIRE(rig.Connect());
  CHECK(rig.window.Messages().empty());
  REQUIRE(rig.mgr.ConnectDevice(second.Path().c_str()));
  CHECK(rig.window.Messages() == std::vector<Msg>{kClosed});
  CHECK(std::wstring(rig.mgr.GetConnectedPath()) == second.Path());
  rig.dev.ClearRecords();
  BYTE request[64] = {CmdWriteParams}, reply[64];
  CHECK(rig.mgr.SendAndReceive(request, reply, 2000));
  CHECK(second.ReceivedCount(CmdWriteParams) == 1);
  CHECK(rig.dev.ReceivedCount() == 0);
}

TEST_CASE("Connecting by index survives a window that enumerates on the disconnection") {
  DeviceRig rig;
  SimDevice& second = rig.bus.AddDevice(kRigVid, kRigPid);
  REQUIRE(rig.mgr.EnumDevices() == 2);
  REQUIRE(rig.mgr.ConnectDevice(0));
  // The first device goes away while the window handles its closing and lists the devices.
  rig.window.onMessage = [&](WPARAM, LPARAM) {
    rig.dev.Unplug();
    rig.mgr.EnumDevices();
  };
  REQUIRE(rig.mgr.ConnectDevice(1));
  CHECK(rig.mgr.GetDeviceCount() == 1);
  CHECK(std::wstring(rig.mgr.GetConnectedPath()) == second.Path());
  rig.window.onMessage = nullptr;
}

TEST_CASE("Device notifications are acknowledged; only a good one reaches the window") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  rig.dev.ClearRecords();

  REQUIRE(rig.dev.SendNotification(true, 0x42));
  REQUIRE(rig.dev.WaitReceived(1, 5000, CmdNotifyAck));
  // The message is posted after the acknowledgement has gone out.
  CHECK(rig.window.PumpUntil([&] { return !rig.window.Messages().empty(); }, 5000));
  CHECK(rig.window.Messages() == std::vector<Msg>{kNotified});
  auto ack = rig.dev.Received().back();
  CHECK(ack[1] == 0);
  CHECK(ack[2] == 0);
  CHECK(ack[3] == 0xFF);
  CHECK(ack[4] == 0x42);
  CHECK(ack[63] == Crc8(ack.data(), 63));

  rig.window.Clear();
  REQUIRE(rig.dev.SendNotification(false, 0x43));
  REQUIRE(rig.dev.WaitReceived(2, 5000, CmdNotifyAck));
  rig.window.Pump(50);
  CHECK(rig.window.Messages().empty());
  ack = rig.dev.Received().back();
  CHECK(ack[3] == 3);
  CHECK(ack[4] == 0x43);
  CHECK(ack[63] == Crc8(ack.data(), 63));

  // Another unsolicited report is neither acknowledged nor announced.
  SimDevice::Report other{};
  other[0] = 0x55;
  CommandReport::Seal(other.data());
  REQUIRE(rig.dev.SendReport(other));
  rig.window.Pump(50);
  CHECK(rig.window.Messages().empty());
  CHECK(rig.dev.ReceivedCount(CmdNotifyAck) == 2);
}

TEST_CASE("A receive thread stuck in a protocol is stopped before the protocol is deleted") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  rig.mgr.SetSessionSink(&rig.sink);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  rig.sink.block = release;
  REQUIRE(rig.dev.SendNotification(true));
  REQUIRE(rig.sink.WaitFor(CmdActiveBank, 5000));  // the thread now waits inside the handler
  DWORD start = GetTickCount();
  rig.mgr.DisconnectDevice();
  DWORD took = GetTickCount() - start;
  CHECK(took >= 2900);   // the close waited for the loop ...
  CHECK(took < 15000);   // ... then the thread was stopped (2000 ms) and ended, no hang
  CHECK_FALSE(rig.mgr.IsOpen());
  rig.sink.block = nullptr;
  SetEvent(release);
  CloseHandle(release);

  // A fresh thread serves the next device.
  CHECK(rig.mgr.GetRecvThread()->IsRunning());
  REQUIRE(rig.Connect());
  BYTE request[64] = {CmdWriteParams}, reply[64];
  CHECK(rig.mgr.SendAndReceive(request, reply, 200));
}

TEST_CASE("Stopping the receive thread wakes its read blocked on a silent device") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  Sleep(50);  // the receive thread is blocked in its read: the device sends nothing
  CProtocol* protocol = rig.mgr.GetProtocol();
  DWORD start = GetTickCount();
  CHECK(rig.mgr.GetRecvThread()->Stop());
  // It left its loop on its own (an ended thread never says so), not at the forced end.
  CHECK(GetTickCount() - start < 1500);
  CHECK(WaitForSingleObject(protocol->StoppedEvent(), 0) == WAIT_OBJECT_0);
  CHECK_FALSE(rig.mgr.GetRecvThread()->IsRunning());
  // Closing after the loop has left does not wait for it again.
  start = GetTickCount();
  CHECK(protocol->Close());
  CHECK(GetTickCount() - start < 1500);
}

TEST_CASE("Whole exchanges are serialised: a second caller waits for the reply in flight") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  rig.dev.ClearRecords();
  rig.dev.InjectFault(SimDevice::HeldReply, 1, CmdWifiState);
  BYTE slowReply[64] = {};
  BOOL slowOk = FALSE;
  std::thread slow([&] {
    BYTE request[64] = {CmdWifiState};
    slowOk = rig.mgr.SendAndReceive(request, slowReply, 5000);
  });
  REQUIRE(WaitUntil([&] { return rig.dev.HeldCount() == 1; }));

  // The other caller's request must not reach the device while the first one waits.
  std::atomic<bool> calling{false};
  BYTE fastReply[64] = {};
  BOOL fastOk = FALSE;
  std::thread fast([&] {
    BYTE request[64] = {CmdWriteParams};
    calling = true;
    fastOk = rig.mgr.SendAndReceive(request, fastReply, 200);
  });
  REQUIRE(WaitUntil([&] { return calling.load(); }));
  CHECK_FALSE(WaitUntil([&] { return rig.dev.ReceivedCount(CmdWriteParams) > 0; }, 300));

  rig.dev.ReleaseHeld();
  slow.join();
  fast.join();
  CHECK(slowOk);
  CHECK(fastOk);
  // Each caller has its own reply.
  CHECK(slowReply[0] == CmdWifiState + 1);
  CHECK(fastReply[0] == CmdWriteParams + 1);
  const auto received = rig.dev.Received();
  REQUIRE(received.size() == 2);
  CHECK(received[0][0] == CmdWifiState);
  CHECK(received[1][0] == CmdWriteParams);
}

TEST_CASE("Closing the device fails a request in flight on another thread at once") {
  DeviceRig rig;
  REQUIRE(rig.Connect());
  rig.dev.InjectFault(SimDevice::HeldReply, -1, CmdWifiList);
  std::atomic<int> result{-1};
  std::atomic<DWORD> took{0};
  std::thread worker([&] {
    BYTE request[64] = {CmdWifiList}, reply[64];
    const DWORD start = GetTickCount();
    result = rig.mgr.SendAndReceive(request, reply, 10000);  // 5 tries of 10 s unanswered
    took = GetTickCount() - start;
  });
  REQUIRE(WaitUntil([&] { return rig.dev.HeldCount() == 1; }));
  const DWORD start = GetTickCount();
  rig.mgr.DisconnectDevice();
  const DWORD closing = GetTickCount() - start;
  worker.join();
  CHECK(result == FALSE);
  CHECK(took < 3000);
  CHECK(closing < 3000);
  CHECK_FALSE(rig.mgr.IsOpen());
  // Nothing more was tried on the closed link, and the next device works as before.
  CHECK(rig.dev.ReceivedCount(CmdWifiList) == 1);
  rig.dev.ClearFaults();
  REQUIRE(rig.Connect());
  BYTE request[64] = {CmdWifiList}, reply[64];
  CHECK(rig.mgr.SendAndReceive(request, reply, 200));
}
