// The panel, the scroll view and the list box end to end in a host window: the bars' presses,
// repeats and drags through the container's non-client routing and the element timers, the
// wheel from view to view, and the list box's mouse, keys and painting with the focus manager
// in the way.
#include <doctest/doctest.h>

#include <string>

#include "HostHarness.h"
#include "control/EventScroll.h"
#include "control/SListBox.h"
#include "control/SPanel.h"
#include "control/SScrollView.h"
#include "core/EventLBDbClick.h"
#include "core/EventLBSelChanged.h"
#include "core/EventLBSelChanging.h"
#include "core/EventScrollViewOriginChanged.h"

using namespace SWUI;

namespace {

// The recording bar skin of the element tests: 10 px thick with arrows; its parts take the
// palette's colour of their state (normal red, hot green, pressed blue, rest magenta).
constexpr wchar_t kBarSkins[] = L"<skin><cellsb name='rec' ideal='10'/></skin>";
constexpr DWORD kNormalRgb = 0xFF0000;
constexpr DWORD kRestRgb = 0xFF00FF;
constexpr DWORD kHotRgb = 0x00FF00;
constexpr DWORD kPressedRgb = 0x0000FF;

// A host with the built-in skins and the bar skin; the system's element timers are held back,
// the test delivers them.
struct PanelHost : HostHarness {
  PanelHost() : HostHarness(true) {
    AddSkins(kBarSkins);
    heldTimers = true;
  }
  void OpenIn(const wchar_t* rootXml, const wchar_t* hostAttrs = L"") {
    Open((std::wstring(L"<SWUI width='200' height='160' ") + hostAttrs +
          L"><root colorBkgnd='#ffffff'>" + rootXml + L"</root></SWUI>")
             .c_str());
  }
};

// A view of 100 x 100 at the origin with a vertical bar (x 90..100): arrows of 10, a track of
// 80 and, for a page of 100 over 300, a thumb of 26 moving 54 px for 200 positions.
constexpr wchar_t kView[] =
    L"<scrollview name='sv' id='4' pos='0,0,@100,@100' sbSkin='rec' viewSize='90,300'>"
    L" <window name='c' pos='0,0,@50,@20' colorBkgnd='#808080'/>"
    L"</scrollview>";

// A list box of 100 x 100 (client 90 wide beside its bar) with ten items 20 high, and a
// focusable element below it.
std::wstring ListXml(const wchar_t* extra = L"") {
  std::wstring xml = L"<listbox name='lb' id='3' pos='0,0,@100,@100' sbSkin='rec' itemHeight='20' ";
  xml += extra;
  xml += L"><items>";
  for (int i = 0; i < 10; ++i) xml += L"<item text='item " + std::to_wstring(i) + L"'/>";
  return xml + L"</items></listbox><window name='next' focusable='1' pos='0,120,@50,@20'/>";
}

}  // namespace

