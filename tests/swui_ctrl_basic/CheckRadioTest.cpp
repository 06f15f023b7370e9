// Check boxes and radio boxes: toggling by click and Space, the skin's state for the element's
// state, where icon and text go, the radio group and its muted events, focus arrival.
#include <doctest/doctest.h>

#include <algorithm>
#include <string>

#include "CtrlRig.h"
#include "core/EventCmd.h"
#include "core/EventSwndStateChanged.h"

using namespace SWUI;

namespace {

constexpr DWORD kStateChanged = EventSwndStateChanged::EventID;

// A radio box of the application's kind: a class of its own that still answers "radio".
class AppRadio : public SRadioBox {
  SWUI_CLASS_NAME(SRadioBox, L"appradio")
};

}  // namespace

TEST_CASE("check box: a press and release inside toggles and fires the command, outside nothing") {
  CtrlRig rig;
  rig.Load(L"<root><check name='c' pos='10,10,@80,@20'>Check</check></root>");
  SWindow* c = rig.Find(L"c");
  EventLog events(c, {EventCmd::EventID});
  Send(c, WM_LBUTTONDOWN, 20, 20);
  Send(c, WM_LBUTTONUP, 30, 25);
  CHECK(c->IsChecked());
  CHECK(events.Count(EventCmd::EventID) == 1);
  Send(c, WM_LBUTTONDOWN, 20, 20);
  Send(c, WM_LBUTTONUP, 95, 25);  // released off the box
  CHECK(c->IsChecked());
  CHECK(events.Count(EventCmd::EventID) == 1);
  Send(c, WM_LBUTTONUP, 20, 20);  // no press before it
  CHECK(c->IsChecked());
  CHECK(events.Count(EventCmd::EventID) == 1);
}

TEST_CASE("check box: Space toggles and fires the command; other keys are taken and do nothing") {
  CtrlRig rig;
  rig.Load(L"<root><check name='c' checked='1'>Check</check></root>");
  SWindow* c = rig.Find(L"c");
  REQUIRE(c->IsChecked());
  EventLog events(c, {EventCmd::EventID});
  c->SSendMessage(WM_KEYDOWN, VK_SPACE);
  CHECK_FALSE(c->IsChecked());
  BOOL handled = FALSE;
  c->SSendMessage(WM_KEYDOWN, VK_RETURN, 0, &handled);
  CHECK(handled);
  CHECK_FALSE(c->IsChecked());
  CHECK(events.ids.size() == 1);
  CHECK(c->OnGetDlgCode() == 8u);
}

TEST_CASE(
    "checkable controls draw the skin state of their state; a state the skin lacks draws nothing") {
  struct Case {
    DWORD state;
    int skinState;
  } cases[] = {
      {0, 0},
      {WndState_Hover, 1},
      {WndState_PushDown | WndState_Hover, 2},
      {WndState_Disable | WndState_PushDown | WndState_Hover, 3},
      {WndState_Check, 4},
      {WndState_Check | WndState_Hover, 5},
      {WndState_Check | WndState_PushDown | WndState_Hover, 6},
      {WndState_Check | WndState_Disable | WndState_PushDown, 7},
  };
  for (const wchar_t* tag : {L"check", L"radio"}) {
    CAPTURE(std::wstring(tag));
    CtrlRig rig(100, 30);
    // Each in a parent of its own: two radios of one parent would uncheck each other.
    rig.Load((std::wstring(L"<root><window pos='0,0,50,30'><") + tag +
              L" name='e8' pos='0,0,50,30' skin='cells8'/></window><window pos='50,0,100,30'><" +
              tag + L" name='e4' pos='0,0,50,30' skin='cells4'/></window></root>")
                 .c_str());
    auto* e8 = rig.Find<SCheckableWnd>(L"e8");
    auto* e4 = rig.Find<SCheckableWnd>(L"e4");
    for (const Case& c : cases) {
      CAPTURE(c.state);
      for (SCheckableWnd* e : {e8, e4}) {
        e->ModifyState(c.state, 0xFFFFFFFF & ~WndState_Invisible);
        CHECK(e->GetDrawState() == c.skinState);
      }
      rig.Paint();
      CHECK(rig.Pixel(5, 15) == CellSkin::Colour(c.skinState));  // icon at the left, centred
      CHECK(rig.Pixel(55, 15) == (c.skinState < 4 ? CellSkin::Colour(c.skinState) : 0xFFFFFFFF));
    }
  }
}

TEST_CASE("check box: the icon sits left, vertically centred; the text starts 4 pixels after it") {
  CtrlRig rig(100, 40);
  rig.Load(L"<root><check name='c' pos='0,0,100,31' skin='big'>Check</check></root>");
  rig.Paint();
  CHECK(rig.Pixel(0, 8) == 0xFFFFFFFF);  // (31 - 12) / 2 = 9 rows above
  CHECK(rig.Pixel(0, 21) == 0xFFFFFFFF);
  CHECK(rig.render.CountEqual(RECT{0, 9, 20, 21}, CellSkin::Colour(0)) == 240);
  RECT text;
  rig.Find(L"c")->GetTextRect(&text);
  CHECK(text.left == 24);
  // Wrapping its content it is as wide as its text plus the icon and the gap.
  rig.Load(L"<root><check name='w' pos='0,0' skin='big'/></root>");
  const RECT rc = rig.Find(L"w")->GetWindowRect();
  CHECK(rc.right - rc.left == 24);
  CHECK(rc.bottom - rc.top == 12);
}

