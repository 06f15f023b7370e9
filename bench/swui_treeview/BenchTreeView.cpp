// Figures of the tree view, beside bare baselines run in the same process: a tree of 100 items
// with 100 children each (200 x 400, rows 20 high), all 100 parents collapsed first (untimed),
// then every parent expanded and one paint, against
// - the tree control (STreeCtrl) with the same items: Expand of every parent, one paint;
// - the platform's tree-view control with the same items, kept hidden: TVM_EXPAND of every
//   parent, one paint by WM_PRINTCLIENT into a memory DC.
// The tree view's adapter tells the view of each expansion, which measures the new rows' place
// and builds the panels of the rows on screen again; the panels it made and the rows it built
// are printed too.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <pugixml.hpp>
#include <vector>

#include "BenchClock.h"
#include "BenchContainer.h"
#include "BenchFactory.h"
#include "BenchTrees.h"
#include "base/TObjRefImpl.h"
#include "control/ITvAdapter.h"
#include "control/ITvDataSetObserver.h"
#include "control/STreeCtrl.h"
#include "control/STreeView.h"
#include "core/SApplication.h"

using namespace SWUI;

namespace {

constexpr int kParents = 100;
constexpr int kChildren = 100;
constexpr int kRounds = 5;
constexpr int kWidth = 200;
constexpr int kHeight = 400;
constexpr int kRowHeight = 20;
constexpr HSTREEITEM kRoot = ITvAdapter::ITEM_ROOT;
// A parent and its children take consecutive handles: parent i is 1 + i * kStride.
constexpr HSTREEITEM kStride = kChildren + 1;

// kParents x kChildren items of texts; rows as wide as the view.
class BenchTreeAdapter : public TObjRefImpl<ITvAdapter> {
 public:
  explicit BenchTreeAdapter(const bench::TreeTexts& texts)
      : texts_(texts), items_(kParents * kStride + 1) {}

  int getViewCalls = 0;
  int panelsMade = 0;

  // ---- handles ---------------------------------------------------------------------------
  static bool IsParent(HSTREEITEM h) { return (h - 1) % kStride == 0; }
  static HSTREEITEM ParentOf(HSTREEITEM h) { return h - (h - 1) % kStride; }
  static size_t ParentIndex(HSTREEITEM h) { return (h - 1) / kStride; }
  static size_t ChildIndex(HSTREEITEM h) { return (h - 1) % kStride - 1; }
  static HSTREEITEM Parent(size_t i) { return 1 + i * kStride; }
  bool Expanded(HSTREEITEM h) const { return h == kRoot || items_[h].expanded; }

  void RegisterObserver(ITvDataSetObserver* observer) override { observer_ = observer; }
  void UnregisterObserver(ITvDataSetObserver*) override { observer_ = nullptr; }
  ULONG_PTR GetItemDataByIndex(HSTREEITEM h, int index) override { return Data(h)[index]; }
  void SetItemDataByIndex(HSTREEITEM h, int index, ULONG_PTR data) override {
    Data(h)[index] = data;
  }
  HSTREEITEM GetParentItem(HSTREEITEM h) override {
    return h == kRoot ? 0 : IsParent(h) ? kRoot : ParentOf(h);
  }
  HSTREEITEM GetFirstChildItem(HSTREEITEM h) override {
    return h == kRoot ? Parent(0) : IsParent(h) ? h + 1 : 0;
  }
  HSTREEITEM GetLastChildItem(HSTREEITEM h) override {
    return h == kRoot ? Parent(kParents - 1) : IsParent(h) ? h + kChildren : 0;
  }
  HSTREEITEM GetPrevSiblingItem(HSTREEITEM h) override {
    if (h == kRoot) return 0;
    if (IsParent(h)) return ParentIndex(h) > 0 ? h - kStride : 0;
    return ChildIndex(h) > 0 ? h - 1 : 0;
  }
  HSTREEITEM GetNextSiblingItem(HSTREEITEM h) override {
    if (h == kRoot) return 0;
    if (IsParent(h)) return ParentIndex(h) + 1 < kParents ? h + kStride : 0;
    return ChildIndex(h) + 1 < kChildren ? h + 1 : 0;
  }
  BOOL HasChildren(HSTREEITEM h) override { return h == kRoot || IsParent(h); }
  BOOL IsItemVisible(HSTREEITEM h) override { return IsParent(h) || Expanded(ParentOf(h)); }
  HSTREEITEM GetFirstVisibleItem() override { return Parent(0); }
  HSTREEITEM GetLastVisibleItem() override {
    const HSTREEITEM last = Parent(kParents - 1);
    return Expanded(last) ? last + kChildren : last;
  }
  HSTREEITEM GetPrevVisibleItem(HSTREEITEM h) override {
    if (!IsParent(h)) return ChildIndex(h) > 0 ? h - 1 : ParentOf(h);
    if (ParentIndex(h) == 0) return 0;
    const HSTREEITEM prev = h - kStride;
    return Expanded(prev) ? prev + kChildren : prev;
  }
  HSTREEITEM GetNextVisibleItem(HSTREEITEM h) override {
    if (IsParent(h) && Expanded(h)) return h + 1;
    if (!IsParent(h) && ChildIndex(h) + 1 < kChildren) return h + 1;
    const HSTREEITEM parent = IsParent(h) ? h : ParentOf(h);
    return ParentIndex(parent) + 1 < kParents ? parent + kStride : 0;
  }
  void ExpandItem(HSTREEITEM h, UINT code) override {
    if (h == kRoot) return;
    const BOOL old = items_[h].expanded;
    items_[h].expanded = code == TVC_TOGGLE ? !old : code == TVC_EXPAND;
    if (items_[h].expanded != old && observer_ != nullptr) {
      observer_->OnBranchExpandedChanged(h, old, items_[h].expanded);
    }
  }
  BOOL IsItemExpanded(HSTREEITEM h) override { return Expanded(h); }
  void SetItemExpanded(HSTREEITEM h, BOOL expanded) override { items_[h].expanded = expanded; }
  void GetView(HSTREEITEM h, SWindow* pItem, pugi::xml_node xmlTemplate) override {
    ++getViewCalls;
    if (pItem->GetChildrenCount() == 0) {
      pItem->InitFromXml(xmlTemplate);
      ++panelsMade;
    }
    const std::wstring& text =
        IsParent(h) ? texts_.parents[ParentIndex(h)] : texts_.children[ChildIndex(h)];
    pItem->GetWindow(GSW_FIRSTCHILD)->SetWindowText(text.c_str());
  }
  int GetViewType(HSTREEITEM) override { return 0; }
  int GetViewTypeCount() override { return 1; }
  SIZE GetViewDesiredSize(HSTREEITEM, SWindow*, LPCRECT rc) override {
    return SIZE{rc->right - rc->left, kRowHeight};
  }
  BOOL IsViewWidthMatchParent() override { return TRUE; }
  void InitByTemplate(pugi::xml_node) override {}

