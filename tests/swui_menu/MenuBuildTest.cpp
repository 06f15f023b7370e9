// Building owner-drawn menus from XML, their attributes, item data and who holds what.
#include <doctest/doctest.h>

#include <string>

#include "MenuRig.h"
#include "control/SMenuODWnd.h"
#include "core/SRicheditMenuDef.h"
#include "core/SSkinPoolMgr.h"

using namespace SWUI;

namespace {

pugi::xml_node EditMenuTemplate(SApplication& app) {
  auto* def = static_cast<SRicheditMenuDef*>(app.GetSingleton(SINGLETON_RICHEDITMENUDEF));
  return def->GetMenuTemplate();
}

std::wstring TempFile(const wchar_t* name, const char* text) {
  wchar_t dir[MAX_PATH];
  REQUIRE(GetTempPathW(MAX_PATH, dir) != 0);
  std::wstring path = std::wstring(dir) + L"tevaro-menu-" + std::to_wstring(GetCurrentProcessId()) + name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  REQUIRE(file != INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
  CloseHandle(file);
  return path;
}

HRESULT Set(SMenuAttr* attr, const wchar_t* name, const wchar_t* value) {
  return attr->SetAttribute(SStringW(name), SStringW(value), FALSE);
}

}  // namespace

TEST_CASE_FIXTURE(MenuRig, "the edit menu template builds six owner-drawn items that its skins can draw") {
  REQUIRE(systemResourceFailures == 0);
  SMenu menu;
  REQUIRE(menu.LoadMenu(EditMenuTemplate(app)));
  HMENU h = menu.GetHMenu();
  REQUIRE(GetMenuItemCount(h) == 6);
  const UINT ids[] = {1, 2, 3, 4, 0, 5};
  const int icons[] = {3, 4, 5, -1, 0, -1};
  const wchar_t* texts[] = {L"cut", L"copy", L"paste", L"delete", nullptr, L"select all"};
  for (int i = 0; i < 6; ++i) {
    CAPTURE(i);
    MENUITEMINFOW mii = ItemInfo(h, i);
    CHECK((mii.fType & MFT_OWNERDRAW) != 0);
    CHECK(mii.wID == ids[i]);
    const SMenuItemData* data = SMenu::GetItemData(h, i, MF_BYPOSITION);
    if (texts[i] == nullptr) {
      CHECK((mii.fType & MFT_SEPARATOR) != 0);
      CHECK(data == nullptr);
      continue;
    }
    REQUIRE(data != nullptr);
    CHECK(data->iIcon == icons[i]);
    CHECK(data->strText == texts[i]);
    CHECK(data->vHotKey == 0);
  }
  SMenuAttr* attr = menu.GetMenuAttr();
  REQUIRE(attr != nullptr);
  CHECK(attr->GetItemHeight() == 26);
  CHECK(attr->GetIconMargin() == 4);
  CHECK(attr->GetTextMargin() == 8);
  CHECK(attr->GetTrCtx() == L"editmenu");
  // The icons named by the template exist in the program's icon skin.
  REQUIRE(attr->GetIconSkin() != nullptr);
  CHECK(attr->GetIconSkin() == SSkinPoolMgr::getSingleton().GetSkin(L"_skin.sys.icons", 100));
  CHECK(attr->GetIconSkin()->GetStates() > 5);

  // One menu per object.
  CHECK_FALSE(menu.LoadMenu(EditMenuTemplate(app)));
  CHECK_FALSE(menu.LoadMenu(L"SMENU", L"XML_EDITMENU"));
  CHECK(menu.GetHMenu() == h);
}

TEST_CASE_FIXTURE(MenuRig, "a menu resource is the document's \"menu\" element") {
  const std::wstring good = TempFile(L"good.xml", "<menu><item id=\"7\">seven</item><sep/><x/></menu>");
  const std::wstring other = TempFile(L"other.xml", "<editmenu><item id=\"7\">seven</item></editmenu>");
  SMenu menu;
  CHECK_FALSE(menu.LoadMenu(L"file", other.c_str()));
  CHECK_FALSE(menu.LoadMenu(L"file", (good + L".missing").c_str()));
  CHECK(menu.GetHMenu() == nullptr);
  REQUIRE(menu.LoadMenu(L"file", good.c_str()));
  CHECK(GetMenuItemCount(menu.GetHMenu()) == 2);  // unknown elements are skipped
  CHECK(ItemInfo(menu.GetHMenu(), 0).wID == 7);
  DeleteFileW(good.c_str());
  DeleteFileW(other.c_str());
}

TEST_CASE_FIXTURE(MenuRig, "item flags, texts and user data come from the item elements") {
  SMenu menu;
  Load(menu, L"<menu><item id='1' check='1' userData='0x10'>  spaced  </item>"
             L"<item id='2' radio='1' text='from attribute'/>"
             L"<item id='3' disable='1' icon='2'>Dis&amp;abled</item>"
             L"<item popup='1' disable='1'>empty sub</item>"
             L"<item>sub<item id='4'>inner</item></item></menu>");
  HMENU h = menu.GetHMenu();
  REQUIRE(GetMenuItemCount(h) == 5);
  struct Expect {
    UINT type, state;
    const wchar_t* text;
    int icon;
    ULONG_PTR userData;
    WCHAR hotKey;
    bool popup;
  };
  const Expect expected[] = {
      {MFT_OWNERDRAW, MFS_CHECKED, L"spaced", -1, 0x10, 0, false},
      {MFT_OWNERDRAW | MFT_RADIOCHECK, MFS_CHECKED, L"from attribute", -1, 0, 0, false},
      {MFT_OWNERDRAW, MF_GRAYED, L"Dis&abled", 2, 0, L'a', false},
      {MFT_OWNERDRAW, MF_GRAYED, L"empty sub", -1, 0, 0, true},
      {MFT_OWNERDRAW, 0, L"sub", -1, 0, 0, true},
  };
  for (int i = 0; i < 5; ++i) {
    CAPTURE(i);
    MENUITEMINFOW mii = ItemInfo(h, i);
    CHECK((mii.fType & (MFT_OWNERDRAW | MFT_RADIOCHECK)) == expected[i].type);
    CHECK((mii.fState & (MFS_CHECKED | MFS_GRAYED)) == expected[i].state);
    CHECK((mii.hSubMenu != nullptr) == expected[i].popup);
    const SMenuItemData* data = SMenu::GetItemData(h, i, MF_BYPOSITION);
    REQUIRE(data != nullptr);
    CHECK(data->strText == expected[i].text);
    CHECK(data->iIcon == expected[i].icon);
    CHECK(data->dwUserData == expected[i].userData);
    CHECK(data->vHotKey == expected[i].hotKey);
  }
  HMENU sub = ItemInfo(h, 4).hSubMenu;
  CHECK(SMenu::GetItemData(sub, 0, MF_BYPOSITION)->strText == L"inner");
  CHECK(SMenuAttr::OfMenu(sub) == menu.GetMenuAttr());

  // Items by command, sub-menus included.
  CHECK(menu.GetMenuUserData(1, MF_BYCOMMAND) == 0x10);
  CHECK(menu.SetMenuUserData(4, MF_BYCOMMAND, 99));
  CHECK(menu.GetMenuUserData(4, MF_BYCOMMAND) == 99);
  CHECK(menu.ModifyMenuString(2, MF_BYCOMMAND, L"&Radio"));
  CHECK(SMenu::GetItemData(h, 1, MF_BYPOSITION)->strText == L"&Radio");
  CHECK(SMenu::GetItemData(h, 1, MF_BYPOSITION)->vHotKey == L'r');
  CHECK_FALSE(menu.ModifyMenuString(42, MF_BYCOMMAND, L"none"));
  CHECK(menu.GetMenuUserData(42, MF_BYCOMMAND) == 0);
}

TEST_CASE_FIXTURE(MenuRig, "hot keys answer menu characters by position, separators counted") {
  SMenu menu;
  Load(menu, L"<menu><item id='1'>Cu&amp;t</item><item id='2'>&amp;Copy</item><sep/>"
             L"<item id='3'>Trailing&amp;</item><item id='4'>&amp;1 first</item></menu>");
  SMenuODWnd odWnd(nullptr, menu.GetMenuAttr());
  REQUIRE(odWnd.Create(nullptr, WS_POPUP, WS_EX_NOACTIVATE, 0, 0, 0, 0, nullptr, nullptr));
  struct Case {
    WCHAR ch;
    LRESULT expected;
  };
  for (Case c : {Case{L't', 0x20000}, Case{L'T', 0x20000}, Case{L'C', 0x20001}, Case{L'c', 0x20001},
                 Case{L'x', 0}, Case{L'&', 0}, Case{L'1', 0x20004}}) {
    CAPTURE(static_cast<int>(c.ch));
    const LRESULT r = SendMessageW(odWnd.m_hWnd, WM_MENUCHAR, MAKEWPARAM(c.ch, MF_POPUP),
                                   reinterpret_cast<LPARAM>(menu.GetHMenu()));
    CHECK(r == c.expected);
  }
  // A foreign menu's item data is never read.
  HMENU foreign = CreatePopupMenu();
  AppendMenuW(foreign, MF_OWNERDRAW, 9, reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(0x1234)));
  CHECK(SendMessageW(odWnd.m_hWnd, WM_MENUCHAR, 't', reinterpret_cast<LPARAM>(foreign)) == 0);
  DestroyMenu(foreign);
}

