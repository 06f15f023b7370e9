// The adapter views when the data changes under them: an adapter that changes its data and
// tells the view from inside GetView, GetViewDesiredSize or the view type, a selection handler
// that takes the new row away, and tree items removed while they are shown or selected.
#include <doctest/doctest.h>

#include <functional>
#include <string>

#include "ListViewRig.h"
#include "TestMcAdapter.h"
#include "TestTreeAdapter.h"
#include "control/EventLVSelChanged.h"
#include "control/EventLVSelChanging.h"
#include "control/EventTVSelChanging.h"
#include "control/SMCListView.h"
#include "control/STileView.h"
#include "control/STreeView.h"
#include "core/MemberFunctionSlot.h"

using namespace SWUI;

namespace {

constexpr HSTREEITEM kRoot = ITvAdapter::ITEM_ROOT;

// Every view is named "v" and shows about 5 rows of 20 px (the tile view 2 x 5 tiles).
const wchar_t kList[] =
    L"<listview name='v' pos='10,10,@200,@100'><template itemHeight='20'/></listview>";
const wchar_t kFlexList[] =
    L"<listview name='v' pos='10,10,@200,@100'><template defHeight='20'/></listview>";
const wchar_t kMc[] =
    L"<mclistview name='v' pos='10,10,@250,@125' headerHeight='25'>"
    L"<header name='h'><items><item width='100'>A</item><item width='80'>B</item></items>"
    L"</header><template itemHeight='20'/></mclistview>";
const wchar_t kTile[] =
    L"<tileview name='v' pos='10,10,@200,@100'><template itemWidth='100' itemHeight='20'/>"
    L"</tileview>";
const wchar_t kTree[] = L"<treeview name='v' pos='10,10,@200,@100'/>";

// Where the adapter changes its data.
enum class Hook { GetView, DesiredSize, ViewType };

// The rows the list view holds agree with its adapter: none asked past the count, the first
// visible and the selection within it, each visible row's panel its own, every panel made
// either on screen or waiting for reuse.
template <class Adapter>
void CheckRowsAgree(SListView* view, Adapter* adapter) {
  const int count = adapter->GetCount();
  CHECK(adapter->pastEndAsked == 0);
  CHECK(view->GetSel() < count);
  CHECK(view->GetVisibleCount() <= count);
  CHECK(view->GetFirstVisible() < count);
  for (int i = 0; i < view->GetVisibleCount(); ++i) {
    const int row = view->GetFirstVisible() + i;
    SItemPanel* panel = view->GetItemPanel(row);
    REQUIRE(panel != nullptr);
    CHECK(panel->GetItemIndex() == row);
  }
  CHECK(adapter->PanelsAlive() == view->GetVisibleCount() + view->GetRecycledCount());
}

// Sets the hook of an adapter to run once, at row 2.
template <class Adapter>
void HookOnce(Adapter* adapter, Hook hook, std::function<void()> change) {
  auto once = [change, done = false](int position) mutable {
    if (done || position != 2) return;
    done = true;
    change();
  };
  switch (hook) {
    case Hook::GetView: adapter->onGetView = once; break;
    case Hook::DesiredSize: adapter->onDesiredSize = once; break;
    case Hook::ViewType: adapter->onViewType = once; break;
  }
}

struct EraseOnChanging {
  TestListAdapter* adapter;
  std::vector<int> changed;
  bool OnChanging(EventLVSelChanging* evt) {
    adapter->Erase(evt->iNewSel);
    adapter->NotifyChanged();
    return true;
  }
  bool OnChanged(EventLVSelChanged* evt) {
    changed.push_back(evt->iNewSel);
    return true;
  }
};

class TreeRig : public ListViewRig {
 public:
  // count top-level items of 20 px.
  STreeView* OpenTree(int count) {
    OpenWith(kTree);
    tv = Find<STreeView>(L"v");
    tree.Attach(new TestTreeAdapter);
    for (int i = 0; i < count; ++i) tree->Add(kRoot);
    REQUIRE(tv->SetAdapter(tree));
    Drain();
    return tv;
  }
  // Every panel the adapter built is on screen or waiting for reuse, and no removed item was
  // handed to the adapter.
  void CheckPanelsHeld() const {
    CHECK(tree->removedAsked == 0);
    CHECK(tree->PanelsAlive() == tv->GetVisibleCount() + tv->GetRecycledCount());
  }

  STreeView* tv = nullptr;
  SAutoRefPtr<TestTreeAdapter> tree;
};

struct RemoveOnChanging {
  TestTreeAdapter* tree;
  bool OnChanging(EventTVSelChanging* evt) {
    tree->Remove(evt->hNewSel);
    tree->NotifyBranchChanged(kRoot);
    return true;
  }
};

}  // namespace

