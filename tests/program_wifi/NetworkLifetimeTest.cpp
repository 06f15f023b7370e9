// The network dialog's worker jobs against slow replies: a dialog closed during a query, quick
// page switches, a dialog opened again while an orphaned query runs, the device going during a
// query, and a flush of the main window's changes during a worker's request. No crash, no hang,
// and every result reaches only the dialog and the job it belongs to.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CApplication.h"
#include "CNetworkJob.h"
#include "HidDevice/CommandReport.h"
#include "HidDevice/ParamDesc.h"
#include "NetworkDialogRig.h"

namespace {

size_t RunningJobs() { return ProgramRig::App().NetworkJobs().Running(); }

ProgramRig::Step ChooseStation() {
  return Once([] { Choose(CDlgSetNetWork::kRadioSta); });
}

ProgramRig::Step UntilHeld(SimDevice& dev, size_t count) {
  return Until([&dev, count] { return dev.HeldCount() == count; });
}

}  // namespace

TEST_CASE("network jobs: a dialog closed during a query, then the program's exit with it held") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A"}, "A");
  r.dev.InjectFault(SimDevice::HeldReply, -1, CmdWifiList);
  size_t runningAfterClose = 0;
  r.Run(Join({OpenDialog(), {ChooseStation(), UntilHeld(r.dev, 1)}, CloseDialog(),
              {Once([&] {
                 runningAfterClose = RunningJobs();
                 // The reply comes after the dialog is gone; the next list request is held
                 // again, and the program closes with it in flight: it fails at once, and the
                 // program waits for the worker before the device link goes.
                 r.dev.ReleaseHeld();
               }),
               UntilHeld(r.dev, 1)}}));
  CHECK(runningAfterClose == 1);
}

TEST_CASE("network jobs: AP-STA-AP-STA quickly; only the last query's answer is shown") {
  NetworkDialogRig r;
  r.SetUpNetworks(0, {"Old"}, "");
  r.dev.InjectFault(SimDevice::HeldReply, -1, CmdWifiState);
  std::wstring pageWhileLastRuns, joinedAtEnd;
  std::vector<std::wstring> itemsAtEnd;
  bool earlierEndsDropped = false;
  LPARAM last = 0;
  r.Run(Join({OpenDialog(),
              {ChooseStation(), UntilHeld(r.dev, 1), Once([&] {
                 // A second query that its dialog lets go before it could start, and a third.
                 for (int i = 0; i < 2; ++i) {
                   Choose(CDlgSetNetWork::kRadioAp);
                   Choose(CDlgSetNetWork::kRadioSta);
                 }
                 REQUIRE(Handler().Job() != nullptr);
                 last = Handler().Job()->Number();
                 r.dev.ReleaseHeld();
               }),
               // The first query ends (its state said "not joined"); the second asks the device
               // nothing; the third waited for them and now waits for its own state.
               Until([&] { return r.dev.HeldCount() == 1 && RunningJobs() == 1; }),
               // The first two ends are in the queue now; the rig's tick comes after them.
               Once([&] {
                 pageWhileLastRuns = Page();
                 earlierEndsDropped =
                     Handler().Job() != nullptr && Handler().Job()->Number() == last;
                 r.SetUpNetworks(1, {"A", "B"}, "A");
                 r.dev.ClearFaults();
                 r.dev.ReleaseHeld();  // its state was read when asked: not joined
               }),
               Until([] { return Page() == L"STA"; }), Once([&] {
                 itemsAtEnd = ListItems();
                 joinedAtEnd = Handler().JoinedName().c_str();
               })},
              CloseDialog()}));
  CHECK(pageWhileLastRuns == L"Loading");
  CHECK(earlierEndsDropped);
  CHECK(itemsAtEnd == std::vector<std::wstring>{L"A", L"B"});
  CHECK(r.dev.ReceivedCount(CmdWifiState) == 2);  // the first and the last query's
}

