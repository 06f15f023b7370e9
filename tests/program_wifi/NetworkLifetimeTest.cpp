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
#include "WaitUntil.h"

namespace {

size_t RunningJobs() { return ProgramRig::App().NetworkJobs().Running(); }

}  // namespace

TEST_CASE("network jobs: a dialog closed during a query, then the program's exit with it held") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A"}, "A");
  r.dev.InjectFault(SimDevice::HeldReply, -1, CmdWifiList);
  size_t runningAfterClose = 0;
  INT_PTR code = 0;
  r.Run([&] {
    NetworkDlg dlg(CDlgSetNetWork::kLayout);
    code = RunDialog(dlg, {Once([&] { Choose(dlg, CDlgSetNetWork::kRadioSta); }),
                           Until([&] { return r.dev.HeldCount() == 1; })});
    runningAfterClose = RunningJobs();
    // The reply comes after the dialog is gone; the next list request is held again.
    r.dev.ReleaseHeld();
    REQUIRE(WaitUntil([&] { return r.dev.HeldCount() == 1; }));
    // The program now closes with the worker's request in flight: it fails at once, and the
    // program waits for the worker before the device link goes.
  });
  CHECK(code == IDCANCEL);
  CHECK(runningAfterClose == 1);
}

TEST_CASE("network jobs: AP-STA-AP-STA quickly; only the last query's answer is shown") {
  NetworkDialogRig r;
  r.SetUpNetworks(0, {"Old"}, "");
  r.dev.InjectFault(SimDevice::HeldReply, -1, CmdWifiState);
  std::wstring pageWhileSecondRuns, joinedAtEnd;
  std::vector<std::wstring> itemsAtEnd;
  bool firstEndDropped = false;
  r.Run([&] {
    NetworkDlg dlg(CDlgSetNetWork::kLayout);
    LPARAM second = 0;
    RunDialog(dlg,
              {Once([&] { Choose(dlg, CDlgSetNetWork::kRadioSta); }),
               Until([&] { return r.dev.HeldCount() == 1; }),
               Once([&] {
                 // A second query that its dialog lets go before it could start, and a third.
                 for (int i = 0; i < 2; ++i) {
                   Choose(dlg, CDlgSetNetWork::kRadioAp);
                   Choose(dlg, CDlgSetNetWork::kRadioSta);
                 }
                 REQUIRE(dlg.Handler()->Job() != nullptr);
                 second = dlg.Handler()->Job()->Number();
                 // What the first query reads after its state is not what the second reads.
                 r.dev.ReleaseHeld();
               }),
               // The first query ends (its state said "not joined"); the second asks the
               // device nothing; the third waited for them and now waits for its own state.
               Until([&] { return r.dev.HeldCount() == 1 && RunningJobs() == 1; }),
               Once([&] {
                 MSG msg;
                 while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
                 pageWhileSecondRuns = Page(dlg);
                 firstEndDropped = dlg.Handler()->Job() != nullptr &&
                                   dlg.Handler()->Job()->Number() == second;
                 r.SetUpNetworks(1, {"A", "B"}, "A");
                 // The held reply answers the state as it was asked: put a fresh one in front.
                 r.dev.ClearFaults();
                 r.dev.ReleaseHeld();
               }),
               Until([&] { return Page(dlg) == L"STA"; }), Once([&] {
                 itemsAtEnd = ListItems(dlg);
                 joinedAtEnd = TextOf(Element(dlg, L"connecting_name"));
               })});
  });
  CHECK(pageWhileSecondRuns == L"Loading");
  CHECK(firstEndDropped);
  CHECK(itemsAtEnd == std::vector<std::wstring>{L"A", L"B"});
  CHECK(joinedAtEnd == L"A");
  CHECK(r.dev.ReceivedCount(CmdWifiState) == 2);  // the first and the last query's
}

TEST_CASE("network jobs: a dialog opened again while its predecessor's query runs waits for it") {
  NetworkDialogRig r;
  r.SetUpNetworks(1, {"A", "B"}, "A");
  r.dev.InjectFault(SimDevice::HeldReply, 1, CmdWifiState);
  std::wstring pageWhileWaiting, joinedAtEnd;
  size_t statesAskedWhileWaiting = 0;
  r.Run([&] {
    {
      NetworkDlg first(CDlgSetNetWork::kLayout);
      RunDialog(first, {Once([&] { Choose(first, CDlgSetNetWork::kRadioSta); }),
                        Until([&] { return r.dev.HeldCount() == 1; })});
    }
    NetworkDlg second(CDlgSetNetWork::kLayout);
    RunDialog(second, {Once([&] { Choose(second, CDlgSetNetWork::kRadioSta); }),
                       Until([&] { return RunningJobs() == 2; }),
                       Once([&] {
                         pageWhileWaiting = Page(second);
                         statesAskedWhileWaiting = r.dev.ReceivedCount(CmdWifiState);
                         r.dev.ReleaseHeld();
                       }),
                       Until([&] { return Page(second) == L"STA"; }),
                       Once([&] { joinedAtEnd = second.Handler()->JoinedName().c_str(); })});
  });
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
    std::wstring page, shownName;
    DWORD took = 0;
    r.Run([&] {
      NetworkDlg dlg(CDlgSetNetWork::kLayout);
      DWORD start = 0;
      RunDialog(dlg, {Once([&] { Choose(dlg, CDlgSetNetWork::kRadioSta); }),
                      Until([&] { return r.dev.HeldCount() == 1; }),
                      Once([&] {
                        start = GetTickCount();
                        if (c.unplug) {
                          r.dev.Unplug();
                          Broadcast removal(r.dev.Path());
                          ProgramRig::Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                                           removal.Param());
                        } else {
                          ProgramRig::Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
                        }
                      }),
                      Until([&] { return Page(dlg) == L"STA"; }), Once([&] {
                        took = GetTickCount() - start;
                        page = Page(dlg);
                        shownName = TextOf(Element(dlg, L"connecting_name"));
                      })});
    });
    CHECK(page == L"STA");
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
  r.Run([&] {
    CDeviceController& controller = ProgramRig::App().DeviceController();
    const uint16_t value = controller.CurrentImage()[g_ParamDesc[row].offset] == 10 ? 11 : 10;
    NetworkDlg dlg(CDlgSetNetWork::kLayout);
    RunDialog(dlg, {Once([&] { Choose(dlg, CDlgSetNetWork::kRadioSta); }),
                    Until([&] { return r.dev.ReceivedCount(CmdWifiState) == 1; }),
                    Once([&] {
                      // The worker waits for its reply; the UI thread's write waits for it.
                      controller.SetParamQueued(row, value);
                      flushed = controller.FlushPendingParams();
                    }),
                    Until([&] { return Page(dlg) == L"STA"; }),
                    Once([&] { joined = dlg.Handler()->JoinedName().c_str(); })});
  });
  CHECK(flushed > 0);
  CHECK(joined == L"A");
  // The write went out after the state's reply had come, and each got its own reply.
  const auto received = r.dev.Received();
  const auto sent = r.dev.Sent();
  std::vector<int> order;
  for (const auto& rq : received) {
    if (rq[0] == CmdWifiState || rq[0] == CmdWriteParams) order.push_back(rq[0]);
  }
  CHECK(order == std::vector<int>{CmdWifiState, CmdWriteParams});
  std::vector<int> replies;
  for (const auto& rp : sent) {
    if (rp[0] == CmdWifiState + 1 || rp[0] == CmdWriteParams + 1) replies.push_back(rp[0]);
  }
  CHECK(replies == std::vector<int>{CmdWifiState + 1, CmdWriteParams + 1});
}
