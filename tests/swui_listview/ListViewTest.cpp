// The list view: panels only for the rows on screen, scrolling, keys, selection events, the
// variable-height rows and a row's capture.
#include <doctest/doctest.h>

#include "ListViewRig.h"
#include "control/EventLVSelChanged.h"
#include "control/EventLVSelChanging.h"
#include "core/EventCmd.h"
#include "core/MemberFunctionSlot.h"

using namespace SWUI;

namespace {

const wchar_t kFixed[] =
    L"<listview name='lv' pos='10,10,@200,@100'><template itemHeight='20'/></listview>";
const wchar_t kFlex[] =
    L"<listview name='lv' pos='10,10,@200,@100'><template defHeight='30'/></listview>";

// An element that records the keys it is sent.
class KeyProbe : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"keyprobe")

 public:
  std::vector<UINT> keys;

 protected:
  void OnKeyDown(UINT nChar, UINT, UINT) { keys.push_back(nChar); }

  SWND_BEGIN_MSG_MAP()
  MSG_WM_KEYDOWN(OnKeyDown)
  SWND_END_MSG_MAP(SWindow)
};

struct Canceller {
  bool OnChanging(EventLVSelChanging* evt) {
    evt->bCancel = TRUE;
    return true;
  }
};

}  // namespace

TEST_CASE_FIXTURE(ListViewRig, "list view: panels only for the rows on screen, reused") {
  SListView* lv = OpenList(kFixed);
  CHECK(lv->GetVisibleCount() == 5);
  CHECK(adapter->getViewCalls == 5);
  CHECK(adapter->desiredSizeCalls == 0);
  CHECK(adapter->panelsCreated == 5);
  CHECK(adapter->templateInits == 1);
  CHECK(adapter->ObserverCount() == 1);
  CHECK(lv->HasScrollBar(TRUE));
  int min = 0;
  int max = 0;
  lv->GetScrollRange(TRUE, &min, &max);
  CHECK(max == 1999);
  lv->OnScroll(TRUE, SB_THUMBPOSITION, 10);
  CHECK(lv->GetFirstVisible() == 0);
  CHECK(lv->GetVisibleCount() == 6);
  CHECK(adapter->panelsCreated == 6);
  // Wheel steps and pages through every row: the six panels serve them all.
  lv->SetFocus();
  for (int i = 0; i < 200 && lv->GetScrollPos(TRUE) < 1900; ++i) {
    Wheel(CenterOf(L"lv"), -WHEEL_DELTA);
  }
  CHECK(lv->GetScrollPos(TRUE) == 1900);
  for (int i = 0; i < 50 && lv->GetScrollPos(TRUE) > 0; ++i) lv->OnScroll(TRUE, SB_PAGEUP, 0);
  CHECK(lv->GetScrollPos(TRUE) == 0);
  lv->OnScroll(TRUE, SB_THUMBPOSITION, 1005);
  CHECK(lv->GetFirstVisible() == 50);
  CHECK(adapter->panelsCreated == 6);
  CHECK(adapter->PanelsAlive() == 6);
  CHECK(lv->GetVisibleCount() + lv->GetRecycledCount() == 6);
  // A new adapter: every panel of the old one goes, and its observer with them.
  SAutoRefPtr<TestListAdapter> old = adapter;
  adapter.Attach(new TestListAdapter(3));
  REQUIRE(lv->SetAdapter(adapter));
  CHECK(old->PanelsAlive() == 0);
  CHECK(old->ObserverCount() == 0);
  CHECK(adapter->panelsCreated == 3);
  CHECK_FALSE(lv->HasScrollBar(TRUE));
}

TEST_CASE_FIXTURE(ListViewRig, "list view: rows of several view types keep their own panels") {
  SListView* lv = OpenList(kFixed, 40);
  for (size_t i = 0; i < adapter->types.size(); ++i) adapter->types[i] = static_cast<int>(i % 2);
  adapter->typeCount = 2;
  REQUIRE(lv->SetAdapter(adapter));  // read again with two types
  const int created = adapter->panelsCreated;
  for (int pos = 0; pos <= 700; pos += 7) lv->OnScroll(TRUE, SB_THUMBPOSITION, pos);
  // Each type's panels are reused for its own rows only: one spare of each at most.
  CHECK(adapter->panelsCreated <= created + 2);
  for (int row = lv->GetFirstVisible(); row < lv->GetFirstVisible() + lv->GetVisibleCount();
       ++row) {
    SItemPanel* panel = lv->GetItemPanel(row);
    CHECK(panel->GetItemIndex() == row);
  }
}

