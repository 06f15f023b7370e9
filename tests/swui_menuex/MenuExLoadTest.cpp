// Building menus: the program's menus, the levels' windows, the classes, attributes and sizes.
#include <doctest/doctest.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "MenuExRig.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"
#include "control/SMenuExSep.h"
#include "core/EventInit.h"
#include "res.mgr/SResProviderFiles.h"

using namespace SWUI;

namespace {

std::vector<int> IdsOf(SMenuEx& level) {
  std::vector<int> ids;
  for (UINT i = 0; SMenuExItem* item = level.FindItem(i, MF_BYPOSITION); ++i) {
    ids.push_back(item->GetID());
  }
  return ids;
}

// The size the level asks for, as ShowMenu measures it.
SIZE LevelSize(SMenuEx& level) { return level.GetMenuRoot()->GetDesiredSize(10000, 10000); }

}  // namespace

TEST_CASE("the program's menus load whole with the menu class; the tray menu is 114 high") {
  MenuExRig rig(true);
  SMenuEx tray;
  REQUIRE(tray.LoadMenu(L"smenu:menu_tray", rig.owner.hwnd));
  CHECK(IdsOf(tray) == std::vector<int>{7, 8, 63, 10});
  CHECK_FALSE(tray.LoadMenu(L"smenu:menu_tray", rig.owner.hwnd));
  rig.PostKeys({VK_ESCAPE});
  CHECK(rig.Track(tray, TPM_RETURNCMD, POINT{300, 200}) == 0);
  const RECT rc = WindowRectOf(tray);
  CHECK(rc.bottom - rc.top == 114);  // 4 items of 26 and the margins of 5
  CHECK(rc.right - rc.left >= 100);
  CHECK(rc.right - rc.left <= 180);
  CHECK(tray.GetTranslatorContext() == L"main_menu");

  SMenuEx user;
  SMenuEx admin;
  REQUIRE(user.LoadMenu(L"smenu:menu_main", rig.owner.hwnd));
  REQUIRE(admin.LoadMenu(L"SMENU:menu_main_admin", rig.owner.hwnd));
  CHECK(IdsOf(user) == std::vector<int>{5, 3, 4, 70, 80, 0, 63});
  CHECK(IdsOf(admin) == std::vector<int>{5, 16, 3, 4, 20, 70, 80, 0, 63});
  REQUIRE(admin.GetSubMenu(20) != nullptr);
  CHECK(IdsOf(*admin.GetSubMenu(20)) == std::vector<int>{1, 2});
  CHECK(IdsOf(*user.GetSubMenu(4)) == std::vector<int>{40, 41});
  CHECK(IdsOf(*user.GetSubMenu(70)) == std::vector<int>{71, 72, 73, 74, 75, 76});
  SMenuEx* language = user.GetSubMenu(5);
  REQUIRE(language != nullptr);
  CHECK(IdsOf(*language) == std::vector<int>{51, 52});
  CHECK(language->GetMenuItem(52)->GetRadio() == 1);
  CHECK(language->GetMenuItem(52)->GetWindowText() == L"English");
  // Every level translates in the top menu's context and shares its look.
  CHECK(language->GetTranslatorContext() == L"main_menu");
  CHECK(language->GetMenuRoot()->GetItemHeight() == 26);
  CHECK(language->GetMenuRoot()->GetWindowText().IsEmpty());
  CHECK(user.GetSubMenu(3) == nullptr);
}

TEST_CASE("what cannot be a menu is refused") {
  MenuExRig rig(true);
  SMenuEx noType;
  CHECK_FALSE(noType.LoadMenu(L"menu_tray", rig.owner.hwnd));  // no type: "SMENUEX"
  SMenuEx missing;
  CHECK_FALSE(missing.LoadMenu(L"smenu:menu_none", rig.owner.hwnd));
  CHECK(missing.TrackPopupMenu(TPM_RETURNCMD, 10, 10, rig.owner.hwnd) == -1);
  SMenuEx wrong;
  pugi::xml_document doc;
  REQUIRE(doc.load_string(L"<menu><menuItem id='1'/></menu>"));
  CHECK_FALSE(wrong.IniMenu(doc.first_child(), rig.owner.hwnd));
  CHECK(wrong.m_hWnd == nullptr);
  CHECK(wrong.TrackPopupMenu(0, 10, 10, rig.owner.hwnd) == -1);
  CHECK(rig.owner.commands.empty());
}