TEST_CASE_FIXTURE(ListViewRig, "adapter views: data shrunk inside a callback is taken after the walk") {
  struct Case {
    const wchar_t* xml;
    Hook hook;
    bool multiColumn;
  };
  const Case cases[] = {
      {kList, Hook::GetView, false},      {kList, Hook::ViewType, false},
      {kFlexList, Hook::GetView, false},  {kFlexList, Hook::DesiredSize, false},
      {kTile, Hook::GetView, false},      {kTile, Hook::ViewType, false},
      {kMc, Hook::GetView, true},         {kMc, Hook::ViewType, true},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.xml));
    CAPTURE(static_cast<int>(c.hook));
    OpenWith(c.xml);
    SListView* view = Find<SListView>(L"v");
    SAutoRefPtr<TestListAdapter> plain;
    SAutoRefPtr<TestMcAdapter> mc;
    plain.Attach(new TestListAdapter(20));
    mc.Attach(new TestMcAdapter(2, 20));
    auto run = [&](auto* adapter) {
      HookOnce(adapter, c.hook, [adapter] {
        adapter->Resize(3, 20);
        adapter->NotifyChanged();
      });
      REQUIRE(view->SetAdapter(adapter));
      Drain();
      CheckRowsAgree(view, adapter);
      CHECK(view->GetVisibleCount() == 3);
      // The same during a scroll, with a selection at the end.
      adapter->Resize(20, 20);
      adapter->NotifyChanged();
      view->SetSel(19);
      HookOnce(adapter, c.hook, [adapter] {
        adapter->Resize(4, 20);
        adapter->NotifyChanged();
      });
      view->OnScroll(TRUE, SB_THUMBPOSITION, 20);
      Drain();
      CheckRowsAgree(view, adapter);
      CHECK(view->GetSel() == -1);
    };
    if (c.multiColumn) {
      run(mc.Get());
    } else {
      run(plain.Get());
    }
    Close();
    CHECK(plain->PanelsAlive() == 0);
    CHECK(mc->PanelsAlive() == 0);
  }
}

TEST_CASE_FIXTURE(ListViewRig, "list view: a selection handler that erases the new row") {
  SListView* lv = OpenList(
      L"<listview name='lv' pos='10,10,@200,@100'><template itemHeight='20'/></listview>", 5);
  EraseOnChanging handler{adapter, {}};
  lv->SubscribeEvent(EventLVSelChanging::EventID,
                     Subscriber(&EraseOnChanging::OnChanging, &handler));
  lv->SubscribeEvent(EventLVSelChanged::EventID, Subscriber(&EraseOnChanging::OnChanged, &handler));
  lv->SetSel(2);
  lv->SetSel(4, TRUE);
  CHECK(adapter->GetCount() == 4);
  CHECK(lv->GetSel() == -1);
  CHECK(handler.changed == std::vector<int>{-1});
  CheckRowsAgree(lv, adapter.Get());
  // The old row erased in its place: the new one is held against the new count.
  lv->SetSel(3);
  handler.changed.clear();
  lv->SetSel(1, TRUE);
  CHECK(adapter->GetCount() == 3);
  CHECK(lv->GetSel() == 1);
  CHECK(handler.changed == std::vector<int>{1});
  CheckRowsAgree(lv, adapter.Get());
}

TEST_CASE_FIXTURE(TreeRig, "tree view: a row's item changed inside GetView is taken after the walk") {
  struct Case {
    const char* name;
    bool remove;  // the item is removed, else the branch is only invalidated
  };
  for (const Case& c : {Case{"removed", true}, Case{"invalidated", false}}) {
    CAPTURE(c.name);
    OpenTree(20);
    const HSTREEITEM fourth = 4;
    bool done = false;
    tree->onGetView = [&](HSTREEITEM h) {
      if (done || h != fourth) return;
      done = true;
      if (c.remove) {
        tree->Remove(fourth);
        tree->NotifyBranchChanged(kRoot);
      } else {
        tree->NotifyBranchInvalidated(kRoot);
      }
    };
    tv->OnScroll(TRUE, SB_THUMBPOSITION, 10);
    Drain();
    REQUIRE(done);
    CheckPanelsHeld();
    CHECK((tv->GetItemPanel(fourth) == nullptr) == c.remove);
    CHECK(tv->GetFirstVisibleItem() == 1);
    CHECK(tv->GetVisibleCount() == 6);
    Close();
    CHECK(tree->PanelsAlive() == 0);
  }
}

