// The combo box closed: what it makes from XML, its attributes, its text, stepping by keys and
// wheel, and the editable combo's edit part.
#include <doctest/doctest.h>

#include <functional>

#include "ComboRig.h"
#include "control/EventCBSelChange.h"
#include "control/SComboBox.h"
#include "core/EventRENotify.h"

using namespace SWUI;

namespace {

const wchar_t kThree[] =
    L"<SWUI width='200' height='100'><root colorBkgnd='#ffffff'>"
    L"<combobox name='c' id='8600' pos='10,10,@120,@20' curSel='0'>"
    L"<items><item text='one'/><item text='two' icon='3' data='7'/><item text='three'/></items>"
    L"</combobox></root></SWUI>";

}  // namespace

TEST_CASE("a combo box from XML: items, curSel applied once with its event, class names") {
  ComboRig h;
  h.Open(kThree);
  SComboBox* c = h.Find<SComboBox>(L"c");
  CHECK(h.host->CountEvents(EventCBSelChange::EventID, 8600) == 1);
  CHECK(c->GetCurSel() == 0);
  CHECK(c->GetCount() == 3);
  CHECK(c->GetWindowText() == L"one");
  CHECK(c->GetLBText(2) == L"three");
  CHECK(c->GetLBText(3).IsEmpty());
  CHECK(c->FindString(L"two") == 1);
  CHECK(c->FindString(L"two", 2) == -1);
  CHECK(c->FindString(L"Two") == -1);
  CHECK(c->FindString(L"one", -4) == 0);
  // The combo's items have icon 0 unless given (the list box's own default is none).
  SListBox* list = c->GetListBox();
  REQUIRE(list != nullptr);
  CHECK(list->GetID() == SComboBox::kListId);
  CHECK(list->GetOwner() == c);
  CHECK(list->GetItemData(1) == 7);
  CHECK(list->GetParent() == nullptr);
  CHECK(c->GetEditCtrl() == nullptr);
  CHECK(c->IsFocusable());
  CHECK(c->OnGetDlgCode() == 1);
  CHECK(c->IsClass(L"combobox"));
  CHECK(c->IsClass(L"combobase"));
  CHECK(c->IsClass(L"window"));
  CHECK_FALSE(c->IsClass(L"listbox"));
  CHECK(std::wstring(c->GetObjectClass()) == L"combobox");

  // Without curSel nothing is selected and nothing fires.
  h.Open(
      L"<SWUI width='200' height='100'><root><combobox name='c' id='5' pos='0,0,@100,@20'>"
      L"<items><item text='a'/></items></combobox></root></SWUI>");
  CHECK(h.host->CountEvents(EventCBSelChange::EventID) == 0);
  CHECK(h.Find<SComboBox>(L"c")->GetCurSel() == -1);
  CHECK(h.Find<SComboBox>(L"c")->GetWindowText().IsEmpty());
}

TEST_CASE("combo attributes: known ones answer S_FALSE, an unknown button skin fails") {
  ComboRig h;
  h.Open(kThree);
  SComboBox* c = h.Find<SComboBox>(L"c");
  for (const wchar_t* name :
       {L"dropDown", L"dropHeight", L"curSel", L"animateTime", L"autoFitDropBtn"}) {
    CAPTURE(std::wstring(name));
    CHECK(c->SetAttribute(SStringW(name), SStringW(L"1"), FALSE) == S_FALSE);
  }
  CHECK(c->SetAttribute(SStringW(L"BTNSKIN"), SStringW(L"no.such.skin"), FALSE) == E_FAIL);
  RECT btn;
  c->GetDropBtnRect(&btn);
  CHECK(btn.right - btn.left == 20);  // the built-in button kept
  CHECK(c->SetAttribute(SStringW(L"btnSkin"), SStringW(L""), FALSE) == S_FALSE);
  c->GetDropBtnRect(&btn);
  CHECK(btn.right - btn.left == 0);
}

TEST_CASE("the wheel and the arrows step once, and nothing happens at either end") {
  ComboRig h;
  h.Open(kThree);
  SComboBox* c = h.Find<SComboBox>(L"c");
  const POINT at = h.CenterOf(L"c");
  struct Step {
    const char* what;
    int from;
    std::function<void()> act;
    int to;  // -2: nothing fires
  };
  const Step steps[] = {
      {"wheel down", 0, [&] { h.Wheel(at, -120); }, 1},
      {"wheel up", 1, [&] { h.Wheel(at, 120); }, 0},
      {"wheel 0 is down", 1, [&] { h.Wheel(at, 0); }, 2},
      {"wheel up at the top", 0, [&] { h.Wheel(at, 120); }, -2},
      {"wheel down at the end", 2, [&] { h.Wheel(at, -120); }, -2},
      {"Down", 0, [&] { h.KeyDown(VK_DOWN); }, 1},
      {"Right", 1, [&] { h.KeyDown(VK_RIGHT); }, 2},
      {"Up", 2, [&] { h.KeyDown(VK_UP); }, 1},
      {"Left", 1, [&] { h.KeyDown(VK_LEFT); }, 0},
      {"Up at the top", 0, [&] { h.KeyDown(VK_UP); }, -2},
      {"Right at the end", 2, [&] { h.KeyDown(VK_RIGHT); }, -2},
      {"another key", 1, [&] { h.KeyDown(VK_HOME); }, -2},
  };
  c->SetFocus();
  for (const Step& s : steps) {
    CAPTURE(s.what);
    c->SetCurSel(s.from);
    h.selections.clear();
    s.act();
    CHECK_FALSE(c->IsDropDownOpen());
    if (s.to == -2) {
      CHECK(h.selections.empty());
      CHECK(c->GetCurSel() == s.from);
    } else {
      CHECK(h.selections == std::vector<int>{s.to});
      CHECK(c->GetCurSel() == s.to);
    }
  }
  CHECK(c->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120)) == 1);
}

