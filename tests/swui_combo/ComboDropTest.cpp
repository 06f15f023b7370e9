// The combo box's drop-down: where it opens, what it holds, choosing and closing, and the
// keys and wheel it takes from the host's loop.
#include <doctest/doctest.h>

#include <vector>

#include "ComboRig.h"
#include "control/SComboBox.h"
#include "core/SDropDownWnd.h"
#include "core/SRootWindow.h"

using namespace SWUI;

namespace {

using Watched = WatchedCombo<SComboBox>;

const wchar_t kCombo[] =
    L"<SWUI width='200' height='100'><root colorBkgnd='#ffffff'>"
    L"<watchedcombo name='c' id='8600' pos='10,10,@120,@20' curSel='0'>"
    L"<items><item text='one'/><item text='two'/><item text='three'/></items>"
    L"</watchedcombo>"
    L"<window name='other' pos='10,60,@50,@20'/></root></SWUI>";

struct DropRig : ComboRig {
  DropRig() { app.TplRegisterFactory<Watched>(); }

  Watched* OpenAt(int bottom, const wchar_t* layout = kCombo) {
    return ComboRig::OpenAt<Watched>(bottom, layout);
  }
};

}  // namespace

TEST_CASE_FIXTURE(DropRig, "the drop-down opens below when it fits the work area, else above") {
  FakeWorkArea area(768);
  struct Case {
    int bottom;
    RECT popup;
    DWORD slide;
  } cases[] = {
      {700, {110, 700, 230, 760}, AW_SLIDE | AW_VER_POSITIVE},
      {708, {110, 708, 230, 768}, AW_SLIDE | AW_VER_POSITIVE},  // just fits
      {720, {110, 640, 230, 700}, AW_SLIDE | AW_VER_NEGATIVE},
  };
  for (const Case& c : cases) {
    CAPTURE(c.bottom);
    Watched* combo = OpenAt(c.bottom);
    MouseDown(CenterOf(L"c"));
    REQUIRE(combo->IsDropDownOpen());
    const RECT rc = ScreenRectOf(PopupOf(combo));
    CHECK(rc.left == c.popup.left);
    CHECK(rc.top == c.popup.top);
    CHECK(rc.right == c.popup.right);
    CHECK(rc.bottom == c.popup.bottom);
    CHECK(combo->slides == std::vector<DWORD>{c.slide});
    combo->CloseUp();
  }
}

TEST_CASE_FIXTURE(DropRig, "the drop-down's height: the items, at most dropHeight") {
  FakeWorkArea area(2000);
  const wchar_t* many =
      L"<SWUI width='200' height='100'><root>"
      L"<watchedcombo name='c' pos='10,10,@120,@20' dropHeight='50' animateTime='0'>"
      L"<listStyle itemHeight='30' margin='0,3,0,4'/>"
      L"<items><item text='1'/><item text='2'/><item text='3'/></items>"
      L"</watchedcombo></root></SWUI>";
  Watched* combo = OpenAt(300, many);
  CHECK(combo->GetListBoxHeight() == 50);
  combo->SetAttribute(SStringW(L"dropHeight"), SStringW(L"200"), FALSE);
  CHECK(combo->GetListBoxHeight() == 3 * 30 + 3 + 4);
  MouseDown(CenterOf(L"c"));
  const RECT rc = ScreenRectOf(PopupOf(combo));
  CHECK(rc.bottom - rc.top == 97);
  CHECK(combo->slides.empty());  // animateTime 0: shown at once
  CHECK(IsWindowVisible(PopupOf(combo)));
  combo->CloseUp();
  // No items: dropHeight.
  combo->GetListBox()->DeleteAll();
  CHECK(combo->GetListBoxHeight() == 200);
}

TEST_CASE_FIXTURE(DropRig,
                  "an open drop-down holds the capture and the list, focused, filling it") {
  FakeWorkArea area(768);
  Watched* combo = OpenAt(300);
  SListBox* list = combo->GetListBox();
  MouseDown(CenterOf(L"c"));
  REQUIRE(combo->IsDropDownOpen());
  CHECK(dropdowns == 1);
  HWND popup = PopupOf(combo);
  CHECK(GetCapture() == popup);
  CHECK(GetWindow(popup, GW_OWNER) == Hwnd());
  CHECK((GetWindowLongW(popup, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST)) ==
        (WS_EX_TOOLWINDOW | WS_EX_TOPMOST));
  CHECK(combo->GetButtonState() == SComboBase::BtnPushed);
  CHECK(list->GetParent() == combo->GetDropDownWnd()->GetRoot());
  CHECK(list->GetContainer() == combo->GetDropDownWnd());
  CHECK(list->IsVisible(TRUE));
  CHECK(list->IsFocused());
  const RECT rcList = list->GetWindowRect();
  CHECK(rcList.left == 0);
  CHECK(rcList.top == 0);
  CHECK(rcList.right == 120);
  CHECK(rcList.bottom == 60);
  CHECK(selections.empty());
  // A second press while open opens nothing more.
  combo->DropDown();
  CHECK(dropdowns == 1);

  combo->CloseUp();
  CHECK_FALSE(combo->IsDropDownOpen());
  CHECK(combo->GetButtonState() == SComboBase::BtnNormal);
  CHECK(list->GetParent() == nullptr);
  CHECK(list->GetContainer() == static_cast<ISwndContainer*>(host.get()));
  CHECK_FALSE(list->IsVisible());
  CHECK(selections.empty());
  // It opens again with the same window object.
  SDropDownWnd* first = combo->GetDropDownWnd();
  MouseDown(CenterOf(L"c"));
  CHECK(combo->GetDropDownWnd() == first);
  CHECK(dropdowns == 2);
  combo->CloseUp();
}