  void ExpandAll(UINT code) {
    for (size_t i = 0; i < kParents; ++i) ExpandItem(Parent(i), code);
  }

 private:
  struct Item {
    ULONG_PTR data[TVDATA_COUNT] = {};
    BOOL expanded = FALSE;
  };
  ULONG_PTR* Data(HSTREEITEM h) { return h == kRoot ? root_.data : items_[h].data; }

  const bench::TreeTexts& texts_;
  std::vector<Item> items_;  // by handle (0 unused)
  Item root_;
  ITvDataSetObserver* observer_ = nullptr;
};

int BenchExpand(IRenderTarget* target) {
  const bench::TreeTexts texts(kParents, kChildren);
  bench::Tree views(L"<root><treeview name='tv' pos='0,0,-0,-0'><template>"
                    L"<text pos='4,0,-0,-0' align='left'/></template></treeview></root>",
                    kWidth, kHeight);
  bench::Tree controls(L"<root><treectrl name='tc' pos='0,0,-0,-0'/></root>", kWidth, kHeight);
  auto* view = dynamic_cast<STreeView*>(views.root->FindChildByName(L"tv"));
  bench::TreeCtrlFill control;
  control.tree = dynamic_cast<STreeCtrl*>(controls.root->FindChildByName(L"tc"));
  bench::NativeTree native(kWidth, kHeight);
  if (view == nullptr || control.tree == nullptr || !native.Ready()) {
    printf("tree: the tree view, the tree control or the native tree-view could not be made\n");
    return 1;
  }
  SAutoRefPtr<BenchTreeAdapter> adapter;
  adapter.Attach(new BenchTreeAdapter(texts));
  view->SetAdapter(adapter);
  control.Fill(texts);
  native.Fill(texts);

  const auto viewExpand = [&] {
    adapter->ExpandAll(TVC_EXPAND);
    views.root->RedrawRegion(target, nullptr);
  };
  const auto viewCollapse = [&] { adapter->ExpandAll(TVC_COLLAPSE); };
  const bench::Timing byControl = bench::BestOfRounds(
      kRounds, viewCollapse, viewExpand, [&] { control.ExpandAll(TVE_COLLAPSE); },
      [&] {
        control.ExpandAll(TVE_EXPAND);
        controls.root->RedrawRegion(target, nullptr);
      });
  bench::Report("expand 100 parents, paint: vs tree control", byControl.ours, byControl.bare);
  const bench::Timing byNative = bench::BestOfRounds(
      kRounds, viewCollapse, viewExpand, [&] { native.ExpandAll(TVE_COLLAPSE); },
      [&] {
        native.ExpandAll(TVE_EXPAND);
        native.Paint();
      });
  bench::Report("expand 100 parents, paint: vs native", byNative.ours, byNative.bare);

  // What one expansion of all parents asked of the adapter.
  viewCollapse();
  const int built = adapter->getViewCalls;
  viewExpand();
  printf("tree view: %d panels made in all, %d rows built for the 100 expansions\n",
         adapter->panelsMade, adapter->getViewCalls - built);
  // The rows on screen are measured (the others count the locator's default size until shown):
  // the first parent and 19 of its children.
  const HSTREEITEM lastOnScreen = BenchTreeAdapter::Parent(0) + 19;
  const int lastTop = view->GetItemLocator()->Item2Position(lastOnScreen);
  if (view->GetVisibleCount() != kHeight / kRowHeight || lastTop != 19 * kRowHeight) {
    printf("tree view: %d rows on screen, the last at %d\n", view->GetVisibleCount(), lastTop);
    return 1;
  }
  if (bench::DarkPixels(target, kWidth, kHeight) < 100) {
    printf("tree view: the paint drew no text\n");
    return 1;
  }
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
  return BenchExpand(target);
}
