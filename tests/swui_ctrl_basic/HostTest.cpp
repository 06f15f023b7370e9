// The basic controls end to end in a host window: mouse input with the capture, the focus
// manager's focus reasons, Tab and arrows, accelerators and keys through the container, and
// the timeline driven frame by frame.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ControlSeams.h"
#include "CtrlRig.h"
#include "HostHarness.h"
#include "control/SAnimateImgWnd.h"
#include "control/SButton.h"
#include "control/SLink.h"
#include "core/CFocusManager.h"
#include "core/EventAnimateStart.h"
#include "core/EventAnimateStop.h"
#include "core/EventCmd.h"
#include "core/EventSwndStateChanged.h"

using namespace SWUI;

namespace {

constexpr DWORD kCmd = EventCmd::EventID;

// A host with the built-in skins and the basic tests' cell skins; the system's own frames and
// element timers are held back, the test delivers them.
struct CtrlHost : HostHarness {
  CtrlHost() : HostHarness(true) {
    AddSkins(kBasicSkins);
    heldTimers = true;
  }
  std::wstring Focused() const {
    SWindow* wnd = SWindow::GetSwndFromHandle(host->GetFocus());
    return wnd != nullptr && wnd->GetName() != nullptr ? wnd->GetName() : L"";
  }
  bool Checked(LPCWSTR name) const { return Find(name)->IsChecked() != FALSE; }
  // The accelerator of Alt (or Ctrl) with a key, as the focus manager reads it.
  BOOL Accel(int modifier, UINT key) {
    HeldKeys held({modifier});
    return host->GetFocusMgr().OnKeyDown(key);
  }
};

}  // namespace

TEST_CASE_FIXTURE(CtrlHost,
                  "check box: a click toggles it and fires the command; a press released off "
                  "it does nothing; Space toggles the focused box") {
  Open(
      L"<SWUI width='200' height='100'><root>"
      L" <check name='c' id='5' pos='10,10,@80,@20'>Check</check>"
      L"</root></SWUI>");
  Click(CenterOf(L"c"));
  CHECK(Checked(L"c"));
  CHECK(host->CountEvents(kCmd, 5) == 1);
  CHECK(Focused() == L"c");

  MouseDown(CenterOf(L"c"));
  CHECK(host->OnGetSwndCapture() == Find(L"c")->GetSwnd());
  MouseMove(POINT{150, 80}, MK_LBUTTON);
  MouseUp(POINT{150, 80});
  CHECK(Checked(L"c"));
  CHECK(host->CountEvents(kCmd, 5) == 1);
  CHECK(host->OnGetSwndCapture() == 0u);
  CHECK((Find(L"c")->GetState() & WndState_PushDown) == 0u);

  Key(VK_SPACE);
  CHECK_FALSE(Checked(L"c"));
  CHECK(host->CountEvents(kCmd, 5) == 2);
  Key(VK_RETURN);  // taken, and nothing done
  CHECK_FALSE(Checked(L"c"));
  CHECK(host->CountEvents(kCmd, 5) == 2);
}

