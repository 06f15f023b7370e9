// The application's combo box: its list from "liststyle", and its own drop-down (no height of
// its own, at the bottom or top edge of the combo, sliding, holding the capture, no
// EventCBDropdown).
#include <doctest/doctest.h>

#include <vector>

#include "ComboRig.h"
#include "control/EventCBSelChange.h"
#include "controls/ZuComboBox.h"
#include "core/SDropDownWnd.h"

using namespace SWUI;

namespace {

using WatchedZuCombo = WatchedCombo<ZuComboBox>;

const wchar_t kZu[] =
    L"<SWUI width='200' height='100'><root colorBkgnd='#ffffff'>"
    L"<watchedcombo name='c' id='8700' pos='10,10,@120,@20' curSel='0' dropHeight='80'>"
    L"<liststyle itemHeight='20'><items><item text='one'/><item text='two' data='9'/>"
    L"<item text='three'/></items></liststyle>"
    L"</watchedcombo></root></SWUI>";

struct ZuRig : ComboRig {
  ZuRig() {
    app.TplRegisterFactory<ZuComboBox>();
    app.TplRegisterFactory<WatchedZuCombo>();
  }

  WatchedZuCombo* OpenAt(int bottom, const wchar_t* layout = kZu) {
    return ComboRig::OpenAt<WatchedZuCombo>(bottom, layout);
  }
};

}  // namespace

TEST_CASE_FIXTURE(ZuRig, "zucombobox: a combo box whose list comes from liststyle") {
  WatchedZuCombo* c = OpenAt(300);
  ZuComboBox* plain = nullptr;
  CHECK(c->IsClass(L"zucombobox"));
  CHECK(c->IsClass(L"combobox"));
  CHECK(c->IsClass(L"combobase"));
  Open(
      L"<SWUI width='200' height='100'><root><zucombobox name='z' pos='0,0,@100,@20'/>"
      L"</root></SWUI>");
  plain = Find<ZuComboBox>(L"z");
  CHECK(std::wstring(plain->GetObjectClass()) == L"zucombobox");
  REQUIRE(plain->GetListBox() != nullptr);  // a list even without liststyle
  CHECK(plain->GetCount() == 0);

  c = OpenAt(300);
  CHECK(host->CountEvents(EventCBSelChange::EventID, 8700) == 1);
  CHECK(c->GetCount() == 3);
  CHECK(c->GetWindowText() == L"one");
  SListBox* list = c->GetListBox();
  REQUIRE(list != nullptr);
  CHECK(list->GetItemData(1) == 9);
  CHECK(list->GetID() == SComboBox::kListId);
  CHECK(list->GetOwner() == c);
  // Items of the combo element itself are not its list's.
  Open(
      L"<SWUI width='200' height='100'><root><zucombobox name='z' pos='0,0,@100,@20'>"
      L"<items><item text='a'/></items></zucombobox></root></SWUI>");
  CHECK(Find<ZuComboBox>(L"z")->GetCount() == 0);
}

TEST_CASE_FIXTURE(ZuRig, "zucombobox opens a popup of no height at its bottom, or top, edge") {
  FakeWorkArea area(768);
  struct Case {
    int bottom;
    int popupY;
    DWORD slide;
  } cases[] = {
      {700, 700, AW_SLIDE | AW_VER_POSITIVE},
      {768, 768, AW_SLIDE | AW_VER_POSITIVE},  // on the monitor's edge
      {769, 749, AW_SLIDE | AW_VER_NEGATIVE},  // below it: the top edge
  };
  for (const Case& k : cases) {
    CAPTURE(k.bottom);
    WatchedZuCombo* c = OpenAt(k.bottom);
    MouseDown(CenterOf(L"c"));
    REQUIRE(c->IsDropDownOpen());
    HWND popup = PopupOf(c);
    const RECT rc = ScreenRectOf(popup);
    CHECK(rc.left == 110);
    CHECK(rc.right == 230);
    CHECK(rc.top == k.popupY);
    CHECK(rc.bottom == k.popupY);
    CHECK(c->slides == std::vector<DWORD>{k.slide});
    CHECK(GetCapture() == popup);
    CHECK(dropdowns == 0);  // no EventCBDropdown
    CHECK(c->GetButtonState() == SComboBase::BtnPushed);
    // The list is in it and takes the keys: Down, Return chooses.
    REQUIRE(c->GetListBox()->GetParent() == c->GetDropDownWnd()->GetRoot());
    KeyDown(VK_DOWN);
    KeyDown(VK_RETURN);
    CHECK_FALSE(c->IsDropDownOpen());
    CHECK(selections == std::vector<int>{1, 1});
    CHECK(c->GetCurSel() == 1);
  }
}

TEST_CASE_FIXTURE(ZuRig,
                  "zucombobox: animateTime 0 shows at once; a dropdownStyle height sizes it") {
  FakeWorkArea area(768);
  WatchedZuCombo* c =
      OpenAt(300,
             L"<SWUI width='200' height='100'><root>"
             L"<watchedcombo name='c' pos='10,10,@120,@20' animateTime='0'>"
             L"<dropdownStyle height='60'/>"
             L"<liststyle><items><item text='one'/><item text='two'/></items></liststyle>"
             L"</watchedcombo></root></SWUI>");
  MouseDown(CenterOf(L"c"));
  REQUIRE(c->IsDropDownOpen());
  CHECK(c->slides.empty());
  HWND popup = PopupOf(c);
  CHECK(IsWindowVisible(popup));
  const RECT rc = ScreenRectOf(popup);
  CHECK(rc.top == 300);
  CHECK(rc.bottom - rc.top == 60);
  CHECK(rc.right - rc.left == 120);
  // The list fills it: a click on the second row chooses it and closes.
  ClickPopup(c, {20, 30});
  CHECK_FALSE(c->IsDropDownOpen());
  CHECK(selections == std::vector<int>{1});
}
