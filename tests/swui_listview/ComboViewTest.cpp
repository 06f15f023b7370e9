// The combo view: its list view in the drop-down, choosing by click and by keys, the list
// operations and their limits, the drop-down's height and a list class that is no list view.
#include <doctest/doctest.h>

#include <climits>
#include <functional>
#include <string>

#include "ComboRig.h"
#include "EventLog.h"
#include "TestListAdapter.h"
#include "control/EventLVSelChanged.h"
#include "control/EventLVSelChanging.h"
#include "control/SComboView.h"
#include "core/SDropDownWnd.h"

using namespace SWUI;

namespace {

const wchar_t kCombo[] =
    L"<SWUI width='200' height='100'><root colorBkgnd='#ffffff'>"
    L"<comboview name='c' pos='10,10,@120,@20' dropDown='0' animateTime='0'>"
    L"<listStyle margin='2'><template itemHeight='20'/></listStyle>"
    L"</comboview></root></SWUI>";

// An element that counts its live instances.
class LiveProbe : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"liveprobe")

 public:
  LiveProbe() { ++alive; }
  ~LiveProbe() override { --alive; }
  static int alive;
};
int LiveProbe::alive = 0;

struct ComboViewRig : ComboRig {
  SComboView* OpenCombo(int rows, const wchar_t* layout = kCombo) {
    SComboView* combo = OpenAt<SComboView>(300, layout);
    adapter.Attach(new TestListAdapter(rows));
    if (combo->GetListView() != nullptr) REQUIRE(combo->GetListView()->SetAdapter(adapter));
    return combo;
  }
  // Opens the drop-down with a click (press and release) on the combo's drop button.
  void Open(SComboView* combo) {
    RECT rc;
    combo->GetDropBtnRect(&rc);
    const POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    MouseDown(pt);
    MouseUp(pt);
    REQUIRE(combo->IsDropDownOpen());
  }

  SAutoRefPtr<TestListAdapter> adapter;
};

}  // namespace

TEST_CASE_FIXTURE(ComboViewRig, "combo view: the list view fills the drop-down") {
  FakeWorkArea area(768);
  SComboView* combo = OpenCombo(5);
  SListView* lv = combo->GetListView();
  REQUIRE(lv != nullptr);
  CHECK(lv->GetID() == SComboBase::kListId);
  CHECK(lv->GetOwner() == combo);
  CHECK(lv->GetParent() == nullptr);
  CHECK(combo->IsClass(L"comboview"));
  CHECK(combo->IsClass(L"combobase"));
  Open(combo);
  CHECK(lv->GetParent() == combo->GetDropDownWnd()->GetRoot());
  CHECK(lv->IsFocused());
  const RECT rcPopup = ScreenRectOf(PopupOf(combo));
  CHECK(rcPopup.bottom - rcPopup.top == 5 * 20 + 2 + 2);
  const RECT rcList = lv->GetWindowRect();
  CHECK(rcList.right - rcList.left == 120);
  CHECK(lv->GetVisibleCount() == 5);
  combo->CloseUp();
  CHECK(lv->GetParent() == nullptr);
  CHECK(lv->GetContainer() == static_cast<ISwndContainer*>(host.get()));
}

TEST_CASE_FIXTURE(ComboViewRig, "combo view: a click on a row chooses it and closes") {
  FakeWorkArea area(768);
  SComboView* combo = OpenCombo(5);
  EventLog log(combo->GetListView(), {EventLVSelChanging::EventID, EventLVSelChanged::EventID});
  Open(combo);
  ClickPopup(combo, POINT{30, 2 + 2 * 20 + 10});
  CHECK(log.ids == std::vector<DWORD>{EventLVSelChanging::EventID, EventLVSelChanged::EventID});
  CHECK_FALSE(combo->IsDropDownOpen());
  CHECK(combo->GetCurSel() == 2);
  CHECK(combo->GetWindowText(TRUE) == SStringW(L"item 2"));
  CHECK(selections == std::vector<int>{2});
}

