// The tree control on screen: where the parts of a row lie, the selected row's colours, the
// states of toggles and check boxes, the mouse, expansion and scrolling an item into view.
#include <doctest/doctest.h>

#include <vector>

#include "EventLog.h"
#include "TreeRig.h"
#include "control/EventTCCheckState.h"
#include "control/EventTCDbClick.h"
#include "control/EventTCExpand.h"
#include "control/EventTCSelChanged.h"
#include "control/EventTCSelChanging.h"

using namespace SWUI;

namespace {

constexpr DWORD kWhite = 0xFFFFFFFFu;
constexpr DWORD kSelBlue = 0xFF000088u;  // RGB(0,0,136)

// The states a test skin was drawn in, in order.
std::vector<int> States(const std::vector<SkinDraw>& draws) {
  std::vector<int> states;
  for (const SkinDraw& d : draws) states.push_back(d.state);
  return states;
}

// a > b > c (collapsed) > d, with check boxes: rows a, b, c at levels 0, 1, 2.
const wchar_t kChain[] =
    L"<item text='a'><item text='b'><item text='c' expand='0'><item text='d'/></item>"
    L"</item></item>";

}  // namespace

TEST_CASE("row parts: toggle, check box and icon side by side, indented by level") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(kChain, L"checkBox='1'", L"80,100");
  const HSTREEITEM a = ItemNamed(tree, L"a");
  const HSTREEITEM c = ItemNamed(tree, L"c");
  tree->SetItemImage(a, 1, 2);
  // Level 2 (32) plus the parts (48) and the text run past 80 pixels: the view scrolls sideways.
  REQUIRE(tree->HasScrollBar(FALSE));

  CellSkin::log.clear();
  rig.Paint();
  const std::vector<SkinDraw> toggles = rig.Draws(L"tg");
  const std::vector<SkinDraw> checks = rig.Draws(L"ck");
  const std::vector<SkinDraw> icons = rig.Draws(L"ic");
  REQUIRE(toggles.size() == 3u);
  REQUIRE(checks.size() == 3u);
  REQUIRE(icons.size() == 1u);
  // Rectangles are the item's own, from its indented start.
  CHECK(toggles[2].rc == RECT{0, 2, 16, 18});
  CHECK(checks[2].rc == RECT{16, 2, 32, 18});
  CHECK(icons[0].rc == RECT{32, 2, 48, 18});
  CHECK(States(toggles) == std::vector<int>{3, 3, 0});  // expanded, expanded, collapsed
  CHECK(States(checks) == std::vector<int>{0, 0, 0});
  CHECK(icons[0].state == 1);
  // On the surface: c's toggle from x 32, its check box from 48, a's icon from 32.
  const DWORD collapsed = rig.Skin(L"tg")->ColourOf(0);
  CHECK(rig.Pixel(32, 50) == collapsed);
  CHECK(rig.Pixel(47, 50) == collapsed);
  CHECK(rig.Pixel(31, 50) != collapsed);
  CHECK(rig.Pixel(48, 50) == rig.Skin(L"ck")->ColourOf(0));
  CHECK(rig.Pixel(40, 10) == rig.Skin(L"ic")->ColourOf(1));

  SUBCASE("a press on the toggle of a level-2 row") {
    tree->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(40, 50));
    CHECK(tree->IsExpanded(c));
    CHECK(tree->GetVisibleCount() == 4);
    tree->SSendMessage(WM_LBUTTONUP, 0, At(40, 50));
    Click(tree, 75, 50);  // on the text: selects, does not toggle
    CHECK(tree->IsExpanded(c));
    CHECK(tree->GetSelectedItem() == c);
  }
  SUBCASE("scrolled sideways by 10 the row starts at 22") {
    tree->SetViewOrigin(POINT{10, 0});
    rig.Paint();
    CHECK(rig.Pixel(22, 50) == collapsed);
    CHECK(rig.Pixel(37, 50) == collapsed);
    CHECK(rig.Pixel(21, 50) != collapsed);
    POINT pt = {30, 50};
    CHECK(tree->HitTest(pt) == c);
    CHECK(pt == POINT{8, 10});
    Click(tree, 30, 50);
    CHECK(tree->IsExpanded(c));
  }
}

