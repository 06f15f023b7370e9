// The adapter views under hostile use, seeded: each round opens one view (list, multi-column,
// tile, tree or combo view) from XML with attribute values drawn from a hostile pool, gives it
// an adapter that changes its data inside its own callbacks, and a selection handler that does
// the same, then runs random steps (insert, delete, sort, expand, select, scroll, resize,
// show/hide, column moves, mouse, keys, paint). After every step the view must agree with its
// data: counts, the selection in range, no removed row or item handed to the adapter, and every
// panel the adapter built either on screen or waiting for reuse. The seed is printed;
// TEVARO_SWEEP_SEED repeats a run.
#include <doctest/doctest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "ComboRig.h"
#include "SweepRig.h"
#include "TestListAdapter.h"
#include "TestMcAdapter.h"
#include "TestTreeAdapter.h"
#include "control/EventLVSelChanging.h"
#include "control/EventTVSelChanging.h"
#include "control/SComboView.h"
#include "control/SHeaderCtrl.h"
#include "control/SMCListView.h"
#include "control/STileView.h"
#include "control/STreeView.h"
#include "core/MemberFunctionSlot.h"

using namespace SWUI;

namespace {

constexpr HSTREEITEM kRoot = ITvAdapter::ITEM_ROOT;
// Steps per round, and the wall time after which no new round starts.
constexpr int kSteps = 60;
constexpr DWORD kBudgetMs = 20000;

enum class Kind { List, MultiColumn, Tile, Tree, Combo };
const char* const kKindNames[] = {"list", "mclist", "tile", "tree", "combo"};

// Sizes as an attribute may give them: ordinary, zero, negative, huge, malformed.
const wchar_t* const kSizes[] = {L"20", L"1", L"0", L"-1", L"-30", L"7.5", L"20dp", L"1e9",
                                 L"99999999999", L"2147483647", L"0x7fffffff", L"abc", L"",
                                 L"3.4e38", L"-0", L"0.0001"};

class Sweep : public ComboRig {
 public:
  explicit Sweep(uint32_t seed) : rng_(seed) {}

  int Pick(int n) { return n > 0 ? static_cast<int>(rng_() % static_cast<uint32_t>(n)) : 0; }
  bool Chance(int percent) { return Pick(100) < percent; }
  std::wstring Size() { return kSizes[Pick(static_cast<int>(std::size(kSizes)))]; }
  std::wstring SaneSize() { return std::to_wstring(Pick(5) == 0 ? Pick(3) : 10 + Pick(40)); }

  // One round: a view of that kind, kSteps steps. False with the first broken rule reported.
  bool Round(int round, Kind kind) {
    kind_ = kind;
    round_ = round;
    Build();
    bool ok = Check("open");
    for (int step = 0; ok && step < kSteps; ++step) {
      step_ = step;
      const std::string what = Step();
      ok = Check(what);
    }
    Close();
    const int alive = tree_ != nullptr ? tree_->PanelsAlive() : alive_();
    if (ok && alive != 0) ok = Fail("close", "panels alive after the host is gone");
    listView_ = nullptr;
    treeView_ = nullptr;
    combo_ = nullptr;
    mcView_ = nullptr;
    plain_.Reset();
    mc_.Reset();
    tree_.Reset();
    return ok;
  }

  std::string failure;