TEST_CASE("a name without a type is a resource of type SMENUEX") {
  wchar_t temp[MAX_PATH];
  REQUIRE(GetTempPathW(MAX_PATH, temp) != 0);
  wchar_t dir[MAX_PATH];
  swprintf(dir, MAX_PATH, L"%lsmenuex_res_%lu\\", temp, GetCurrentProcessId());
  CreateDirectoryW(dir, nullptr);
  const auto write = [&](const wchar_t* name, const char* text) {
    FILE* f = _wfopen((std::wstring(dir) + name).c_str(), L"wb");
    REQUIRE(f != nullptr);
    fputs(text, f);
    fclose(f);
  };
  write(L"uires.idx",
        "<resource><SMENUEX><file name='plain' path='plain.xml'/>"
        "<file name='other' path='other.xml'/></SMENUEX></resource>");
  write(L"plain.xml",
        "<menuRoot><menuItem id='3' text='a'/><menuItem id='4' text='b'/></menuRoot>");
  write(L"other.xml", "<menu><menuItem id='3' text='a'/></menu>");
  MenuExRig rig;
  auto* files = new SResProviderFiles();
  REQUIRE(files->Init(reinterpret_cast<WPARAM>(dir), 0));
  rig.h.app.AddResProvider(files);
  files->Release();

  SMenuEx plain;
  REQUIRE(plain.LoadMenu(L"plain", rig.owner.hwnd));
  CHECK(IdsOf(plain) == std::vector<int>{3, 4});
  SMenuEx typed;
  CHECK(typed.LoadMenu(L"SMENUEX:plain", rig.owner.hwnd));
  SMenuEx other;
  CHECK_FALSE(other.LoadMenu(L"other", rig.owner.hwnd));  // its first element is no menu
  CHECK(other.m_hWnd == nullptr);
}

TEST_CASE_FIXTURE(TestMenu,
                  "levels are translucent topmost tool popups that never take the activation") {
  for (SMenuEx* level : {&menu, sub}) {
    const LONG style = GetWindowLongW(level->m_hWnd, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(level->m_hWnd, GWL_EXSTYLE);
    CHECK((style & WS_POPUP) != 0);
    CHECK((exStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW)) == 0x88);
    CHECK((exStyle & WS_EX_LAYERED) != 0);
    CHECK(level->IsTranslucent());
    CHECK_FALSE(IsWindowVisible(level->m_hWnd));
    CHECK(SendMessageW(level->m_hWnd, WM_MOUSEACTIVATE, 0, 0) == MA_NOACTIVATE);
    CHECK(GetWindow(level->m_hWnd, GW_OWNER) == rig.owner.hwnd);
  }
  CHECK(sub->GetParentItem() == menu.FindItem(2, MF_BYPOSITION));
  CHECK(sub->GetTranslatorContext() == L"test_ctx");
  // The top menu's attributes are every level's.
  CHECK(sub->GetMenuRoot()->GetTextOffset() == 6);
  CHECK(sub->GetMenuRoot()->GetStyle().GetBkgndColor() ==
        menu.GetMenuRoot()->GetStyle().GetBkgndColor());

  // A sub-menu opened by the keys belongs to the level that opened it.
  rig.PostKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
  rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {[&] {
              CHECK(IsWindowVisible(sub->m_hWnd));
              CHECK(GetWindow(sub->m_hWnd, GW_OWNER) == menu.m_hWnd);
              CHECK(GetForegroundWindow() == rig.owner.hwnd);
              SMenuEx::ExitPopupMenu(0);
            }});
  CHECK_FALSE(IsWindowVisible(menu.m_hWnd));
  CHECK_FALSE(IsWindowVisible(sub->m_hWnd));
}