TEST_CASE_FIXTURE(ListViewRig, "list view: keys move the selection silently") {
  SListView* lv = OpenList(kFixed);
  lv->SetFocus();
  KeyDown(VK_DOWN);
  CHECK(lv->GetSel() == 0);
  CHECK(lv->GetItemPanel(0)->GetRoot()->IsChecked());
  KeyDown(VK_DOWN);
  CHECK(lv->GetSel() == 1);
  CHECK_FALSE(lv->GetItemPanel(0)->GetRoot()->IsChecked());
  KeyDown(VK_END);
  CHECK(lv->GetScrollPos(TRUE) == 1900);
  CHECK(lv->GetSel() == 99);
  KeyDown(VK_DOWN);
  CHECK(lv->GetSel() == 99);
  KeyDown(VK_UP);
  CHECK(lv->GetSel() == 98);
  KeyDown(VK_HOME);
  CHECK(lv->GetScrollPos(TRUE) == 0);
  CHECK(lv->GetSel() == 0);
  KeyDown(VK_NEXT);
  CHECK(lv->GetScrollPos(TRUE) == 100);
  CHECK(lv->GetSel() == 9);
  KeyDown(VK_PRIOR);
  CHECK(lv->GetScrollPos(TRUE) == 0);
  CHECK(lv->GetSel() == 0);
  CHECK(CountHostEvents(EventLVSelChanging::EventID) == 0);
  CHECK(CountHostEvents(EventLVSelChanged::EventID) == 0);
}

TEST_CASE_FIXTURE(ListViewRig, "list view: EnsureVisible scrolls only as far as needed") {
  SListView* lv = OpenList(kFixed);
  const struct {
    int from;
    int row;
    int to;
  } cases[] = {{0, 50, 920}, {0, 2, 0}, {0, 99, 1900}, {920, 47, 920},
               {920, 46, 920}, {920, 40, 800}, {0, 100, 0}, {0, -1, 0}};
  for (const auto& c : cases) {
    CAPTURE(c.row);
    lv->OnScroll(TRUE, SB_THUMBPOSITION, c.from);
    lv->EnsureVisible(c.row);
    CHECK(lv->GetScrollPos(TRUE) == c.to);
  }
}

TEST_CASE_FIXTURE(ListViewRig, "list view: a click selects with events; a handler may cancel") {
  SListView* lv = OpenList(kFixed);
  Click(CenterOf(lv, 2, L"text"));
  CHECK(lv->GetSel() == 2);
  CHECK(CountHostEvents(EventLVSelChanging::EventID) == 1);
  CHECK(CountHostEvents(EventLVSelChanged::EventID) == 1);
  // The view's own click ends in its command.
  CHECK(host->CountEvents(EventCmd::EventID) == 1);
  // Clicking the selected row again changes nothing.
  Click(CenterOf(lv, 2, L"text"));
  CHECK(CountHostEvents(EventLVSelChanging::EventID) == 1);
  Canceller canceller;
  lv->SubscribeEvent(EventLVSelChanging::EventID,
                     Subscriber(&Canceller::OnChanging, &canceller));
  Click(CenterOf(lv, 3, L"text"));
  CHECK(lv->GetSel() == 2);
  CHECK(lv->GetItemPanel(2)->GetRoot()->IsChecked());
  CHECK_FALSE(lv->GetItemPanel(3)->GetRoot()->IsChecked());
  CHECK(CountHostEvents(EventLVSelChanged::EventID) == 1);
  // Positions beyond the rows change nothing; a negative one clears.
  lv->SetSel(100);
  CHECK(lv->GetSel() == 2);
  lv->SetSel(-7);
  CHECK(lv->GetSel() == -1);
}

TEST_CASE_FIXTURE(ListViewRig, "list view: Escape and Return go to the owner") {
  app.TplRegisterFactory<KeyProbe>();
  // The owner outlives the list (destroyed after it).
  SListView* lv =
      OpenList(L"<listview name='lv' pos='10,10,@200,@100'><template itemHeight='20'/></listview>"
               L"<keyprobe name='owner' pos='0,0,@5,@5'/>",
               10);
  KeyProbe* owner = Find<KeyProbe>(L"owner");
  lv->SetOwner(owner);
  lv->SetFocus();
  KeyDown(VK_DOWN);
  KeyDown(VK_ESCAPE);
  KeyDown(VK_RETURN);
  CHECK(owner->keys == std::vector<UINT>{VK_ESCAPE, VK_RETURN});
  CHECK(lv->GetSel() == 0);
}