 private:
  // ---- the view and its adapter -------------------------------------------------------------
  void Build() {
    std::wstring xml;
    switch (kind_) {
      case Kind::List:
        xml = L"<listview name='v' pos='10,10,@" + std::to_wstring(120 + Pick(150)) + L",@" +
              std::to_wstring(60 + Pick(120)) + L"' dividerSize='" + Size() + L"' wantTab='" +
              std::to_wstring(Pick(2)) + L"'><template " +
              (Chance(50) ? L"itemHeight='" : L"defHeight='") + Size() + L"'/></listview>";
        break;
      case Kind::MultiColumn:
        xml = L"<mclistview name='v' pos='10,10,@240,@150' headerHeight='" + Size() +
              L"'><header name='h'><items><item width='" + SaneSize() + L"'>A</item><item width='" +
              SaneSize() + L"'>B</item><item width='" + SaneSize() +
              L"'>C</item></items></header><template itemHeight='" + Size() +
              L"'/></mclistview>";
        break;
      case Kind::Tile:
        xml = L"<tileview name='v' pos='10,10,@220,@150' marginSize='" + Size() +
              L"'><template itemWidth='" + Size() + L"' itemHeight='" + Size() +
              L"'/></tileview>";
        break;
      case Kind::Tree:
        xml = L"<treeview name='v' pos='10,10,@220,@150' indent='" + Size() + L"'/>";
        break;
      case Kind::Combo:
        xml = L"<comboview name='v' pos='10,10,@120,@20' dropDown='0' animateTime='0'>"
              L"<listStyle><template itemHeight='" +
              Size() + L"'/></listStyle></comboview>";
        break;
    }
    const std::wstring layout =
        L"<SWUI width='300' height='220'><root colorBkgnd='#ffffff'>" + xml + L"</root></SWUI>";
    layout_ = layout;
    HostOptions options;
    options.pos = {100, 100};
    Open(layout_.c_str(), options);
    SWindow* v = Find(L"v");
    if (kind_ == Kind::Tree) {
      treeView_ = dynamic_cast<STreeView*>(v);
      tree_.Attach(new TestTreeAdapter);
      for (int i = 0, n = Pick(30); i < n; ++i) AddTreeItem();
      tree_->onGetView = [this](HSTREEITEM) { MaybeChangeTree(); };
      treeView_->SubscribeEvent(EventTVSelChanging::EventID,
                                Subscriber(&Sweep::OnTreeSelChanging, this));
      treeView_->SetAdapter(tree_);
    } else {
      if (kind_ == Kind::Combo) {
        combo_ = dynamic_cast<SComboView*>(v);
        listView_ = combo_->GetListView();
      } else {
        listView_ = dynamic_cast<SListView*>(v);
      }
      mcView_ = dynamic_cast<SMCListView*>(v);
      plain_.Attach(new TestListAdapter(Pick(40), 20));
      mc_.Attach(new TestMcAdapter(3, Pick(40), 20));
      if (mcView_ != nullptr) {
        HookRows(mc_.Get());
      } else {
        HookRows(plain_.Get());
      }
      listView_->SubscribeEvent(EventLVSelChanging::EventID,
                                Subscriber(&Sweep::OnListSelChanging, this));
      if (mcView_ != nullptr) {
        listView_->SetAdapter(mc_);
      } else {
        listView_->SetAdapter(plain_);
      }
    }
    Drain();
  }

  template <class A>
  void HookRows(A* adapter) {
    rowCount_ = [adapter] { return adapter->GetCount(); };
    pastEnd_ = [adapter] { return adapter->pastEndAsked; };
    alive_ = [adapter] { return adapter->PanelsAlive(); };
    change_ = [this, adapter] { ChangeRows(adapter); };
    adapter->onGetView = [this](int) { MaybeChangeRows(); };
    adapter->onDesiredSize = [this](int) { MaybeChangeRows(); };
    adapter->onViewType = [this](int) { MaybeChangeRows(); };
  }

  // ---- data that changes under the view -------------------------------------------------
  template <class A>
  void ChangeRows(A* adapter) {
    const int count = adapter->GetCount();
    switch (Pick(4)) {
      case 0: adapter->Erase(Pick(count)); break;
      case 1:
        adapter->heights.insert(adapter->heights.begin() + Pick(count + 1), 5 + Pick(40));
        adapter->types.push_back(0);
        break;
      case 2: adapter->Resize(Pick(8), 20); break;
      default:
        std::rotate(adapter->heights.begin(), adapter->heights.begin() + Pick(count + 1),
                    adapter->heights.end());
        break;
    }
    // A row's own change is told only when the count stayed: the adapter's contract.
    const int told = adapter->GetCount() == count ? Pick(4) : Pick(3);
    switch (told) {
      case 0: adapter->NotifyInvalidated(); break;
      case 3: adapter->NotifyItemChanged(Pick(count + 2) - 1); break;
      default: adapter->NotifyChanged(); break;
    }
  }

