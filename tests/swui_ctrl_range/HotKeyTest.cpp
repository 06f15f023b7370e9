// The hot-key field: key combinations entered, the rule for forbidden modifiers, the events,
// the system keys and what it tells the focus manager.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "RangeRig.h"
#include "control/EventSetHotKey.h"
#include "control/SHotKeyCtrl.h"

using namespace SWUI;

namespace {

struct HotKey {
  WORD key;
  WORD modifiers;
  bool operator==(const HotKey& o) const { return key == o.key && modifiers == o.modifiers; }
};

struct HotKeyFixture {
  explicit HotKeyFixture(const wchar_t* attrs = L"") {
    rig.Load((std::wstring(L"<root><hotkey name='h' pos='0,0,@100,@20' ") + attrs + L"/></root>")
                 .c_str());
    ctrl = rig.Find<SHotKeyCtrl>(L"h");
    REQUIRE(ctrl->SubscribeEvent(EventSetHotKey::EventID, FnSlot([this](EventArgs* e) {
                                   auto* h = static_cast<EventSetHotKey*>(e);
                                   events.push_back(HotKey{h->vKey, h->wModifiers});
                                   return false;
                                 })));
    HeldKeys::Only({});
  }
  ~HotKeyFixture() { HeldKeys::Only({}); }
  // The key goes down (or up) with the listed keys held.
  void Down(int key, std::initializer_list<int> held, UINT msg = WM_KEYDOWN) {
    HeldKeys::Only(held);
    ctrl->SSendMessage(msg, static_cast<WPARAM>(key), 1);
  }
  void Up(int key, std::initializer_list<int> held, UINT msg = WM_KEYUP) {
    HeldKeys::Only(held);
    ctrl->SSendMessage(msg, static_cast<WPARAM>(key), 0xC0000001);
  }
  HotKey Shown() const {
    HotKey k{0, 0};
    ctrl->GetHotKey(k.key, k.modifiers);
    return k;
  }

  RangeRig rig;
  SHotKeyCtrl* ctrl = nullptr;
  std::vector<HotKey> events;
};

}  // namespace

TEST_CASE("hot key: a key without modifiers takes the default modifiers by the rule") {
  struct Case {
    const wchar_t* attrs;
    WORD modifiers;
  } cases[] = {{L"", 0}, {L"defCombKey='2'", 2}, {L"invalidComb='0' defCombKey='2'", 0}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    HotKeyFixture f(c.attrs);
    f.Down('A', {});
    CHECK(f.events == std::vector<HotKey>{{0x41, c.modifiers}});
    CHECK(f.Shown() == HotKey{0x41, c.modifiers});
  }
}

TEST_CASE("hot key: modifiers follow the keys held; each change fires again") {
  HotKeyFixture f;
  f.Down(VK_CONTROL, {VK_CONTROL});  // no name: no key yet
  f.Down(VK_SHIFT, {VK_CONTROL, VK_SHIFT});
  f.Down('S', {VK_CONTROL, VK_SHIFT});
  f.Up(VK_CONTROL, {VK_SHIFT});  // a released modifier recomputes
  f.Up('Q', {VK_SHIFT});         // another key: nothing
  f.Up('S', {VK_SHIFT});         // the chosen key ends the entry
  f.Up(VK_SHIFT, {});            // no longer entering: nothing
  CHECK(f.events == std::vector<HotKey>{{0, 2}, {0, 6}, {'S', 6}, {'S', 4}});
  CHECK(f.Shown() == HotKey{'S', 4});
  // A new entry starts from nothing.
  f.Down(VK_F5, {VK_MENU});
  CHECK(f.Shown() == HotKey{VK_F5, 1});
}

TEST_CASE("hot key: releasing every modifier before any key ends the entry") {
  HotKeyFixture f(L"invalidComb='0'");
  f.Down(VK_SHIFT, {VK_SHIFT});
  f.Up(VK_SHIFT, {});
  CHECK(f.events == std::vector<HotKey>{{0, 4}, {0, 0}});
  f.Up(VK_SHIFT, {});  // the entry is over
  CHECK(f.events.size() == 2u);
}

TEST_CASE("hot key: forbidden combinations take the default modifiers") {
  // Ctrl+Alt (64) and Shift (2) forbidden, Ctrl in their place.
  HotKeyFixture f(L"invalidComb='0x42' defCombKey='2'");
  struct Case {
    std::initializer_list<int> held;
    WORD modifiers;
  } cases[] = {{{VK_CONTROL, VK_MENU}, 2},           {{VK_SHIFT}, 2}, {{VK_SHIFT, VK_MENU}, 5},
               {{VK_CONTROL, VK_SHIFT, VK_MENU}, 7}, {{}, 0},         {{VK_MENU}, 1}};
  for (const Case& c : cases) {
    f.Down('K', c.held);
    CHECK(f.Shown() == HotKey{'K', c.modifiers});
    f.Up('K', c.held);
  }
}

TEST_CASE("hot key: system keys count while Alt is held") {
  HotKeyFixture f;
  BOOL handled = TRUE;
  HeldKeys::Only({});
  f.ctrl->SSendMessage(WM_SYSKEYDOWN, VK_F10, 1, &handled);
  CHECK_FALSE(handled);
  CHECK(f.events.empty());
  HeldKeys::Only({VK_MENU});
  f.ctrl->SSendMessage(WM_SYSKEYDOWN, 'X', 1, &handled);
  CHECK(handled);
  CHECK(f.Shown() == HotKey{'X', 1});
  HeldKeys::Only({});
  f.ctrl->SSendMessage(WM_SYSKEYUP, VK_F10, 0xC0000001, &handled);
  CHECK_FALSE(handled);
  f.ctrl->SSendMessage(WM_SYSKEYUP, VK_MENU, 0xC0000001, &handled);
  CHECK(handled);
  CHECK(f.events == std::vector<HotKey>{{'X', 1}, {'X', 0}});
}

TEST_CASE("hot key: the dialog code, the focus on a press, the attributes and the text") {
  HotKeyFixture f(L"hotKey='0x41' combKey='6'");
  CHECK(f.ctrl->OnGetDlgCode() == 0x8000FFFDu);
  CHECK(f.ctrl->IsFocusable());
  CHECK(f.Shown() == HotKey{'A', 6});
  f.ctrl->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  CHECK(f.rig.container.focus == f.ctrl->GetSwnd());
  f.ctrl->SSendMessage(WM_LBUTTONUP, 0, At(5, 5));
  f.ctrl->SetHotKey(VK_F2, 1);
  CHECK(f.Shown() == HotKey{VK_F2, 1});
  CHECK(f.events.empty());  // set by the program: no event

  // The field shows the combination's text in its text rectangle.
  f.rig.Paint();
  std::vector<DWORD> painted;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 20; ++y) painted.push_back(f.rig.Pixel(x, y));
  f.rig.Paint();
  IRenderTarget* rt = f.rig.render.Target();
  const RECT all = {0, 0, 100, 20};
  rt->ClearRect(&all, 0xFFFFFFFF);
  f.ctrl->BeforePaintEx(rt);
  RECT rc = all;
  rt->DrawText(L"Alt+F2", -1, &rc, DT_SINGLELINE | DT_VCENTER);
  std::vector<DWORD> expected;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 20; ++y) expected.push_back(f.rig.Pixel(x, y));
  CHECK(painted == expected);
}
