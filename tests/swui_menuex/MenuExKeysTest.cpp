// Keys typed before the menu runs: they reach the deepest open level, move the highlight,
// choose items, open and close levels.
#include <doctest/doctest.h>

#include <initializer_list>
#include <vector>

#include "MenuExRig.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"

using namespace SWUI;

namespace {

struct KeyCase {
  const char* what;
  std::vector<UINT> keys;
  int result;
};

int RunKeys(MenuExRig& rig, SMenuEx& menu, const std::vector<UINT>& keys, UINT flags) {
  for (UINT vk : keys) REQUIRE(PostMessageW(rig.owner.hwnd, WM_KEYDOWN, vk, 1));
  return rig.Track(menu, flags, POINT{200, 150});
}

}  // namespace

TEST_CASE("the tray menu's keys: Down, Down, Return chooses 8; Up the last; Escape and Left 0") {
  MenuExRig rig(true);
  SMenuEx menu;
  REQUIRE(menu.LoadMenu(L"smenu:menu_tray", rig.owner.hwnd));
  const KeyCase cases[] = {
      {"Down, Down, Return", {VK_DOWN, VK_DOWN, VK_RETURN}, 8},
      {"Up, Return", {VK_UP, VK_RETURN}, 10},
      {"Up, Up, Return", {VK_UP, VK_UP, VK_RETURN}, 63},
      {"Down five times wraps", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 7},
      {"Up wraps back", {VK_DOWN, VK_UP, VK_RETURN}, 10},
      {"Escape", {VK_DOWN, VK_ESCAPE}, 0},
      {"Left on the top level", {VK_DOWN, VK_LEFT}, 0},
      {"Right without a sub-menu does nothing", {VK_DOWN, VK_RIGHT, VK_RETURN}, 7},
  };
  for (const KeyCase& c : cases) {
    CAPTURE(c.what);
    CHECK(RunKeys(rig, menu, c.keys, TPM_RETURNCMD) == c.result);
    CHECK(menu.GetOpenItem() == nullptr);
    CHECK_FALSE(IsWindowVisible(menu.m_hWnd));
  }
  CHECK(rig.owner.commands.empty());
}

TEST_CASE_FIXTURE(TestMenu,
                  "Up and Down pass over separators and disabled items; hot keys choose") {
  const KeyCase cases[] = {
      {"Up skips the disabled last item", {VK_UP, VK_RETURN}, 4},
      {"Down past the separator", {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, 4},
      {"the disabled item's place wraps", {VK_UP, VK_DOWN, VK_RETURN}, 1},
      {"hot key, any case", {'T'}, 2},
      {"hot key given in lower case", {'O'}, 1},
      {"a disabled item's hot key chooses nothing", {'F', VK_ESCAPE}, 0},
      {"a key no item has", {'Q', VK_ESCAPE}, 0},
      {"Return without a highlighted item", {VK_RETURN, VK_ESCAPE}, 0},
  };
  for (const KeyCase& c : cases) {
    CAPTURE(c.what);
    CHECK(RunKeys(rig, menu, c.keys, TPM_RETURNCMD) == c.result);
  }
}

TEST_CASE_FIXTURE(TestMenu,
                  "without TPM_RETURNCMD only a chosen item goes to the owner, as WM_COMMAND") {
  CHECK(RunKeys(rig, menu, {VK_DOWN, VK_DOWN, VK_RETURN}, 0) == 1);
  CHECK(rig.owner.commands == std::vector<int>{2});
  rig.owner.commands.clear();
  CHECK(RunKeys(rig, menu, {VK_ESCAPE}, 0) == 1);
  CHECK(RunKeys(rig, menu, {VK_DOWN, VK_LEFT}, 0) == 1);
  CHECK(rig.owner.commands.empty());
}

TEST_CASE_FIXTURE(TestMenu,
                  "a sub-menu opens with Right, its first item highlighted, and closes with Left") {

  // The owner hears of each level once, the first time it shows.
  CHECK(RunKeys(rig, menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN},
                TPM_RETURNCMD) == 32);
  CHECK(rig.owner.initLevels == std::vector<SMenuEx*>{&menu, sub});
  CHECK(rig.owner.initIndexes == std::vector<LPARAM>{0, 2});
  CHECK_FALSE(IsWindowVisible(sub->m_hWnd));
  CHECK(sub->GetOpenItem() == nullptr);
  CHECK_FALSE(more->IsChecked());

  const KeyCase cases[] = {
      {"Right selects the first item", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}, 31},
      {"hot keys of the open level", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, 'X'}, 32},
      {"Left closes the sub-menu only",
       {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN},
       4},
      {"Escape closes the sub-menu only",
       {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_UP, VK_RETURN},
       2},
      {"then Escape closes the menu",
       {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_ESCAPE, VK_ESCAPE},
       0},
      {"Return on the item opens it, the menu runs on",
       {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, 'X'},
       32},
  };
  for (const KeyCase& c : cases) {
    CAPTURE(c.what);
    CHECK(RunKeys(rig, menu, c.keys, TPM_RETURNCMD) == c.result);
  }
  CHECK(rig.owner.initLevels.size() == 2);
}

TEST_CASE_FIXTURE(TestMenu, "the highlight of the keys while a sub-menu is open") {
  rig.PostKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
  rig.Track(menu, TPM_RETURNCMD, POINT{200, 150},
            {[&] {
               CHECK(menu.GetOpenItem() == more);
               CHECK(more->IsChecked());
               CHECK(sub->GetOpenItem() == sub->GetMenuItem(31));
               CHECK(sub->GetMenuItem(31)->IsChecked());
               PostMessageW(rig.owner.hwnd, WM_KEYDOWN, VK_LEFT, 1);
             },
             [&] {
               // Left leaves the item that opened the sub-menu highlighted.
               CHECK_FALSE(IsWindowVisible(sub->m_hWnd));
               CHECK(menu.GetOpenItem() == more);
               CHECK(more->IsChecked());
               CHECK_FALSE(sub->GetMenuItem(31)->IsChecked());
               SMenuEx::ExitPopupMenu(0);
             }});
}