TEST_CASE("network jobs: a dialog opened again while its predecessor's query runs waits for it") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A", "B"}, "A");
  r.dev.InjectFault(SimDevice::HeldReply, 1, CmdWifiState);
  std::wstring pageWhileWaiting, joinedAtEnd;
  size_t statesAskedWhileWaiting = 0;
  r.Run(Join({OpenDialog(), {ChooseStation(), UntilHeld(r.dev, 1)}, CloseDialog(), OpenDialog(),
              {ChooseStation(), Until([] { return RunningJobs() == 2; }), Once([&] {
                 pageWhileWaiting = Page();
                 statesAskedWhileWaiting = r.dev.ReceivedCount(CmdWifiState);
                 r.dev.ReleaseHeld();
               }),
               Until([] { return Page() == L"STA"; }),
               Once([&] { joinedAtEnd = Handler().JoinedName().c_str(); })},
              CloseDialog()}));
  CHECK(pageWhileWaiting == L"Loading");
  CHECK(statesAskedWhileWaiting == 1);  // one job at a time: the second has not started
  CHECK(joinedAtEnd == L"A");
}

TEST_CASE("network jobs: the device going during a query fails it at once, not joined") {
  struct Case {
    const char* what;
    bool unplug;  // else the system resumes (the device is closed and opened again)
  };
  for (const Case c : {Case{"unplugged", true}, Case{"resume", false}}) {
    CAPTURE(c.what);
    NetworkDialogRig r;
    r.SetUpNetworks(1, {"A"}, "A");
    r.dev.InjectFault(SimDevice::HeldReply, 1, CmdWifiState);
    std::wstring shownName = L"unread";
    DWORD start = 0, took = 0;
    r.Run(Join({OpenDialog(),
                {ChooseStation(), UntilHeld(r.dev, 1), Once([&] {
                   start = GetTickCount();
                   if (c.unplug) {
                     r.dev.Unplug();
                     Broadcast removal(r.dev.Path());
                     ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, removal.Param());
                   } else {
                     ProgramRig::Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
                   }
                 }),
                 Until([] { return Page() == L"STA"; }), Once([&] {
                   took = GetTickCount() - start;
                   shownName = TextOf(Element(L"connecting_name"));
                 })},
                CloseDialog()}));
    CHECK(shownName.empty());  // the state request failed: not joined
    CHECK(took < 4000);        // not 5 tries of 5 s
  }
}

TEST_CASE("network jobs: a flush of the main window's changes during a worker's request") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A"}, "A");
  r.dev.InjectFault(SimDevice::LateReply, 1, CmdWifiState, 1500);
  int flushed = -1;
  std::wstring joined;
  const int row = 0;
  r.Run(Join({OpenDialog(),
              {ChooseStation(), Until([&] { return r.dev.ReceivedCount(CmdWifiState) == 1; }),
               Once([&] {
                 // The worker waits for its reply; the UI thread's write waits for it.
                 CDeviceController& controller = ProgramRig::App().DeviceController();
                 const uint16_t value =
                     controller.CurrentImage()[g_ParamDesc[row].offset] == 10 ? 11 : 10;
                 controller.SetParamQueued(row, value);
                 flushed = controller.FlushPendingParams();
               }),
               Until([] { return Page() == L"STA"; }),
               Once([&] { joined = Handler().JoinedName().c_str(); })},
              CloseDialog()}));
  CHECK(flushed > 0);
  CHECK(joined == L"A");
  // The write went out after the state's reply had come, and each got its own reply.
  std::vector<int> order, replies;
  for (const auto& rq : r.dev.Received()) {
    if (rq[0] == CmdWifiState || rq[0] == CmdWriteParams) order.push_back(rq[0]);
  }
  for (const auto& rp : r.dev.Sent()) {
    if (rp[0] == CmdWifiState + 1 || rp[0] == CmdWriteParams + 1) replies.push_back(rp[0]);
  }
  CHECK(order == std::vector<int>{CmdWifiState, CmdWriteParams});
  CHECK(replies == std::vector<int>{CmdWifiState + 1, CmdWriteParams + 1});
}