TEST_CASE("a menu whose owner window is destroyed first is left empty, not broken") {
  MenuExRig rig;
  auto owner = std::make_unique<OwnerWnd>(RECT{300, 300, 400, 400});
  SMenuEx menu;
  pugi::xml_document doc;
  REQUIRE(doc.load_string(kTestMenu));
  REQUIRE(menu.IniMenu(doc.first_child(), owner->hwnd));
  SMenuEx* sub = menu.FindItem(2, MF_BYPOSITION)->GetSubMenu();
  REQUIRE(sub != nullptr);
  owner.reset();  // its owned windows, the levels, go with it
  CHECK(menu.m_hWnd == nullptr);
  CHECK(menu.GetMenuRoot() == nullptr);
  CHECK(menu.FindItem(0, MF_BYPOSITION) == nullptr);
  CHECK_FALSE(menu.InsertMenu(0, MF_BYPOSITION, 1, L"a"));
  CHECK_FALSE(menu.DeleteMenu(1, MF_BYCOMMAND));
  CHECK(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, rig.owner.hwnd) == -1);
}

TEST_CASE_FIXTURE(TestMenu, "classes of the menu's elements; a separator is disabled") {
  SMenuExRoot* root = menu.GetMenuRoot();
  CHECK(std::wstring(root->GetObjectClass()) == L"menuRoot");
  CHECK(root->IsClass(L"window"));
  SMenuExItem* item = menu.FindItem(0, MF_BYPOSITION);
  CHECK(std::wstring(item->GetObjectClass()) == L"menuItem");
  CHECK(item->IsClass(L"window"));
  CHECK_FALSE(item->IsClass(L"sep"));
  SMenuExItem* sep = menu.FindItem(3, MF_BYPOSITION);
  REQUIRE(dynamic_cast<SMenuExSep*>(sep) != nullptr);
  CHECK(std::wstring(sep->GetObjectClass()) == L"sep");
  CHECK(sep->IsClass(L"menuItem"));
  CHECK(sep->IsDisabled(FALSE));
  CHECK(sep->IsDisabled(TRUE));
  // Items are placed by the level: every item as wide as the level, one under the other.
  rig.PostKeys({VK_ESCAPE});
  rig.Track(menu, TPM_RETURNCMD, POINT{100, 100});
  const RECT client = root->GetClientRect();
  LONG top = client.top;
  for (UINT i = 0; SMenuExItem* each = menu.FindItem(i, MF_BYPOSITION); ++i) {
    const RECT rc = each->GetWindowRect();
    CHECK(rc.left == client.left);
    CHECK(rc.right == client.right);
    CHECK(rc.top == top);
    top = rc.bottom;
  }
  CHECK(top == client.bottom);
}

