// The range controls end to end in a host window: slider presses and drags with the mouse
// (held by the capture beyond the element and the window), a scroll bar's thumb dragged and
// its arrows pressed, the spin button's repeat on its element timer, and the hot-key field
// taking keys through the container.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "HostHarness.h"
#include "RangeRig.h"
#include "control/EventScroll.h"
#include "control/EventSetHotKey.h"
#include "control/EventSliderPos.h"
#include "control/SHotKeyCtrl.h"
#include "control/SScrollBar.h"
#include "control/SSliderBar.h"
#include "control/SSpinButtonCtrl.h"
#include "core/EventCmd.h"

using namespace SWUI;

namespace {

// A host with the built-in skins and the range tests' cell skins; the system's own frames and
// element timers are held back, the test delivers them. The events the host hears are kept
// with their fields.
struct RangeHost : HostHarness {
  RangeHost() : HostHarness(true) {
    AddSkins(kRangeSkins);
    heldTimers = true;
  }
  // Opens the layout and listens to the fields of its events.
  void OpenRange(const wchar_t* rootXml) {
    Open((std::wstring(L"<SWUI width='300' height='150'><root colorBkgnd='#ffffff'>") + rootXml +
          L"</root></SWUI>")
             .c_str());
    host->onEvent = [this](EventArgs* e) {
      if (e->GetID() == EventSliderPos::EventID) {
        positions.push_back(static_cast<EventSliderPos*>(e)->nPos);
      } else if (e->GetID() == EventScroll::EventID) {
        auto* s = static_cast<EventScroll*>(e);
        scrolls.push_back(std::make_pair(s->nSbCode, s->nPos));
      } else if (e->GetID() == EventSetHotKey::EventID) {
        auto* k = static_cast<EventSetHotKey*>(e);
        hotKeys.push_back(MAKELONG(k->vKey, k->wModifiers));
      }
      return FALSE;
    };
  }

  std::vector<int> positions;
  std::vector<std::pair<int, int>> scrolls;
  std::vector<DWORD> hotKeys;
};

using Scrolls = std::vector<std::pair<int, int>>;

// The slider of the element tests: 110 x 20, thumb 10 wide, so the rail runs from x 5 to 105.
const wchar_t kSlider[] =
    L"<sliderbar name='s' pos='0,0,@110,@20' bkgndSkin='bg' posSkin='bar' thumbSkin='thumb' "
    L"value='50'/>"
    L"<window name='other' focusable='1' pos='0,50,@50,@20'/>";

}  // namespace

TEST_CASE_FIXTURE(RangeHost,
                  "slider: presses at x 105, 20 and 2 jump to 100, 15 and 0, one event each, and "
                  "take the focus") {
  OpenRange(kSlider);
  auto* s = Find<SSliderBar>(L"s");
  Find(L"other")->SetFocus();
  for (int x : {105, 20, 2}) Click(POINT{x, 10});
  CHECK(positions == std::vector<int>{100, 15, 0});
  CHECK(s->GetValue() == 0);
  CHECK(host->GetFocus() == s->GetSwnd());
  CHECK(host->OnGetSwndCapture() == 0u);
  SavePng(L"ctrl-range-host-slider", 3);
}

TEST_CASE_FIXTURE(RangeHost,
                  "slider: a drag of the thumb keeps tracking beyond the element and the window, "
                  "clamped, and fires only when the value changes") {
  OpenRange(kSlider);
  auto* s = Find<SSliderBar>(L"s");
  const RECT thumb = s->GetPartRect(SSliderBar::kPartThumb);
  const POINT grip = {(thumb.left + thumb.right) / 2, 10};
  MouseMove(grip);
  MouseDown(grip);
  CHECK(positions.empty());  // a press on the thumb moves nothing
  MouseMove(POINT{grip.x, 12}, MK_LBUTTON);
  CHECK(positions.empty());  // across the rail: the same value
  MouseMove(POINT{grip.x + 10, 10}, MK_LBUTTON);
  CHECK(positions == std::vector<int>{60});
  MouseMove(POINT{400, 10}, MK_LBUTTON);  // outside the window
  MouseMove(POINT{-40, 10}, MK_LBUTTON);  // negative coordinates, left of the window
  CHECK(positions == std::vector<int>{60, 100, 0});
  MouseUp(POINT{-40, 10});
  CHECK(s->GetValue() == 0);
  CHECK(host->OnGetSwndCapture() == 0u);
}

