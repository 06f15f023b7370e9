// Item panels in a list view: the events a row's tree raises and how they reach the view, the
// row colours by state, and the caret of an edit inside a row.
#include <doctest/doctest.h>

#include <string>

#include "ListViewRig.h"
#include "control/EventItemPanelClick.h"
#include "control/EventItemPanelDbclick.h"
#include "control/EventItemPanelHover.h"
#include "control/EventItemPanelLeave.h"
#include "control/EventItemPanelRclick.h"
#include "control/EventOfPanel.h"
#include "control/SComboBox.h"
#include "control/SItemPanelRoot.h"
#include "core/EventCmd.h"
#include "core/EventLButtonUp.h"

using namespace SWUI;

namespace {

const wchar_t kList[] =
    L"<listview name='lv' pos='10,10,@200,@100'><template itemHeight='20'/></listview>";

// Rows with only a button at the right: the rest of a row shows its background.
std::wstring ColourList(const wchar_t* templateAttrs) {
  return std::wstring(L"<listview name='lv' pos='10,10,@200,@100'><template itemHeight='20' ") +
         templateAttrs + L"><button name='button' pos='-40,0,-0,-0'/></template></listview>";
}

size_t CountItemEvents(const ListViewRig& rig, const SWindow* root) {
  size_t count = 0;
  for (DWORD id = EventItemPanelClick::EventID; id <= EventItemPanelLeave::EventID; ++id) {
    count += rig.CountPanelEvents(id, root);
  }
  return count;
}

}  // namespace

TEST_CASE_FIXTURE(ListViewRig, "item panel: a click on a row's button ends in one command of "
                               "the button and one of the row, all carried to the view") {
  SListView* lv = OpenList(kList);
  SWindow* root = lv->GetItemPanel(1)->GetRoot();
  SWindow* button = RowChild(lv, 1, L"button");
  panelEvents.clear();
  const size_t carried = CountHostEvents(EventOfPanel::EventID);
  Click(CenterOf(lv, 1, L"button"));
  CHECK(CountPanelEvents(EventItemPanelHover::EventID, root) == 1);
  CHECK(CountPanelEvents(EventItemPanelClick::EventID, root) == 1);
  CHECK(CountPanelEvents(EventCmd::EventID, button) == 1);
  CHECK(CountPanelEvents(EventCmd::EventID, root) == 1);
  CHECK(CountPanelEvents(EventLButtonUp::EventID, root) == 0);
  CHECK(CountHostEvents(EventOfPanel::EventID) - carried == panelEvents.size());
  CHECK(lv->GetSel() == 1);
  // Over another row the first one hears that the mouse left.
  MouseMove(CenterOf(lv, 2, L"text"));
  CHECK(CountPanelEvents(EventItemPanelLeave::EventID, root) == 1);
  const struct {
    UINT down;
    UINT up;
    DWORD id;
  } clicks[] = {{WM_RBUTTONDOWN, WM_RBUTTONUP, EventItemPanelRclick::EventID},
                {WM_LBUTTONDBLCLK, WM_LBUTTONUP, EventItemPanelDbclick::EventID}};
  for (const auto& c : clicks) {
    CAPTURE(c.id);
    MouseDown(CenterOf(lv, 1, L"text"), c.down);
    MouseUp(CenterOf(lv, 1, L"text"), c.up);
    CHECK(CountPanelEvents(c.id, root) == 1);
  }
}

TEST_CASE_FIXTURE(ListViewRig, "item panel: a disabled row raises no item event, yet its "
                               "children take the click") {
  SListView* lv = OpenList(kList);
  SItemPanel* panel = lv->GetItemPanel(1);
  panel->ModifyItemState(WndState_Disable, 0);
  SWindow* button = RowChild(lv, 1, L"button");
  panelEvents.clear();
  Click(CenterOf(lv, 1, L"button"));
  MouseMove(CenterOf(lv, 3, L"text"));
  CHECK(CountItemEvents(*this, panel->GetRoot()) == 0);
  CHECK(CountPanelEvents(EventCmd::EventID, button) == 1);
  CHECK(lv->GetSel() == -1);
}

TEST_CASE_FIXTURE(ListViewRig, "item panel: the background by state; checked wins over hover") {
  const struct {
    const wchar_t* attrs;
    int hoverRow;  // -1: the mouse outside the view
    DWORD row0;    // row 0 is selected
    DWORD row1;
  } cases[] = {
      {L"", -1, 0x000080, 0xFFFFFF},
      {L"colorNormal='#00ff00' colorSelected='#ffffff00'", -1, 0x00FF00, 0x00FF00},
      {L"colorHover='#ff0000'", 1, 0x000080, 0xFF0000},
      {L"colorHover='#ff0000'", 0, 0x000080, 0xFFFFFF},
  };
  for (const auto& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    CAPTURE(c.hoverRow);
    SListView* lv = OpenList(ColourList(c.attrs).c_str());
    lv->SetSel(0);
    MouseMove(c.hoverRow < 0 ? POINT{250, 150} : POINT{20, 20 + 20 * c.hoverRow});
    Paint();
    CHECK(Rgb(20, 15) == c.row0);
    CHECK(Rgb(20, 35) == c.row1);
  }
}