TEST_CASE("the selected row: its colours over the text area only") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(kChain, L"checkBox='1'");
  const HSTREEITEM a = ItemNamed(tree, L"a");
  REQUIRE(tree->SelectItem(a));
  const int end = tree->GetItemRect(a).right;  // level 0: the content width
  rig.Paint();
  CHECK(rig.Pixel(52, 1) == kSelBlue);  // parts 48, then the margin of 4
  CHECK(rig.Pixel(51, 1) == kWhite);
  CHECK(rig.Pixel(end - 1, 18) == kSelBlue);
  CHECK(rig.Pixel(end, 18) == kWhite);
  CHECK(rig.render.CountEqual(RECT{0, 20, 200, 60}, kSelBlue) == 0);  // other rows
  // The text is drawn in the selected text colour over the fill.
  const int area = (end - 52) * 20;
  CHECK(rig.render.CountEqual(RECT{52, 0, end, 20}, kSelBlue) < area);

  SUBCASE("an item skin for the selection replaces the fill") {
    rig.AddSkins(L"<skin><cells name='sel' states='1'/></skin>");
    CHECK(tree->SetAttribute(SStringW(L"itemSelSkin"), SStringW(L"sel"), FALSE) == S_OK);
    CellSkin::log.clear();
    rig.Paint();
    const std::vector<SkinDraw> draws = rig.Draws(L"sel");
    REQUIRE(draws.size() == 1u);
    CHECK(draws[0].rc == RECT{52, 0, end, 20});
    CHECK(rig.Pixel(52, 1) == rig.Skin(L"sel")->ColourOf(0));
  }
  SUBCASE("the colour 0x00FFFFFF is no colour") {
    tree->SetAttribute(SStringW(L"colorItemSelBkgnd"), SStringW(L"#ffffff00"), FALSE);
    rig.Paint();
    CHECK(rig.Pixel(52, 1) == kWhite);
  }
}

TEST_CASE("hover and press show in the toggle's and check box's states") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(kChain, L"checkBox='1'");
  const HSTREEITEM b = ItemNamed(tree, L"b");
  EventLog log(tree, {EventTCCheckState::EventID});
  UINT releasedBits = 99;
  HSTREEITEM released = 0;
  tree->SubscribeEvent(EventTCCheckState::EventID, FnSlot([&](EventArgs* e) {
                         auto* evt = static_cast<EventTCCheckState*>(e);
                         released = evt->hItem;
                         releasedBits = evt->uCheckState;
                         return false;
                       }));
  const auto paintRowB = [&rig]() {
    CellSkin::log.clear();
    rig.Paint();
    return std::vector<int>{States(rig.Draws(L"tg"))[1], States(rig.Draws(L"ck"))[1]};
  };
  // Row b: level 1, its toggle at x 16..32, its check box at 32..48.
  tree->SSendMessage(WM_MOUSEMOVE, 0, At(20, 30));
  CHECK(paintRowB() == std::vector<int>{1 + 3, 0});
  tree->SSendMessage(WM_MOUSEMOVE, 0, At(40, 30));
  CHECK(paintRowB() == std::vector<int>{0 + 3, 1});
  tree->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(40, 30));
  CHECK(tree->GetCheckValue(b) == STVICheckBox_Checked);
  CHECK(paintRowB() == std::vector<int>{3, 2 + 3});
  CHECK(log.ids.empty());
  tree->SSendMessage(WM_LBUTTONUP, 0, At(40, 30));
  CHECK(log.Count(EventTCCheckState::EventID) == 1u);
  CHECK(released == b);
  CHECK(releasedBits == STreeCtrl::kBitHover);
  CHECK(paintRowB() == std::vector<int>{3, 1 + 3});
  tree->SSendMessage(WM_MOUSELEAVE);
  CHECK(paintRowB() == std::vector<int>{3, 3});

  SUBCASE("a second press unchecks; a partly checked parent shows state 6") {
    Click(tree, 40, 30);
    CHECK(tree->GetCheckValue(b) == STVICheckBox_UnChecked);
    Click(tree, 56, 50);  // c's check box (level 2)
    CHECK(tree->GetCheckValue(b) == STVICheckBox_Checked);  // c is b's only child
    CHECK(tree->SetCheckState(ItemNamed(tree, L"d"), FALSE));
    CHECK(tree->GetCheckValue(b) == STVICheckBox_UnChecked);
    tree->Expand(ItemNamed(tree, L"c"), TVE_EXPAND);
    const HSTREEITEM e = tree->InsertItem(L"e", ItemNamed(tree, L"c"));
    CHECK(tree->SetCheckState(e, TRUE));
    CellSkin::log.clear();
    rig.Paint();
    CHECK(States(rig.Draws(L"ck"))[0] == 6);  // a: partly checked, at rest
  }
}

