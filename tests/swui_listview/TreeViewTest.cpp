// The tree view: rows placed by depth and size, collapse and expand, keys and clicks with
// their selection events, the bars, "indent", a row's capture, the adapter's replacement.
#include <doctest/doctest.h>

#include <map>

#include "GeometryChecks.h"
#include "ListViewRig.h"
#include "TestTreeAdapter.h"
#include "control/EventTVSelChanged.h"
#include "control/EventTVSelChanging.h"
#include "control/STreeView.h"
#include "core/EventCmd.h"
#include "core/MemberFunctionSlot.h"

using namespace SWUI;

namespace {

constexpr HSTREEITEM kRoot = ITvAdapter::ITEM_ROOT;

// A 200 x 100 tree view at (10, 10) of a white host.
const wchar_t kTree[] = L"<treeview name='tv' pos='10,10,@200,@100'/>";
// The same with a button at the right end of every row.
const wchar_t kTreeWithButtons[] =
    L"<treeview name='tv' pos='10,10,@200,@100'><template>"
    L"<text name='text' pos='0,0,-30,-0'/><button name='button' pos='-30,0,-0,-0'/>"
    L"</template></treeview>";

// A (A1, A2; expanded), B, C: rows of 100 x 20.
class TreeRig : public ListViewRig {
 public:
  STreeView* OpenTree(const wchar_t* xml = kTree) {
    OpenWith(xml);
    tv = Find<STreeView>(L"tv");
    tree.Attach(new TestTreeAdapter);
    A = tree->Add(kRoot);
    A1 = tree->Add(A);
    A2 = tree->Add(A);
    B = tree->Add(kRoot);
    C = tree->Add(kRoot);
    tree->At(A).expanded = TRUE;
    REQUIRE(tv->SetAdapter(tree));
    Drain();
    return tv;
  }
  RECT RowRect(HSTREEITEM h) const {
    SItemPanel* panel = tv->GetItemPanel(h);
    REQUIRE_MESSAGE(panel != nullptr, "the row has no panel");
    return panel->GetItemRect();
  }
  POINT RowPoint(HSTREEITEM h, int dx = 5) const {
    const RECT rc = RowRect(h);
    return POINT{rc.left + dx, (rc.top + rc.bottom) / 2};
  }
  POINT ButtonOf(HSTREEITEM h) const {
    const RECT rc = RowRect(h);
    return POINT{rc.right - 15, (rc.top + rc.bottom) / 2};
  }
  int Top(HSTREEITEM h) const { return tv->GetItemLocator()->Item2Position(h); }
  int Total() const { return tv->GetItemLocator()->GetTotalHeight(); }
  size_t Selections() const { return CountHostEvents(EventTVSelChanged::EventID); }

  STreeView* tv = nullptr;
  SAutoRefPtr<TestTreeAdapter> tree;
  HSTREEITEM A = 0, A1 = 0, A2 = 0, B = 0, C = 0;
};

struct Canceller {
  bool OnChanging(EventTVSelChanging* evt) {
    evt->bCancel = TRUE;
    return true;
  }
};

}  // namespace

TEST_CASE_FIXTURE(TreeRig, "tree view: rows by depth and size; a collapse moves what follows") {
  OpenTree();
  ITreeViewItemLocator* loc = tv->GetItemLocator();
  const std::map<HSTREEITEM, int> tops = {{A, 0}, {A1, 20}, {A2, 40}, {B, 60}, {C, 80}};
  for (const auto& top : tops) CHECK(Top(top.first) == top.second);
  CHECK(Total() == 100);
  const struct {
    int y;
    HSTREEITEM item;
  } hits[] = {{-1, 0}, {0, A}, {19, A}, {20, A1}, {99, C}, {100, 0}};
  for (const auto& hit : hits) {
    CAPTURE(hit.y);
    CHECK(loc->Position2Item(hit.y) == hit.item);
  }
  CHECK(loc->GetItemIndent(A1) == 10);
  CHECK(loc->GetItemIndent(A) == 0);
  // A child is measured at its indent in the client's width, and placed there.
  CHECK(tree->measuredIn[A1] == RECT{10, 0, 200, 10000});
  CHECK(RowRect(A1) == RECT{20, 30, 120, 50});
  CHECK(tv->GetVisibleCount() == 5);
  CHECK_FALSE(tv->HasScrollBar(TRUE));
  CHECK_FALSE(tv->HasScrollBar(FALSE));

  tree->ExpandItem(A, TVC_COLLAPSE);
  CHECK(Top(B) == 20);
  CHECK(Total() == 60);
  CHECK(Top(A1) == -1);
  CHECK(tv->GetVisibleCount() == 3);
  CHECK(tv->GetItemPanel(A1) == nullptr);

  // A row that wants 35 pixels pushes the rows after it; the range follows.
  tree->ExpandItem(A, TVC_EXPAND);
  tree->At(A1).height = 35;
  tree->NotifyBranchChanged(A1);
  CHECK(Top(A2) == 55);
  CHECK(Top(B) == 75);
  CHECK(Total() == 115);
  CHECK(tv->HasScrollBar(TRUE));
  int max = 0;
  tv->GetScrollRange(TRUE, nullptr, &max);
  CHECK(max == 114);
  // Panels for the rows on screen only, reused: five made in all.
  CHECK(tree->PanelsAlive() == 5);
  CHECK(tv->GetVisibleCount() + tv->GetRecycledCount() == 5);
}