TEST_CASE_FIXTURE(DropRig, "choosing and closing the drop-down: which selection events fire") {
  FakeWorkArea area(768);
  struct Case {
    const char* what;
    std::function<void(DropRig&, Watched*)> act;
    std::vector<int> events;
    int sel;
  };
  const Case cases[] = {
      {"a click on item 2",
       [](DropRig& r, Watched* c) {
         r.ClickPopup(c, {30, 50});
       },
       {2},
       2},
      {"Escape", [](DropRig& r, Watched*) { r.KeyDown(VK_ESCAPE); }, {}, 0},
      {"a click outside",
       [](DropRig& r, Watched* c) {
         r.PostToPopup(c, WM_LBUTTONDOWN, MK_LBUTTON, {-5, -5});
       },
       {},
       0},
      {"Down, Down, Return",
       [](DropRig& r, Watched*) {
         r.KeyDown(VK_DOWN);
         r.KeyDown(VK_DOWN);
         r.KeyDown(VK_RETURN);
       },
       {1, 2, 2},
       2},
      {"Down, Escape: the stepped item stays",
       [](DropRig& r, Watched*) {
         r.KeyDown(VK_DOWN);
         r.KeyDown(VK_ESCAPE);
       },
       {1},
       1},
      {"the combo loses the focus",
       [](DropRig& r, Watched*) { r.Find(L"other")->SetFocus(); },
       {},
       0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    Watched* combo = OpenAt(300);
    Find(L"other")->SetAttribute(SStringW(L"focusable"), SStringW(L"1"), TRUE);
    MouseDown(CenterOf(L"c"));
    MouseUp(CenterOf(L"c"));  // the opening click's release
    REQUIRE(combo->IsDropDownOpen());
    c.act(*this, combo);
    CHECK_FALSE(combo->IsDropDownOpen());
    CHECK(selections == c.events);
    CHECK(combo->GetCurSel() == c.sel);
    CHECK(combo->GetButtonState() == SComboBase::BtnNormal);
    CHECK(combo->GetListBox()->GetParent() == nullptr);
  }
}

TEST_CASE_FIXTURE(DropRig, "the wheel over an open drop-down scrolls its list, not the combo") {
  FakeWorkArea area(768);
  const wchar_t* many =
      L"<SWUI width='200' height='100'><root>"
      L"<watchedcombo name='c' pos='10,10,@120,@20' dropHeight='40' curSel='0' animateTime='0'>"
      L"<items><item text='1'/><item text='2'/><item text='3'/><item text='4'/>"
      L"<item text='5'/><item text='6'/></items></watchedcombo></root></SWUI>";
  Watched* combo = OpenAt(300, many);
  MouseDown(CenterOf(L"c"));
  REQUIRE(combo->IsDropDownOpen());
  SListBox* list = combo->GetListBox();
  Wheel(CenterOf(L"c"), -120);
  CHECK(combo->IsDropDownOpen());
  CHECK(combo->GetCurSel() == 0);
  CHECK(selections.empty());
  CHECK(list->GetScrollPos(TRUE) > 0);
  combo->CloseUp();
}

TEST_CASE_FIXTURE(DropRig, "the drop-down takes the dropdownStyle, or only the combo's context") {
  FakeWorkArea area(768);
  const wchar_t* styled =
      L"<SWUI width='200' height='100' trCtx='page'><root>"
      L"<watchedcombo name='c' pos='10,10,@120,@20' animateTime='0'>"
      L"<dropdownStyle trCtx='drop'><root colorBkgnd='#00ff00'/></dropdownStyle>"
      L"<items><item text='1'/></items></watchedcombo>"
      L"<watchedcombo name='d' pos='10,40,@120,@20' animateTime='0'>"
      L"<items><item text='1'/></items></watchedcombo></root></SWUI>";
  OpenAt(300, styled);
  Watched* c = Find<Watched>(L"c");
  Watched* d = Find<Watched>(L"d");
  MouseDown(CenterOf(L"c"));
  REQUIRE(c->IsDropDownOpen());
  CHECK(c->GetDropDownWnd()->GetTranslatorContext() == L"drop");
  const RECT rc = ScreenRectOf(PopupOf(c));
  CHECK(rc.right - rc.left == 120);  // the style does not resize the window
  CHECK(rc.bottom - rc.top == 20);
  c->CloseUp();
  MouseDown(CenterOf(L"d"));
  REQUIRE(d->IsDropDownOpen());
  CHECK(d->GetDropDownWnd()->GetTranslatorContext() == L"page");
  d->CloseUp();
}

TEST_CASE_FIXTURE(DropRig, "destroying an open combo closes its drop-down and frees the list") {
  FakeWorkArea area(768);
  Watched* combo = OpenAt(300);
  MouseDown(CenterOf(L"c"));
  REQUIRE(combo->IsDropDownOpen());
  HWND popup = PopupOf(combo);
  SAutoRefPtr<SListBox> list(combo->GetListBox());
  Close();
  CHECK_FALSE(IsWindow(popup));
  CHECK(list->GetParent() == nullptr);
  CHECK_FALSE(list->IsVisible());
}
