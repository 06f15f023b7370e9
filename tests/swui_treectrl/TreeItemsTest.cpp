// The tree control's items: from XML and by calls, the attributes, handles that are not items
// of the tree, removal, check values and sorting.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "TreeRig.h"

using namespace SWUI;

namespace {

std::wstring TextOf(STreeCtrl* tree, HSTREEITEM h) {
  SStringW text;
  tree->GetItemText(h, text);
  return std::wstring(text);
}

// The texts of the whole tree in tree order.
std::wstring Order(STreeCtrl* tree) {
  std::wstring all;
  for (HSTREEITEM h = tree->GetNextItem(STVI_ROOT); h != 0; h = tree->GetNextItem(h)) {
    if (!all.empty()) all += L' ';
    all += TextOf(tree, h);
  }
  return all;
}

}  // namespace

TEST_CASE("items from XML: nesting, fields, collapsed branches and the defaults") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(
      L"<item text='one' img='1' selImg='2' data='0x10'><item text='one.a'/></item>"
      L"<item text='two' expand='0'><item text='two.a'><item text='two.a.x'/></item></item>"
      L"<item text='three' expand='0'/><other text='ignored'/>");
  for (const wchar_t* cls : {L"treectrl", L"scrollview", L"div", L"window"}) {
    CHECK(tree->IsClass(cls));
  }
  CHECK(tree->IsFocusable());
  CHECK(tree->IsClipClient());
  CHECK(tree->GetItemHeight() == 20);
  CHECK(tree->GetCount() == 6);
  CHECK(Order(tree) == L"one one.a two two.a two.a.x three");
  // two's children are hidden; three has no children, so "expand" does not collapse it.
  CHECK(tree->GetVisibleCount() == 4);
  CHECK(tree->GetViewSize().cy == 80);

  const HSTREEITEM one = ItemNamed(tree, L"one");
  const HSTREEITEM two = ItemNamed(tree, L"two");
  const HSTREEITEM three = ItemNamed(tree, L"three");
  int image = 0;
  int selImage = 0;
  REQUIRE(tree->GetItemImage(one, image, selImage));
  CHECK(image == 1);
  CHECK(selImage == 2);
  CHECK(tree->GetItemData(one) == 0x10);
  REQUIRE(tree->GetItemImage(three, image, selImage));
  CHECK(image == -1);
  CHECK(selImage == -1);
  CHECK(tree->GetItemData(three) == 0);
  CHECK(tree->IsExpanded(one));
  CHECK_FALSE(tree->IsExpanded(two));
  CHECK(tree->ItemHasChildren(two));
  CHECK_FALSE(tree->ItemHasChildren(three));
  CHECK(tree->GetItemLevel(ItemNamed(tree, L"two.a.x")) == 2);
  CHECK(tree->GetRootItem(ItemNamed(tree, L"two.a.x")) == two);
  CHECK(tree->GetChildrenCount(STVI_ROOT) == 3);
  CHECK(tree->GetChildrenCount(two) == 1);
  CHECK(tree->GetChildItem(STVI_ROOT, FALSE) == three);
  CHECK(tree->GetParentItem(ItemNamed(tree, L"one.a")) == one);
  CHECK(tree->GetNextSiblingItem(one) == two);

  // The widest shown row: "one.a" (level 1) or another one; the view is as wide as it.
  int widest = 0;
  for (HSTREEITEM h = tree->GetNextItem(STVI_ROOT); h != 0; h = tree->GetNextItem(h)) {
    const RECT rc = tree->GetItemRect(h);
    widest = std::max<int>(widest, rc.right - rc.left);
  }
  CHECK(tree->GetViewSize().cx == widest);
}

