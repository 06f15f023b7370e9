// The progress dialog: its bar follows the value set at each tick (clamped by the bar), a full
// bar ends it with IDOK at the next tick, a layout without the bar ends only by its buttons or
// WM_CLOSE, and timers that are not its own still reach the host's elements. The tests drive
// the dialog's ticks themselves: the real 500 ms timer is taken away first.
#include <doctest/doctest.h>

#include "CDlgProgress.h"
#include "DialogAppRig.h"
#include "HostHarness.h"
#include "ModalDriver.h"
#include "control/SProgress.h"
#include "core/SApplication.h"
#include "core/SWindow.h"
#include "core/SwndHandle.h"
#include "core/SwndMsgMap.h"

using SWUI::SWindow;

namespace {

// An element that counts the ticks of its timer 3.
class TimerCounter : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"timercounter")

 public:
  int ticks = 0;

 protected:
  void OnTimer(char id) {
    if (id == 3) ++ticks;
  }

  SWND_BEGIN_MSG_MAP()
  MSG_WM_TIMER_EX(OnTimer)
  SWND_END_MSG_MAP(SWindow)
};

// The dialog's own timer: it must have been started; from now on the test ticks.
void TakeOverTicks(CDlgProgress& dlg) { CHECK(KillTimer(dlg.m_hWnd, CDlgProgress::kTimerPoll)); }

void Tick(CDlgProgress& dlg) { SendMessageW(dlg.m_hWnd, WM_TIMER, CDlgProgress::kTimerPoll, 0); }

bool Running(CDlgProgress& dlg) { return dlg.GetResult() == SWUI::SHostDialog::kRunning; }

}  // namespace

TEST_CASE("progress dialog: a target above the maximum is clamped, and a tick later it ends IDOK") {
  DialogAppRig rig;
  CDlgProgress dlg;
  dlg.SetRange(0, 50);  // before the dialog has its bar: no effect
  dlg.SetValue(250);
  int first = -1;
  bool runningAfterFirst = false;
  bool runningBeforeSecond = false;
  ModalDriver drive({[&] {
                       TakeOverTicks(dlg);
                       REQUIRE(dlg.Bar() != nullptr);
                       int maximum = 0;
                       dlg.Bar()->GetRange(nullptr, &maximum);
                       CHECK(maximum == 100);
                       Tick(dlg);
                       first = dlg.Bar()->GetValue();
                       runningAfterFirst = Running(dlg);
                     },
                     [&] {
                       runningBeforeSecond = Running(dlg);
                       Tick(dlg);
                     }});
  CHECK(dlg.DoModal(nullptr) == IDOK);
  CHECK_FALSE(drive.TimedOut());
  CHECK(first == 100);
  CHECK(runningAfterFirst);
  CHECK(runningBeforeSecond);
  CHECK(dlg.GetRoot()->IsClass(L"dlgprogress"));
  CHECK(dlg.GetRoot()->IsClass(L"hostdlg"));
}

TEST_CASE("progress dialog: the bar follows the value; at 50 % (screenshot)") {
  DialogAppRig rig;
  CDlgProgress dlg;
  int shown = -1;
  bool saved = false;
  ModalDriver drive({[&] {
                       TakeOverTicks(dlg);
                       dlg.SetRange(0, 200);
                       dlg.SetValue(100);
                       Tick(dlg);
                       shown = dlg.Bar()->GetValue();
                       saved = HostHarness::SavePng(dlg, L"progress_50");
                     },
                     [&] {
                       dlg.SetValue(200);
                       Tick(dlg);
                       Tick(dlg);
                     }});
  CHECK(dlg.DoModal(nullptr) == IDOK);
  CHECK(shown == 100);
  CHECK(saved);
}

TEST_CASE("progress dialog: without its bar only the buttons or WM_CLOSE end it") {
  DialogAppRig rig;
  struct Case {
    const char* what;
    const wchar_t* name;
    int id;
    INT_PTR expected;
  };
  const Case cases[] = {
      {"btn_close", L"btn_close", 0, IDCANCEL},
      {"id 1", nullptr, 1, IDOK},
      {"id 2", nullptr, 2, IDCANCEL},
      {"WM_CLOSE", nullptr, 0, IDCANCEL},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    CDlgProgress dlg(L"LAYOUT:TEST_PROGRESS_NOBAR");
    dlg.SetValue(10);
    bool runningAfterTicks = false;
    ModalDriver drive({[&] {
      TakeOverTicks(dlg);
      CHECK(dlg.Bar() == nullptr);
      for (int i = 0; i < 3; ++i) Tick(dlg);
      runningAfterTicks = Running(dlg);
      if (c.name != nullptr) {
        dlg.GetRoot()->FindChildByName(c.name)->FireCommand();
      } else if (c.id != 0) {
        dlg.GetRoot()->FindChildByID(c.id)->FireCommand();
      } else {
        PostMessageW(dlg.m_hWnd, WM_CLOSE, 0, 0);
      }
    }});
    CHECK(dlg.DoModal(nullptr) == c.expected);
    CHECK(runningAfterTicks);
    CHECK_FALSE(drive.TimedOut());
  }
}

TEST_CASE("progress dialog: an element timer inside keeps firing") {
  DialogAppRig rig;
  SWUI::SApplication::getSingleton().TplRegisterFactory<TimerCounter>();
  CDlgProgress dlg(L"LAYOUT:TEST_PROGRESS_TIMER");
  int ticks = 0;
  int barAfter = -1;
  ModalDriver drive({[&] {
    TakeOverTicks(dlg);
    auto* counter = static_cast<TimerCounter*>(dlg.GetRoot()->FindChildByName(L"counter"));
    REQUIRE(counter != nullptr);
    REQUIRE(counter->SetTimer(3, 10000));
    const UINT_PTR native = SWUI::SwndTimerId::Make(counter->GetSwnd(), 3);
    dlg.SetValue(30);
    for (int i = 0; i < 3; ++i) {
      SendMessageW(dlg.m_hWnd, WM_TIMER, native, 0);
      Tick(dlg);
    }
    ticks = counter->ticks;
    barAfter = dlg.Bar()->GetValue();
    dlg.EndDialog(IDCANCEL);
  }});
  dlg.DoModal(nullptr);
  CHECK(ticks == 3);
  CHECK(barAfter == 30);
}
