// Keys typed before the menu runs: they reach the deepest open level, move the highlight,
// choose, open and close levels.
#include <doctest/doctest.h>

#include "MenuExRig.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"

using namespace SWUI;

TEST_CASE("tray menu keys: Down, Down, Return chooses 8") {
  MenuExRig rig(true);
  SMenuEx menu;
  REQUIRE(menu.LoadMenu(L"smenu:menu_tray", rig.owner.hwnd));
  rig.PostKeys({VK_DOWN, VK_DOWN, VK_RETURN});
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{300, 200}) == 8);
}