TEST_CASE("root and item attributes: iconPos forms, skins by name, what repaints") {
  MenuExRig rig;
  SMenuEx menu;
  rig.Load(menu, L"<menuRoot><menuItem id='1' text='a'/></menuRoot>");
  SMenuExRoot* root = menu.GetMenuRoot();
  CHECK(root->GetIconX() == 0);
  CHECK_FALSE(root->IsIconCentred());
  CHECK(root->SetAttribute(SStringW(L"iconPos"), SStringW(L"3"), FALSE) == S_OK);
  CHECK(root->GetIconX() == 3);
  CHECK(root->IsIconCentred());
  CHECK(root->GetIconY() == -1000);
  CHECK(root->SetAttribute(SStringW(L"ICONPOS"), SStringW(L"4,5"), FALSE) == S_OK);
  CHECK(root->GetIconX() == 4);
  CHECK(root->GetIconY() == 5);
  CHECK(root->SetAttribute(SStringW(L"iconPos"), SStringW(L"1,2,3"), FALSE) == E_INVALIDARG);
  CHECK(root->GetIconX() == 4);
  CHECK(root->GetIconY() == 5);

  // Defaults: the built-in skins, 26 dp items, a 24 dp column, 100 dp at least.
  CHECK(std::wstring(root->GetItemSkin()->GetName()) == L"_skin.sys.menu.skin");
  CHECK(std::wstring(root->GetCheckSkin()->GetName()) == L"_skin.sys.menu.check");
  CHECK(std::wstring(root->GetArrowSkin()->GetName()) == L"_skin.sys.menu.arrow");
  CHECK(std::wstring(root->GetSepSkin()->GetName()) == L"_skin.sys.menu.sep");
  CHECK(root->GetIconSkin() == nullptr);
  CHECK(root->GetItemHeight() == 26);
  CHECK(root->GetIconBarWidth() == 24);
  CHECK(root->GetMinWidth() == 100);
  CHECK(root->SetAttribute(SStringW(L"itemSkin"), SStringW(L"no_such_skin"), FALSE) == E_FAIL);
  CHECK(std::wstring(root->GetItemSkin()->GetName()) == L"_skin.sys.menu.skin");
  CHECK(root->SetAttribute(SStringW(L"iconSkin"), SStringW(L"_skin.sys.icons"), FALSE) == S_FALSE);
  CHECK(root->GetIconSkin() != nullptr);
  CHECK(root->SetAttribute(SStringW(L"itemHeight"), SStringW(L"30dp"), FALSE) == S_FALSE);
  CHECK(root->SetAttribute(SStringW(L"contextHelpId"), SStringW(L"12"), FALSE) == S_FALSE);
  CHECK(root->GetContextHelpId() == 12);

  SMenuExItem* item = menu.GetMenuItem(1);
  CHECK(item->GetIcon() == -1);
  CHECK(item->SetAttribute(SStringW(L"icon"), SStringW(L"2"), FALSE) == S_OK);
  CHECK(item->SetAttribute(SStringW(L"check"), SStringW(L"1"), FALSE) == S_OK);
  CHECK(item->SetAttribute(SStringW(L"radio"), SStringW(L"1"), FALSE) == S_OK);
  CHECK(item->SetAttribute(SStringW(L"hotKey"), SStringW(L"xyz"), FALSE) == S_FALSE);
  CHECK(item->GetIcon() == 2);
  CHECK(item->GetCheck() == 1);
  CHECK(item->GetRadio() == 1);
  CHECK(item->GetHotKey() == L'x');
}

TEST_CASE("sizes: items add the icon column, separators do not widen a level, limits") {
  MenuExRig rig;
  SMenuEx menu;
  rig.Load(menu,
           L"<menuRoot textOffset='6' margin='3,4,5,6'>"
           L" <menuItem id='1' text='Plain'/>"
           L" <menuItem id='2' text='Opens'><menuItem id='21' text='x'/></menuItem>"
           L" <menuItem id='3' text='Given' width='150' height='40'/>"
           L" <menuItem id='4' text='Hidden' visible='0'/>"
           L" <sep/>"
           L" <sep height='8'/>"
           L"</menuRoot>");
  auto own = [](SWindow* w) { return w->SWindow::GetDesiredSize(-1, -1); };
  SMenuExItem* plain = menu.GetMenuItem(1);
  SMenuExItem* opens = menu.GetMenuItem(2);
  const SIZE plainSize = plain->GetDesiredSize(-1, -1);
  CHECK(plainSize.cx == own(plain).cx + 24 + 6);
  CHECK(plainSize.cy == 26);
  CHECK(opens->GetDesiredSize(-1, -1).cx == own(opens).cx + 24 + 6 + 16);  // the arrow
  CHECK(menu.GetMenuItem(3)->GetDesiredSize(-1, -1).cx == 150);
  CHECK(menu.GetMenuItem(3)->GetDesiredSize(-1, -1).cy == 40);
  CHECK(menu.GetMenuItem(4)->GetDesiredSize(-1, -1).cx == 0);
  CHECK(menu.GetMenuItem(4)->GetDesiredSize(-1, -1).cy == 0);
  const SIZE sep = menu.FindItem(4, MF_BYPOSITION)->GetDesiredSize(-1, -1);
  CHECK(sep.cx == SMenuExSep::kWidth);
  CHECK(sep.cy == 5);  // the built-in separator's height
  CHECK(menu.FindItem(5, MF_BYPOSITION)->GetDesiredSize(-1, -1).cy == 8);

  // The widest item (the given 150) and the heights, plus the margins.
  SIZE level = LevelSize(menu);
  CHECK(level.cx == 150 + 3 + 5);
  CHECK(level.cy == 26 + 26 + 40 + 0 + 5 + 8 + 4 + 6);
  SMenuExRoot* root = menu.GetMenuRoot();
  root->SetAttribute(SStringW(L"maxWidth"), SStringW(L"120"), FALSE);
  CHECK(LevelSize(menu).cx == 120);
  root->SetAttribute(SStringW(L"minWidth"), SStringW(L"200"), FALSE);
  CHECK(LevelSize(menu).cx == 200);

  // A level of separators only is as wide as its least width.
  SMenuEx seps;
  rig.Load(seps, L"<menuRoot><sep/><sep/></menuRoot>");
  CHECK(LevelSize(seps).cx == 100);
  CHECK(LevelSize(seps).cy == 10);
}