TEST_CASE_FIXTURE(TreeRig, "tree view: rows paint at their indent; the selection in its colour") {
  OpenTree();
  tv->SetSel(A1);
  Paint();
  const RECT a1 = RowRect(A1);
  CHECK(Rgb(a1.left + 1, a1.top + 1) == 0x000080);
  CHECK(Rgb(a1.right - 2, a1.bottom - 2) == 0x000080);
  CHECK(Rgb(a1.left - 1, a1.top + 1) == 0xFFFFFF);
  CHECK(Rgb(a1.right + 1, a1.top + 1) == 0xFFFFFF);
  // Scrolled down a row: the selected row is drawn one row higher.
  tree->At(C).height = 40;
  tree->NotifyBranchChanged(C);
  REQUIRE(tv->HasScrollBar(TRUE));
  tv->OnScroll(TRUE, SB_THUMBPOSITION, 20);
  Paint();
  CHECK(Rgb(a1.left + 1, a1.top - 19) == 0x000080);
  CHECK(Rgb(a1.left + 1, a1.bottom - 19) == 0xFFFFFF);
  CHECK(tv->GetFirstVisibleItem() == A1);
}

TEST_CASE_FIXTURE(TreeRig, "tree view: keys expand, collapse and move the selection") {
  OpenTree();
  tree->ExpandItem(A, TVC_COLLAPSE);
  tv->SetFocus();
  // Nothing selected: Down takes the first row.
  KeyDown(VK_DOWN);
  CHECK(tv->GetSel() == A);
  CHECK(Selections() == 1);
  // Right on a collapsed parent expands it and keeps the selection; again, to its first child.
  KeyDown(VK_RIGHT);
  CHECK(tree->At(A).expanded);
  CHECK(tv->GetSel() == A);
  CHECK(Selections() == 1);
  KeyDown(VK_RIGHT);
  CHECK(tv->GetSel() == A1);
  CHECK(Selections() == 2);
  CHECK(tv->GetItemPanel(A1)->GetRoot()->IsChecked());
  CHECK_FALSE(tv->GetItemPanel(A)->GetRoot()->IsChecked());
  const struct {
    UINT vk;
    HSTREEITEM sel;
    BOOL aExpanded;
  } steps[] = {
      {VK_LEFT, A, TRUE},   // a child: to the previous row
      {VK_LEFT, A, FALSE},  // an expanded parent: collapsed, the selection stays
      {VK_LEFT, A, FALSE},  // the first row: nowhere to go
      {VK_DOWN, B, FALSE}, {VK_DOWN, C, FALSE},  {VK_DOWN, C, FALSE},
      {VK_UP, B, FALSE},   {VK_RIGHT, C, FALSE},  // no children: the next row
      {VK_END, C, FALSE},  {VK_HOME, C, FALSE},
  };
  for (const auto& step : steps) {
    CAPTURE(step.vk);
    KeyDown(step.vk);
    CHECK(tv->GetSel() == step.sel);
    CHECK(tree->At(A).expanded == step.aExpanded);
  }
  // A handler may keep the old selection.
  Canceller canceller;
  tv->SubscribeEvent(EventTVSelChanging::EventID, Subscriber(&Canceller::OnChanging, &canceller));
  const size_t before = Selections();
  KeyDown(VK_UP);
  CHECK(tv->GetSel() == C);
  CHECK(Selections() == before);
}

TEST_CASE_FIXTURE(TreeRig, "tree view: a click selects, a double click expands or collapses") {
  OpenTree();
  Click(RowPoint(B));
  CHECK(tv->GetSel() == B);
  CHECK(CountHostEvents(EventTVSelChanging::EventID) == 1);
  CHECK(Selections() == 1);
  Click(RowPoint(B));  // selected already
  CHECK(CountHostEvents(EventTVSelChanging::EventID) == 1);
  const POINT a = RowPoint(A);
  MouseDown(a, WM_LBUTTONDBLCLK);
  MouseUp(a);
  CHECK_FALSE(tree->At(A).expanded);
  CHECK(Top(B) == 20);
  MouseDown(a, WM_LBUTTONDBLCLK);
  MouseUp(a);
  CHECK(tree->At(A).expanded);
  // On a row without children a double click changes nothing.
  const POINT c = RowPoint(C);
  MouseDown(c, WM_LBUTTONDBLCLK);
  MouseUp(c);
  CHECK_FALSE(tree->At(C).expanded);
}