TEST_CASE_FIXTURE(MenuRig, "attributes of the menu: defaults, names, values refused") {
  SMenu menu;
  Load(menu, L"<menu/>");
  SMenuAttr* attr = menu.GetMenuAttr();
  REQUIRE(attr != nullptr);
  CHECK(std::wstring(attr->GetObjectClass()) == L"menuattr");
  CHECK(attr->GetObjectType() == -1);
  CHECK(attr->GetIconMargin() == 2);
  CHECK(attr->GetTextMargin() == 5);
  CHECK(attr->GetIconSize().cx == 16);
  CHECK(attr->GetIconSize().cy == 16);
  CHECK(attr->GetMaxWidth() == -1);
  CHECK(attr->GetFont() != nullptr);
  ISkinObj* itemSkin = SSkinPoolMgr::getSingleton().GetBuiltinSkin(27, 100);
  REQUIRE(itemSkin != nullptr);
  CHECK(attr->GetItemSkin() == itemSkin);
  CHECK(attr->GetItemHeight() == itemSkin->GetSkinSize().cy);
  CHECK(attr->GetSepSkin() == SSkinPoolMgr::getSingleton().GetBuiltinSkin(24, 100));
  CHECK(attr->GetCheckSkin() == SSkinPoolMgr::getSingleton().GetBuiltinSkin(23, 100));
  CHECK(attr->GetIconSkin() == nullptr);
  CHECK(attr->GetTextColor() == (GetSysColor(COLOR_MENUTEXT) | 0xFF000000u));
  CHECK(attr->GetTextSelColor() == (GetSysColor(COLOR_HIGHLIGHTTEXT) | 0xFF000000u));
  CHECK(attr->GetTextGrayColor() == (GetSysColor(COLOR_GRAYTEXT) | 0xFF000000u));

  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    HRESULT hr;
  };
  const Case cases[] = {
      {L"cororTextGray", L"#102030", S_OK}, {L"colorTextGray", L"#102030", E_FAIL},
      {L"COLORTEXT", L"#405060", S_OK},     {L"colorTextSel", L"", E_FAIL},
      {L"iconSize", L"20,24", S_OK},        {L"iconSize", L"20", E_INVALIDARG},
      {L"iconSize", L"20,24,1", E_INVALIDARG}, {L"itemSkin", L"no.such.skin", E_FAIL},
      {L"maxWidth", L"0x40", S_OK},         {L"contextHelpId", L"5", E_FAIL},
  };
  for (const Case& c : cases) {
    const std::string name(c.name, c.name + wcslen(c.name));
    CAPTURE(name);
    CHECK(Set(attr, c.name, c.value) == c.hr);
  }
  CHECK(attr->GetTextGrayColor() == 0xFF302010u);
  CHECK(attr->GetTextColor() == 0xFF605040u);
  CHECK(attr->GetTextSelColor() == (GetSysColor(COLOR_HIGHLIGHTTEXT) | 0xFF000000u));
  CHECK(attr->GetIconSize().cx == 20);
  CHECK(attr->GetIconSize().cy == 24);
  CHECK(attr->GetItemSkin() == itemSkin);
  CHECK(attr->GetMaxWidth() == 0x40);
}