TEST_CASE_FIXTURE(ListViewRig, "item panel: an empty colour is refused and changes nothing") {
  SListView* lv = OpenList(kList);
  SItemPanelRoot* root = lv->GetItemPanel(0)->GetItemRoot();
  CHECK(root->GetNormalColor() == CR_INVALID);
  CHECK(root->GetSelectedColor() == 0xFF800000);
  CHECK(root->SetAttribute(SStringW(L"colorHover"), SStringW(L"#102030"), FALSE) == S_OK);
  for (const wchar_t* name : {L"colorHover", L"colorNormal", L"colorSelected"}) {
    CAPTURE(std::wstring(name));
    CHECK(root->SetAttribute(SStringW(name), SStringW(), FALSE) == E_FAIL);
  }
  CHECK(root->GetHoverColor() == 0xFF302010);
  CHECK(root->GetNormalColor() == CR_INVALID);
  CHECK(root->GetSelectedColor() == 0xFF800000);
}

TEST_CASE_FIXTURE(ListViewRig, "item panel: an edit's caret shows at its place in the row") {
  SListView* lv = OpenList(L"<edit name='ref' pos='230,10,@60,@24'/>"
                           L"<listview name='lv' pos='10,10,@200,@150'><template itemHeight='30'>"
                           L"<edit name='e' pos='40,3,@60,@24'/></template></listview>",
                           20, 30);
  // Where an edit of the same size puts its caret, from its top-left corner.
  SWindow* ref = Find(L"ref");
  ref->SetFocus();
  Drain();
  POINT caret;
  REQUIRE(GetCaretPos(&caret));
  const RECT rcRef = ref->GetWindowRect();
  const POINT offset = {caret.x - rcRef.left, caret.y - rcRef.top};
  ref->KillFocus();
  RowChild(lv, 3, L"e")->SetFocus();
  Drain();
  REQUIRE(GetCaretPos(&caret));
  const RECT rcEdit = ChildRect(lv, 3, L"e");
  CHECK(caret.x == rcEdit.left + offset.x);
  CHECK(caret.y == rcEdit.top + offset.y);
  CHECK(rcEdit.top == 10 + 3 * 30 + 3);
}

TEST_CASE_FIXTURE(ListViewRig, "item panel: a combo box in a row drops down at its place") {
  FakeWorkArea area(2000);
  SListView* lv = OpenList(
      L"<listview name='lv' pos='10,10,@200,@150'><template itemHeight='30'>"
      L"<combobox name='cb' pos='60,5,@100,@20' animateTime='0'>"
      L"<items><item text='a'/><item text='b'/></items></combobox></template></listview>",
      20, 30);
  lv->OnScroll(TRUE, SB_THUMBPOSITION, 15);  // the rows start half-way up the first
  SComboBox* cb = dynamic_cast<SComboBox*>(RowChild(lv, 2, L"cb"));
  REQUIRE(cb != nullptr);
  cb->DropDown();
  const RECT rcPopup = ScreenRectOf(PopupOf(cb));
  const RECT rcCombo = ChildRect(lv, 2, L"cb");
  CHECK(rcCombo.top == 10 + 2 * 30 - 15 + 5);
  const POINT below = ToScreen(POINT{rcCombo.left, rcCombo.bottom});
  CHECK(rcPopup.left == below.x);
  CHECK(rcPopup.top == below.y);
  CHECK(rcPopup.right - rcPopup.left == 100);
  cb->CloseUp();
}

namespace {

// Rows holding a list view "inner" of their own, which it fills with five rows of 20.
class NestingAdapter : public TestListAdapter {
 public:
  NestingAdapter() : TestListAdapter(5, 60) { inner.Attach(new TestListAdapter(5, 20)); }

  void GetView(int position, SWindow* pItem, pugi::xml_node xmlTemplate) override {
    TestListAdapter::GetView(position, pItem, xmlTemplate);
    SListView* view = dynamic_cast<SListView*>(pItem->FindChildByName(L"inner"));
    if (view != nullptr && view->GetAdapter() == nullptr) view->SetAdapter(inner);
  }

  SAutoRefPtr<TestListAdapter> inner;
};

}  // namespace

TEST_CASE_FIXTURE(ListViewRig, "item panel: a row of a view in another view's row reaches the "
                               "host through both") {
  OpenWith(L"<listview name='lv' pos='10,10,@250,@180'><template itemHeight='60'>"
           L"<listview name='inner' pos='20,5,@200,@50'><template itemHeight='20'/></listview>"
           L"</template></listview>");
  SListView* lv = Find<SListView>(L"lv");
  SAutoRefPtr<NestingAdapter> nesting;
  nesting.Attach(new NestingAdapter());
  REQUIRE(lv->SetAdapter(nesting));
  lv->OnScroll(TRUE, SB_THUMBPOSITION, 7);
  SListView* inner = dynamic_cast<SListView*>(RowChild(lv, 1, L"inner"));
  REQUIRE(inner != nullptr);
  inner->OnScroll(TRUE, SB_THUMBPOSITION, 4);
  SItemPanel* innerRow = inner->GetItemPanel(1);
  REQUIRE(innerRow != nullptr);
  SWindow* text = innerRow->GetRoot()->FindChildByName(L"text");
  RECT rc = text->GetWindowRect();
  text->ContainerFrameToHost(rc);
  // The inner view's client top in the outer row, its row 1 at 20 - 4, the outer row 1 at
  // 60 - 7 in a view at (10, 10).
  const RECT rcInner = ChildRect(lv, 1, L"inner");
  CHECK(rc.left == rcInner.left);
  CHECK(rc.top == rcInner.top + 20 - 4);
  CHECK(rcInner.left == 10 + 20);
  CHECK(rcInner.top == 10 + 60 - 7 + 5);
  // A click there reaches the inner row, carried out through both views.
  panelEvents.clear();
  Click(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
  CHECK(inner->GetSel() == 1);
  CHECK(lv->GetSel() == 1);
}
