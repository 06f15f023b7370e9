// Push buttons: key combinations from "accel" and from the text, the click by mouse and keys,
// painting by state and without a skin, the hover fade over the timeline, the size.
#include <doctest/doctest.h>

#include <string>

#include "CtrlRig.h"
#include "core/EventCmd.h"

using namespace SWUI;

namespace {

constexpr DWORD kAltO = 0x0001004F;
constexpr DWORD kCtrlS = 0x00020053;
constexpr DWORD kWhite = 0xFFFFFFFF;

}  // namespace

TEST_CASE("a text ending in \"(&X)\" registers Alt+X after the attributes; other texts nothing") {
  struct Case {
    const wchar_t* text;
    DWORD accel;
  } cases[] = {
      {L"Open(&amp;O)", kAltO},
      {L"Open(&amp;o)", kAltO},
      {L"Open(&amp;O) ", 0},  // does not end with ')'
      {L"Open(O&amp;)", 0},   // '&' does not follow the '('
      {L"Open(&amp;)", 0},    // no key after '&': Alt alone is no combination
      {L"Open", 0},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.text));
    CtrlRig rig;
    rig.Load((std::wstring(L"<root><button name='b' text='") + c.text + L"'/></root>").c_str());
    auto* b = rig.Find<SButton>(L"b");
    CHECK(b->GetAccelerator() == c.accel);
    CHECK(rig.container.accels.Total() == (c.accel != 0 ? 1u : 0u));
    if (c.accel == 0) continue;
    EventLog events(b, {EventCmd::EventID});
    CHECK(rig.container.accels.Press(kAltO));
    CHECK(events.Count(EventCmd::EventID) == 1);
  }
}

TEST_CASE("\"accel\": 0 for a combination, 1 for none; each one given up before the next") {
  CtrlRig rig;
  rig.Load(L"<root><button name='b' accel='ctrl+s'>Save</button></root>");
  auto* b = rig.Find<SButton>(L"b");
  CHECK(rig.container.accels.Count(kCtrlS) == 1);
  CHECK(b->SetAttribute(SStringW(L"accel"), SStringW(L"bogus"), FALSE) == 1);
  CHECK(b->GetAccelerator() == 0u);
  CHECK(rig.container.accels.Total() == 0);
  CHECK(b->SetAttribute(SStringW(L"accel"), SStringW(L"ctrl+"), FALSE) == 1);
  CHECK(rig.container.accels.Total() == 0);
  CHECK(b->SetAttribute(SStringW(L"accel"), SStringW(L"Ctrl+S"), FALSE) == 0);
  CHECK(rig.container.accels.Count(kCtrlS) == 1);
}

TEST_CASE(
    "a mnemonic over \"accel\" replaces it, and a destroyed button leaves nothing registered") {
  CtrlRig rig;
  rig.Load(L"<root><button name='b' accel='ctrl+s'>Open(&amp;O)</button></root>");
  auto* b = rig.Find<SButton>(L"b");
  CHECK(b->GetAccelerator() == kAltO);
  CHECK(rig.container.accels.Count(kCtrlS) == 0);
  CHECK(rig.container.accels.Count(kAltO) == 1);
  rig.container.accels.RegisterAccelerator(CAccelerator(kCtrlS), b);  // as if registered twice
  rig.root->DestroyChild(b);
  CHECK(rig.container.accels.Total() == 0);
}

TEST_CASE("a disabled button leaves its combination unhandled") {
  CtrlRig rig;
  rig.Load(L"<root><window name='parent'><button name='b'>Open(&amp;O)</button></window></root>");
  EventLog events(rig.Find(L"b"), {EventCmd::EventID});
  rig.Find(L"parent")->EnableWindow(FALSE);
  CHECK_FALSE(rig.container.accels.Press(kAltO));
  rig.Find(L"parent")->EnableWindow(TRUE);
  CHECK(rig.container.accels.Press(kAltO));
  CHECK(events.ids.size() == 1);
}

TEST_CASE("Space and Enter press and release the button; other keys are not its") {
  CtrlRig rig;
  rig.Load(L"<root><button name='b' pos='0,0,50,20'>Go</button></root>");
  SWindow* b = rig.Find(L"b");
  EventLog events(b, {EventCmd::EventID});
  for (UINT key : {UINT(VK_SPACE), UINT(VK_RETURN)}) {
    b->SSendMessage(WM_KEYDOWN, key);
    CHECK((b->GetState() & WndState_PushDown) != 0u);
    b->SSendMessage(WM_KEYUP, key);
    CHECK((b->GetState() & WndState_PushDown) == 0u);
  }
  CHECK(events.ids.size() == 2);
  BOOL handled = TRUE;
  b->SSendMessage(WM_KEYDOWN, 'A', 0, &handled);
  CHECK_FALSE(handled);
  b->SSendMessage(WM_KEYUP, VK_SPACE, 0, &handled);  // not pushed: no click
  CHECK(handled);
  CHECK(events.ids.size() == 2);
  // A double click is a second press.
  Send(b, WM_LBUTTONDBLCLK, 5, 5);
  CHECK((b->GetState() & WndState_PushDown) != 0u);
  CHECK(rig.container.capture == b->GetSwnd());
}

