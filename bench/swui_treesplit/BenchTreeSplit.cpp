// Figures of the tree control and the split window, each beside a bare baseline run in the
// same process:
// - a tree of 100 items with 100 children each (200 x 400, rows 20 high) against the
//   platform's tree-view control filled alike (parents expanded): inserting every item,
//   expanding all 100 parents after collapsing them, one paint (the native control painted by
//   WM_PRINTCLIENT into a memory DC), and scrolling to the end with the paint that follows;
// - 1,000 hit tests over the last rows of that tree (10,100 rows shown, scrolled to the end)
//   against a walk over the shown rows from the top to the same row through the tree's
//   public navigation, as a hit test would find its row without a row index;
// - 1,000 steps of a split window's bar dragged back and forth (distribution, three panes
//   placed, their events, invalidation) against 1,000 bare Moves of the same three panes.
#include <windows.h>

#include <cstdio>

#include "BenchClock.h"
#include "BenchContainer.h"
#include "BenchFactory.h"
#include "BenchTrees.h"
#include "control/SSplitWnd.h"
#include "control/STreeCtrl.h"
#include "core/SApplication.h"

using namespace SWUI;

namespace {

constexpr int kParents = 100;
constexpr int kChildren = 100;
constexpr int kRounds = 5;
constexpr int kWidth = 200;
constexpr int kHeight = 400;
constexpr int kSteps = 1000;
constexpr int kHits = 1000;

// The shown item after h: its first child when expanded, else the next sibling of h or of
// its nearest ancestor that has one.
HSTREEITEM NextShown(const STreeCtrl* tree, HSTREEITEM h) {
  if (tree->IsExpanded(h)) return tree->GetChildItem(h, TRUE);
  for (; h != 0; h = tree->GetParentItem(h)) {
    if (HSTREEITEM next = tree->GetNextSiblingItem(h)) return next;
  }
  return 0;
}

// The item of a row found by walking the shown rows from the top.
HSTREEITEM WalkToRow(const STreeCtrl* tree, int row) {
  HSTREEITEM h = tree->GetChildItem(STVI_ROOT, TRUE);
  for (int i = 0; i < row && h != 0; ++i) h = NextShown(tree, h);
  return h;
}

// kHits hit tests down the client (scrolled to the end) against walks to the same rows.
int BenchHitTests(STreeCtrl* tree) {
  const RECT client = tree->GetClientRect();
  const int rowHeight = tree->GetItemHeight();
  const int rowsShown = (client.bottom - client.top) / rowHeight;
  const int firstRow = tree->GetViewOrigin().y / rowHeight;
  auto pointOf = [&](int i) {
    return POINT{client.left + 5, client.top + (i % rowsShown) * rowHeight + rowHeight / 2};
  };
  for (int i = 0; i < rowsShown; ++i) {
    POINT pt = pointOf(i);
    if (tree->HitTest(pt) != WalkToRow(tree, firstRow + i)) {
      printf("tree: the hit test and the walk disagree at row %d\n", firstRow + i);
      return 1;
    }
  }
  HSTREEITEM sink = 0;
  const bench::Timing hits = bench::BestOfAlternating(
      [&] {
        for (int i = 0; i < kHits; ++i) {
          POINT pt = pointOf(i);
          sink = tree->HitTest(pt);
        }
      },
      [&] {
        for (int i = 0; i < kHits; ++i) sink = WalkToRow(tree, firstRow + i % rowsShown);
      },
      100.0, kRounds);
  bench::Report("1,000 hit tests on 10,100 shown rows", hits.ours, hits.bare);
  return sink == 0 ? 1 : 0;
}

int BenchTree(IRenderTarget* target) {
  const bench::TreeTexts texts(kParents, kChildren);
  bench::Tree ui(L"<root><treectrl name='tc' pos='0,0,-0,-0'/></root>", kWidth, kHeight);
  bench::TreeCtrlFill ours;
  ours.tree = dynamic_cast<STreeCtrl*>(ui.root->FindChildByName(L"tc"));
  bench::NativeTree native(kWidth, kHeight);
  if (ours.tree == nullptr || !native.Ready()) {
    printf("tree: the tree control or the native tree-view could not be made\n");
    return 1;
  }

  const bench::Timing insert = bench::BestOfRounds(
      kRounds, [&] { ours.tree->RemoveAllItems(); }, [&] { ours.Fill(texts); },
      [&] { native.Clear(); }, [&] { native.Fill(texts); });
  bench::Report("insert 100 x 100 items", insert.ours, insert.bare);
  if (ours.tree->GetVisibleCount() != kParents * (kChildren + 1)) {
    printf("tree: %d rows shown after the fill\n", ours.tree->GetVisibleCount());
    return 1;
  }

  const bench::Timing expand = bench::BestOfRounds(
      kRounds, [&] { ours.ExpandAll(TVE_COLLAPSE); }, [&] { ours.ExpandAll(TVE_EXPAND); },
      [&] { native.ExpandAll(TVE_COLLAPSE); }, [&] { native.ExpandAll(TVE_EXPAND); });
  bench::Report("expand all 100 parents", expand.ours, expand.bare);

  const bench::Timing paint = bench::BestOfAlternating(
      [&] { ui.root->RedrawRegion(target, nullptr); }, [&] { native.Paint(); }, 150.0);
  bench::Report("one paint (20 rows and the bar)", paint.ours, paint.bare);
  if (bench::DarkPixels(target, kWidth, kHeight) < 100) {
    printf("tree: the paint drew no text\n");
    return 1;
  }

  const bench::Timing scroll = bench::BestOfRounds(
      kRounds, [&] { ours.tree->OnScroll(TRUE, SB_TOP, 0); },
      [&] {
        ours.tree->OnScroll(TRUE, SB_BOTTOM, 0);
        ui.root->RedrawRegion(target, nullptr);
      },
      [&] { native.Scroll(SB_TOP); },
      [&] {
        native.Scroll(SB_BOTTOM);
        native.Paint();
      });
  bench::Report("scroll to the end and paint", scroll.ours, scroll.bare);
  const int end = ours.tree->GetViewSize().cy - ours.tree->GetClientRect().bottom;
  if (ours.tree->GetViewOrigin().y != end || native.ScrollPos() == 0) {
    printf("tree: scrolling to the end did not reach it (ours %ld of %d, native %d)\n",
           ours.tree->GetViewOrigin().y, end, native.ScrollPos());
    return 1;
  }
  return BenchHitTests(ours.tree);
}

int BenchSplit() {
  bench::Tree ui(
      L"<root><splitwnd name='sw' pos='0,0,-0,-0' sepSize='5'>"
      L"<pane idealSize='100' priority='2'/><pane idealSize='100' priority='1'/>"
      L"<pane idealSize='100'/></splitwnd></root>",
      400, 100);
  auto* split = dynamic_cast<SSplitWnd*>(ui.root->FindChildByName(L"sw"));
  if (split == nullptr || split->GetPaneCount() != 3) {
    printf("split: the split window could not be made\n");
    return 1;
  }
  // The bar sweeps 100 pixels right and back, one pixel a step.
  auto deltaOf = [](int step) { return (step / 100) % 2 == 0 ? 1 : -1; };
  int x = 102;
  split->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 50));
  split->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 50, 50));
  const LONG moved = split->GetPane(0)->GetWindowRect().right;
  split->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 50));
  split->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, 50));
  if (moved != 150 || split->GetPane(0)->GetWindowRect().right != 100) {
    printf("split: the bar did not follow the mouse\n");
    return 1;
  }
  const bench::Timing steps = bench::BestOfAlternating(
      [&] {
        split->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 50));
        for (int i = 0; i < kSteps; ++i) {
          x += deltaOf(i);
          split->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 50));
        }
        split->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, 50));
      },
      [&] {
        int width = 100;
        for (int i = 0; i < kSteps; ++i) {
          width += deltaOf(i);
          split->GetPane(0)->Move(0, 0, width, 100);
          split->GetPane(1)->Move(width + 5, 0, 200 - width, 100);
          split->GetPane(2)->Move(210, 0, 190, 100);
        }
      },
      50.0, kRounds);
  bench::Report("1,000 split-bar steps", steps.ours, steps.bare);
  return 0;
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  SApplication app(factory, GetModuleHandleW(nullptr));
  if (!bench::LoadBuiltInResources(app, true)) return 1;
  SAutoRefPtr<IRenderTarget> target = bench::NewRenderTarget(factory, kWidth, kHeight);
  if (target == nullptr) return 1;

  if (BenchTree(target) != 0) return 1;
  return BenchSplit();
}