TEST_CASE_FIXTURE(MenuRig, "every menu of a tree holds one attribute reference, released once") {
  SMenu menu;
  Load(menu, L"<menu><item id='1'>a</item><item>sub<item id='2'>b</item>"
             L"<item>subsub<item id='3'>c</item></item></item></menu>");
  SMenuAttr* attr = menu.GetMenuAttr();
  REQUIRE(attr != nullptr);
  attr->AddRef();  // the test's own, to watch the count
  CHECK(attr->GetRefCount() == 4);

  // A new sub-menu joins the tree; one of another tree keeps its own attribute object.
  HMENU fresh = CreatePopupMenu();
  CHECK(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(fresh), L"fresh"));
  CHECK(attr->GetRefCount() == 5);
  CHECK(SMenuAttr::OfMenu(fresh) == attr);
  CHECK(menu.InsertMenu(0, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
  CHECK(ItemInfo(menu.GetHMenu(), 0).fType == (MFT_SEPARATOR | MFT_OWNERDRAW));
  CHECK(attr->GetRefCount() == 5);

  // A menu whose data belongs to someone else is refused, its data untouched.
  static char foreignData[72];
  HMENU foreign = CreatePopupMenu();
  MENUINFO mi = {};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIM_MENUDATA;
  mi.dwMenuData = reinterpret_cast<ULONG_PTR>(foreignData);
  REQUIRE(SetMenuInfo(foreign, &mi));
  CHECK_FALSE(menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(foreign), L"foreign"));
  SMenu other;
  CHECK_FALSE(other.Attach(foreign));
  CHECK_FALSE(other.Attach(nullptr));
  CHECK(other.GetHMenu() == nullptr);
  DestroyMenu(foreign);

  // Deleting the sub-menu item frees its tree: two menus' references.
  const int count = GetMenuItemCount(menu.GetHMenu());
  HMENU sub = ItemInfo(menu.GetHMenu(), 2).hSubMenu;
  REQUIRE(sub != nullptr);
  CHECK(menu.DeleteMenu(2, MF_BYPOSITION));
  CHECK(GetMenuItemCount(menu.GetHMenu()) == count - 1);
  CHECK_FALSE(IsMenu(sub));
  CHECK(attr->GetRefCount() == 3);

  {
    // An attached menu is used, not owned.
    SMenu view;
    CHECK(view.Attach(menu.GetHMenu()));
    CHECK_FALSE(view.Attach(menu.GetHMenu()));
    CHECK(view.GetMenuUserData(1, MF_BYCOMMAND) == 0);
  }
  CHECK(IsMenu(menu.GetHMenu()));
  CHECK(attr->GetRefCount() == 3);

  HMENU root = menu.GetHMenu();
  menu.DestroyMenu();
  CHECK_FALSE(IsMenu(root));
  CHECK_FALSE(IsMenu(fresh));
  CHECK(menu.GetHMenu() == nullptr);
  CHECK(attr->GetRefCount() == 1);
  menu.DestroyMenu();  // nothing left to release
  CHECK(attr->GetRefCount() == 1);
  attr->Release();
  // Once released the object is no longer trusted, whatever a stale menu says.
  CHECK(SMenuAttr::OfMenu(root) == nullptr);
}
