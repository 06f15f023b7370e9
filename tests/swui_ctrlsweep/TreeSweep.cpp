// The tree control under random operations: items inserted (made visible or not), removed,
// expanded, collapsed, selected, checked and sorted, hostile heights, indents and margins from
// XML and at run time, clicks, double clicks, moves and keys, with expansion and selection
// handlers that remove items midway. After every step: every handle the tree answered is one of
// its items, the counts agree with a walk of the tree, and each shown row's hit test finds it.
#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <vector>

#include "ElementRig.h"
#include "SweepSteps.h"
#include "control/EventTCExpand.h"
#include "control/EventTCSelChanging.h"
#include "control/STreeCtrl.h"

using namespace SWUI;
using ctrlsweep::Run;

namespace {

std::wstring Items(Run& r, int depth) {
  std::wstring xml;
  for (int i = r.Below(depth == 0 ? 5 : 3); i > 0; --i) {
    xml += L"<item text='x" + std::to_wstring(r.Below(100)) + L"' expand='" +
           std::to_wstring(r.Below(2)) + L"'>";
    if (depth < 3) xml += Items(r, depth + 1);
    xml += L"</item>";
  }
  return xml;
}

std::wstring TreeXml(Run& r) {
  const std::vector<std::wstring>& sizes = ctrlsweep::HostileSizes();
  return L"<root><treectrl name='t' pos='0,0,-0,-0' checkBox='" + std::to_wstring(r.Below(2)) +
         L"' rightClickSel='1' itemHeight='" + r.Pick(sizes) + L"' indent='" + r.Pick(sizes) +
         L"' itemMargin='" + r.Pick(sizes) + L"'>" + Items(r, 0) + L"</treectrl></root>";
}

// The tree's items in tree order, by its own navigation.
std::vector<HSTREEITEM> Walk(STreeCtrl* tree) {
  std::vector<HSTREEITEM> items;
  for (HSTREEITEM h = tree->GetNextItem(STVI_ROOT); h != 0; h = tree->GetNextItem(h)) {
    items.push_back(h);
  }
  return items;
}

bool Shown(STreeCtrl* tree, HSTREEITEM h) {
  for (HSTREEITEM p = tree->GetParentItem(h); p != 0; p = tree->GetParentItem(p)) {
    if (!tree->IsExpanded(p)) return false;
  }
  return true;
}

class TreeSweep {
 public:
  TreeSweep(Run& run, STreeCtrl* tree) : r(run), tree_(tree) { Refresh(); }

  // A live item, sometimes null or a pseudo handle.
  HSTREEITEM AnyItem() {
    if (r.OneIn(8)) return r.Pick(std::vector<HSTREEITEM>{0, STVI_ROOT, STVI_FIRST, STVI_LAST});
    return items_.empty() ? STVI_ROOT : r.Pick(items_);
  }

  // Removes a random item from inside a handler, now and then.
  void MaybeRemoveInHandler() {
    if (!r.OneIn(5)) return;
    const std::vector<HSTREEITEM> live = Walk(tree_);
    if (!live.empty()) tree_->RemoveItem(r.Pick(live));
  }