TEST_CASE_FIXTURE(ListViewRig, "list view: a row that grows rebuilds the rows once more") {
  SListView* lv = OpenList(kFlex, 120, 30);
  CHECK(adapter->desiredSizeCalls == 4);
  int max = 0;
  lv->GetScrollRange(TRUE, nullptr, &max);
  CHECK(max == 3599);
  adapter->getViewCalls = 0;
  adapter->heights[1] = 60;
  adapter->NotifyItemChanged(1);
  lv->GetScrollRange(TRUE, nullptr, &max);
  CHECK(max == 3629);
  // Rows 0 to 2 fill the view now, built twice: before and after the bar took the new total.
  CHECK(adapter->getViewCalls == 6);
  CHECK(lv->GetVisibleCount() == 3);
  CHECK(RowRect(lv, 2).top == 10 + 90);
  // Heights that change on every call are not chased: one call, two passes.
  int calls = 0;
  adapter->desiredHeight = [&calls](int, int) { return 30 + calls++; };
  adapter->getViewCalls = 0;
  adapter->NotifyChanged();
  CHECK(adapter->getViewCalls == calls);
  CHECK(calls == 7);
}

TEST_CASE_FIXTURE(ListViewRig, "list view: without rows or an adapter") {
  SListView* lv = OpenList(kFixed, 0);
  CHECK(lv->GetVisibleCount() == 0);
  CHECK(adapter->panelsCreated == 0);
  CHECK_FALSE(lv->HasScrollBar(TRUE));
  lv->SetFocus();
  KeyDown(VK_DOWN);
  CHECK(lv->GetSel() == -1);
  REQUIRE(lv->SetAdapter(nullptr));
  CHECK(adapter->ObserverCount() == 0);
  // Keys go on to the host (a dialog's Return); a click selects nothing.
  for (UINT vk : {VK_DOWN, VK_END, VK_RETURN}) {
    CAPTURE(vk);
    BOOL handled = TRUE;
    lv->SSendMessage(WM_KEYDOWN, vk, 0, &handled);
    CHECK_FALSE(handled);
  }
  Click(POINT{50, 20});
  CHECK(lv->GetSel() == -1);
  CHECK(CountHostEvents(EventLVSelChanging::EventID) == 0);
  // No locator (no template): every adapter is refused, and a null locator too.
  OpenWith(L"<listview name='lv' pos='10,10,@200,@100'/>");
  SListView* bare = Find<SListView>(L"lv");
  CHECK_FALSE(bare->SetAdapter(adapter));
  CHECK_FALSE(bare->SetItemLocator(nullptr));
  CHECK(bare->GetAdapter() == nullptr);
}

TEST_CASE_FIXTURE(ListViewRig, "list view: a row that holds the capture and scrolls away lets it "
                               "go") {
  SListView* lv = OpenList(kFixed);
  SWindow* button = RowChild(lv, 0, L"button");
  const POINT pt = CenterOf(lv, 0, L"button");
  MouseDown(pt);
  REQUIRE(button->GetCapture() == button->GetSwnd());
  REQUIRE(host->OnGetSwndCapture() == lv->GetSwnd());
  // The rows move under the pressed button (row 0's panel now shows another row).
  lv->OnScroll(TRUE, SB_THUMBPOSITION, 200);
  CHECK(host->OnGetSwndCapture() == 0);
  CHECK(button->GetCapture() == 0);
  panelEvents.clear();
  MouseUp(pt);
  CHECK(CountPanelEvents(EventCmd::EventID, button) == 0);
  // The same when the adapter goes while a row holds the capture.
  MouseDown(CenterOf(lv, 12, L"button"));
  REQUIRE(host->OnGetSwndCapture() == lv->GetSwnd());
  SAutoRefPtr<TestListAdapter> other;
  other.Attach(new TestListAdapter(5));
  REQUIRE(lv->SetAdapter(other));
  CHECK(host->OnGetSwndCapture() == 0);
  SWindow* newButton = RowChild(lv, 2, L"button");
  MouseUp(CenterOf(lv, 2, L"button"));
  CHECK(CountPanelEvents(EventCmd::EventID, newButton) == 0);
}
