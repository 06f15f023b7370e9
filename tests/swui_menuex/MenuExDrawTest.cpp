// What a level draws: the item skin by state, marks and icons in the icon column, the text
// after it, the sub-menu arrow; separators; the program's menus as they look.
#include <doctest/doctest.h>

#include "MenuExRig.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"

using namespace SWUI;

TEST_CASE("the program's tray menu as it shows") {
  MenuExRig rig(true);
  SMenuEx menu;
  REQUIRE(menu.LoadMenu(L"smenu:menu_tray", rig.owner.hwnd));
  rig.PostKeys({VK_DOWN});
  rig.Track(menu, TPM_RETURNCMD, POINT{300, 200},
            {[&] { CHECK(HostHarness::SavePng(menu, L"menuex_tray", 3)); },
             [&] { SMenuEx::ExitPopupMenu(0); }});
}

TEST_CASE("the program's main menu with a sub-menu open") {
  MenuExRig rig(true);
  SMenuEx menu;
  REQUIRE(menu.LoadMenu(L"smenu:menu_main", rig.owner.hwnd));
  menu.GetSubMenu(5)->GetMenuItem(52)->SetAttribute(SStringW(L"check"), SStringW(L"1"), FALSE);
  rig.PostKeys({VK_DOWN, VK_RIGHT, VK_DOWN});
  rig.Track(menu, TPM_RETURNCMD, POINT{300, 200},
            {[&] {
               CHECK(HostHarness::SavePng(menu, L"menuex_main", 3));
               CHECK(HostHarness::SavePng(*menu.GetSubMenu(5), L"menuex_main_sub", 3));
             },
             [&] { SMenuEx::ExitPopupMenu(0); }});
}