TEST_CASE("attributes: refused values keep the old ones, parts follow their skins") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(L"<item text='a'><item text='b'/></item>");
  const auto set = [tree](const wchar_t* name, const wchar_t* value) {
    return tree->SetAttribute(SStringW(name), SStringW(value), FALSE);
  };
  SUBCASE("item heights below 1 pixel") {
    CHECK(set(L"itemHeight", L"0") == E_FAIL);
    CHECK(set(L"itemHeight", L"-3") == E_FAIL);
    CHECK(tree->GetItemHeight() == 20);
    CHECK(set(L"itemHeight", L"0x1E") == S_OK);
    CHECK(tree->GetItemHeight() == 30);
    CHECK(tree->GetViewSize().cy == 60);
  }
  SUBCASE("empty colours and unknown skins") {
    for (const wchar_t* name :
         {L"colorItemBkgnd", L"colorItemSelBkgnd", L"colorItemText", L"colorItemSelText"}) {
      CAPTURE(std::wstring(name));
      CHECK(set(name, L"") == E_FAIL);
      CHECK(set(name, L"#102030") == S_FALSE);
    }
    for (const wchar_t* name :
         {L"toggleSkin", L"checkSkin", L"iconSkin", L"itemSelSkin", L"itemBkgndSkin"}) {
      CAPTURE(std::wstring(name));
      CHECK(set(name, L"no.such.skin") == E_FAIL);
    }
  }
  SUBCASE("parts and margins at run time measure the rows again") {
    const RECT before = tree->GetItemRect(ItemNamed(tree, L"a"));
    CHECK(set(L"checkBox", L"1") == S_OK);  // a check box of 16 joins the parts
    RECT after = tree->GetItemRect(ItemNamed(tree, L"a"));
    CHECK(after.right - before.right == 16);
    CHECK(set(L"iconSkin", L"") == S_OK);  // the icon leaves
    CHECK(set(L"itemMargin", L"10") == S_OK);  // 2 x 6 more
    after = tree->GetItemRect(ItemNamed(tree, L"a"));
    CHECK(after.right - before.right == 12);
    CHECK(set(L"indent", L"30") == S_OK);
    CHECK(tree->GetViewSize().cx == tree->GetItemRect(ItemNamed(tree, L"b")).right);
  }
}

TEST_CASE("built-in toggle and check skins when the layout names none") {
  TreeRig rig;
  rig.Load(L"<root><treectrl name='tc' pos='0,0,@100,@100'/></root>");
  auto* tree = rig.Find<STreeCtrl>(L"tc");
  const HSTREEITEM a = tree->InsertItem(L"a");
  tree->InsertItem(L"b", a);
  // The toggle is the built-in skin's width; a check box of the built-in skin follows it.
  const int withToggle = tree->GetItemRect(a).right;
  tree->SetAttribute(SStringW(L"toggleSkin"), SStringW(L""), FALSE);
  const int bare = tree->GetItemRect(a).right;
  CHECK(withToggle > bare);
  tree->SetAttribute(SStringW(L"checkBox"), SStringW(L"1"), FALSE);
  CHECK(tree->GetItemRect(a).right > bare);
}

TEST_CASE("inserting: places among siblings, parents that are not items of this tree") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(L"");
  const HSTREEITEM a = tree->InsertItem(L"a");
  const HSTREEITEM c = tree->InsertItem(L"c");
  tree->InsertItem(L"b", STVI_ROOT, a);
  tree->InsertItem(L"first", HSTREEITEM(0), STVI_FIRST);  // null as parent is the top level too
  const HSTREEITEM a1 = tree->InsertItem(L"a1", 3, 4, a);
  CHECK(Order(tree) == L"first a a1 b c");
  CHECK(tree->ItemHasChildren(a));
  CHECK(tree->InsertItem(L"x", a, c) == 0);  // c is not a's child
  CHECK(tree->InsertItem(L"x", a1, STVI_ROOT) == 0);
  CHECK(tree->GetCount() == 5);

  SUBCASE("under a collapsed parent: no row, the view stays") {
    CHECK(tree->Expand(a, TVE_COLLAPSE));
    const SIZE view = tree->GetViewSize();
    const int rows = tree->GetVisibleCount();
    const HSTREEITEM a2 = tree->InsertItem(L"a2 with a much longer text than any other", a);
    REQUIRE(a2 != 0);
    CHECK(tree->GetViewSize() == view);
    CHECK(tree->GetVisibleCount() == rows);
    CHECK_FALSE(Shown(tree, a2));
    // Expanding shows both children and the view takes the long row's width.
    CHECK(tree->Expand(a, TVE_EXPAND));
    CHECK(tree->GetVisibleCount() == rows + 2);
    CHECK(tree->GetViewSize().cx == tree->GetItemRect(a2).right - tree->GetItemRect(a2).left);
  }
}