TEST_CASE_FIXTURE(CtrlHost,
                  "radio group: Tab stops at the checked box, arrows check the box they reach "
                  "and mute the one they uncheck, the focus given back checks nothing") {
  Open(
      L"<SWUI width='300' height='100'><root>"
      L" <button name='before' pos='0,0,@60,@20'>Before</button>"
      L" <window pos='0,30,@300,@20'>"
      L"  <radio name='r1' id='1' pos='0,0,@60,@20' checked='1'>One</radio>"
      L"  <radio name='r2' id='2' pos='70,0,@60,@20'>Two</radio>"
      L"  <radio name='r3' id='3' pos='140,0,@60,@20'>Three</radio>"
      L" </window>"
      L" <button name='after' pos='0,60,@60,@20'>After</button>"
      L"</root></SWUI>");
  Find(L"before")->SetFocus();
  Key(VK_TAB);
  CHECK(Focused() == L"r1");
  CHECK(host->GetFocusMgr().GetFocusReason() == FocusReasonTraversal);
  Key(VK_TAB);
  CHECK(Focused() == L"after");
  {
    HeldKeys shift({VK_SHIFT});
    Key(VK_TAB);
  }
  CHECK(Focused() == L"r1");

  host->events.clear();
  Key(VK_RIGHT);  // traversal (reason 1) reaches r2, which checks itself
  CHECK(Focused() == L"r2");
  CHECK(Checked(L"r2"));
  CHECK_FALSE(Checked(L"r1"));
  CHECK(host->CountEvents(EventSwndStateChanged::EventID, 1) == 0);
  CHECK(host->CountEvents(EventSwndStateChanged::EventID, 2) >= 1);

  // r3 checked by the program while r2 keeps the focus; the window loses and regains the
  // focus, which comes back to r2 with reason 2: r2 stays unchecked.
  Find(L"r3")->SetCheck(TRUE);
  REQUIRE_FALSE(Checked(L"r2"));
  SendMessageW(Hwnd(), WM_KILLFOCUS, 0, 0);
  SendMessageW(Hwnd(), WM_SETFOCUS, 0, 0);
  CHECK(Focused() == L"r2");
  CHECK(host->GetFocusMgr().GetFocusReason() == FocusReasonRestore);
  CHECK_FALSE(Checked(L"r2"));
  CHECK(Checked(L"r3"));

  // A click (a direct focus) checks the box and unchecks the other.
  Click(CenterOf(L"r1"));
  CHECK(Checked(L"r1"));
  CHECK_FALSE(Checked(L"r3"));
}

TEST_CASE_FIXTURE(CtrlHost,
                  "buttons: Alt with the letter of \"(&X)\" and \"accel\" combinations go "
                  "through the focus manager; a disabled or destroyed button takes none") {
  Open(
      L"<SWUI width='300' height='100'><root>"
      L" <button name='open' id='11' pos='0,0,@80,@20'>Open(&amp;O)</button>"
      L" <button name='save' id='12' pos='90,0,@80,@20' accel='ctrl+s'>Save</button>"
      L" <button name='late' id='13' pos='180,0,@80,@20' text='Late(&amp;L) '/>"
      L" <button name='quit' id='14' pos='0,30,@80,@20' accel='ctrl+q'>Quit(&amp;Q)</button>"
      L"</root></SWUI>");
  CHECK(Find<SButton>(L"open")->GetAccelerator() == 0x0001004Fu);
  SysChar(L'o');
  CHECK(host->CountEvents(kCmd, 11) == 1);
  {
    HeldKeys ctrl({VK_CONTROL});
    KeyDown('S');
  }
  CHECK(host->CountEvents(kCmd, 12) == 1);
  SysChar(L'l');  // a text with a trailing space: no combination
  CHECK_FALSE(Accel(VK_MENU, 'L'));
  CHECK(host->CountEvents(kCmd, 13) == 0);

  // The text's combination replaced the layout's.
  CHECK_FALSE(Accel(VK_CONTROL, 'Q'));
  CHECK(Accel(VK_MENU, 'Q'));
  CHECK(host->CountEvents(kCmd, 14) == 1);

  // "bogus" is no combination: answer 1, and the old one is gone.
  CHECK(Find(L"save")->SetAttribute(SStringW(L"accel"), SStringW(L"bogus"), FALSE) == 1);
  CHECK_FALSE(Accel(VK_CONTROL, 'S'));
  CHECK(host->CountEvents(kCmd, 12) == 1);

  Find(L"open")->EnableWindow(FALSE);
  CHECK_FALSE(Accel(VK_MENU, 'O'));
  CHECK(host->CountEvents(kCmd, 11) == 1);

  Find(L"quit")->DestroyWindow();
  CHECK_FALSE(Accel(VK_MENU, 'Q'));
}

TEST_CASE_FIXTURE(CtrlHost, "buttons: Space and Enter click the focused button, once each") {
  Open(
      L"<SWUI width='200' height='100'><root>"
      L" <button name='b' id='7' pos='10,10,@80,@24'>Go</button>"
      L"</root></SWUI>");
  Find(L"b")->SetFocus();
  KeyDown(VK_SPACE);
  CHECK((Find(L"b")->GetState() & WndState_PushDown) != 0u);
  CHECK(host->CountEvents(kCmd, 7) == 0);
  KeyUp(VK_SPACE);
  CHECK(host->CountEvents(kCmd, 7) == 1);
  Key(VK_RETURN);
  CHECK(host->CountEvents(kCmd, 7) == 2);
}