TEST_CASE("double clicks: the check box as a press, the expansion unless cancelled") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(kChain, L"checkBox='1'");
  const HSTREEITEM a = ItemNamed(tree, L"a");
  bool cancel = false;
  std::vector<HSTREEITEM> clicked;
  tree->SubscribeEvent(EventTCDbClick::EventID, FnSlot([&](EventArgs* e) {
                         auto* evt = static_cast<EventTCDbClick*>(e);
                         clicked.push_back(evt->hItem);
                         if (cancel) evt->bCancel = TRUE;
                         return false;
                       }));
  EventLog log(tree, {EventTCExpand::EventID, EventTCCheckState::EventID});

  tree->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(100, 10));
  CHECK(clicked == std::vector<HSTREEITEM>{a});
  CHECK_FALSE(tree->IsExpanded(a));
  cancel = true;
  tree->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(100, 10));
  CHECK_FALSE(tree->IsExpanded(a));
  CHECK(log.Count(EventTCExpand::EventID) == 1u);
  // On the check box: checked as by a press; the release reports it.
  tree->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(24, 10));
  CHECK(tree->GetCheckValue(a) == STVICheckBox_Checked);
  tree->SSendMessage(WM_LBUTTONUP, 0, At(24, 10));
  CHECK(log.Count(EventTCCheckState::EventID) == 1u);
  // Below the rows: nothing.
  tree->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(100, 90));
  CHECK(clicked.size() == 3u);
}

TEST_CASE("selection: events in order, refusals, clicks below the rows, the right button") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(L"<item text='x'/><item text='y'/><item text='z'/>");
  const HSTREEITEM x = ItemNamed(tree, L"x");
  const HSTREEITEM y = ItemNamed(tree, L"y");
  struct Sel {
    DWORD id;
    HSTREEITEM oldSel;
    HSTREEITEM newSel;
    HSTREEITEM stored;  // the selection while the event runs
  };
  std::vector<Sel> events;
  bool refuse = false;
  tree->SubscribeEvent(EventTCSelChanging::EventID, FnSlot([&](EventArgs* e) {
                         auto* evt = static_cast<EventTCSelChanging*>(e);
                         events.push_back({15000, evt->hOldSel, evt->hNewSel,
                                           tree->GetSelectedItem()});
                         if (refuse) evt->bCancel = TRUE;
                         return false;
                       }));
  tree->SubscribeEvent(EventTCSelChanged::EventID, FnSlot([&](EventArgs* e) {
                         auto* evt = static_cast<EventTCSelChanged*>(e);
                         events.push_back({15001, evt->hOldSel, evt->hNewSel,
                                           tree->GetSelectedItem()});
                         return false;
                       }));

  Click(tree, 100, 5);
  REQUIRE(events.size() == 2u);
  CHECK(events[0].id == 15000u);
  CHECK(events[0].oldSel == 0);
  CHECK(events[0].newSel == x);
  CHECK(events[1].id == 15001u);
  CHECK(events[1].newSel == x);
  CHECK(events[1].stored == x);
  CHECK(tree->IsFocused());
  Click(tree, 100, 5);  // the selected item again: nothing
  CHECK(events.size() == 2u);

  refuse = true;
  Click(tree, 100, 25);
  CHECK(tree->GetSelectedItem() == x);
  CHECK(events.size() == 3u);
  refuse = false;
  Click(tree, 100, 90);  // below the rows
  CHECK(tree->GetSelectedItem() == x);
  CHECK(events.size() == 3u);

  tree->SSendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(100, 25));
  CHECK(tree->GetSelectedItem() == x);
  tree->SetAttribute(SStringW(L"rightClickSel"), SStringW(L"1"), FALSE);
  tree->SSendMessage(WM_RBUTTONDOWN, MK_RBUTTON, At(100, 25));
  CHECK(tree->GetSelectedItem() == y);
}

