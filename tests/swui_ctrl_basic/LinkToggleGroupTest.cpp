// Links (only the text reacts; a click opens href through the launcher), toggles and group
// frames.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ControlSeams.h"
#include "CtrlRig.h"
#include "core/EventCmd.h"

using namespace SWUI;

TEST_CASE("a link without text shows its href; text in the layout wins") {
  CtrlRig rig;
  rig.Load(
      L"<root><link name='a' href='https://example.org/'/>"
      L"<link name='b' href='https://example.org/'>Example</link></root>");
  CHECK(rig.Find(L"a")->GetWindowText() == L"https://example.org/");
  CHECK(rig.Find(L"b")->GetWindowText() == L"Example");
}

TEST_CASE("a link's text rectangle follows the alignment; only it reacts to the mouse") {
  LinkLaunches recorder;
  CtrlRig rig(300, 100);
  rig.Load(
      L"<root><link name='l' pos='0,0,300,40' align='center' href='https://x.org/'>"
      L"Open</link></root>");
  rig.Paint();
  auto* link = rig.Find<SLink>(L"l");
  const RECT rc = link->GetLinkRect();
  SIZE size = {0, 0};
  rig.render.Target()->MeasureText(L"Open", 4, &size);
  CHECK(rc.right - rc.left == size.cx);
  CHECK(rc.left == (300 - size.cx) / 2);
  CHECK(rc.top == (40 - size.cy) / 2);  // the default valign is middle
  const POINT in = {rc.left + 1, rc.top + 1};
  const POINT off = {5, 5};

  CHECK(link->OnSetCursor(in));
  CHECK_FALSE(link->OnSetCursor(off));

  Send(link, WM_MOUSEMOVE, in.x, in.y);
  CHECK((link->GetState() & WndState_Hover) != 0u);
  Send(link, WM_MOUSEMOVE, off.x, off.y);
  CHECK((link->GetState() & WndState_Hover) == 0u);
  Send(link, WM_MOUSEHOVER, off.x, off.y);
  CHECK((link->GetState() & WndState_Hover) == 0u);

  // A press off the text does nothing, nor its release.
  EventLog events(link, {EventCmd::EventID});
  Send(link, WM_LBUTTONDOWN, off.x, off.y);
  CHECK(rig.container.capture == 0u);
  Send(link, WM_LBUTTONUP, off.x, off.y);
  Send(link, WM_LBUTTONUP, in.x, in.y);  // a release without a press
  CHECK(recorder.launches.empty());
  // A press on the text dragged off: no click, no pushed look left.
  Send(link, WM_LBUTTONDOWN, in.x, in.y);
  CHECK(rig.container.capture == link->GetSwnd());
  Send(link, WM_LBUTTONUP, off.x, off.y);
  CHECK(rig.container.capture == 0u);
  CHECK((link->GetState() & WndState_PushDown) == 0u);
  CHECK(recorder.launches.empty());
  CHECK(events.ids.empty());
  // A click on the text opens the link once.
  Send(link, WM_LBUTTONDOWN, in.x, in.y);
  Send(link, WM_LBUTTONUP, in.x, in.y);
  REQUIRE(recorder.launches.size() == 1);
  CHECK(recorder.launches[0].operation == L"open");
  CHECK(recorder.launches[0].file == L"https://x.org/");
  CHECK(recorder.launches[0].show == SW_SHOWNORMAL);
  CHECK(recorder.launches[0].bare);
  CHECK(events.ids.size() == 1);
}

TEST_CASE("a link's text rectangle at the left and right, top and bottom") {
  struct Case {
    const wchar_t* attrs;
    bool right;
    bool bottom;
  } cases[] = {{L"", false, false},
               {L"align='right' valign='bottom'", true, true},
               {L"valign='top'", false, false}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    CtrlRig rig(300, 100);
    rig.Load((std::wstring(L"<root><link name='l' pos='10,10,290,90' ") + c.attrs +
              L">Open</link></root>")
                 .c_str());
    rig.Paint();
    const RECT rc = rig.Find<SLink>(L"l")->GetLinkRect();
    SIZE size = {0, 0};
    rig.render.Target()->MeasureText(L"Open", 4, &size);
    CHECK(rc.left == (c.right ? 290 - size.cx : 10));
    CHECK(rc.right - rc.left == size.cx);
    CHECK(rc.bottom - rc.top == size.cy);
    if (c.bottom) CHECK(rc.bottom == 90);
  }
}

