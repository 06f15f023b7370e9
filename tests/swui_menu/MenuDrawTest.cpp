// Owner-drawn items by their pixels, and menus tracked with keys posted before they open.
#include <doctest/doctest.h>

#include <algorithm>
#include <vector>

#include "MenuRig.h"
#include "control/SMenuODWnd.h"
#include "core/SRicheditMenuDef.h"

using namespace SWUI;

namespace {

const int kWidth = 200;
const int kRow = 24;

// Raw colours of the test skins and texts, as COLORREF 0x00BBGGRR.
const DWORD kItem = 0xFFFFFF;
const DWORD kItemSel = 0xC04020;
const DWORD kItemPushed = 0x30A030;
const DWORD kCheck = 0x00C000;
const DWORD kRadio = 0xC000C0;
const DWORD kIcon1 = 0x808000;
const DWORD kSep = 0xA0A0A0;
const DWORD kText = 0x000000;
const DWORD kTextSel = 0x0000FF;
const DWORD kTextGray = 0x00FF00;

const wchar_t kSkins[] =
    L"<skin><colorrect name='t.item' normal='#FFFFFF' hover='#2040C0'/>"
    L"<colorrect name='t.item3' normal='#FFFFFF' hover='#2040C0' pushdown='#30A030'/>"
    L"<colorrect name='t.check' normal='#00C000' hover='#C000C0'/>"
    L"<colorrect name='t.icons' normal='#008000' hover='#008080'/>"
    L"<colorrect name='t.sep' normal='#A0A0A0'/></skin>";

const wchar_t kMenu[] =
    L"<menu itemSkin='t.item' checkSkin='t.check' iconSkin='t.icons' sepSkin='t.sep' itemHeight='24'"
    L" colorText='#000000' colorTextSel='#FF0000' cororTextGray='#00FF00' font='size:16,bold:1'>"
    L"<item id='1'>Selected</item><item id='2' check='1'>Checked</item>"
    L"<item id='3' radio='1'>Radio</item><item id='4' icon='1'>Icon</item>"
    L"<item id='5' icon='5'>Past</item><item id='6' disable='1'>Gray</item><sep/></menu>";

struct DrawRig : MenuRig {
  DrawRig() : target(kWidth, kRow * 7) {
    AddSkins(kSkins);
    Load(menu, kMenu);
  }

  // Draws item pos into its row with the given ODS_ state.
  void Draw(int pos, UINT state) {
    SMenuODWnd odWnd(nullptr, menu.GetMenuAttr());
    HDC dc = target.Target()->GetDC(0);
    const MENUITEMINFOW mii = ItemInfo(menu.GetHMenu(), pos);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = mii.wID;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(menu.GetHMenu());
    dis.hDC = dc;
    dis.rcItem = RECT{0, pos * kRow, kWidth, (pos + 1) * kRow};
    dis.itemData = mii.dwItemData;
    odWnd.DrawItem(&dis);
    target.Target()->ReleaseDC(dc);
  }

  DWORD At(int x, int y) const { return Rgb(target.Pixel(x, y)); }
  // Pixels of a rectangle whose colour is rgb.
  int Count(const RECT& rc, DWORD rgb) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) {
      for (int x = rc.left; x < rc.right; ++x) n += At(x, y) == rgb ? 1 : 0;
    }
    return n;
  }
  static RECT RowRect(int pos) { return RECT{0, pos * kRow, kWidth, (pos + 1) * kRow}; }
  // The icon box of a row: 16 x 16 at the icon margin, centred vertically.
  static RECT IconBox(int pos) { return RECT{2, pos * kRow + 4, 18, pos * kRow + 20}; }
  static RECT TextBox(int pos) { return RECT{25, pos * kRow, kWidth - 5, (pos + 1) * kRow}; }

  // The surface as an opaque PNG to look at.
  void Save(const wchar_t* name) const {
    const int n = kWidth * kRow * 7;
    std::vector<DWORD> px(n);
    for (int i = 0; i < n; ++i) px[i] = target.Pixel(i % kWidth, i / kWidth) | 0xFF000000u;
    RenderRig::SavePng(target.MakeBitmap(kWidth, kRow * 7, px.data()), name, 2);
  }

  RenderRig target;
  SMenu menu;
};

const int kBoxPixels = 16 * 16;

