// What a level draws: the item skin by state, marks and icons in the icon column, the text
// after it, the sub-menu arrow; separators; the program's menus as they look.
#include <doctest/doctest.h>

#include <functional>

#include "MenuExRig.h"
#include "control/SMenuExItem.h"
#include "control/SMenuExRoot.h"

using namespace SWUI;

namespace {

// Solid colours of the built-in menu skins.
constexpr DWORD kSelected = 0x2F7BD8;  // the item skin's highlighted state
constexpr DWORD kMark = 0x202020;      // check and radio marks
constexpr DWORD kArrow = 0x404040;
constexpr DWORD kSepLine = 0xD7D7D7;
constexpr DWORD kWhite = 0xFFFFFF;

const wchar_t kDrawMenu[] =
    L"<menuRoot colorBkgnd='#ffffff' iconPos='2,0' textOffset='6' colorText='#000000'>"
    L" <menuItem id='1' text='Checked' check='1'/>"
    L" <menuItem id='2' text='Radio on' check='1' radio='1'/>"
    L" <menuItem id='3' text='Radio off' radio='1'/>"
    L" <menuItem id='4' text='Plain'/>"
    L" <menuItem id='5' text='Opens'><menuItem id='51' text='x'/></menuItem>"
    L" <sep/>"
    L" <menuItem id='6' text='Last'/>"
    L"</menuRoot>";

DWORD PixelOf(SMenuEx& level, int x, int y) {
  return level.GetMemRenderTarget()->GetPixel(x, y) & 0xFFFFFF;
}

int Count(SMenuEx& level, const RECT& rc, DWORD rgb) {
  int count = 0;
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) {
      if (PixelOf(level, x, y) == rgb) ++count;
    }
  }
  return count;
}

// The first row of a rectangle holding a pixel of that colour; -1 when none does.
int FirstRowOf(SMenuEx& level, const RECT& rc, DWORD rgb) {
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) {
      if (PixelOf(level, x, y) == rgb) return y;
    }
  }
  return -1;
}

// The icon column of an item.
RECT ColumnOf(SMenuExItem* item) {
  RECT rc = item->GetWindowRect();
  rc.right = rc.left + 24;
  return rc;
}

// Pixels of a rectangle that are not the white background.
int Drawn(SMenuEx& level, const RECT& rc) {
  return (rc.right - rc.left) * (rc.bottom - rc.top) - Count(level, rc, kWhite);
}

// Runs the menu with the keys given and inspects it, painted, inside its loop.
void Inspect(MenuExRig& rig, SMenuEx& menu, std::initializer_list<UINT> keys,
             const std::function<void()>& check) {
  rig.PostKeys(keys);
  rig.Track(menu, TPM_RETURNCMD, POINT{100, 100}, {[&] {
              HostHarness::SavePng(menu, L"", 1);  // paints what is pending
              check();
              SMenuEx::ExitPopupMenu(0);
            }});
}

}  // namespace

TEST_CASE("marks in the icon column by check and radio, the arrow, the separator, the highlight") {
  MenuExRig rig;
  SMenuEx menu;
  rig.Load(menu, kDrawMenu);
  Inspect(rig, menu, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN}, [&] {
    HostHarness::SavePng(menu, L"menuex_marks", 3);
    SMenuExItem* checked = menu.GetMenuItem(1);
    SMenuExItem* radioOn = menu.GetMenuItem(2);
    SMenuExItem* radioOff = menu.GetMenuItem(3);
    SMenuExItem* plain = menu.GetMenuItem(4);
    SMenuExItem* opens = menu.GetMenuItem(5);
    CHECK(Count(menu, ColumnOf(checked), kMark) > 0);
    CHECK(Count(menu, ColumnOf(radioOn), kMark) > 0);
    CHECK(Drawn(menu, ColumnOf(radioOff)) > 0);
    CHECK(Drawn(menu, ColumnOf(menu.GetMenuItem(6))) == 0);
    // Three states of the check skin: three different marks.
    CHECK(Drawn(menu, ColumnOf(checked)) != Drawn(menu, ColumnOf(radioOn)));
    CHECK(Drawn(menu, ColumnOf(radioOn)) != Drawn(menu, ColumnOf(radioOff)));
    // The marks keep their size and start at the column's left plus 2, its top plus 0.
    const RECT rc = checked->GetWindowRect();
    CHECK(Drawn(menu, RECT{rc.left, rc.top, rc.left + 2, rc.bottom}) == 0);
    CHECK(Drawn(menu, RECT{rc.left, rc.top + 16, rc.left + 24, rc.bottom}) == 0);

    // Only the item with a sub-menu has the arrow, at its right end.
    const RECT o = opens->GetWindowRect();
    CHECK(Count(menu, RECT{o.right - 16, o.top, o.right, o.bottom}, kArrow) > 0);
    const RECT p = plain->GetWindowRect();
    CHECK(Count(menu, RECT{p.right - 16, p.top, p.right, p.bottom}, kArrow) == 0);

    // The highlighted item (the fourth) in the item skin's second state, no other.
    CHECK(menu.GetOpenItem() == plain);
    CHECK(Count(menu, p, kSelected) > (p.right - p.left) * 10);
    CHECK(Count(menu, checked->GetWindowRect(), kSelected) == 0);
    CHECK(Count(menu, menu.GetMenuItem(6)->GetWindowRect(), kSelected) == 0);

    const RECT sep = menu.FindItem(5, MF_BYPOSITION)->GetWindowRect();
    CHECK(sep.bottom - sep.top == 5);
    CHECK(Count(menu, sep, kSepLine) > 0);
    CHECK(Count(menu, p, kSepLine) == 0);

    // The text starts after the column and the text offset.
    const RECT last = menu.GetMenuItem(6)->GetWindowRect();
    CHECK(Drawn(menu, RECT{last.left, last.top, last.left + 30, last.bottom}) == 0);
    CHECK(Drawn(menu, RECT{last.left + 30, last.top, last.left + 32, last.bottom}) > 0);
  });
}