TEST_CASE("setting the text clears the selection; SetCurSel fires only on a change") {
  ComboRig h;
  h.Open(kThree);
  SComboBox* c = h.Find<SComboBox>(L"c");
  CHECK_FALSE(c->SetCurSel(0));
  CHECK_FALSE(c->SetCurSel(3));
  CHECK(h.selections.empty());
  CHECK(c->SetCurSel(2));
  c->SetWindowText(L"free");
  CHECK(c->GetCurSel() == -1);
  CHECK(h.selections == std::vector<int>{2, -1});
  CHECK(c->GetWindowText().IsEmpty());  // without an edit part the text is the selection's
}

TEST_CASE("an editable combo: the edit part, typing clears the selection, a choice sets its text") {
  ComboRig h;
  h.Open(
      L"<SWUI width='200' height='100'><root colorBkgnd='#ffffff'>"
      L"<combobox name='c' id='8601' pos='10,10,@120,@24' dropDown='0' curSel='1' "
      L"padding='2,2,2,2'>"
      L"<editStyle colorText='#ff0000'/>"
      L"<items><item text='one'/><item text='two'/><item text='three'/></items>"
      L"</combobox></root></SWUI>");
  SComboBox* c = h.Find<SComboBox>(L"c");
  SComboEdit* edit = c->GetEditCtrl();
  REQUIRE(edit != nullptr);
  CHECK(edit->GetID() == SComboBase::kEditId);
  CHECK(edit->GetParent() == c);
  CHECK(edit->GetWindowText() == L"two");  // curSel applied after the edit was made
  CHECK(c->GetWindowText() == L"two");
  CHECK_FALSE(c->IsFocusable());
  // The edit covers the client less padding and the button (24 wide at 24 high).
  const RECT rcCombo = c->GetWindowRect();
  const RECT rcEdit = edit->GetWindowRect();
  CHECK(rcEdit.left == rcCombo.left + 2);
  CHECK(rcEdit.top == rcCombo.top + 2);
  CHECK(rcEdit.right == rcCombo.right - 2 - 24);
  CHECK(rcEdit.bottom == rcCombo.bottom - 2);

  // Typing: the selection goes, the typed text stays; its notification reaches the host as
  // the combo's.
  h.Click(h.CenterOf(L"c"));  // on the edit: the edit takes the focus
  if (c->IsDropDownOpen()) c->CloseUp();
  edit->SetFocus();
  REQUIRE(edit->IsFocused());
  h.selections.clear();
  const size_t notifies = h.host->CountEvents(EventRENotify::EventID, 8601);
  h.Char(L'x');
  CHECK(c->GetCurSel() == -1);
  CHECK(h.selections == std::vector<int>{-1});
  CHECK(c->GetWindowText() == L"x");
  CHECK(h.host->CountEvents(EventRENotify::EventID, 8601) > notifies);

  // Down in the edit steps the combo; the item's text replaces the typed one.
  h.KeyDown(VK_DOWN);
  CHECK(c->GetCurSel() == 0);
  CHECK(edit->GetWindowText() == L"one");
  CHECK(h.selections == std::vector<int>{-1, 0});

  // The combo's text goes to the edit and clears the selection.
  c->SetWindowText(L"typed");
  CHECK(c->GetCurSel() == -1);
  CHECK(edit->GetWindowText() == L"typed");
}

TEST_CASE("an editable combo whose edit part is destroyed reads its selection again") {
  ComboRig h;
  h.Open(
      L"<SWUI width='200' height='100'><root>"
      L"<combobox name='c' pos='10,10,@120,@24' dropDown='0' curSel='1'>"
      L"<items><item text='one'/><item text='two'/></items>"
      L"</combobox></root></SWUI>");
  SComboBox* c = h.Find<SComboBox>(L"c");
  SAutoRefPtr<SComboEdit> edit = c->GetEditCtrl();  // kept alive past its destruction
  REQUIRE(edit != nullptr);
  REQUIRE(c->DestroyChild(edit));
  CHECK(c->GetEditCtrl() == nullptr);
  c->SetWindowText(L"typed");  // reaches no edit: the text is the selection's, none
  CHECK(c->GetWindowText().IsEmpty());
  c->SetCurSel(0);
  CHECK(c->GetWindowText() == L"one");
}

TEST_CASE("a listStyle whose wndclass makes no list box leaves an empty list") {
  ComboRig h;
  h.Open(
      L"<SWUI width='200' height='100'><root>"
      L"<combobox name='c' pos='10,10,@120,@20' curSel='0' dropHeight='50'>"
      L"<listStyle wndclass='text'/><items><item text='one'/></items>"
      L"</combobox></root></SWUI>");
  SComboBox* c = h.Find<SComboBox>(L"c");
  CHECK(c->GetListBox() == nullptr);
  CHECK(c->GetCount() == 0);
  CHECK(c->GetCurSel() == -1);
  CHECK_FALSE(c->SetCurSel(0));
  CHECK(c->GetLBText(0).IsEmpty());
  CHECK(c->FindString(L"one") == -1);
  CHECK(c->GetListBoxHeight() == 50);
  h.Wheel(h.CenterOf(L"c"), -120);
  CHECK(h.selections.empty());
  // It still opens (an empty drop-down) and closes.
  h.MouseDown(h.CenterOf(L"c"));
  CHECK(c->IsDropDownOpen());
  h.KeyDown(VK_ESCAPE);
  CHECK_FALSE(c->IsDropDownOpen());
  CHECK(h.selections.empty());
}