VOID CALLBACK EndMenuLater(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

// Posts the keys, then tracks the menu; a thread timer ends a menu that never gets them.
UINT TrackWithKeys(SMenu& menu, HWND owner, UINT flags, const std::vector<MSG>& keys) {
  for (const MSG& key : keys) PostMessageW(owner, key.message, key.wParam, key.lParam);
  const UINT_PTR guard = SetTimer(nullptr, 0, 5000, EndMenuLater);
  const UINT cmd = menu.TrackPopupMenu(flags, 20, 20, owner);
  KillTimer(nullptr, guard);
  MSG rest;
  while (PeekMessageW(&rest, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&rest);
  return cmd;
}

MSG Key(UINT message, WPARAM key) {
  MSG msg = {};
  msg.message = message;
  msg.wParam = key;
  return msg;
}

}  // namespace

TEST_CASE_FIXTURE(DrawRig, "items draw their skin state, mark or icon and text colour") {
  Draw(0, ODS_SELECTED);
  Draw(1, ODS_CHECKED);
  Draw(2, ODS_CHECKED);
  Draw(3, 0);
  Draw(4, 0);
  Draw(5, ODS_GRAYED);
  Draw(6, 0);
  Save(L"menu_items");

  // Selected: the item skin's second cell behind text of the selected colour.
  CHECK(At(kWidth - 2, 1) == kItemSel);
  CHECK(Count(IconBox(0), kItemSel) == kBoxPixels);
  CHECK(Count(TextBox(0), kTextSel) > 20);
  CHECK(Count(TextBox(0), kText) == 0);
  // Checked: the check mark, state 0; the radio item its mark, state 1.
  CHECK(Count(IconBox(1), kCheck) == kBoxPixels);
  CHECK(Count(IconBox(2), kRadio) == kBoxPixels);
  CHECK(At(kWidth - 2, kRow + 1) == kItem);
  CHECK(Count(TextBox(1), kText) > 20);
  CHECK(Count(TextBox(1), kTextSel) == 0);
  // An icon by index; an index past the icon skin draws nothing.
  CHECK(Count(IconBox(3), kIcon1) == kBoxPixels);
  CHECK(Count(IconBox(4), kItem) == kBoxPixels);
  // Disabled: the gray text colour.
  CHECK(Count(TextBox(5), kTextGray) > 10);
  CHECK(Count(TextBox(5), kText) == 0);
  // The separator skin over the whole row.
  CHECK(Count(RowRect(6), kSep) == kWidth * kRow);
}

TEST_CASE_FIXTURE(DrawRig, "an item skin of three states draws its third over a selected item") {
  REQUIRE(menu.GetMenuAttr()->SetAttribute(SStringW(L"itemSkin"), SStringW(L"t.item3"), FALSE) == S_OK);
  Draw(0, ODS_SELECTED);
  Draw(1, 0);
  CHECK(Count(RowRect(0), kItemPushed) == kWidth * kRow);
  CHECK(At(kWidth - 2, kRow + 1) == kItem);
}

TEST_CASE_FIXTURE(DrawRig, "items measure their height and their width up to the widest allowed") {
  SMenuODWnd odWnd(nullptr, menu.GetMenuAttr());
  auto measure = [&](int pos) {
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = ItemInfo(menu.GetHMenu(), pos).wID;
    mis.itemData = ItemInfo(menu.GetHMenu(), pos).dwItemData;
    odWnd.MeasureItem(&mis);
    return SIZE{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
  };
  const SIZE selected = measure(0);  // "Selected"
  const SIZE past = measure(4);      // "Past"
  CHECK(selected.cy == kRow);
  // Icon 16, two icon margins of 2 and two text margins of 5 beside the text.
  CHECK(past.cx > 16 + 4 + 10);
  CHECK(selected.cx > past.cx);
  const SIZE sep = measure(6);
  CHECK(sep.cx == 0);
  CHECK(sep.cy == 0);  // the colour skin has no size of its own

  REQUIRE(menu.GetMenuAttr()->SetAttribute(SStringW(L"maxWidth"), SStringW(L"40"), FALSE) == S_OK);
  CHECK(measure(0).cx == 40);
  CHECK(measure(4).cx == std::min<LONG>(past.cx, 40));
}

TEST_CASE_FIXTURE(MenuRig, "keys posted before tracking choose an item; the owner hears of it") {
  RecordingOwner owner;
  SMenu menu;
  auto* def = static_cast<SRicheditMenuDef*>(app.GetSingleton(SINGLETON_RICHEDITMENUDEF));
  REQUIRE(menu.LoadMenu(def->GetMenuTemplate()));

  const std::vector<MSG> downDownReturn = {Key(WM_KEYDOWN, VK_DOWN), Key(WM_KEYDOWN, VK_DOWN),
                                           Key(WM_KEYDOWN, VK_RETURN)};
  CHECK(TrackWithKeys(menu, owner.m_hWnd, 0, downDownReturn) == 2);
  CHECK(owner.commands == std::vector<UINT>{2});
  CHECK(owner.initMenuPopups >= 1);

  // Asked back, the command is not sent.
  CHECK(TrackWithKeys(menu, owner.m_hWnd, TPM_RETURNCMD, downDownReturn) == 2);
  CHECK(owner.commands.size() == 1);

  // Escape chooses nothing.
  CHECK(TrackWithKeys(menu, owner.m_hWnd, 0, {Key(WM_KEYDOWN, VK_ESCAPE)}) == 0);
  CHECK(owner.commands.size() == 1);

  // A hot key chooses its item through the menu character.
  SMenu keys;
  Load(keys, L"<menu><item id='11'>Cu&amp;t</item><item id='12'>&amp;Copy</item></menu>");
  CHECK(TrackWithKeys(keys, owner.m_hWnd, 0, {Key(WM_CHAR, L'c')}) == 12);
  CHECK(owner.commands == std::vector<UINT>{2, 12});
}

TEST_CASE_FIXTURE(MenuRig, "the edit menu draws with the program's skins and icons") {
  RenderRig target(160, 26 * 6);
  SMenu menu;
  auto* def = static_cast<SRicheditMenuDef*>(app.GetSingleton(SINGLETON_RICHEDITMENUDEF));
  REQUIRE(menu.LoadMenu(def->GetMenuTemplate()));
  SMenuODWnd odWnd(nullptr, menu.GetMenuAttr());
  HDC dc = target.Target()->GetDC(0);
  int top = 0;
  std::vector<int> tops;
  for (int pos = 0; pos < 6; ++pos) {
    const MENUITEMINFOW mii = ItemInfo(menu.GetHMenu(), pos);
    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemData = mii.dwItemData;
    odWnd.MeasureItem(&mis);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = mii.wID;
    dis.itemState = pos == 1 ? ODS_SELECTED : 0;
    dis.hwndItem = reinterpret_cast<HWND>(menu.GetHMenu());
    dis.hDC = dc;
    dis.rcItem = RECT{0, top, 160, top + static_cast<LONG>(mis.itemHeight)};
    dis.itemData = mii.dwItemData;
    odWnd.DrawItem(&dis);
    tops.push_back(top);
    top += static_cast<int>(mis.itemHeight);
  }
  target.Target()->ReleaseDC(dc);
  RenderRig::SavePng(target.Surface(), L"edit_menu", 2);
  // Rows are opaque (they are copied onto the menu as they are): the menu colour under the
  // skin's clear normal state, the accent blue under the selected one.
  const COLORREF menuColor = GetSysColor(COLOR_MENU);
  const DWORD normal =
      0xFF000000u | ((menuColor & 0xFF) << 16) | (menuColor & 0xFF00) | ((menuColor >> 16) & 0xFF);
  const DWORD blue = 0xFF2F7BD8;
  for (int pos : {0, 2, 3, 5}) CHECK(target.Pixel(150, tops[pos] + 13) == normal);
  CHECK(target.Pixel(150, tops[1] + 13) == blue);
  int text = 0;
  for (int y = tops[1]; y < tops[2]; ++y) {
    for (int x = 30; x < 150; ++x) text += target.Pixel(x, y) == 0xFFFFFFFF ? 1 : 0;
  }
  CHECK(text > 10);
  // Icon boxes (16 x 16 at margin 4, centred in 26): "cut" shows an icon, "delete" none.
  auto distinct = [&](int rowTop) {
    std::vector<DWORD> seen;
    for (int y = rowTop + 5; y < rowTop + 21; ++y) {
      for (int x = 4; x < 20; ++x) {
        const DWORD p = target.Pixel(x, y);
        if (std::find(seen.begin(), seen.end(), p) == seen.end()) seen.push_back(p);
      }
    }
    return seen.size();
  };
  CHECK(distinct(tops[0]) > 1);
  CHECK(distinct(tops[3]) == 1);
}