TEST_CASE("expansion: codes, events, and scrolling an item into view") {
  TreeRig rig;
  std::wstring items;
  for (int i = 0; i < 10; ++i) {
    items += L"<item text='i" + std::to_wstring(i) + L"'";
    items += i == 7 ? L" expand='0'><item text='j' expand='0'><item text='k'/></item></item>"
                    : L"/>";
  }
  STreeCtrl* tree = rig.LoadTree(items.c_str());
  const HSTREEITEM i7 = ItemNamed(tree, L"i7");
  const HSTREEITEM j = ItemNamed(tree, L"j");
  const HSTREEITEM k = ItemNamed(tree, L"k");
  std::vector<std::pair<HSTREEITEM, BOOL>> expands;
  tree->SubscribeEvent(EventTCExpand::EventID, FnSlot([&](EventArgs* e) {
                         auto* evt = static_cast<EventTCExpand*>(e);
                         expands.push_back({evt->hItem, evt->bCollapsed});
                         return false;
                       }));

  SUBCASE("EnsureVisible below collapsed ancestors") {
    CHECK(tree->EnsureVisible(k));
    CHECK(tree->IsExpanded(i7));
    CHECK(tree->IsExpanded(j));
    CHECK(expands.size() == 2u);
    CHECK(tree->GetVisibleCount() == 12);
    // Row 9 of 20 pixels: its bottom at the client's bottom (100).
    CHECK(tree->GetViewOrigin().y == 100);
    CHECK(tree->GetItemRect(k).bottom == tree->GetClientRect().bottom);
    CHECK(tree->EnsureVisible(ItemNamed(tree, L"i1")));  // above: its top at the top
    CHECK(tree->GetViewOrigin().y == 20);
    CHECK(tree->EnsureVisible(ItemNamed(tree, L"i3")));  // shown: nothing moves
    CHECK(tree->GetViewOrigin().y == 20);
    CHECK(tree->SelectItem(k));  // selecting scrolls too
    CHECK(tree->GetViewOrigin().y == 100);
  }
  SUBCASE("codes") {
    CHECK(tree->Expand(i7, TVE_EXPAND));
    CHECK_FALSE(tree->Expand(i7, TVE_EXPAND));
    CHECK(tree->GetVisibleCount() == 11);
    CHECK(tree->Expand(i7, TVE_TOGGLE));
    CHECK_FALSE(tree->IsExpanded(i7));
    CHECK_FALSE(tree->Expand(i7, 7));
    CHECK_FALSE(tree->Expand(ItemNamed(tree, L"i0"), TVE_TOGGLE));  // no children
    // j expands below a collapsed parent: no row shows until i7 does.
    CHECK(tree->Expand(j, TVE_EXPAND));
    CHECK(tree->GetVisibleCount() == 10);
    CHECK(tree->Expand(i7, TVE_EXPAND));
    CHECK(tree->GetVisibleCount() == 12);
    CHECK(tree->GetViewSize().cy == 240);
    REQUIRE(expands.size() == 4u);
    CHECK(expands[1] == std::make_pair(i7, TRUE));
    CHECK(expands[2] == std::make_pair(j, FALSE));
  }
}

TEST_CASE("an item a handler removes while it is inserted is not handed out") {
  TreeRig rig;
  // A (collapsed) > x: inserting under A with EnsureVisible expands A, whose handler removes A.
  STreeCtrl* tree = rig.LoadTree(L"<item text='A' expand='0'><item text='x'/></item>"
                                 L"<item text='B'/>");
  const HSTREEITEM a = ItemNamed(tree, L"A");
  tree->SubscribeEvent(EventTCExpand::EventID, FnSlot([&](EventArgs*) {
                         tree->RemoveItem(a);
                         return false;
                       }));
  CHECK(tree->InsertItem(L"new", a, STVI_LAST, TRUE) == 0);
  CHECK(tree->GetCount() == 1);
  CHECK(ItemNamed(tree, L"new") == 0);
  CHECK(tree->GetVisibleCount() == 1);
  // An item that survives its insertion is answered as before.
  const HSTREEITEM c = tree->InsertItem(L"C", STVI_ROOT, STVI_LAST, TRUE);
  CHECK(c != 0);
  CHECK(c == ItemNamed(tree, L"C"));
}