  void MaybeChangeRows() {
    if (nested_ < 3 && Chance(4)) {
      ++nested_;
      change_();
      --nested_;
    }
  }

  HSTREEITEM RandomTreeItem(bool withRoot) {
    std::vector<HSTREEITEM> live;
    if (withRoot) live.push_back(kRoot);
    for (HSTREEITEM h = 1; h <= tree_->Count(); ++h) {
      if (!tree_->IsRemoved(h)) live.push_back(h);
    }
    return live.empty() ? 0 : live[static_cast<size_t>(Pick(static_cast<int>(live.size())))];
  }

  void AddTreeItem() {
    const HSTREEITEM parent = RandomTreeItem(true);
    const HSTREEITEM h = tree_->Add(parent, Pick(6) == 0 ? 0 : 5 + Pick(40), Pick(300));
    tree_->At(h).expanded = Chance(50) ? TRUE : FALSE;
  }

  void ChangeTree() {
    HSTREEITEM told = kRoot;
    switch (Pick(4)) {
      case 0: AddTreeItem(); break;
      case 1:
        if (const HSTREEITEM h = RandomTreeItem(false)) {
          told = tree_->At(h).parent;
          tree_->Remove(h);
        }
        break;
      case 2:
        if (const HSTREEITEM h = RandomTreeItem(true)) {
          std::vector<HSTREEITEM>& children = tree_->At(h).children;
          std::reverse(children.begin(), children.end());
          told = h;
        }
        break;
      default:
        if (const HSTREEITEM h = RandomTreeItem(false)) {
          tree_->ExpandItem(h, TVC_TOGGLE);  // tells the view itself
          return;
        }
        break;
    }
    if (Chance(50)) {
      tree_->NotifyBranchChanged(told);
    } else {
      tree_->NotifyBranchInvalidated(Chance(50) ? kRoot : told);
    }
  }

  void MaybeChangeTree() {
    if (nested_ < 3 && Chance(4)) {
      ++nested_;
      ChangeTree();
      --nested_;
    }
  }

  bool OnListSelChanging(EventLVSelChanging* evt) {
    if (Chance(15)) evt->bCancel = TRUE;
    if (Chance(25)) MaybeChangeRowsNow();
    return false;
  }
  void MaybeChangeRowsNow() {
    ++nested_;
    change_();
    --nested_;
  }
  bool OnTreeSelChanging(EventTVSelChanging* evt) {
    if (Chance(15)) evt->bCancel = TRUE;
    if (Chance(25)) {
      ++nested_;
      if (Chance(50) && evt->hNewSel != 0 && !tree_->IsRemoved(evt->hNewSel)) {
        tree_->Remove(evt->hNewSel);
        tree_->NotifyBranchChanged(kRoot);
      } else {
        ChangeTree();
      }
      --nested_;
    }
    return false;
  }

  // ---- one step ----------------------------------------------------------------------------
  SWindow* View() const {
    if (combo_ != nullptr) return combo_;
    if (treeView_ != nullptr) return treeView_;
    return listView_;
  }
  SAdapterViewBase* AdapterView() const {
    return treeView_ != nullptr ? static_cast<SAdapterViewBase*>(treeView_) : listView_;
  }
  POINT PointInView() {
    const RECT rc = View()->GetWindowRect();
    return POINT{rc.left - 5 + Pick(rc.right - rc.left + 10), rc.top - 5 + Pick(rc.bottom - rc.top + 10)};
  }