TEST_CASE_FIXTURE(PanelHost,
                  "view bar: a held arrow steps at the press, then on the delay and repeat "
                  "timers, and stops at the release; the thumb is drawn at rest, hot and "
                  "pressed, and the arrows keep their look") {
  OpenIn(kView);
  auto* sv = Find<SScrollView>(L"sv");
  MouseMove(POINT{95, 95});
  MouseDown(POINT{95, 95});
  CHECK(sv->GetScrollPos(TRUE) == 10);
  CHECK(host->OnGetSwndCapture() == sv->GetSwnd());
  ElementTimer(sv, SPanel::kTimerDelay);
  CHECK(sv->GetScrollPos(TRUE) == 20);
  ElementTimer(sv, SPanel::kTimerRepeat);
  ElementTimer(sv, SPanel::kTimerRepeat);
  CHECK(sv->GetScrollPos(TRUE) == 40);
  MouseUp(POINT{95, 95});
  CHECK(host->OnGetSwndCapture() == 0u);
  ElementTimer(sv, SPanel::kTimerRepeat);
  CHECK(sv->GetScrollPos(TRUE) == 40);
  CHECK(host->CountEvents(EventScroll::EventID, 4) == 4);
  CHECK(host->CountEvents(EventScrollViewOriginChanged::EventID, 4) == 4);
  // The child moved up with the view.
  CHECK(RectOf(L"c").top == -40);

  sv->OnScroll(TRUE, SB_TOP, 0);
  Paint();
  CHECK(Rgb(95, 20) == kRestRgb);  // thumb [10,36]
  MouseMove(POINT{95, 20});
  Paint();
  CHECK(Rgb(95, 20) == kHotRgb);
  CHECK(Rgb(95, 5) == kNormalRgb);
  MouseDown(POINT{95, 20});
  Paint();
  CHECK(Rgb(95, 20) == kPressedRgb);
  // The thumb and the rail are redrawn alone: the arrows keep their look.
  CHECK(Rgb(95, 5) == kNormalRgb);
  CHECK(Rgb(95, 95) == kNormalRgb);
  SavePng(L"ctrl-panel-host-pressed", 2);
}

TEST_CASE_FIXTURE(PanelHost,
                  "view bar: a thumb dragged beyond the window stops at the last position and "
                  "back at the first, and stays where it was released") {
  OpenIn(kView);
  auto* sv = Find<SScrollView>(L"sv");
  MouseMove(POINT{95, 20});
  MouseDown(POINT{95, 20});
  MouseMove(POINT{95, 47}, MK_LBUTTON);  // 27 px of 54: half way
  CHECK(sv->GetScrollInfo(TRUE).nTrackPos == 100);
  CHECK(RectOf(L"c").top == -100);  // the view follows the track
  MouseMove(POINT{300, 400}, MK_LBUTTON);
  CHECK(sv->GetScrollInfo(TRUE).nTrackPos == 200);
  MouseMove(POINT{95, -50}, MK_LBUTTON);
  CHECK(sv->GetScrollInfo(TRUE).nTrackPos == 0);
  MouseMove(POINT{95, 300}, MK_LBUTTON);
  // Drawn pressed at the rail's end [64,90].
  CHECK(Rgb(95, 70) == kPressedRgb);
  CHECK(Rgb(95, 60) != kPressedRgb);
  MouseUp(POINT{95, 300});
  CHECK(sv->GetScrollPos(TRUE) == 200);
  CHECK(sv->GetScrollInfo(TRUE).nTrackPos == -1);
  CHECK(host->OnGetSwndCapture() == 0u);
  CHECK(sv->GetSbPartRect(TRUE, SB_THUMBTRACK).top == 64);
  // Over the thumb and away: the bar goes to rest.
  MouseMove(POINT{95, 70});
  CHECK(Rgb(95, 70) == kHotRgb);
  MouseLeave();
  Paint();
  CHECK(Rgb(95, 70) == kRestRgb);
  CHECK(Rgb(95, 60) == kRestRgb);
  SavePng(L"ctrl-panel-host-dragged", 2);
}

TEST_CASE_FIXTURE(PanelHost,
                  "wheel: the hovered view scrolls by lines of 120, keeps a remainder, and "
                  "hands what it cannot scroll to the view around it") {
  OpenIn(
      L"<scrollview name='outer' id='1' pos='0,0,@150,@150' sbSkin='rec' viewSize='140,400'>"
      L" <scrollview name='inner' id='2' pos='0,0,@100,@100' sbSkin='rec' viewSize='90,300'/>"
      L"</scrollview>",
      L"sendWheel2Hover='1'");
  auto* outer = Find<SScrollView>(L"outer");
  auto* inner = Find<SScrollView>(L"inner");
  const POINT over = {50, 50};
  Wheel(over, -120);
  CHECK(inner->GetScrollPos(TRUE) == 10);
  Wheel(over, 60);
  CHECK(inner->GetScrollPos(TRUE) == 10);
  Wheel(over, 60);
  CHECK(inner->GetScrollPos(TRUE) == 0);
  Wheel(over, -2400);  // twenty lines: the inner view's end
  CHECK(inner->GetScrollPos(TRUE) == 200);
  CHECK(outer->GetScrollPos(TRUE) == 0);
  Wheel(over, -240);
  CHECK(inner->GetScrollPos(TRUE) == 200);
  CHECK(outer->GetScrollPos(TRUE) == 20);
  CHECK(host->CountEvents(EventScroll::EventID, 1) == 2);
  // Outside the inner view the outer one takes the wheel itself.
  Wheel(POINT{120, 60}, 120);
  CHECK(outer->GetScrollPos(TRUE) == 10);
}

