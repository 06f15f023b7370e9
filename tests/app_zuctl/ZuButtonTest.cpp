// The application's check and radio buttons: autoCheck on click, Space and focus, the texts,
// tips and colours of each check state, the skin over the whole button, the desired size.
#include <doctest/doctest.h>

#include <string>

#include "ZuRig.h"
#include "controls/ZuCheckButton.h"
#include "controls/ZuRadioButton.h"

using namespace SWUI;

namespace {

void Click(SWindow* wnd, int x, int y) {
  wnd->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  wnd->SSendMessage(WM_LBUTTONUP, 0, At(x, y));
}

}  // namespace

TEST_CASE("zucheckbtn: a click or Space toggles only with autoCheck; each fires the command") {
  for (int autoCheck : {0, 1}) {
    CAPTURE(autoCheck);
    ZuRig rig;
    rig.Load((L"<root><zucheckbtn name='c' pos='0,0,@60,@20' autoCheck='" +
              std::to_wstring(autoCheck) + L"'>Connect</zucheckbtn></root>")
                 .c_str());
    auto* c = FindAs<ZuCheckButton>(rig, L"c");
    ZuEvents events(c);
    Click(c, 10, 10);
    CHECK(c->IsChecked() == (autoCheck != 0));  // one toggle, not two
    c->SSendMessage(WM_KEYDOWN, VK_SPACE);
    CHECK_FALSE(c->IsChecked());
    CHECK(events.commands == 2);
    // A release off the button after a press on it neither toggles nor fires.
    c->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    c->SSendMessage(WM_LBUTTONUP, 0, At(70, 10));
    CHECK_FALSE(c->IsChecked());
    CHECK(events.commands == 2);
  }
}

TEST_CASE("zuradiobtn: autoCheck checks on a click or a focus arrival, not a restored focus") {
  ZuRig rig;
  rig.Load(
      L"<root><zuradiobtn name='a' pos='0,0,@60,@20' autoCheck='1' checked='1'/>"
      L"<zuradiobtn name='b' pos='0,30,@60,@20' autoCheck='1'/>"
      L"<zuradiobtn name='manual' pos='0,60,@60,@20'/></root>");
  SWindow* a = rig.Find(L"a");
  SWindow* b = rig.Find(L"b");
  SWindow* manual = rig.Find(L"manual");
  REQUIRE(a->IsChecked());
  b->SSendMessage(WM_SETFOCUS, 0, 2);  // the host window active again
  CHECK_FALSE(b->IsChecked());
  b->SSendMessage(WM_SETFOCUS, 0, 1);  // by keyboard
  CHECK(b->IsChecked());
  CHECK_FALSE(a->IsChecked());  // the group unchecks the sibling
  ZuEvents events(a);
  Click(a, 10, 10);
  CHECK(a->IsChecked());
  CHECK_FALSE(b->IsChecked());
  CHECK(events.commands == 1);
  // Without autoCheck neither a click nor the focus checks it; the click still commands.
  ZuEvents manualEvents(manual);
  Click(manual, 10, 70);
  manual->SSendMessage(WM_SETFOCUS, 0, 1);
  CHECK_FALSE(manual->IsChecked());
  CHECK(a->IsChecked());
  CHECK(manualEvents.commands == 1);
}

TEST_CASE("zu buttons: texts, tips and colours follow the check state; 1 is unchecked") {
  const COLORREF kRedText = 0xFF0000FF;  // "#ff0000" as the framework stores it
  const COLORREF kGreenText = 0xFF00FF00;
  for (const wchar_t* tag : {L"zucheckbtn", L"zuradiobtn"}) {
    CAPTURE(std::wstring(tag));
    ZuRig rig;
    rig.Load((std::wstring(L"<root><") + tag +
              L" name='c' pos='0,0,@60,@20' multitext='1' text1='Off' text2='On' multitip='1' "
              L"tip1='tip off' tip2='tip on' multicolor='1' colortext1='#ff0000' "
              L"colortext2='#00ff00'/></root>")
                 .c_str());
    SWindow* c = rig.Find(L"c");
    CHECK(c->GetWindowText() == L"Off");
    CHECK(c->GetToolTipText() == L"tip off");
    CHECK(c->GetStyle().GetTextColor(SwndStyle::kStateNormal) == kRedText);
    c->SetCheck(TRUE);
    CHECK(c->GetWindowText() == L"On");
    CHECK(c->GetToolTipText() == L"tip on");
    CHECK(c->GetStyle().GetTextColor(SwndStyle::kStateNormal) == kGreenText);
    // A value of the shown state applies at once, one of the other state waits.
    CHECK(c->SetAttribute(L"text2", L"Live", FALSE) == S_FALSE);
    CHECK(c->SetAttribute(L"text1", L"Idle", FALSE) == S_FALSE);
    CHECK(c->GetWindowText() == L"Live");
    c->SetCheck(FALSE);
    CHECK(c->GetWindowText() == L"Idle");
  }
}

