// The tree view's locator against a walk of the whole tree: positions, the item at every
// offset, the total height and width, through random sizes and expansions.
#include <doctest/doctest.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include "TestTreeAdapter.h"
#include "control/STreeViewItemLocator.h"

using namespace SWUI;

namespace {

constexpr HSTREEITEM kRoot = ITvAdapter::ITEM_ROOT;

// What a walk of the shown items, row by row, finds: each one's top and the extent of the
// rows.
struct Walk {
  std::map<HSTREEITEM, int> tops;
  std::vector<HSTREEITEM> rowAt;  // the item of every offset
  int width = 0;

  Walk(TestTreeAdapter& a, STreeViewItemLocator& loc) { Visit(a, loc, kRoot, 0); }

 private:
  void Visit(TestTreeAdapter& a, STreeViewItemLocator& loc, HSTREEITEM hItem, int depth) {
    for (HSTREEITEM c : a.At(hItem).children) {
      tops[c] = static_cast<int>(rowAt.size());
      rowAt.insert(rowAt.end(), static_cast<size_t>(loc.GetItemHeight(c)), c);
      width = std::max(width, depth * loc.GetIndent() + loc.GetItemWidth(c));
      if (a.At(c).expanded) Visit(a, loc, c, depth + 1);
    }
  }
};

// Every position and every offset (and one past each end) as the walk finds them.
void CheckAgainstWalk(TestTreeAdapter& a, STreeViewItemLocator& loc) {
  const Walk walk(a, loc);
  const int total = static_cast<int>(walk.rowAt.size());
  REQUIRE(loc.GetTotalHeight() == total);
  REQUIRE(loc.GetTotalWidth() == walk.width);
  int wrong = 0;
  for (HSTREEITEM h = 1; h <= a.Count(); ++h) {
    const auto it = walk.tops.find(h);
    if (loc.Item2Position(h) != (it != walk.tops.end() ? it->second : -1)) ++wrong;
  }
  for (int y = 0; y < total; ++y) {
    if (loc.Position2Item(y) != walk.rowAt[static_cast<size_t>(y)]) ++wrong;
  }
  CHECK(wrong == 0);
  CHECK(loc.Position2Item(-1) == 0);
  CHECK(loc.Position2Item(total) == 0);
}

// A: A1 (A11), A2; B (collapsed: B1); C.
// A new adapter with no items.
SAutoRefPtr<TestTreeAdapter> NewAdapter() {
  SAutoRefPtr<TestTreeAdapter> a;
  a.Attach(new TestTreeAdapter);
  return a;
}

struct SmallTree {
  SAutoRefPtr<TestTreeAdapter> a = NewAdapter();
  HSTREEITEM A = a->Add(kRoot);
  HSTREEITEM A1 = a->Add(A);
  HSTREEITEM A11 = a->Add(A1);
  HSTREEITEM A2 = a->Add(A);
  HSTREEITEM B = a->Add(kRoot);
  HSTREEITEM B1 = a->Add(B);
  HSTREEITEM C = a->Add(kRoot);
  STreeViewItemLocator loc{10};

  SmallTree() {
    a->At(A).expanded = TRUE;
    a->At(A1).expanded = TRUE;
    loc.SetAdapter(a);
  }
  void Toggle(HSTREEITEM h) {
    const BOOL old = a->At(h).expanded;
    a->At(h).expanded = !old;
    loc.OnBranchExpandedChanged(h, old, !old);
  }
};

}  // namespace

TEST_CASE("tree locator: items start at the default size; sizes move what follows") {
  SmallTree t;
  // Six shown rows of 50; the root itself takes no room.
  CHECK(t.loc.GetTotalHeight() == 300);
  CHECK(t.loc.Item2Position(t.B) == 200);
  CHECK(t.loc.Item2Position(t.B1) == -1);
  CHECK(t.loc.Item2Position(kRoot) == -1);
  CHECK(t.loc.GetItemIndent(t.A11) == 20);
  // The widest row: the default 10 at depth 2.
  CHECK(t.loc.GetTotalWidth() == 30);
  t.loc.SetItemHeight(t.A1, 20);
  CHECK(t.loc.Item2Position(t.A11) == 70);
  CHECK(t.loc.Item2Position(t.C) == 220);
  CHECK(t.a->At(t.A2).data[TVDATA_ITEM_OFFSET] == 70);
  CheckAgainstWalk(*t.a, t.loc);
}

TEST_CASE("tree locator: what a collapsed branch holds shows nowhere else") {
  SmallTree t;
  t.Toggle(t.A);
  // A branch changed under a collapsed item: measured again, still hidden.
  t.a->Add(t.A1);
  t.loc.OnBranchChanged(t.A1);
  CHECK(t.loc.GetTotalHeight() == 150);
  // A collapsed parent takes its grandchild's new height into its branch, and nothing above it
  // moves.
  t.loc.SetItemHeight(t.A11, 80);
  CHECK(t.loc.GetTotalHeight() == 150);
  // Nor does the view grow wider for a hidden row.
  t.loc.SetItemWidth(t.A11, 300);
  CHECK(t.loc.GetTotalWidth() == 10);
  CheckAgainstWalk(*t.a, t.loc);
  // Shown again, with what changed meanwhile.
  t.Toggle(t.A);
  CHECK(t.loc.GetTotalHeight() == 380);
  CHECK(t.loc.GetTotalWidth() == 320);
  CheckAgainstWalk(*t.a, t.loc);
  // The widest row shrinks: the next widest decides.
  t.loc.SetItemWidth(t.A11, 5);
  t.loc.SetItemWidth(t.B, 60);
  CHECK(t.loc.GetTotalWidth() == 60);
  t.loc.SetItemWidth(t.B, 1);
  CHECK(t.loc.GetTotalWidth() == 30);
}

TEST_CASE("tree locator: a random tree of 2,000 items against a walk of every row") {
  std::mt19937 rng(20260415);
  auto pick = [&rng](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  SAutoRefPtr<TestTreeAdapter> a = NewAdapter();
  // Three levels: 40 top-level items, 400 below them, the rest below those.
  std::vector<HSTREEITEM> levels[3];
  for (int i = 0; i < 2000; ++i) {
    const int level = i < 40 ? 0 : i < 440 ? 1 : 2;
    const HSTREEITEM parent =
        level == 0 ? kRoot : levels[level - 1][pick(levels[level - 1].size())];
    levels[level].push_back(a->Add(parent));
  }
  for (HSTREEITEM h = 1; h <= a->Count(); ++h) a->At(h).expanded = pick(3) != 0;
  STreeViewItemLocator loc(12);
  loc.SetAdapter(a);
  CheckAgainstWalk(*a, loc);
  for (int round = 0; round < 6; ++round) {
    CAPTURE(round);
    for (int step = 0; step < 300; ++step) {
      const HSTREEITEM h = 1 + pick(a->Count());
      switch (pick(4)) {
        case 0: {
          const BOOL old = a->At(h).expanded;
          a->At(h).expanded = !old;
          loc.OnBranchExpandedChanged(h, old, !old);
          break;
        }
        case 1: loc.SetItemHeight(h, static_cast<int>(pick(60))); break;
        case 2: loc.SetItemWidth(h, static_cast<int>(pick(400))); break;
        default:
          if (pick(20) == 0) loc.OnBranchChanged(h);  // back to the default sizes below it
          break;
      }
    }
    CheckAgainstWalk(*a, loc);
  }
}