TEST_CASE_FIXTURE(ComboViewRig, "combo view: keys in the open list move it silently; Return and "
                                "Escape close it") {
  FakeWorkArea area(768);
  const struct {
    UINT key;
    std::vector<int> events;
    const wchar_t* text;
  } cases[] = {{VK_RETURN, {1}, L"item 1"}, {VK_ESCAPE, {}, L""}};
  for (const auto& c : cases) {
    CAPTURE(c.key);
    SComboView* combo = OpenCombo(5);
    Open(combo);
    KeyDown(VK_DOWN);
    KeyDown(VK_DOWN);
    CHECK(combo->IsDropDownOpen());
    CHECK(combo->GetListView()->GetSel() == 1);
    CHECK(selections.empty());
    CHECK(combo->GetWindowText(TRUE) == SStringW());
    KeyDown(c.key);
    CHECK_FALSE(combo->IsDropDownOpen());
    CHECK(selections == c.events);
    CHECK(combo->GetWindowText(TRUE) == SStringW(c.text));
  }
}

TEST_CASE_FIXTURE(ComboViewRig, "combo view: SetCurSel and GetLBText keep to the rows") {
  FakeWorkArea area(768);
  SComboView* combo = OpenCombo(5);
  CHECK(combo->GetCount() == 5);
  CHECK(combo->SetCurSel(1));
  CHECK(combo->GetWindowText(TRUE) == SStringW(L"item 1"));
  CHECK_FALSE(combo->SetCurSel(1));   // the current one
  CHECK_FALSE(combo->SetCurSel(5));   // past the rows
  CHECK_FALSE(combo->SetCurSel(77));
  for (int below : {-2, -3, INT_MIN}) {  // only -1 is none
    CHECK_FALSE(combo->SetCurSel(below));
    CHECK(combo->GetCurSel() == 1);
  }
  CHECK(combo->SetCurSel(-1));
  CHECK(combo->GetCurSel() == -1);
  CHECK_FALSE(combo->SetCurSel(-1));
  CHECK(selections == std::vector<int>{1, -1});
  adapter->descCalls = 0;
  CHECK(combo->GetLBText(5) == SStringW());
  CHECK(combo->GetLBText(-1) == SStringW());
  CHECK(adapter->descCalls == 0);
  CHECK(combo->GetLBText(4) == SStringW(L"item 4"));
  // Without an adapter there are no rows.
  REQUIRE(combo->GetListView()->SetAdapter(nullptr));
  CHECK(combo->GetCount() == 0);
  CHECK_FALSE(combo->SetCurSel(0));
  CHECK(combo->GetLBText(0) == SStringW());
}

TEST_CASE_FIXTURE(ComboViewRig, "combo view: the drop-down's height") {
  FakeWorkArea area(2000);
  const struct {
    int rows;
    int height;
  } cases[] = {{0, 200}, {5, 104}, {20, 200}};
  for (const auto& c : cases) {
    CAPTURE(c.rows);
    SComboView* combo = OpenCombo(c.rows);
    CHECK(combo->GetListBoxHeight() == c.height);
    Open(combo);
    const RECT rc = ScreenRectOf(PopupOf(combo));
    CHECK(rc.bottom - rc.top == c.height);
    combo->CloseUp();
  }
}

TEST_CASE_FIXTURE(ComboViewRig, "combo view: a list class that is no list view leaves no list") {
  FakeWorkArea area(768);
  app.TplRegisterFactory<LiveProbe>();
  SComboView* combo = OpenCombo(
      0, L"<SWUI width='200' height='100'><root>"
         L"<comboview name='c' pos='10,10,@120,@20' animateTime='0' curSel='0'>"
         L"<listStyle wndclass='liveprobe'/></comboview></root></SWUI>");
  CHECK(combo->GetListView() == nullptr);
  CHECK(LiveProbe::alive == 0);
  CHECK(combo->GetCount() == 0);
  CHECK(combo->GetCurSel() == -1);
  CHECK_FALSE(combo->SetCurSel(0));
  CHECK(combo->GetLBText(0) == SStringW());
  CHECK(combo->GetListBoxHeight() == 200);
  Open(combo);
  combo->CloseUp();
  CHECK(selections.empty());
}