TEST_CASE_FIXTURE(CtrlHost,
                  "button fade: the mouse entering starts it on the host's timeline; nine "
                  "frames of 25 end it and take it off") {
  Open(
      L"<SWUI width='200' height='100'><root colorBkgnd='#ffffff'>"
      L" <button name='b' pos='10,10,@80,@24' skin='cells4' animate='1'/>"
      L"</root></SWUI>");
  auto* b = Find<SButton>(L"b");
  const size_t idle = host->GetTimelineHandlerCount();
  MouseMove(CenterOf(L"b"));
  CHECK(b->GetFadeAlpha() == SButton::kFadeStart);
  CHECK(host->GetTimelineHandlerCount() == idle + 1);
  Frames(8);
  CHECK(b->GetFadeAlpha() == 250);
  Paint();
  // Mid-fade the hover image lies over the normal one: neither colour alone.
  CHECK(Rgb(50, 22) != (CellSkin::Colour(0) & 0xFFFFFF));
  CHECK(Rgb(50, 22) != (CellSkin::Colour(1) & 0xFFFFFF));
  Frames(1);
  CHECK(b->GetFadeAlpha() == SButton::kNoFade);
  CHECK(host->GetTimelineHandlerCount() == idle);
  Paint();
  CHECK(Rgb(50, 22) == (CellSkin::Colour(1) & 0xFFFFFF));

  // Pressed, the button holds the capture: leaving it is no fade.
  MouseDown(CenterOf(L"b"));
  MouseMove(POINT{150, 80}, MK_LBUTTON);
  CHECK(b->GetFadeAlpha() == SButton::kNoFade);
  MouseUp(POINT{150, 80});
  CHECK(host->GetTimelineHandlerCount() == idle);
}

TEST_CASE_FIXTURE(CtrlHost,
                  "animated image: repeat 2 over 3 states shows 0,1,2,0,1,2 on the host's frames, "
                  "then stops and leaves the timeline") {
  Open(
      L"<SWUI width='100' height='100'><root colorBkgnd='#ffffff'>"
      L" <animateimg name='a' id='21' pos='0,0,@10,@10' skin='cells3' speed='0' repeat='2'/>"
      L"</root></SWUI>");
  auto* a = Find<SAnimateImgWnd>(L"a");
  CHECK(a->IsPlaying());
  CHECK(host->CountEvents(EventAnimateStart::EventID, 21) == 1);
  std::vector<int> shown;
  std::vector<DWORD> pixels;
  for (int frame = 0; frame < 20 && a->IsPlaying(); ++frame) {
    shown.push_back(a->GetCurFrame());
    Paint();
    pixels.push_back(Rgb(5, 5));
    Frames(1);
  }
  CHECK(shown == std::vector<int>{0, 1, 2, 0, 1, 2});
  for (size_t i = 0; i < pixels.size() && i < shown.size(); ++i) {
    CHECK(pixels[i] == (CellSkin::Colour(shown[i]) & 0xFFFFFF));
  }
  CHECK(host->CountEvents(EventAnimateStop::EventID, 21) == 1);
  CHECK(host->GetTimelineHandlerCount() == 0u);
}

TEST_CASE_FIXTURE(CtrlHost,
                  "link: only a click on its text opens it; a press beside the text or dragged "
                  "off it launches nothing") {
  LinkLaunches launcher;
  Open(
      L"<SWUI width='300' height='100'><root>"
      L" <link name='l' id='31' pos='0,0,@300,@40' align='center' href='https://x.org/'>"
      L"Open</link>"
      L"</root></SWUI>");
  const RECT text = Find<SLink>(L"l")->GetLinkRect();
  REQUIRE(text.right > text.left);
  const POINT on = {(text.left + text.right) / 2, (text.top + text.bottom) / 2};
  Click(POINT{5, 5});
  CHECK(host->OnGetSwndCapture() == 0u);
  MouseDown(on);
  MouseMove(POINT{5, 5}, MK_LBUTTON);
  MouseUp(POINT{5, 5});
  CHECK(launcher.launches.empty());
  CHECK(host->CountEvents(kCmd, 31) == 0);
  Click(on);
  REQUIRE(launcher.launches.size() == 1u);
  CHECK(launcher.launches[0].file == L"https://x.org/");
  CHECK(host->CountEvents(kCmd, 31) == 1);
}