  std::string Step() {
    SAdapterViewBase* view = AdapterView();
    switch (Pick(14)) {
      case 0:
      case 1:
        if (tree_ != nullptr) {
          ChangeTree();
        } else {
          change_();
        }
        return "change the data";
      case 2: {
        const int code = Pick(9);
        view->OnScroll(Chance(80), static_cast<UINT>(code == 8 ? SB_THUMBTRACK : code),
                       Pick(3000) - 50);
        return "scroll";
      }
      case 3:
        if (treeView_ != nullptr) {
          treeView_->SetSel(Chance(20) ? 0 : RandomTreeItem(false), Chance(50));
        } else if (combo_ != nullptr && Chance(50)) {
          combo_->SetCurSel(Pick(rowCount_() + 4) - 2);
        } else {
          listView_->SetSel(Pick(rowCount_() + 4) - 2, Chance(50));
        }
        return "select";
      case 4: {
        const RECT rc = {Pick(60), Pick(60), Pick(300), Pick(220)};
        View()->Move(&rc);
        return "resize";
      }
      case 5:
        View()->SetVisible(!View()->IsVisible(FALSE), TRUE);
        return "show or hide";
      case 6:
        if (mcView_ != nullptr) {
          if (Chance(30)) {
            mcView_->InsertColumn(Pick(5) - 1, L"N", static_cast<float>(Pick(120)));
          } else if (Chance(40)) {
            mcView_->DeleteColumn(Pick(4));
          } else if (SHeaderCtrl* header = mcView_->GetHeaderCtrl()) {
            // A caption dragged to another place, or a divider dragged.
            const RECT rc = header->GetWindowRect();
            const int width = std::max<int>(rc.right - rc.left, 1);
            const int y = (rc.top + rc.bottom) / 2;
            MouseDown(POINT{rc.left + Pick(width), y});
            MouseMove(POINT{rc.left + Pick(width), y}, MK_LBUTTON);
            MouseMove(POINT{rc.left + Pick(width + 40) - 20, y}, MK_LBUTTON);
            MouseUp(POINT{rc.left + Pick(width), y});
          }
          return "column insert, delete or move";
        }
        if (treeView_ != nullptr) {
          if (const HSTREEITEM h = RandomTreeItem(false)) treeView_->EnsureVisible(h);
          return "ensure visible";
        }
        listView_->EnsureVisible(Pick(rowCount_() + 2) - 1);
        return "ensure visible";
      case 7:
        if (mcView_ != nullptr && mcView_->GetHeaderCtrl() != nullptr) {
          mc_->sortAnswer = Chance(70);
          const RECT rc = mcView_->GetHeaderCtrl()->GetWindowRect();
          Click(POINT{rc.left + Pick(std::max<int>(rc.right - rc.left, 1)),
                      (rc.top + rc.bottom) / 2});
          return "sort by a header click";
        }
        Click(PointInView());
        return "click";
      case 8:
        MouseMove(PointInView());
        return "mouse move";
      case 9:
        Wheel(PointInView(), Chance(50) ? WHEEL_DELTA : -WHEEL_DELTA);
        return "wheel";
      case 10: {
        static const UINT kKeys[] = {VK_UP,   VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR,
                                     VK_NEXT, VK_HOME, VK_END,  VK_TAB,   VK_SPACE};
        view->SetFocus();
        KeyDown(kKeys[Pick(static_cast<int>(std::size(kKeys)))]);
        return "key";
      }
      case 11:
        if (combo_ != nullptr) {
          if (combo_->IsDropDownOpen()) {
            KeyDown(VK_ESCAPE);
          } else {
            combo_->DropDown();
            Drain();
          }
          return "drop-down opened or closed";
        }
        if (treeView_ != nullptr) {
          treeView_->SetAdapter(tree_);
        } else if (mcView_ != nullptr) {
          listView_->SetAdapter(mc_);
        } else {
          listView_->SetAdapter(plain_);
        }
        return "the adapter set again";
      default:
        Paint();
        return "paint";
    }
  }

  // ---- the rules -----------------------------------------------------------------------------
  bool Fail(const std::string& what, const char* rule) {
    char buf[512];
    SAdapterViewBase* view = AdapterView();
    const int count = treeView_ != nullptr ? -1 : rowCount_();
    const int first = listView_ != nullptr ? listView_->GetFirstVisible() : -1;
    const int sel = listView_ != nullptr ? listView_->GetSel() : -1;
    snprintf(buf, sizeof(buf),
             "round %d (%s), step %d after \"%s\": %s (count %d, selection %d, first %d, "
             "%d on screen, %d recycled)\n  %ls",
             round_, kKindNames[static_cast<int>(kind_)], step_, what.c_str(), rule, count, sel,
             first, view->GetVisibleCount(), view->GetRecycledCount(), layout_.c_str());
    failure = buf;
    return false;
  }

