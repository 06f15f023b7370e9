// Figures of the tree control and the split window, each beside a bare baseline run in the
// same process:
// - a tree of 100 items with 100 children each (200 x 400, rows 20 high) against the
//   platform's tree-view control filled alike (parents expanded): inserting every item,
//   expanding all 100 parents after collapsing them, one paint (the native control painted by
//   WM_PRINTCLIENT into a memory DC), and scrolling to the end with the paint that follows;
// - 1,000 steps of a split window's bar dragged back and forth (distribution, three panes
//   placed, their events, invalidation) against 1,000 bare Moves of the same three panes.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchContainer.h"
#include "BenchFactory.h"
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

struct Texts {
  std::vector<std::wstring> parents;
  std::vector<std::wstring> children;  // the same for every parent
};

Texts MakeTexts() {
  Texts t;
  for (int i = 0; i < kParents; ++i) t.parents.push_back(L"Parent " + std::to_wstring(i));
  for (int j = 0; j < kChildren; ++j) t.children.push_back(L"Child item " + std::to_wstring(j));
  return t;
}

// The platform's tree-view of the same size, and a memory DC it prints its client area into.
// It stays hidden, as the tree control paints nothing until asked: a shown one repaints while
// it fills (under Wine that took 80 s for these items).
class NativeTree {
 public:
  NativeTree() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    if (!InitCommonControlsEx(&icc)) return;
    hwnd_ = CreateWindowExW(0, WC_TREEVIEWW, L"",
                            WS_POPUP | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0,
                            kWidth, kHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = kWidth;
    bi.bmiHeader.biHeight = -kHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc_ != nullptr && bitmap_ != nullptr) old_ = SelectObject(dc_, bitmap_);
  }
  ~NativeTree() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }
  NativeTree(const NativeTree&) = delete;
  NativeTree& operator=(const NativeTree&) = delete;

  bool Ready() const { return hwnd_ != nullptr && old_ != nullptr; }

  void Clear() {
    SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    parents_.clear();
  }
  void Fill(const Texts& texts) {
    for (const std::wstring& parent : texts.parents) {
      HTREEITEM h = Insert(TVI_ROOT, parent);
      parents_.push_back(h);
      for (const std::wstring& child : texts.children) Insert(h, child);
    }
  }
  void ExpandAll(UINT code) {
    for (HTREEITEM h : parents_) {
      SendMessageW(hwnd_, TVM_EXPAND, code, reinterpret_cast<LPARAM>(h));
    }
  }
  void Paint() {
    const RECT all = {0, 0, kWidth, kHeight};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageW(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_),
                 PRF_CLIENT | PRF_ERASEBKGND);
  }
  void Scroll(UINT code) { SendMessageW(hwnd_, WM_VSCROLL, MAKEWPARAM(code, 0), 0); }
  int ScrollPos() const { return GetScrollPos(hwnd_, SB_VERT); }

 private:
  HTREEITEM Insert(HTREEITEM parent, const std::wstring& text) {
    TVINSERTSTRUCTW is = {};
    is.hParent = parent;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_STATE;
    is.item.state = TVIS_EXPANDED;
    is.item.stateMask = TVIS_EXPANDED;
    is.item.pszText = const_cast<LPWSTR>(text.c_str());
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&is)));
  }

  HWND hwnd_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::vector<HTREEITEM> parents_;
};

struct OursTree {
  STreeCtrl* tree = nullptr;
  std::vector<HSTREEITEM> parents;

  void Fill(const Texts& texts) {
    parents.clear();
    for (const std::wstring& parent : texts.parents) {
      HSTREEITEM h = tree->InsertItem(parent.c_str());
      parents.push_back(h);
      for (const std::wstring& child : texts.children) tree->InsertItem(child.c_str(), h);
    }
  }
  void ExpandAll(UINT code) {
    for (HSTREEITEM h : parents) tree->Expand(h, code);
  }
};

// Best of kRounds of a setup (untimed) followed by a timed body, ours and bare alternating.
template <class SetupOurs, class Ours, class SetupBare, class Bare>
bench::Timing BestOfRounds(SetupOurs setupOurs, Ours ours, SetupBare setupBare, Bare bare) {
  bench::Timing best = {1e300, 1e300};
  for (int round = 0; round < kRounds; ++round) {
    setupOurs();
    double start = bench::NowMs();
    ours();
    best.ours = std::min(best.ours, bench::NowMs() - start);
    setupBare();
    start = bench::NowMs();
    bare();
    best.bare = std::min(best.bare, bench::NowMs() - start);
  }
  return best;
}

// Pixels of text (or toggles) in what was painted.
int DarkPixels(IRenderTarget* target) {
  int dark = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if ((target->GetPixel(x, y) & 0xFF) < 0x80) ++dark;
    }
  }
  return dark;
}

int BenchTree(IRenderTarget* target) {
  const Texts texts = MakeTexts();
  bench::Tree ui(L"<root><treectrl name='tc' pos='0,0,-0,-0'/></root>", kWidth, kHeight);
  OursTree ours;
  ours.tree = dynamic_cast<STreeCtrl*>(ui.root->FindChildByName(L"tc"));
  NativeTree native;
  if (ours.tree == nullptr || !native.Ready()) {
    printf("tree: the tree control or the native tree-view could not be made\n");
    return 1;
  }

  const bench::Timing insert = BestOfRounds([&] { ours.tree->RemoveAllItems(); },
                                            [&] { ours.Fill(texts); }, [&] { native.Clear(); },
                                            [&] { native.Fill(texts); });
  bench::Report("insert 100 x 100 items", insert.ours, insert.bare);
  if (ours.tree->GetVisibleCount() != kParents * (kChildren + 1)) {
    printf("tree: %d rows shown after the fill\n", ours.tree->GetVisibleCount());
    return 1;
  }

  const bench::Timing expand = BestOfRounds(
      [&] { ours.ExpandAll(TVE_COLLAPSE); }, [&] { ours.ExpandAll(TVE_EXPAND); },
      [&] { native.ExpandAll(TVE_COLLAPSE); }, [&] { native.ExpandAll(TVE_EXPAND); });
  bench::Report("expand all 100 parents", expand.ours, expand.bare);

  const bench::Timing paint = bench::BestOfAlternating(
      [&] { ui.root->RedrawRegion(target, nullptr); }, [&] { native.Paint(); }, 150.0);
  bench::Report("one paint (20 rows and the bar)", paint.ours, paint.bare);
  if (DarkPixels(target) < 100) {
    printf("tree: the paint drew no text\n");
    return 1;
  }

  const bench::Timing scroll = BestOfRounds(
      [&] { ours.tree->OnScroll(TRUE, SB_TOP, 0); },
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
  return 0;
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
