// Changing a loaded menu: finding, inserting and deleting items, also while it runs.
#include <doctest/doctest.h>

#include <vector>

#include "MenuExRig.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"
#include "control/SMenuExSep.h"

using namespace SWUI;

namespace {

std::vector<int> IdsOf(SMenuEx& level) {
  std::vector<int> ids;
  for (UINT i = 0; SMenuExItem* item = level.FindItem(i, MF_BYPOSITION); ++i) {
    ids.push_back(dynamic_cast<SMenuExSep*>(item) != nullptr ? -2 : item->GetID());
  }
  return ids;
}

}  // namespace

TEST_CASE_FIXTURE(TestMenu, "FindItem by position and by id; GetMenuItem traces a miss") {
  CHECK(menu.FindItem(1, MF_BYPOSITION) == menu.GetMenuItem(2));
  CHECK(menu.FindItem(5, MF_BYPOSITION) == menu.GetMenuItem(5));
  CHECK(menu.FindItem(6, MF_BYPOSITION) == nullptr);
  CHECK(menu.FindItem(static_cast<UINT>(-1), MF_BYPOSITION) == nullptr);
  CHECK(menu.FindItem(4, MF_BYCOMMAND) == menu.GetMenuItem(4));
  CHECK(menu.FindItem(31, MF_BYCOMMAND) == nullptr);  // another level's
  CHECK(menu.GetSubMenu(2) == nullptr);
  CHECK(menu.FindItem(2, MF_BYPOSITION)->GetSubMenu()->GetMenuItem(31) != nullptr);

  DebugOutputCapture& log = rig.h.CaptureLog();
  CHECK(menu.GetMenuItem(99) == nullptr);
  CHECK(log.Contains(
      "FindChildByID2 Failed, no window of class [menuItem] with id of [99] was found within "
      "[-1] levels"));
}

TEST_CASE("InsertMenu places items, separators and sub-menus; DeleteMenu removes them") {
  MenuExRig rig;
  SMenuEx menu;
  rig.Load(menu,
           L"<menuRoot itemHeight='20' iconPos='3'><menuItem id='1' text='a'/>"
           L"<menuItem id='2' text='b'/></menuRoot>");
  CHECK(menu.InsertMenu(0, MF_BYPOSITION, 10, L"first"));
  CHECK(menu.InsertMenu(2, MF_BYCOMMAND, 11, L"before 2"));
  CHECK(menu.InsertMenu(static_cast<UINT>(-1), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
  CHECK(menu.InsertMenu(99, MF_BYCOMMAND | MF_POPUP | MF_CHECKED, 12, L"opens"));
  CHECK(IdsOf(menu) == std::vector<int>{10, 1, 11, 2, -2, 12});
  SMenuExItem* opens = menu.GetMenuItem(12);
  CHECK(opens->GetWindowText() == L"opens");
  CHECK(opens->GetCheck() == 1);
  CHECK(menu.GetMenuItem(10)->GetCheck() == 0);
  SMenuEx* sub = menu.GetSubMenu(12);
  REQUIRE(sub != nullptr);
  CHECK(sub->GetParentItem() == opens);
  CHECK(IdsOf(*sub).empty());
  // The new level looks like this one.
  CHECK(sub->GetMenuRoot()->GetItemHeight() == 20);
  CHECK(sub->GetMenuRoot()->IsIconCentred());
  CHECK(sub->InsertMenu(0, MF_BYPOSITION, 13, L"inside"));

  // What was inserted runs like the rest: the keys reach the new level and its item.
  rig.PostKeys({VK_UP, VK_RIGHT, VK_RETURN});
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}) == 13);
  rig.PostKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}) == 11);
  const RECT rc = WindowRectOf(menu);
  CHECK(rc.bottom - rc.top == 5 * 20 + 5);

  CHECK(menu.DeleteMenu(11, MF_BYCOMMAND));
  CHECK_FALSE(menu.DeleteMenu(11, MF_BYCOMMAND));
  CHECK(menu.DeleteMenu(0, MF_BYPOSITION));
  CHECK(menu.DeleteMenu(12, MF_BYCOMMAND));  // with its sub-menu
  CHECK_FALSE(menu.DeleteMenu(7, MF_BYPOSITION));
  CHECK(IdsOf(menu) == std::vector<int>{1, 2, -2});
}

TEST_CASE_FIXTURE(TestMenu, "items deleted while the menu runs are forgotten by their level") {
  // The highlighted item goes: Return chooses nothing, the keys go on from the start.
  rig.PostKeys({VK_DOWN, VK_DOWN});
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {[&] {
                    CHECK(menu.DeleteMenu(2, MF_BYCOMMAND));
                    CHECK(menu.GetOpenItem() == nullptr);
                    PostMessageW(rig.owner.hwnd, WM_KEYDOWN, VK_RETURN, 1);
                    PostMessageW(rig.owner.hwnd, WM_KEYDOWN, VK_DOWN, 1);
                    PostMessageW(rig.owner.hwnd, WM_KEYDOWN, VK_RETURN, 1);
                  }}) == 1);
  // The item whose sub-menu is open goes, with the sub-menu.
  rig.PostKeys({VK_DOWN, VK_DOWN, VK_RIGHT});
  CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {[&] {
                    CHECK(IsWindowVisible(menu.FindItem(1, MF_BYPOSITION)->GetSubMenu()->m_hWnd));
                    CHECK(menu.DeleteMenu(1, MF_BYPOSITION));
                    PostMessageW(rig.owner.hwnd, WM_KEYDOWN, VK_RETURN, 1);
                    PostMessageW(rig.owner.hwnd, WM_KEYDOWN, VK_UP, 1);
                    PostMessageW(rig.owner.hwnd, WM_KEYDOWN, VK_RETURN, 1);
                  }}) == 4);
}