TEST_CASE_FIXTURE(RangeHost,
                  "scroll bar: a thumb dragged 31 pixels reports THUMBTRACK 45, then "
                  "THUMBPOSITION 45 at the release; an arrow reports without moving or "
                  "repeating") {
  OpenRange(
      L"<scrollbar name='b' pos='0,0,@10,@100' skin='sb' arrowSize='10' max='99' page='10'/>");
  auto* bar = Find<SScrollBar>(L"b");
  REQUIRE(bar->GetPartRect(SB_THUMBTRACK).top == 10);
  MouseMove(POINT{5, 15});
  MouseDown(POINT{5, 15});
  MouseMove(POINT{5, 46}, MK_LBUTTON);
  CHECK(scrolls == Scrolls{{SB_THUMBTRACK, 45}});
  CHECK(bar->GetPos() == 0);  // the position follows at the release
  MouseUp(POINT{5, 46});
  CHECK(scrolls == Scrolls{{SB_THUMBTRACK, 45}, {SB_THUMBPOSITION, 45}});
  CHECK(bar->GetPos() == 45);
  CHECK(bar->GetPartRect(SB_THUMBTRACK).top == 41);

  scrolls.clear();
  MouseMove(POINT{5, 95});
  MouseDown(POINT{5, 95});
  CHECK(scrolls == Scrolls{{SB_LINEDOWN, 45}});
  ElementTimer(bar, 1);  // nothing repeats a press
  ElementTimer(bar, 2);
  MouseUp(POINT{5, 95});
  CHECK(scrolls == Scrolls{{SB_LINEDOWN, 45}});
  CHECK(bar->GetPos() == 45);
  // The owner answers: SetPos moves the thumb and reports nothing.
  CHECK(bar->SetPos(200) == 90);
  CHECK(scrolls.size() == 1u);
}

TEST_CASE_FIXTURE(RangeHost,
                  "spin: a held arrow steps again on each tick of its element timer; without "
                  "circle it stops at the end, with it wraps") {
  OpenRange(
      L"<text name='e' pos='20,0,@40,@20'/>"
      L"<spinButton name='s' pos='0,0,@12,@20' max='100' value='98' circle='0' "
      L"buddy='e' upskin='up' downSkin='down'/>");
  auto* spin = Find<SSpinButtonCtrl>(L"s");
  CHECK(std::wstring(Find(L"e")->GetWindowText()) == L"98");
  MouseMove(POINT{5, 5});
  MouseDown(POINT{5, 5});
  CHECK(spin->GetValue() == 99);
  ElementTimer(spin, 1);
  CHECK(spin->GetValue() == 100);
  ElementTimer(spin, 1);
  CHECK(spin->GetValue() == 100);
  MouseUp(POINT{5, 5});
  CHECK(std::wstring(Find(L"e")->GetWindowText()) == L"100");

  spin->SetAttribute(SStringW(L"circle"), SStringW(L"1"), FALSE);
  Click(POINT{5, 10});  // the middle row is the upper arrow
  CHECK(spin->GetValue() == 0);
  MouseMove(POINT{5, 11});
  MouseDown(POINT{5, 11});  // the row below it the lower
  CHECK(spin->GetValue() == 100);
  ElementTimer(spin, 1);
  CHECK(spin->GetValue() == 99);
  MouseMove(POINT{40, 80}, MK_LBUTTON);  // off the arrows: the ticks step no more
  ElementTimer(spin, 1);
  CHECK(spin->GetValue() == 99);
  MouseUp(POINT{40, 80});
}

TEST_CASE_FIXTURE(RangeHost,
                  "hot key: a click focuses the field, which takes keys and system keys through "
                  "the container (Alt+F5 is no Alt+T) but leaves Tab to the focus manager") {
  OpenRange(
      L"<hotkey name='h' pos='0,0,@120,@24'/>"
      L"<window name='next' focusable='1' pos='0,50,@50,@20'/>"
      L"<button name='t' id='9' pos='0,80,@60,@20'>Test(&amp;T)</button>");
  auto* field = Find<SHotKeyCtrl>(L"h");
  Click(CenterOf(L"h"));
  REQUIRE(host->GetFocus() == field->GetSwnd());
  {
    HeldKeys ctrl({VK_CONTROL});
    KeyDown('K');
    KeyUp('K');
  }
  SysKeyDown(VK_F5);
  CHECK(hotKeys == std::vector<DWORD>{MAKELONG('K', 2), MAKELONG(VK_F5, 1)});
  WORD key = 0;
  WORD modifiers = 0;
  field->GetHotKey(key, modifiers);
  CHECK(key == VK_F5);
  CHECK(modifiers == 1);
  CHECK(host->CountEvents(EventCmd::EventID, 9) == 0);
  Key(VK_TAB);
  CHECK(host->GetFocus() == Find(L"next")->GetSwnd());
}