TEST_CASE_FIXTURE(TreeRig,
                  "tree view: a press beside the rows takes the focus from the selected "
                  "row") {
  OpenTree(kTreeWithButtons);
  Click(ButtonOf(B));
  REQUIRE(tv->GetSel() == B);
  SItemPanel* panel = tv->GetItemPanel(B);
  SWindow* button = panel->GetRoot()->FindChildByName(L"button");
  REQUIRE(panel->GetFocus() == button->GetSwnd());
  // Right of the rows (100 wide) is no row.
  Click(POINT{170, 75});
  CHECK(panel->GetFocus() == 0);
  CHECK(tv->GetSel() == B);
}

TEST_CASE_FIXTURE(TreeRig, "tree view: the bars, and rows as wide as the view") {
  OpenTree();
  const struct {
    BOOL match;
    int width;
    int rowWidth;
    bool vertical;
    bool horizontal;
  } cases[] = {
      {FALSE, 300, 250, false, false}, {FALSE, 150, 250, true, true},
      {TRUE, 150, 250, false, false},  {TRUE, 50, 250, false, false},
      {TRUE, 300, 250, false, false},  {FALSE, 150, 130, false, false},
  };
  for (const auto& c : cases) {
    CAPTURE(c.match);
    CAPTURE(c.width);
    for (HSTREEITEM h = 1; h <= tree->Count(); ++h) tree->At(h).width = c.rowWidth;
    tree->widthMatchParent = c.match;
    tv->Move(10, 10, c.width, 100);
    tree->NotifyBranchChanged(kRoot);
    CHECK(tv->HasScrollBar(TRUE) == c.vertical);
    CHECK(tv->HasScrollBar(FALSE) == c.horizontal);
  }
  // With both bars the horizontal range is the widest row (a child's, at its indent).
  tree->widthMatchParent = FALSE;
  for (HSTREEITEM h = 1; h <= tree->Count(); ++h) tree->At(h).width = 250;
  tv->Move(10, 10, 150, 100);
  tree->NotifyBranchChanged(kRoot);
  int max = 0;
  tv->GetScrollRange(FALSE, nullptr, &max);
  CHECK(max == 259);
  // EnsureVisible: a row that meets the page stays; one left of it comes in at its start.
  tv->OnScroll(FALSE, SB_THUMBPOSITION, 100);
  tv->EnsureVisible(A1);
  CHECK(tv->GetScrollPos(FALSE) == 100);
  tree->At(A1).width = 400;
  tree->NotifyBranchChanged(A1);
  tv->OnScroll(FALSE, SB_THUMBPOSITION, 300);
  REQUIRE(tv->GetScrollPos(FALSE) > 260);
  tv->EnsureVisible(A2);
  CHECK(tv->GetScrollPos(FALSE) == 10);
}

TEST_CASE_FIXTURE(TreeRig,
                  "tree view: EnsureVisible expands the ancestors and scrolls as far as "
                  "needed") {
  OpenTree();
  // Ten more parents of ten children each, collapsed, rows of 50 (the size of a row not yet
  // measured, so that the figures are exact before the rows are built): a page of 100.
  std::vector<HSTREEITEM> parents;
  for (int i = 0; i < 10; ++i) {
    parents.push_back(tree->Add(kRoot, 50));
    for (int j = 0; j < 10; ++j) tree->Add(parents.back(), 50);
  }
  tree->NotifyBranchChanged(kRoot);
  const HSTREEITEM deep = tree->At(parents[6]).children[4];
  tv->EnsureVisible(deep);
  CHECK(tree->At(parents[6]).expanded);
  // Five rows of 20, seven parents, four children before it.
  CHECK(Top(deep) == 650);
  CHECK(tv->GetScrollPos(TRUE) == 600);
  CHECK(tv->GetItemPanel(deep) != nullptr);
  const struct {
    int from;
    HSTREEITEM item;
    int to;
  } cases[] = {
      {600, deep, 600},  // on screen: stays
      {660, deep, 660},  // partly on screen: stays
      {700, deep, 650},  // above: its top at the top
      {550, deep, 600},  // starts at the page's end: its bottom at the bottom
      {400, deep, 600},  // below: the same
      {60, A, 0},
  };
  for (const auto& c : cases) {
    CAPTURE(c.from);
    tv->OnScroll(TRUE, SB_THUMBPOSITION, c.from);
    tv->EnsureVisible(c.item);
    CHECK(tv->GetScrollPos(TRUE) == c.to);
  }
}