TEST_CASE("zu buttons: without the flags the state leaves text and colour alone") {
  ZuRig rig;
  rig.Load(
      L"<root><zucheckbtn name='c' pos='0,0,@60,@20' text1='Off' text2='On' "
      L"colortext2='#00ff00'>Bypass</zucheckbtn></root>");
  SWindow* c = rig.Find(L"c");
  c->SetCheck(TRUE);
  CHECK(c->GetWindowText() == L"Bypass");
  CHECK(c->GetStyle().GetTextColor(SwndStyle::kStateNormal) == CR_INVALID);
  // Turning a flag on applies the state at once.
  c->SetAttribute(L"multitext", L"1", FALSE);
  CHECK(c->GetWindowText() == L"On");
}

TEST_CASE("zu buttons: the state texts follow the language") {
  ZuRig rig;
  rig.container.trCtx = L"dlg";
  rig.Load(
      L"<root><zucheckbtn name='c' pos='0,0,@60,@20' multitext='1' text1='Off' "
      L"text2='On'/></root>");
  auto* c = FindAs<ZuCheckButton>(rig, L"c");
  InstallTranslator(rig.app,
                    L"<language name='x' guid='{6B7A3E40-1D2C-4F5A-9B8E-0C1D2E3F4A5C}'>"
                    L"<context name='dlg'><message><source>Off</source>"
                    L"<translation>Aus</translation></message><message><source>On</source>"
                    L"<translation>Ein</translation></message></context></language>");
  rig.root->SDispatchMessage(UM_SETLANGUAGE);
  CHECK(c->GetWindowText() == L"Aus");
  CHECK(c->GetStateText(TRUE) == L"Ein");
  c->SetCheck(TRUE);
  CHECK(c->GetWindowText() == L"Ein");
  CHECK(c->GetWindowText(TRUE) == L"On");
  rig.app.SetTranslator(nullptr);
}

TEST_CASE("zu buttons: the skin covers the whole button in its check state; the focus skin too") {
  for (const wchar_t* tag : {L"zucheckbtn", L"zuradiobtn"}) {
    CAPTURE(std::wstring(tag));
    ZuRig rig(100, 40);
    rig.AddCells(L"cells", 10, 10,
                 {kRed, kGreen, kBlue, kGrey, kYellow, kMagenta, kCyan, kBlack});
    rig.AddCells(L"focus", 4, 4, {kWhite});
    rig.Load((std::wstring(L"<root><") + tag +
              L" name='c' pos='10,10,@60,@20' skin='cells' focusSkin='focus'/></root>")
                 .c_str());
    SWindow* c = rig.Find(L"c");
    rig.Paint();
    CHECK(rig.All(RECT{10, 10, 70, 30}, kRed));
    c->SetCheck(TRUE);
    c->ModifyState(WndState_Hover, 0);
    rig.Paint();
    CHECK(rig.All(RECT{10, 10, 70, 30}, kMagenta));  // state 5: checked and hovered
    rig.container.focus = c->GetSwnd();
    rig.PaintAndSave(tag);
    CHECK(rig.All(RECT{10, 10, 70, 30}, kWhite));  // the focus skin over all of it
  }
}

TEST_CASE("zu buttons: a skin with a size gives the size of a button that wraps it") {
  ZuRig rig;
  rig.AddCells(L"big", 48, 24, {kRed, kGreen, kBlue, kGrey});
  rig.AddCells(L"sizeless", 0, 0, {kRed});
  rig.Load(
      L"<root><zucheckbtn name='sized' pos='0,0' skin='big'>A rather long text</zucheckbtn>"
      L"<zucheckbtn name='text' pos='0,50' skin='sizeless'>Text</zucheckbtn></root>");
  const RECT sized = rig.Find(L"sized")->GetWindowRect();
  CHECK(sized.right - sized.left == 48);
  CHECK(sized.bottom - sized.top == 24);
  // Without a sized skin the check box's measure stands: the text plus 4.
  const RECT text = rig.Find(L"text")->GetWindowRect();
  CHECK(text.right - text.left > 4);
  CHECK(text.bottom - text.top > 0);
}