TEST_CASE("a toggle flips on a release inside and draws state + 3 when toggled") {
  CtrlRig rig(40, 40);
  rig.Load(
      L"<root><toggle name='t' pos='0,0,20,20' skin='cells6'/>"
      L"<toggle name='w' pos='20,20' skin='big'/></root>");
  auto* t = rig.Find<SToggle>(L"t");
  Send(t, WM_LBUTTONDOWN, 5, 5);
  Send(t, WM_LBUTTONUP, 5, 5);
  CHECK(t->GetToggle());
  Send(t, WM_LBUTTONDOWN, 5, 5);
  Send(t, WM_LBUTTONUP, 30, 30);
  CHECK(t->GetToggle());
  struct Case {
    DWORD state;
    BOOL toggled;
    int skinState;
  } cases[] = {
      {0, FALSE, 0}, {WndState_Hover, FALSE, 1}, {WndState_PushDown | WndState_Hover, FALSE, 2},
      {0, TRUE, 3},  {WndState_Hover, TRUE, 4},  {WndState_PushDown, TRUE, 5}};
  for (const Case& c : cases) {
    CAPTURE(c.skinState);
    t->ModifyState(c.state, WndState_Hover | WndState_PushDown);
    t->SetToggle(c.toggled);
    rig.Paint();
    CHECK(rig.Pixel(10, 10) == CellSkin::Colour(c.skinState));
  }
  const RECT rc = rig.Find(L"w")->GetWindowRect();
  CHECK(rc.right - rc.left == 20);
  CHECK(rc.bottom - rc.top == 12);
  CHECK(rig.Find(L"t")->SetAttribute(SStringW(L"toggled"), SStringW(L"0"), FALSE) == S_OK);
  CHECK_FALSE(t->GetToggle());
}

TEST_CASE("a group frame: two lines around, the title cut into them, children below the header") {
  CtrlRig rig(120, 80);
  rig.Load(
      L"<root><group name='g' pos='0,0,120,80' colorLine1='#ff0000' colorLine2='#0000ff' "
      L"round='0' headerHeight='30'><window name='c' pos='0,0,-0,-0'/></group></root>");
  rig.Paint();
  rig.render.SavePng(L"ctrl-group", 4);
  SWindow* g = rig.Find(L"g");
  const RECT child = rig.Find(L"c")->GetWindowRect();
  CHECK(child.top == 30);
  // Without a title the dark line runs round the window rectangle (less its last row) and the
  // light one inside it from the second column and row.
  CHECK(rig.Pixel(60, 0) == 0xFF0000FF);
  CHECK(rig.Pixel(0, 40) == 0xFF0000FF);
  CHECK(rig.Pixel(119, 40) == 0xFF0000FF);
  CHECK(rig.Pixel(60, 78) == 0xFF0000FF);
  CHECK(rig.Pixel(60, 1) == 0xFFFF0000);
  CHECK(rig.Pixel(1, 40) == 0xFFFF0000);
  CHECK(g->SetAttribute(SStringW(L"colorLine1"), SStringW(L""), FALSE) == E_FAIL);
  CHECK(g->SetAttribute(SStringW(L"colorLine2"), SStringW(L""), FALSE) == E_FAIL);

  // A title lowers the frame by half its height and keeps the lines 5 pixels away from it.
  g->SetWindowText(L"Title");
  rig.Paint();
  rig.render.SavePng(L"ctrl-group-title", 4);
  SIZE text = {0, 0};
  rig.render.Target()->MeasureText(L"Title", 5, &text);
  const int lineY = text.cy / 2;
  const int titleLeft = 20 + (80 - text.cx) / 2;  // centred, as a style is by default
  CHECK(rig.Pixel(5, lineY) == 0xFF0000FF);
  CHECK(rig.Pixel(titleLeft - 4, lineY) == 0xFFFFFFFF);
  CHECK(rig.Pixel(titleLeft - 6, lineY) == 0xFF0000FF);
  CHECK(rig.Pixel(titleLeft + text.cx / 2, lineY) != 0xFF0000FF);
  CHECK(rig.Pixel(titleLeft + text.cx + 4, lineY) == 0xFFFFFFFF);
  CHECK(rig.Pixel(titleLeft + text.cx + 6, lineY) == 0xFF0000FF);
}

TEST_CASE("a group wrapping its content adds the header to the content's height only") {
  CtrlRig rig;
  rig.Load(
      L"<root><group name='wrap' pos='0,0' headerHeight='30'>"
      L"<window pos='0,0,@40,@20'/></group>"
      L"<group name='fixed' pos='0,100,@50,@50' headerHeight='30'/></root>");
  const RECT wrap = rig.Find(L"wrap")->GetWindowRect();
  CHECK(wrap.bottom - wrap.top == 50);
  const RECT fixed = rig.Find(L"fixed")->GetWindowRect();
  CHECK(fixed.bottom - fixed.top == 50);
}