TEST_CASE_FIXTURE(TreeRig, "tree view: a removed item is no selection and never handed back") {
  // Items 1, 2 (with children 6, 7), 3, 4, 5.
  struct Case {
    const char* name;
    HSTREEITEM selected;
    HSTREEITEM removed;
    HSTREEITEM told;
    HSTREEITEM selAfter;
  };
  const Case cases[] = {
      {"the selection", 3, 3, kRoot, 0},
      {"the selection's parent", 6, 2, kRoot, 0},
      {"a child of the selection's parent", 7, 6, 2, 7},
      {"another top-level item", 3, 4, kRoot, 3},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    OpenTree(5);
    tree->Add(2);
    tree->Add(2);
    tree->ExpandItem(2, TVC_EXPAND);
    tv->SetSel(c.selected);
    tree->Remove(c.removed);
    tree->NotifyBranchChanged(c.told);
    CHECK(tv->GetSel() == c.selAfter);
    tv->SetFocus();
    for (UINT vk : {VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT, VK_DOWN}) KeyDown(vk);
    CheckPanelsHeld();
  }
  // The changing handler takes the new item away: the selection stays where it was.
  OpenTree(5);
  tv->SetSel(1);
  RemoveOnChanging handler{tree};
  tv->SubscribeEvent(EventTVSelChanging::EventID,
                     Subscriber(&RemoveOnChanging::OnChanging, &handler));
  tv->SetSel(3, TRUE);
  CHECK(tv->GetSel() == 1);
  tv->SetFocus();
  KeyDown(VK_DOWN);
  KeyDown(VK_UP);
  CheckPanelsHeld();
}

TEST_CASE_FIXTURE(TreeRig, "tree view: an item that the rows built to show it take away") {
  // Item 4, a child of the collapsed item 1, is removed as soon as its row is built: showing
  // it (which expands 1) and moving the selection onto it stop there.
  OpenTree(3);
  const HSTREEITEM child = tree->Add(1);
  tree->onGetView = [&](HSTREEITEM h) {
    if (h != child || tree->IsRemoved(child)) return;
    tree->Remove(child);
    tree->NotifyBranchChanged(1);
  };
  tv->EnsureVisible(child);
  CHECK(tree->At(1).expanded);
  CheckPanelsHeld();
  const HSTREEITEM again = tree->Add(1);
  tree->onGetView = [&](HSTREEITEM h) {
    if (h != again || tree->IsRemoved(again)) return;
    tree->Remove(again);
    tree->NotifyBranchChanged(kRoot);
  };
  tree->ExpandItem(1, TVC_COLLAPSE);
  tv->SetSel(1);
  tv->SetFocus();
  KeyDown(VK_RIGHT);  // expands 1: the child's row is built and takes it away
  KeyDown(VK_DOWN);
  CHECK(tv->GetSel() == 2);
  CheckPanelsHeld();
}

TEST_CASE_FIXTURE(ListViewRig, "list view: no first row or panel past the count") {
  // An empty list: no row has a panel, so there is no first one.
  SListView* lv = OpenList(
      L"<listview name='lv' pos='10,10,@200,@100'><template itemHeight='20'/></listview>", 0);
  CHECK(lv->GetFirstVisible() == -1);
  // Fewer rows told as invalidated: before the paint builds them, the rows past the count and
  // a selection there are gone.
  adapter->Resize(20, 20);
  adapter->NotifyChanged();
  lv->SetSel(4);
  CHECK(lv->GetVisibleCount() == 5);
  adapter->Resize(3, 20);
  adapter->NotifyInvalidated();
  CHECK(lv->GetSel() == -1);
  CHECK(lv->GetVisibleCount() == 3);
  CheckRowsAgree(lv, adapter.Get());
  adapter->Resize(0, 20);
  adapter->NotifyInvalidated();
  CHECK(lv->GetFirstVisible() == -1);
  CheckRowsAgree(lv, adapter.Get());
  Paint();
  CheckRowsAgree(lv, adapter.Get());
}

TEST_CASE_FIXTURE(TreeRig, "adapter views: an adapter that tells a change from every GetView") {
  // Every build meets a change: the rows are built a bounded number of times, then left empty
  // with every panel waiting for reuse, and the views stay usable.
  SListView* lv = OpenList(
      L"<listview name='lv' pos='10,10,@200,@100'><template itemHeight='20'/></listview>", 20);
  adapter->onGetView = [this](int) { adapter->NotifyChanged(); };
  adapter->getViewCalls = 0;
  adapter->NotifyChanged();
  CHECK(adapter->getViewCalls <= SAdapterViewBase::kMaxRebuilds + 1);
  CHECK(lv->GetVisibleCount() == 0);
  CHECK(lv->GetFirstVisible() == -1);
  CheckRowsAgree(lv, adapter.Get());
  adapter->onGetView = nullptr;
  adapter->NotifyChanged();
  CHECK(lv->GetVisibleCount() == 5);

  OpenTree(20);
  tree->onGetView = [this](HSTREEITEM) { tree->NotifyBranchInvalidated(kRoot); };
  tree->getViewCalls = 0;
  tree->NotifyBranchChanged(kRoot);
  CHECK(tree->getViewCalls <= SAdapterViewBase::kMaxRebuilds + 1);
  CHECK(tv->GetVisibleCount() == 0);
  CheckPanelsHeld();
  tree->onGetView = nullptr;
  tree->NotifyBranchChanged(kRoot);
  CHECK(tv->GetVisibleCount() == 5);
}