TEST_CASE("radio box: the icon and the text rectangle follow iconAlign and iconValign") {
  struct Case {
    const wchar_t* align;
    const wchar_t* valign;
    POINT icon;  // top-left corner of the 20 x 12 icon in the 100 x 40 client rectangle
    RECT text;
  } cases[] = {
      {L"left", L"middle", {0, 14}, {24, 0, 100, 40}},
      {L"center", L"middle", {40, 14}, {0, 0, 100, 40}},
      {L"right", L"top", {80, 0}, {0, 16, 76, 40}},
      {L"left", L"bottom", {0, 28}, {24, 0, 100, 24}},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.align) + L"/" + c.valign);
    CtrlRig rig(100, 40);
    rig.Load((std::wstring(L"<root><radio name='r' pos='0,0,100,40' skin='big' iconAlign='") +
              c.align + L"' iconValign='" + c.valign + L"'/></root>")
                 .c_str());
    rig.Paint();
    const RECT icon = {c.icon.x, c.icon.y, c.icon.x + 20, c.icon.y + 12};
    CHECK(rig.render.CountEqual(icon, CellSkin::Colour(0)) == 240);
    RECT text;
    rig.Find(L"r")->GetTextRect(&text);
    CHECK(EqualRect(&text, &c.text));
  }
  CtrlRig rig;
  rig.Load(L"<root><radio name='r'/></root>");
  SWindow* r = rig.Find(L"r");
  CHECK(r->SetAttribute(SStringW(L"iconAlign"), SStringW(L"Center"), FALSE) == E_FAIL);
  CHECK(r->SetAttribute(SStringW(L"iconValign"), SStringW(L"centre"), FALSE) == E_FAIL);
  CHECK(rig.Find<SRadioBox>(L"r")->GetIconAlign() == 0u);
  CHECK(rig.Find<SRadioBox>(L"r")->GetIconVAlign() == 4096u);
  CHECK(r->SetAttribute(SStringW(L"ICONALIGN"), SStringW(L"right"), FALSE) == S_OK);
  CHECK(rig.Find<SRadioBox>(L"r")->GetIconAlign() == 512u);
}

TEST_CASE(
    "radio group: of two checked in the layout only the later stays, and nobody hears of it") {
  CtrlRig rig;
  rig.Load(
      L"<root><radio name='r1' id='1' checked='1'/><radio name='r2' id='2'/>"
      L"<radio name='r3' id='3' checked='1'/></root>");
  CHECK_FALSE(rig.Find(L"r1")->IsChecked());
  CHECK(rig.Find(L"r3")->IsChecked());
  // Creating and showing changes every box's state; checking changes no more.
  auto stateEvents = [&](int id) {
    return std::count_if(rig.container.fired.begin(), rig.container.fired.end(),
                         [id](const auto& f) { return f.id == kStateChanged && f.idFrom == id; });
  };
  CHECK(stateEvents(1) == stateEvents(2));
  CHECK(stateEvents(3) == stateEvents(2));
  CHECK_FALSE(rig.Find(L"r1")->GetEventSet()->IsMuted());
  CHECK_FALSE(rig.Find(L"r3")->GetEventSet()->IsMuted());
}

TEST_CASE(
    "radio group: a click checks the box and unchecks the checked one, whose events are muted") {
  CtrlRig rig;
  rig.app.TplRegisterFactory<AppRadio>();
  rig.Load(
      L"<root><radio name='a1' pos='0,0,50,20'/><radio name='a2' pos='0,20,50,40'/>"
      L"<appradio name='a3' pos='0,40,50,60' checked='1'/></root>");
  SWindow* a1 = rig.Find(L"a1");
  SWindow* a3 = rig.Find(L"a3");
  REQUIRE(a3->IsChecked());
  EventLog e1(a1, {kStateChanged, EventCmd::EventID});
  EventLog e3(a3, {kStateChanged});
  Send(a1, WM_LBUTTONDOWN, 10, 10);
  Send(a1, WM_LBUTTONUP, 10, 10);
  CHECK(a1->IsChecked());
  CHECK_FALSE(a3->IsChecked());
  CHECK(e3.ids.empty());
  CHECK(e1.Count(EventCmd::EventID) == 1);
  CHECK(e1.Count(kStateChanged) >= 1);
  CHECK(rig.Find<SRadioBox>(L"a2")->GetSelectedSiblingInGroup() == a1);
  // A box without a parent has no group.
  SWindow* lone = NewElement(rig.app, L"radio");
  lone->SetCheck(TRUE);
  CHECK(lone->IsChecked());
  CHECK(static_cast<SRadioBox*>(lone)->GetSelectedSiblingInGroup() == nullptr);
  lone->Release();
}

TEST_CASE("radio: a focus arrival checks it, except the focus given back to a reactivated host") {
  for (LPARAM reason : {LPARAM(0), LPARAM(1), LPARAM(2)}) {
    CAPTURE(reason);
    CtrlRig rig;
    rig.Load(L"<root><radio name='r1' checked='1'/><radio name='r2'/></root>");
    SWindow* r2 = rig.Find(L"r2");
    r2->SSendMessage(WM_SETFOCUS, 0, reason);
    CHECK(r2->IsChecked() == (reason != 2));
    CHECK(rig.Find(L"r1")->IsChecked() == (reason == 2));
  }
}