TEST_CASE("every level is measured at the running menu's scale") {
  MenuExRig rig;
  SMenuEx menu;
  rig.Load(menu, L"<menuRoot><menuItem id='1' text='a'/><menuItem id='2' text='b'/></menuRoot>");
  CHECK(menu.GetScale() == 100);
  rig.PostKeys({VK_ESCAPE});
  rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {}, 150);
  RECT rc = WindowRectOf(menu);
  CHECK(rc.bottom - rc.top == 2 * 39);
  CHECK(rc.right - rc.left == 150);
  CHECK(menu.GetMenuRoot()->GetCheckSkin()->GetScale() == 150);
  CHECK(menu.GetMenuItem(1)->GetBkgndSkin()->GetScale() == 150);
  CHECK(menu.GetScale() == 100);  // no menu runs any more
  rig.PostKeys({VK_ESCAPE});
  rig.Track(menu, TPM_RETURNCMD, POINT{100, 100});
  rc = WindowRectOf(menu);
  CHECK(rc.bottom - rc.top == 2 * 26);
}

TEST_CASE("a sub-menu level is built when it first shows or is asked for; levels take no drop") {
  OleInitialize(nullptr);
  {
    MenuExRig rig;
    SMenuEx menu;
    rig.Load(menu, kTestMenu);
    SMenuExItem* more = menu.FindItem(2, MF_BYPOSITION);
    REQUIRE(more != nullptr);
    SMenuEx* level = more->PeekSubMenu();
    REQUIRE(level != nullptr);
    CHECK(level->m_hWnd == nullptr);
    CHECK(RevokeDragDrop(menu.m_hWnd) == DRAGDROP_E_NOTREGISTERED);

    // Opened while the menu runs: built then, the events of its building (its host's
    // "on_init") reach nobody, and it is the level the item keeps.
    rig.owner.Clear();
    rig.PostKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    CHECK(rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}) == 32);
    CHECK(more->PeekSubMenu() == level);
    CHECK(level->m_hWnd != nullptr);
    CHECK(std::count(rig.owner.eventIds.begin(), rig.owner.eventIds.end(),
                     static_cast<int>(EventInit::EventID)) == 0);
    CHECK(rig.owner.initLevels == std::vector<SMenuEx*>{&menu, level});
    CHECK(RevokeDragDrop(level->m_hWnd) == DRAGDROP_E_NOTREGISTERED);

    // Asked for by the program (to check an item, say) it is built at once.
    SMenuEx other;
    rig.Load(other, kTestMenu);
    REQUIRE(other.GetSubMenu(0) == nullptr);
    SMenuEx* asked = other.FindItem(2, MF_BYPOSITION)->GetSubMenu();
    REQUIRE(asked != nullptr);
    CHECK(asked->m_hWnd != nullptr);
    CHECK(asked->GetMenuItem(31) != nullptr);
  }
  OleUninitialize();
}