TEST_CASE_FIXTURE(TreeRig, "tree view: \"indent\" only while created") {
  const struct {
    const wchar_t* xml;
    int indent;
  } cases[] = {
      {L"<treeview name='tv' pos='10,10,@200,@100' indent='15'/>", 15},
      {L"<treeview name='tv' pos='10,10,@200,@100' indent='-3'/>", 10},
      {L"<treeview name='tv' pos='10,10,@200,@100' indent='0'/>", 0},
  };
  for (const auto& c : cases) {
    OpenTree(c.xml);
    CHECK(tv->GetItemLocator()->GetItemIndent(A1) == c.indent);
    CHECK(RowRect(A1).left == 10 + c.indent);
  }
  CHECK(tv->SetAttribute(SStringW(L"indent"), SStringW(L"20"), FALSE) == E_FAIL);
  CHECK(tv->GetItemLocator()->GetItemIndent(A1) == 0);
}

TEST_CASE_FIXTURE(TreeRig, "tree view: adapters replaced, refused, and gone with the view") {
  OpenTree();
  tv->SetSel(B);
  // Null is refused and nothing changes.
  CHECK_FALSE(tv->SetAdapter(nullptr));
  CHECK(tv->GetAdapter() == tree);
  CHECK(tv->GetSel() == B);
  CHECK(tv->GetVisibleCount() == 5);
  CHECK(tree->ObserverCount() == 1);
  CHECK(tree->templateInits == 1);
  // Another adapter: the old one's panels and observer go, and its selection.
  SAutoRefPtr<TestTreeAdapter> old = tree;
  tree.Attach(new TestTreeAdapter);
  const HSTREEITEM only = tree->Add(kRoot);
  REQUIRE(tv->SetAdapter(tree));
  CHECK(old->PanelsAlive() == 0);
  CHECK(old->ObserverCount() == 0);
  CHECK(tv->GetSel() == 0);
  CHECK(tv->GetVisibleCount() == 1);
  CHECK(tv->GetFirstVisibleItem() == only);
  // The view destroyed: the adapter is let go.
  tv->DestroyWindow();
  CHECK(tree->ObserverCount() == 0);
  CHECK(tree->PanelsAlive() == 0);
}

TEST_CASE_FIXTURE(TreeRig, "tree view: a row that holds the capture and leaves lets it go") {
  OpenTree(kTreeWithButtons);
  const POINT pt = ButtonOf(A2);
  SWindow* button = tv->GetItemPanel(A2)->GetRoot()->FindChildByName(L"button");
  MouseDown(pt);
  REQUIRE(button->GetCapture() == button->GetSwnd());
  REQUIRE(host->OnGetSwndCapture() == tv->GetSwnd());
  // The row goes (its parent collapses under the pressed button).
  tree->ExpandItem(A, TVC_COLLAPSE);
  CHECK(host->OnGetSwndCapture() == 0);
  CHECK(button->GetCapture() == 0);
  panelEvents.clear();
  MouseUp(pt);
  CHECK(CountPanelEvents(EventCmd::EventID, button) == 0);
  // The same when the adapter goes while a row holds the capture.
  MouseDown(ButtonOf(C));
  REQUIRE(host->OnGetSwndCapture() == tv->GetSwnd());
  SAutoRefPtr<TestTreeAdapter> other;
  other.Attach(new TestTreeAdapter);
  other->Add(kRoot);
  REQUIRE(tv->SetAdapter(other));
  CHECK(host->OnGetSwndCapture() == 0);
}

TEST_CASE_FIXTURE(TreeRig, "tree view: rows whose sizes change the tree are built once more") {
  OpenTree();
  // Every measure answers a new height: one change, two passes over the rows, no more.
  std::map<HSTREEITEM, int> measures;
  int calls = 0;
  tree->desiredSize = [&](HSTREEITEM h, const RECT&) {
    ++measures[h];
    return SIZE{100, 15 + calls++};
  };
  tree->NotifyBranchChanged(A2);
  CHECK(measures[A] == 2);
  CHECK(tv->GetFirstVisibleItem() == A);
  // Sizes that stay: one pass.
  measures.clear();
  tree->desiredSize = [&](HSTREEITEM h, const RECT&) {
    ++measures[h];
    return SIZE{100, 20};
  };
  tv->UpdateVisibleItems();  // the heights change back: two passes
  measures.clear();
  tv->UpdateVisibleItems();
  CHECK(measures[A] == 1);
}