  bool Check(const std::string& what) {
    Drain();
    SAdapterViewBase* view = AdapterView();
    // The rows of a shown view are built for its data by the time it is painted.
    const bool shown = view->IsVisible(TRUE) != FALSE;
    if (shown) Paint();
    const int held = view->GetVisibleCount() + view->GetRecycledCount();
    if (treeView_ != nullptr) {
      if (tree_->removedAsked != 0) return Fail(what, "a removed item was handed to the adapter");
      const HSTREEITEM sel = treeView_->GetSel();
      if (sel != 0 && tree_->IsRemoved(sel)) return Fail(what, "a removed item is the selection");
      if (tree_->PanelsAlive() != held) return Fail(what, "panels alive differ from panels held");
      if (shown) {
        int shownRows = 0;
        for (HSTREEITEM h = 1; h <= tree_->Count(); ++h) {
          SItemPanel* panel = treeView_->GetItemPanel(h);
          if (panel == nullptr) continue;
          if (tree_->IsRemoved(h)) return Fail(what, "a removed item has a row");
          if (panel->GetItemIndex() != static_cast<LPARAM>(h)) return Fail(what, "a row shows another item");
          ++shownRows;
        }
        if (shownRows != view->GetVisibleCount()) return Fail(what, "rows and items disagree");
      }
      return true;
    }
    const int count = rowCount_();
    if (pastEnd_() != 0) return Fail(what, "a row past the count was asked for");
    const int sel = listView_->GetSel();
    if (sel < -1 || sel >= count) return Fail(what, "the selection is out of range");
    if (combo_ != nullptr && (combo_->GetCurSel() < -1 || combo_->GetCurSel() >= count)) {
      return Fail(what, "the combo's selection is out of range");
    }
    if (alive_() != held) return Fail(what, "panels alive differ from panels held");
    if (shown) {
      if (view->GetVisibleCount() > count) return Fail(what, "more rows on screen than rows");
      const int first = listView_->GetFirstVisible();
      if (first < -1 || first >= count) return Fail(what, "the first row is past the count");
      for (int i = 0; i < view->GetVisibleCount(); ++i) {
        SItemPanel* panel = listView_->GetItemPanel(first + i);
        if (panel == nullptr || panel->GetItemIndex() != first + i) {
          return Fail(what, "a row's panel shows another row");
        }
      }
    }
    return true;
  }

  std::mt19937 rng_;
  Kind kind_ = Kind::List;
  int round_ = 0;
  int step_ = 0;
  int nested_ = 0;
  std::wstring layout_;
  SListView* listView_ = nullptr;
  SMCListView* mcView_ = nullptr;
  STreeView* treeView_ = nullptr;
  SComboView* combo_ = nullptr;
  SAutoRefPtr<TestListAdapter> plain_;
  SAutoRefPtr<TestMcAdapter> mc_;
  SAutoRefPtr<TestTreeAdapter> tree_;
  std::function<int()> rowCount_;
  std::function<int()> pastEnd_;
  std::function<int()> alive_;
  std::function<void()> change_;
};

}  // namespace

TEST_CASE("adapter views: seeded sweep of hostile use") {
  const uint32_t seed = sweep::Seed();
  FakeWorkArea area(768);
  Sweep sweep(seed);
  const DWORD start = GetTickCount();
  int rounds = 0;
  bool ok = true;
  for (; ok && GetTickCount() - start < kBudgetMs; ++rounds) {
    ok = sweep.Round(rounds, static_cast<Kind>(rounds % 5));
  }
  printf("sweep views: seed %u, %d rounds of %d steps, %.1f s%s%s\n", seed, rounds, kSteps,
         (GetTickCount() - start) / 1000.0, ok ? "" : ", failed: ", sweep.failure.c_str());
  fflush(stdout);
  INFO("seed " << seed << ": " << sweep.failure);
  CHECK(ok);
}