TEST_CASE("rows found by hit tests and rectangles follow inserts, removals, expansion and "
          "sorting") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(
      L"<item text='c'><item text='c2'/><item text='c1' expand='0'><item text='z'/></item>"
      L"</item><item text='b'/><item text='a'><item text='a1'/></item>",
      L"", L"200,300");
  // Every shown item's row: the hit test at the row's middle finds it, in tree order.
  auto checkRows = [tree](const char* when) {
    CAPTURE(when);
    int row = 0;
    for (HSTREEITEM h = tree->GetNextItem(STVI_ROOT); h != 0; h = tree->GetNextItem(h)) {
      const RECT rc = tree->GetItemRect(h);
      bool shown = true;
      for (HSTREEITEM p = tree->GetParentItem(h); p != 0; p = tree->GetParentItem(p)) {
        shown = shown && tree->IsExpanded(p);
      }
      CHECK(IsRectEmpty(&rc) == !shown);
      if (!shown) continue;
      CHECK(rc.top == row * 20);
      POINT pt = {5, rc.top + 10};
      CHECK(tree->HitTest(pt) == h);
      ++row;
    }
    CHECK(row == tree->GetVisibleCount());
    POINT below = {5, row * 20 + 5};
    CHECK(tree->HitTest(below) == 0);
  };
  checkRows("loaded");
  tree->Expand(ItemNamed(tree, L"c1"), TVE_EXPAND);
  checkRows("expanded");
  tree->InsertItem(L"d", ItemNamed(tree, L"c"), STVI_FIRST);
  checkRows("inserted");
  tree->RemoveItem(ItemNamed(tree, L"c2"));
  checkRows("removed");
  tree->Expand(ItemNamed(tree, L"c"), TVE_COLLAPSE);
  checkRows("collapsed");
  const auto byText = [](void* ctx, HSTREEITEM x, HSTREEITEM y) {
    SStringW tx;
    SStringW ty;
    static_cast<STreeCtrl*>(ctx)->GetItemText(x, tx);
    static_cast<STreeCtrl*>(ctx)->GetItemText(y, ty);
    return tx.Compare(ty);
  };
  tree->SortChildren(STVI_ROOT, byText, tree);
  checkRows("sorted");
  tree->RemoveAllItems();
  checkRows("emptied");
}

TEST_CASE("row heights, indents and margins past int are clamped: rows stay in order") {
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    int height;
  };
  const Case cases[] = {
      {L"itemHeight", L"0x7fffffff", 4096},
      {L"itemHeight", L"5000", 4096},
      {L"indent", L"2147483647", 20},
      {L"indent", L"-2147483647", 20},
      {L"itemMargin", L"2147483647", 20},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name) + L"=" + c.value);
    TreeRig rig;
    STreeCtrl* tree =
        rig.LoadTree(L"<item text='a'><item text='b'><item text='c'/></item></item>"
                     L"<item text='d'/>");
    CHECK(tree->SetAttribute(SStringW(c.name), SStringW(c.value), FALSE) == S_OK);
    CHECK(tree->GetItemHeight() == c.height);
    int row = 0;
    for (const wchar_t* text : {L"a", L"b", L"c", L"d"}) {
      const HSTREEITEM h = ItemNamed(tree, text);
      const RECT rc = tree->GetItemRect(h);
      CHECK(rc.top == row * c.height);
      CHECK(rc.bottom == (row + 1) * c.height);
      CHECK(rc.right - rc.left <= 2 * 4096 + 4096 * 2 + 1000);  // indent x 2 + margins + parts
      POINT pt = {1, rc.top + c.height / 2};
      if (pt.y < 100) CHECK(tree->HitTest(pt) == h);
      ++row;
    }
    CHECK(tree->GetViewSize().cy == 4 * c.height);
    rig.Paint();
  }
}