TEST_CASE("another tree's items are neither parents nor targets") {
  TreeRig rig;
  rig.Load(L"<root><treectrl name='t1' pos='0,0,@100,@100'/>"
           L"<treectrl name='t2' pos='100,0,@100,@100'/></root>");
  auto* t1 = rig.Find<STreeCtrl>(L"t1");
  auto* t2 = rig.Find<STreeCtrl>(L"t2");
  const HSTREEITEM p1 = t1->InsertItem(L"p1");
  const HSTREEITEM q1 = t1->InsertItem(L"q1", p1);
  t2->InsertItem(L"p2");
  CHECK(t2->InsertItem(L"x", p1) == 0);
  CHECK(t2->InsertItem(L"x", q1) == 0);
  CHECK_FALSE(t2->SelectItem(p1));
  CHECK_FALSE(t2->RemoveItem(q1));
  CHECK_FALSE(t2->Expand(p1, TVE_COLLAPSE));
  CHECK_FALSE(t2->EnsureVisible(q1));
  CHECK(t1->GetCount() == 2);
  CHECK(t2->GetCount() == 1);
  CHECK(t1->IsExpanded(p1));
}

TEST_CASE("null and pseudo handles are refused wherever an item is expected") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(L"<item text='a'><item text='b'/></item>", L"checkBox='1'");
  for (HSTREEITEM h : {HSTREEITEM(0), STVI_ROOT, STVI_FIRST, STVI_LAST}) {
    CAPTURE(h);
    SStringW text;
    int image = 0;
    int selImage = 0;
    CHECK_FALSE(tree->SelectItem(h));
    CHECK_FALSE(tree->RemoveItem(h));
    CHECK_FALSE(tree->Expand(h, TVE_TOGGLE));
    CHECK_FALSE(tree->EnsureVisible(h));
    CHECK_FALSE(tree->SetCheckState(h, TRUE));
    CHECK_FALSE(tree->GetCheckState(h));
    CHECK_FALSE(tree->GetItemText(h, text));
    CHECK_FALSE(tree->SetItemText(h, L"x"));
    CHECK_FALSE(tree->GetItemImage(h, image, selImage));
    CHECK_FALSE(tree->SetItemImage(h, 1, 1));
    CHECK_FALSE(tree->SetItemData(h, 1));
    CHECK(tree->GetItemData(h) == 0);
    CHECK_FALSE(tree->ItemHasChildren(h));
    CHECK(tree->GetItemLevel(h) == -1);
    CHECK(tree->GetRootItem(h) == 0);
    CHECK_FALSE(Shown(tree, h));
  }
  CHECK(tree->InsertItem(L"x", STVI_FIRST) == 0);
  CHECK(tree->InsertItem(L"x", STVI_LAST) == 0);
  CHECK(tree->GetCount() == 2);
  CHECK(tree->GetSelectedItem() == 0);
}

TEST_CASE("removal: subtrees, the selection inside them, parents left without children") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(
      L"<item text='p'><item text='wide child with a long text'><item text='g'/></item>"
      L"<item text='c2'/></item><item text='q'/>");
  const HSTREEITEM p = ItemNamed(tree, L"p");
  const HSTREEITEM wide = ItemNamed(tree, L"wide child with a long text");
  const HSTREEITEM c2 = ItemNamed(tree, L"c2");
  const HSTREEITEM q = ItemNamed(tree, L"q");
  REQUIRE(tree->SelectItem(ItemNamed(tree, L"g")));
  CHECK(tree->GetVisibleCount() == 5);
  const int wideWidth = tree->GetViewSize().cx;

  CHECK(tree->RemoveItem(wide));
  CHECK(tree->GetCount() == 3);
  CHECK(tree->GetVisibleCount() == 3);
  CHECK(tree->GetViewSize().cy == 60);
  CHECK(tree->GetSelectedItem() == 0);  // the selection lay inside
  CHECK(tree->GetViewSize().cx < wideWidth);  // the widest row went
  CHECK(tree->ItemHasChildren(p));

  // The last child gone: no children, no collapsed mark left behind.
  CHECK(tree->Expand(p, TVE_COLLAPSE));
  CHECK(tree->RemoveItem(c2));
  CHECK_FALSE(tree->ItemHasChildren(p));
  CHECK_FALSE(tree->Expand(p, TVE_TOGGLE));
  const HSTREEITEM again = tree->InsertItem(L"again", p);
  CHECK(tree->GetVisibleCount() == 3);  // shown: p is not collapsed
  CHECK(tree->IsExpanded(p));
  CHECK(Shown(tree, again));

  tree->SelectItem(q);
  tree->SetViewOrigin(POINT{0, 10});
  tree->RemoveAllItems();
  CHECK(tree->GetCount() == 0);
  CHECK(tree->GetVisibleCount() == 0);
  CHECK(tree->GetSelectedItem() == 0);
  CHECK(tree->GetViewSize() == SIZE{0, 0});
  CHECK(tree->GetViewOrigin() == POINT{0, 0});
}