TEST_CASE("one iconPos value centres the marks vertically") {
  MenuExRig rig;
  SMenuEx atTop;
  SMenuEx centred;
  rig.Load(atTop, kDrawMenu);
  rig.Load(centred, kDrawMenu);
  centred.GetMenuRoot()->SetAttribute(SStringW(L"iconPos"), SStringW(L"2"), FALSE);
  int rowAtTop = -1;
  int rowCentred = -1;
  Inspect(rig, atTop, {}, [&] {
    SMenuExItem* item = atTop.GetMenuItem(1);
    rowAtTop = FirstRowOf(atTop, ColumnOf(item), kMark) - item->GetWindowRect().top;
  });
  Inspect(rig, centred, {}, [&] {
    SMenuExItem* item = centred.GetMenuItem(1);
    rowCentred = FirstRowOf(centred, ColumnOf(item), kMark) - item->GetWindowRect().top;
  });
  REQUIRE(rowAtTop >= 0);
  CHECK(rowCentred - rowAtTop == (26 - 16) / 2);
}

TEST_CASE("an item hovered by the mouse shows the arrow's second state and the highlight") {
  MenuExRig rig;
  SMenuEx menu;
  rig.Load(menu, kDrawMenu);
  SMenuExItem* opens = menu.GetMenuItem(5);
  RECT o = {0, 0, 0, 0};
  int arrowNormal = 0;
  Inspect(rig, menu, {}, [&] {
    o = opens->GetWindowRect();
    arrowNormal = Count(menu, RECT{o.right - 16, o.top, o.right, o.bottom}, kArrow);
  });
  rig.Track(
      menu, TPM_RETURNCMD, POINT{100, 100},
      {[&] {
         POINT pt = {(o.left + o.right) / 2, (o.top + o.bottom) / 2};
         POINT screen = pt;
         ClientToScreen(menu.m_hWnd, &screen);
         SetCursorPos(screen.x, screen.y);
         PostMessageW(menu.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
       },
       [&] {
         HostHarness::SavePng(menu, L"menuex_hover", 3);
         CHECK(Count(menu, o, kSelected) > 0);
         CHECK(Count(menu, RECT{o.right - 16, o.top, o.right, o.bottom}, kArrow) != arrowNormal);
         SMenuEx::ExitPopupMenu(0);
       }});
}

TEST_CASE("the program's menus as they show") {
  MenuExRig rig(true);
  SMenuEx tray;
  REQUIRE(tray.LoadMenu(L"smenu:menu_tray", rig.owner.hwnd));
  tray.GetMenuItem(8)->SetAttribute(SStringW(L"check"), SStringW(L"1"), FALSE);
  Inspect(rig, tray, {VK_DOWN}, [&] {
    CHECK(HostHarness::SavePng(tray, L"menuex_tray", 3));
    // Opaque inside its rounded frame: nothing of what lies behind shows through.
    const RECT client = tray.GetMenuRoot()->GetClientRect();
    for (int y = client.top; y < client.bottom; y += 3) {
      for (int x = client.left; x < client.right; x += 3) {
        CHECK((tray.GetMemRenderTarget()->GetPixel(x, y) >> 24) == 0xFF);
      }
    }
  });

  SMenuEx menu;
  REQUIRE(menu.LoadMenu(L"smenu:menu_main", rig.owner.hwnd));
  menu.GetSubMenu(5)->GetMenuItem(52)->SetAttribute(SStringW(L"check"), SStringW(L"1"), FALSE);
  Inspect(rig, menu, {VK_DOWN, VK_RIGHT, VK_DOWN}, [&] {
    CHECK(HostHarness::SavePng(menu, L"menuex_main", 3));
    CHECK(HostHarness::SavePng(*menu.GetSubMenu(5), L"menuex_main_sub", 3));
  });
}