TEST_CASE_FIXTURE(PanelHost,
                  "list box: a click focuses and selects; the arrows step the selection and "
                  "scroll it into view, Tab leaves; a double click fires its event; the "
                  "selected row is painted in its colour") {
  OpenIn(ListXml().c_str());
  auto* lb = Find<SListBox>(L"lb");
  Click(POINT{30, 5});
  CHECK(lb->GetCurSel() == 0);
  CHECK(host->GetFocus() == lb->GetSwnd());
  CHECK(host->CountEvents(EventLBSelChanging::EventID, 3) == 1);
  CHECK(host->CountEvents(EventLBSelChanged::EventID, 3) == 1);

  for (int i = 0; i < 5; ++i) Key(VK_DOWN);
  CHECK(lb->GetCurSel() == 5);
  CHECK(lb->GetViewOrigin().y == 20);
  CHECK(host->GetFocus() == lb->GetSwnd());  // the arrows are the list's, not the focus's
  CHECK(host->CountEvents(EventLBSelChanged::EventID, 3) == 6);
  Paint();
  CHECK(Rgb(80, 90) == 0x3991D1);  // item 5 at 80..100: RGB(57, 145, 209)
  CHECK(Rgb(80, 70) == 0xFFFFFF);
  SavePng(L"ctrl-panel-host-listbox", 2);

  MouseMove(POINT{30, 45});
  MouseDown(POINT{30, 45}, WM_LBUTTONDBLCLK);
  MouseUp(POINT{30, 45});
  CHECK(lb->GetCurSel() == 3);  // (45 + 20) / 20
  CHECK(host->CountEvents(EventLBDbClick::EventID, 3) == 1);

  Key(VK_TAB);
  CHECK(host->GetFocus() == Find(L"next")->GetSwnd());
}

TEST_CASE_FIXTURE(PanelHost,
                  "list box, hot tracking: the hovered row is painted hot, the press selects "
                  "nothing and the release the row under it; the last row hovered, VK_DOWN "
                  "does nothing") {
  OpenIn(ListXml(L"hotTrack='1'").c_str());
  auto* lb = Find<SListBox>(L"lb");
  MouseMove(POINT{30, 25});
  CHECK(lb->GetHoverItem() == 1);
  Paint();
  // 0x80D19139 over white.
  CHECK(NearRgb(Rgb(80, 30), 0x9CC8E8));
  MouseDown(POINT{30, 25});
  CHECK(lb->GetCurSel() == -1);
  MouseMove(POINT{30, 45}, MK_LBUTTON);
  MouseUp(POINT{30, 45});
  CHECK(lb->GetCurSel() == 2);
  CHECK(host->CountEvents(EventLBSelChanged::EventID, 3) == 1);

  Wheel(POINT{30, 45}, -1200);
  REQUIRE(lb->GetViewOrigin().y == 100);
  MouseMove(POINT{30, 95});
  CHECK(lb->GetHoverItem() == 9);
  Key(VK_DOWN);
  CHECK(lb->GetCurSel() == 2);
  CHECK(host->CountEvents(EventLBSelChanging::EventID, 3) == 1);
}