  void Step() {
    HSTREEITEM answered = 0;
    switch (r.Below(12)) {
      case 0:
      case 1: {
        const HSTREEITEM after = r.Pick(std::vector<HSTREEITEM>{STVI_FIRST, STVI_LAST, AnyItem()});
        answered = tree_->InsertItem(L"new", AnyItem(), after, r.Below(2));
        break;
      }
      case 2:
        tree_->RemoveItem(AnyItem());
        break;
      case 3:
        tree_->Expand(AnyItem(),
                      r.Pick(std::vector<UINT>{TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE, 9}));
        break;
      case 4:
        tree_->SelectItem(AnyItem(), r.Below(2));
        break;
      case 5:
        tree_->SetCheckState(AnyItem(), r.Below(2));
        break;
      case 6:
        tree_->SortChildren(AnyItem(), ByData, nullptr);
        break;
      case 7:
        tree_->EnsureVisible(AnyItem());
        break;
      case 8:
        ctrlsweep::RandomKey(r, tree_);
        break;
      case 9:
        tree_->SetAttribute(SStringW(r.Pick(std::vector<std::wstring>{L"itemHeight", L"indent",
                                                                      L"itemMargin"})
                                         .c_str()),
                            SStringW(r.Pick(ctrlsweep::HostileSizes()).c_str()), FALSE);
        break;
      default:
        ctrlsweep::RandomMouse(r, tree_);
        break;
    }
    Refresh();
    if (answered != 0) REQUIRE(live_.count(answered) == 1);
    if (r.OneIn(40)) {
      tree_->RemoveAllItems();
      Refresh();
    }
  }

  void Check() {
    REQUIRE(tree_->GetCount() == static_cast<int>(items_.size()));
    const HSTREEITEM sel = tree_->GetSelectedItem();
    if (sel != 0) REQUIRE(live_.count(sel) == 1);
    std::vector<HSTREEITEM> shown;
    for (HSTREEITEM h : items_) {
      if (Shown(tree_, h)) shown.push_back(h);
    }
    REQUIRE(tree_->GetVisibleCount() == static_cast<int>(shown.size()));
    // Shown rows lie one below the other, in tree order.
    long long prevTop = LLONG_MIN;
    for (HSTREEITEM h : shown) {
      const RECT rc = tree_->GetItemRect(h);
      REQUIRE(rc.top > prevTop);
      prevTop = rc.top;
    }
    // A few shown rows: the rectangle's row and the hit test there agree.
    const RECT client = tree_->GetClientRect();
    for (int i = 0; i < 3 && !shown.empty(); ++i) {
      const HSTREEITEM h = r.Pick(shown);
      const RECT rc = tree_->GetItemRect(h);
      REQUIRE(rc.bottom - rc.top == tree_->GetItemHeight());
      const int y = rc.top + (rc.bottom - rc.top) / 2;
      if (y < client.top || y >= client.bottom) continue;
      POINT pt = {client.left + 1, y};
      REQUIRE(tree_->HitTest(pt) == h);
    }
  }

  Run& r;

 private:
  static int ByData(void*, HSTREEITEM a, HSTREEITEM b) {
    return a < b ? -1 : (a > b ? 1 : 0);
  }

  void Refresh() {
    items_ = Walk(tree_);
    live_ = std::set<HSTREEITEM>(items_.begin(), items_.end());
  }

  STreeCtrl* tree_;
  std::vector<HSTREEITEM> items_;
  std::set<HSTREEITEM> live_;
};

}  // namespace

TEST_CASE("tree under random operations, hostile values and removing handlers") {
  ctrlsweep::Announce("tree");
  sweep::Watchdog dog("tree");
  for (int run = 0; run < ctrlsweep::kRuns; ++run) {
    Run r("tree", run);
    ElementRig rig(200, 150, true);
    rig.Load(TreeXml(r).c_str());
    auto* tree = rig.Find<STreeCtrl>(L"t");
    TreeSweep sweep(r, tree);
    tree->SubscribeEvent(EventTCExpand::EventID, FnSlot([&](EventArgs*) {
                           sweep.MaybeRemoveInHandler();
                           return false;
                         }));
    tree->SubscribeEvent(EventTCSelChanging::EventID, FnSlot([&](EventArgs*) {
                           sweep.MaybeRemoveInHandler();
                           return false;
                         }));
    for (int step = 0; step < ctrlsweep::kSteps; ++step) {
      const std::string where = r.Where(step);
      dog.Enter(where);
      CAPTURE(where);
      sweep.Step();
      if (step % 10 == 0) rig.Paint();
      sweep.Check();
    }
  }
  dog.Enter("");
}