TEST_CASE("a button paints its skin's state for its state, then its text; without a skin nothing") {
  CtrlRig rig(60, 30);
  rig.Load(
      L"<root><button name='b' pos='0,0,40,20' skin='cells4'/>"
      L"<button name='bare' pos='40,0,60,20' skin='' colorBkgnd='#000000'>Text</button>"
      L"</root>");
  SWindow* b = rig.Find(L"b");
  struct Case {
    DWORD state;
    int skinState;
  } cases[] = {{0, 0},
               {WndState_Hover, 1},
               {WndState_PushDown | WndState_Hover, 2},
               {WndState_Check, 2},
               {WndState_Disable | WndState_PushDown, 3}};
  for (const Case& c : cases) {
    CAPTURE(c.state);
    b->ModifyState(c.state, 0xFFFFFFFF & ~WndState_Invisible);
    rig.Paint();
    CHECK(rig.Pixel(20, 10) == CellSkin::Colour(c.skinState));
  }
  rig.render.SavePng(L"ctrl-button-states", 4);
  CHECK(rig.render.CountEqual(RECT{40, 0, 60, 20}, kWhite) == 400);
}

TEST_CASE("the hover fade: from 50 by the step, on the timeline until it passes 254") {
  CtrlRig rig;
  rig.Load(L"<root><button name='b' pos='0,0,40,20' skin='cells4' animate='1'/></root>");
  auto* b = rig.Find<SButton>(L"b");
  b->ModifyState(WndState_Hover, 0);
  CHECK(b->GetFadeAlpha() == 50);
  CHECK(rig.container.OnTimeline(b));
  for (int frame = 1; frame <= 8; ++frame) rig.container.OnNextFrame();
  CHECK(b->GetFadeAlpha() == 250);
  CHECK(rig.container.OnTimeline(b));
  rig.container.OnNextFrame();  // the ninth frame ends it
  CHECK(b->GetFadeAlpha() == SButton::kNoFade);
  CHECK_FALSE(rig.container.OnTimeline(b));

  // While hovered the hover image fades in over the normal one; leaving, it fades out.
  b->ModifyState(0, WndState_Hover);
  rig.container.OnNextFrame();
  CellSkin::log.clear();
  rig.Paint();
  REQUIRE(CellSkin::log.size() == 2u);
  CHECK(CellSkin::log[0].state == 0);
  CHECK(CellSkin::log[0].alpha == 255);
  CHECK(CellSkin::log[1].state == 1);
  CHECK(CellSkin::log[1].alpha == 255 - ((255 * 75) >> 8));
  // Any other change of state stops it.
  b->ModifyState(WndState_PushDown, 0);
  CHECK(b->GetFadeAlpha() == SButton::kNoFade);
  CHECK_FALSE(rig.container.OnTimeline(b));
}

TEST_CASE("no fade: step 0 (or 256), without \"animate\", with the capture, or not 0 <-> 1") {
  struct Case {
    const wchar_t* attrs;
    DWORD from;
    DWORD to;
    bool capture;
  } cases[] = {
      {L"animate='1' animateStep='0'", 0, WndState_Hover, false},
      {L"animate='1' animateStep='256'", 0, WndState_Hover, false},
      {L"animate='0'", 0, WndState_Hover, false},
      {L"animate='1'", 0, WndState_Hover, true},
      {L"animate='1'", WndState_Check, WndState_Check | WndState_Hover, false},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    CtrlRig rig;
    rig.Load(
        (std::wstring(L"<root><button name='b' skin='cells4' ") + c.attrs + L"/></root>").c_str());
    auto* b = rig.Find<SButton>(L"b");
    b->ModifyState(c.from, 0xFFFFFFFF & ~WndState_Invisible);
    if (c.capture) b->SetCapture();
    b->ModifyState(c.to, 0xFFFFFFFF & ~WndState_Invisible);
    CHECK(b->GetFadeAlpha() == SButton::kNoFade);
    CHECK(rig.container.timeline.empty());
  }
}

TEST_CASE("a resize or the end of the button stops its fade") {
  CtrlRig rig;
  rig.Load(L"<root><button name='b' pos='0,0,40,20' skin='cells4' animate='1'/></root>");
  auto* b = rig.Find<SButton>(L"b");
  b->ModifyState(WndState_Hover, 0);
  b->Move(0, 0, 50, 20);
  CHECK(b->GetFadeAlpha() == SButton::kNoFade);
  b->ModifyState(0, WndState_Hover);
  REQUIRE(rig.container.OnTimeline(b));
  rig.root->DestroyChild(b);
  CHECK(rig.container.timeline.empty());
}

TEST_CASE("a button wrapping its content takes its skin's size when the skin has one") {
  CtrlRig rig;
  rig.Load(
      L"<root><button name='b' pos='0,0' skin='big'>A long text that is wider</button>"
      L"<button name='t' pos='0,50' skin=''>Text</button></root>");
  const RECT rc = rig.Find(L"b")->GetWindowRect();
  CHECK(rc.right - rc.left == 20);
  CHECK(rc.bottom - rc.top == 12);
  const RECT text = rig.Find(L"t")->GetWindowRect();
  CHECK(text.right - text.left > 0);  // the text's size
}