TEST_CASE("check values: children decide their parents, also after a removal") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(
      L"<item text='g'><item text='p'><item text='a'/><item text='b'/></item>"
      L"<item text='s'/></item>",
      L"checkBox='1'");
  const HSTREEITEM g = ItemNamed(tree, L"g");
  const HSTREEITEM p = ItemNamed(tree, L"p");
  const HSTREEITEM a = ItemNamed(tree, L"a");
  const HSTREEITEM b = ItemNamed(tree, L"b");
  const HSTREEITEM s = ItemNamed(tree, L"s");

  CHECK(tree->SetCheckState(a, TRUE));
  CHECK(tree->GetCheckValue(a) == STVICheckBox_Checked);
  CHECK(tree->GetCheckValue(p) == STVICheckBox_PartChecked);
  CHECK(tree->GetCheckValue(g) == STVICheckBox_PartChecked);
  CHECK(tree->GetCheckState(p));  // partly counts as checked
  CHECK(tree->SetCheckState(b, TRUE));
  CHECK(tree->GetCheckValue(p) == STVICheckBox_Checked);
  CHECK(tree->GetCheckValue(g) == STVICheckBox_PartChecked);  // s is not checked
  CHECK(tree->SetCheckState(s, TRUE));
  CHECK(tree->GetCheckValue(g) == STVICheckBox_Checked);

  SUBCASE("a parent takes its whole subtree along") {
    CHECK(tree->SetCheckState(g, FALSE));
    for (HSTREEITEM h : {g, p, a, b, s}) CHECK(tree->GetCheckValue(h) == STVICheckBox_UnChecked);
  }
  SUBCASE("removing one of two checked children leaves the parent checked") {
    CHECK(tree->RemoveItem(a));
    CHECK(tree->GetCheckValue(p) == STVICheckBox_Checked);
    CHECK(tree->GetCheckValue(g) == STVICheckBox_Checked);
  }
  SUBCASE("removing the only checked child unchecks the parent and its parent follows") {
    CHECK(tree->SetCheckState(b, FALSE));
    CHECK(tree->GetCheckValue(p) == STVICheckBox_PartChecked);
    CHECK(tree->RemoveItem(a));
    CHECK(tree->GetCheckValue(p) == STVICheckBox_UnChecked);
    CHECK(tree->GetCheckValue(g) == STVICheckBox_PartChecked);
  }
  SUBCASE("without check boxes nothing is checked") {
    tree->SetAttribute(SStringW(L"checkBox"), SStringW(L"0"), FALSE);
    CHECK_FALSE(tree->SetCheckState(a, FALSE));
    CHECK_FALSE(tree->GetCheckState(a));
  }
}

namespace {

int CompareFirstLetter(void* ctx, HSTREEITEM a, HSTREEITEM b) {
  auto* tree = static_cast<STreeCtrl*>(ctx);
  return static_cast<int>(TextOf(tree, a)[0]) - static_cast<int>(TextOf(tree, b)[0]);
}

}  // namespace

TEST_CASE("sorting: every level below the item, equal keys keep their order") {
  TreeRig rig;
  STreeCtrl* tree = rig.LoadTree(
      L"<item text='c'><item text='z'/><item text='b2'/><item text='y'/><item text='b1'/></item>"
      L"<item text='a'><item text='q'><item text='n'/><item text='m'/></item></item>"
      L"<item text='b'/>");
  SUBCASE("the whole tree") {
    CHECK(tree->SortChildren(STVI_ROOT, CompareFirstLetter, tree));
    CHECK(Order(tree) == L"a q m n b c b2 b1 y z");
    // Rows follow the new order.
    CHECK(tree->GetItemRect(ItemNamed(tree, L"a")).top == 0);
    CHECK(tree->GetItemRect(ItemNamed(tree, L"b")).top == 80);
  }
  SUBCASE("one branch") {
    CHECK(tree->SortChildren(ItemNamed(tree, L"a"), CompareFirstLetter, tree));
    CHECK(Order(tree) == L"c z b2 y b1 a q m n b");
  }
  SUBCASE("refused") {
    CHECK_FALSE(tree->SortChildren(STVI_LAST, CompareFirstLetter, tree));
    CHECK_FALSE(tree->SortChildren(STVI_ROOT, nullptr, tree));
    CHECK(Order(tree) == L"c z b2 y b1 a q n m b");
  }
}
