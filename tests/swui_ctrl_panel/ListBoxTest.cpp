// The list box: items from XML and by calls, the selection and its events, hot tracking, the
// keys, and how items are drawn.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "PanelRig.h"
#include "control/SListBox.h"
#include "core/EventLBDbClick.h"
#include "core/EventLBSelChanged.h"
#include "core/EventLBSelChanging.h"

using namespace SWUI;

namespace {

// A list box of 100 x 100 (client 90 wide with its bar) with items 20 high.
SListBox* LoadList(PanelRig& rig, int items, const wchar_t* extra = L"") {
  rig.AddSkins(L"<skin><cellsb name='rec' ideal='10'/><cells name='icons' states='3' size='8,8'/>"
               L"<cells name='rows' states='3' size='0,0'/></skin>");
  std::wstring xml = L"<root><listbox name='lb' pos='0,0,@100,@100' sbSkin='rec' itemHeight='20' ";
  xml += extra;
  xml += L"><items>";
  for (int i = 0; i < items; ++i) xml += L"<item text='item " + std::to_wstring(i) + L"'/>";
  xml += L"</items></listbox></root>";
  rig.Load(xml.c_str());
  auto* lb = dynamic_cast<SListBox*>(rig.Find(L"lb"));
  REQUIRE(lb != nullptr);
  return lb;
}

struct SelEvent {
  DWORD id;
  int newSel;
  int oldSel;
};

// Records the selection events; refuses every change while cancel is set.
struct SelRecorder {
  std::vector<SelEvent> events;
  bool cancel = false;

  explicit SelRecorder(SListBox* lb) {
    lb->SubscribeEvent(EventLBSelChanging::EventID, FnSlot([this](EventArgs* e) {
                         auto* evt = static_cast<EventLBSelChanging*>(e);
                         events.push_back({12000, evt->nNewSel, evt->nOldSel});
                         if (cancel) evt->bCancel = TRUE;
                         return false;
                       }));
    lb->SubscribeEvent(EventLBSelChanged::EventID, FnSlot([this](EventArgs* e) {
                         auto* evt = static_cast<EventLBSelChanged*>(e);
                         events.push_back({12001, evt->nNewSel, evt->nOldSel});
                         return false;
                       }));
    lb->SubscribeEvent(EventLBDbClick::EventID, FnSlot([this](EventArgs* e) {
                         events.push_back({12002, static_cast<EventLBDbClick*>(e)->nCurSel, 0});
                         return false;
                       }));
  }
};

void Key(SListBox* lb, UINT vk) { lb->SSendMessage(WM_KEYDOWN, vk, 1); }

}  // namespace

TEST_CASE("items from XML, class and keys wanted") {
  PanelRig rig;
  rig.Load(L"<root><listbox name='lb' pos='0,0,@100,@100' curSel='1'><items>"
           L"<item text='one'/><item text='two' icon='2' data='0x10'/><item/></items>"
           L"</listbox></root>");
  auto* lb = dynamic_cast<SListBox*>(rig.Find(L"lb"));
  REQUIRE(lb != nullptr);
  for (const wchar_t* cls : {L"listbox", L"scrollview", L"div", L"window"}) CHECK(lb->IsClass(cls));
  CHECK(lb->OnGetDlgCode() == 9u);
  CHECK(lb->IsFocusable());
  CHECK(lb->GetCount() == 3);
  CHECK(lb->GetCurSel() == 1);
  CHECK(std::wstring(lb->GetText(1)) == L"two");
  CHECK(lb->GetItemData(1) == 0x10);
  CHECK(lb->GetItemData(0) == 0);
  CHECK(std::wstring(lb->GetText(2)) == L"");
  CHECK(std::wstring(lb->GetText(3)) == L"");
  CHECK(lb->GetItemHeight() == 20);  // the default, 20 dp at 100 %
  CHECK(lb->GetViewSize().cy == 60);
}

TEST_CASE("inserting and deleting keep the selection and hover on their items") {
  PanelRig rig;
  SListBox* lb = LoadList(rig, 0);
  for (const wchar_t* text : {L"a", L"b", L"c"}) lb->AddString(text);
  CHECK(lb->SetCurSel(1));
  CHECK_FALSE(lb->SetCurSel(1));  // unchanged
  CHECK_FALSE(lb->SetCurSel(3));  // beyond the count

  CHECK(lb->InsertString(0, L"first") == 0);
  CHECK(lb->GetCurSel() == 2);
  CHECK(std::wstring(lb->GetText(lb->GetCurSel())) == L"b");
  // Any index outside [0, count] appends.
  CHECK(lb->InsertString(-5, L"tail") == 4);
  CHECK(lb->InsertString(99, L"tail2") == 5);
  CHECK(lb->InsertString(6, L"tail3") == 6);
  CHECK(lb->GetCount() == 7);
  CHECK(lb->GetViewSize().cy == 140);

  CHECK(lb->FindString(-1, L"tail") == 4);
  CHECK(lb->FindString(4, L"tail") == -1);
  CHECK(lb->FindString(-1, L"TAIL") == -1);
  CHECK(lb->SetItemData(4, 7));
  CHECK(lb->GetItemData(4) == 7);
  CHECK_FALSE(lb->SetItemData(7, 1));

  CHECK(lb->DeleteString(0));
  CHECK(lb->GetCurSel() == 1);
  CHECK(lb->DeleteString(1));
  CHECK(lb->GetCurSel() == -1);
  CHECK_FALSE(lb->DeleteString(-1));
  CHECK_FALSE(lb->DeleteString(5));
  CHECK(lb->SetCurSel(0));
  CHECK(lb->SetCurSel(-7));
  CHECK(lb->GetCurSel() == -1);

  lb->DeleteAll();
  CHECK(lb->GetCount() == 0);
  CHECK(lb->GetViewSize().cy == 0);
}

TEST_CASE("item heights below 1 pixel are refused") {
  PanelRig rig;
  SListBox* lb = LoadList(rig, 3);
  CHECK(lb->SetAttribute(SStringW(L"itemHeight"), SStringW(L"0"), FALSE) == E_FAIL);
  CHECK(lb->SetAttribute(SStringW(L"itemHeight"), SStringW(L"0.4"), FALSE) == E_FAIL);
  CHECK(lb->GetItemHeight() == 20);
  CHECK_FALSE(lb->SetItemHeight(0, 0));
  CHECK_FALSE(lb->SetItemHeight(3, 10));
  CHECK(lb->SetItemHeight(0, 10));
  CHECK(lb->GetItemHeight() == 10);
  CHECK(lb->GetViewSize().cy == 30);
  CHECK(lb->SetAttribute(SStringW(L"itemHeight"), SStringW(L"25"), FALSE) == S_FALSE);
  CHECK(lb->GetViewSize().cy == 75);
}

TEST_CASE("keys: the arrows step and scroll the selection into view") {
  PanelRig rig;
  SListBox* lb = LoadList(rig, 10);
  SelRecorder rec(lb);

  SUBCASE("five steps down from item 0") {
    lb->SetCurSel(0);
    for (int i = 0; i < 5; ++i) Key(lb, VK_DOWN);
    CHECK(lb->GetCurSel() == 5);
    CHECK(lb->GetViewOrigin().y == 20);
    CHECK(rec.events.size() == 10u);
    Key(lb, VK_UP);
    CHECK(lb->GetCurSel() == 4);
    CHECK(lb->GetViewOrigin().y == 20);
    for (int i = 0; i < 4; ++i) Key(lb, VK_UP);
    CHECK(lb->GetViewOrigin().y == 0);
  }
  SUBCASE("the ends and other keys do nothing") {
    lb->SetCurSel(0);
    Key(lb, VK_UP);
    CHECK(lb->GetCurSel() == 0);
    lb->SetCurSel(9);
    Key(lb, VK_DOWN);
    CHECK(lb->GetCurSel() == 9);
    Key(lb, VK_RETURN);
    CHECK(rec.events.empty());
  }
  SUBCASE("no selection: down selects the first item") {
    Key(lb, VK_DOWN);
    CHECK(lb->GetCurSel() == 0);
  }
  SUBCASE("hot tracking steps from the hover item, never past the last") {
    lb->SetAttribute(SStringW(L"hotTrack"), SStringW(L"1"), FALSE);
    lb->SetCurSel(0);
    lb->OnScroll(TRUE, SB_BOTTOM, 0);
    lb->SSendMessage(WM_MOUSEMOVE, 0, At(50, 95));  // over the last item
    CHECK(lb->GetHoverItem() == 9);
    Key(lb, VK_DOWN);
    CHECK(lb->GetCurSel() == 0);
    CHECK(rec.events.empty());
    lb->SSendMessage(WM_MOUSEMOVE, 0, At(50, 55));  // item 7
    Key(lb, VK_DOWN);
    CHECK(lb->GetCurSel() == 8);
    CHECK(lb->GetHoverItem() == -1);
  }
}

TEST_CASE("the mouse: clicks, refusals, clicks below the items, double clicks") {
  PanelRig rig;
  SListBox* lb = LoadList(rig, 3);
  SelRecorder rec(lb);

  lb->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(30, 25));
  CHECK(lb->GetCurSel() == 1);
  CHECK(lb->IsFocused());
  lb->SSendMessage(WM_LBUTTONUP, 0, At(30, 25));
  REQUIRE(rec.events.size() == 2u);
  CHECK(rec.events[0].id == 12000u);
  CHECK(rec.events[0].newSel == 1);
  CHECK(rec.events[0].oldSel == -1);
  CHECK(rec.events[1].id == 12001u);

  rec.events.clear();
  rec.cancel = true;
  lb->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(30, 5));
  lb->SSendMessage(WM_LBUTTONUP, 0, At(30, 5));
  CHECK(lb->GetCurSel() == 1);
  REQUIRE(rec.events.size() == 1u);
  CHECK(rec.events[0].id == 12000u);

  rec.events.clear();
  rec.cancel = false;
  lb->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(30, 80));  // below the last item
  lb->SSendMessage(WM_LBUTTONUP, 0, At(30, 80));
  CHECK(lb->GetCurSel() == -1);
  REQUIRE(rec.events.size() == 2u);
  CHECK(rec.events[0].newSel == -1);
  CHECK(rec.events[1].newSel == -1);
  CHECK(rec.events[1].oldSel == 1);

  rec.events.clear();
  lb->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(30, 45));
  CHECK(lb->GetCurSel() == 2);
  REQUIRE(rec.events.size() == 3u);
  CHECK(rec.events[2].id == 12002u);
  CHECK(rec.events[2].newSel == 2);

  // SetCurSel is no user choice: no event.
  rec.events.clear();
  lb->SetCurSel(0);
  CHECK(rec.events.empty());
}

TEST_CASE("hot tracking: the press does not select, the release does") {
  PanelRig rig;
  SListBox* lb = LoadList(rig, 3, L"hotTrack='1'");
  SelRecorder rec(lb);
  lb->SSendMessage(WM_MOUSEMOVE, 0, At(30, 25));
  CHECK(lb->GetHoverItem() == 1);
  lb->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(30, 25));
  CHECK(lb->GetCurSel() == -1);
  lb->SSendMessage(WM_LBUTTONUP, 0, At(30, 45));
  CHECK(lb->GetCurSel() == 2);
  CHECK(rec.events.size() == 2u);
  lb->SSendMessage(WM_MOUSELEAVE);
  CHECK(lb->GetHoverItem() == -1);
  lb->SSendMessage(WM_MOUSEMOVE, 0, At(30, 5));
  lb->SetVisible(FALSE);
  CHECK(lb->GetHoverItem() == -1);
}

TEST_CASE("typed characters go on to the owner") {
  PanelRig rig;
  rig.Load(L"<root><probe name='owner'/><listbox name='lb' pos='0,0,@100,@100'/></root>");
  auto* lb = dynamic_cast<SListBox*>(rig.Find(L"lb"));
  REQUIRE(lb != nullptr);
  lb->SSendMessage(WM_CHAR, L'x', 1);  // no owner: nothing
  lb->SetOwner(rig.Probe(L"owner"));
  rig.probeLog.clear();
  lb->SSendMessage(WM_CHAR, L'x', 1);
  REQUIRE(rig.Probe(L"owner")->Count(WM_CHAR) == 1u);
  CHECK(rig.probeLog.back().wParam == static_cast<WPARAM>(L'x'));
  lb->SetOwner(nullptr);  // the owner goes first when the tree is destroyed
}

TEST_CASE("drawing: selection colour, odd rows, item skin states, icons") {
  PanelRig rig;

  SUBCASE("the selected row in the default colour, odd rows in their own") {
    SListBox* lb = LoadList(rig, 4, L"colorItemBkgnd2='#00ff00' curSel='2'");
    rig.Paint();
    rig.render.SavePng(L"listbox_selection", 3);
    CHECK(rig.Pixel(90, 45) == 0xFF3991D1u);  // RGB(57,145,209)
    CHECK(rig.Pixel(90, 25) == 0xFF00FF00u);  // odd row
    CHECK(rig.Pixel(90, 5) == 0xFFFFFFFFu);   // even rows: no colour, the surface shows
    CHECK(lb->SetAttribute(SStringW(L"colorItemSelBkgnd"), SStringW(L""), FALSE) == E_FAIL);
    // White without alpha is no colour: the selected (even) row is not filled.
    CHECK(lb->SetAttribute(SStringW(L"colorItemSelBkgnd"), SStringW(L"rgba(255,255,255,0)"),
                           FALSE) == S_FALSE);
    rig.Paint();
    CHECK(rig.Pixel(90, 45) == 0xFFFFFFFFu);
  }
  SUBCASE("scrolled: rows drawn from the origin, the built-in bar beside them") {
    rig.Load(L"<root><listbox name='lb' pos='0,0,@100,@100' colorItemBkgnd2='#00ff00' "
             L"itemHeight='20'/></root>");
    auto* lb = dynamic_cast<SListBox*>(rig.Find(L"lb"));
    REQUIRE(lb != nullptr);
    for (int i = 0; i < 10; ++i) lb->AddString((L"row " + std::to_wstring(i)).c_str());
    lb->SetCurSel(3);
    CHECK(lb->SetTopIndex(1));
    CHECK_FALSE(lb->SetTopIndex(10));
    CHECK(lb->GetViewOrigin().y == 20);
    rig.Paint();
    rig.render.SavePng(L"listbox_scrolled", 3);
    CHECK(rig.Pixel(80, 0) == 0xFF00FF00u);    // item 1 at the top
    CHECK(rig.Pixel(80, 45) == 0xFF3991D1u);   // item 3, selected
    CHECK(rig.Pixel(80, 99) == 0xFF00FF00u);   // item 5 at the bottom
    CHECK(rig.Pixel(90, 50) != 0xFFFFFFFFu);   // the bar (16 wide) is drawn
  }
  SUBCASE("a click repaints the two rows at once") {
    SListBox* lb = LoadList(rig, 4, L"curSel='0'");
    rig.Paint();
    lb->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(30, 25));
    IRenderTarget* host = rig.container.HostSurface();
    CHECK(host->GetPixel(90, 25) == 0xFF3991D1u);
    CHECK(host->GetPixel(90, 5) != 0xFF3991D1u);
  }
  SUBCASE("the item skin: 0 normal, 1 hot under hot tracking, 2 selected") {
    LoadList(rig, 3, L"itemSkin='rows' hotTrack='1' curSel='0'");
    rig.Find(L"lb")->SSendMessage(WM_MOUSEMOVE, 0, At(30, 25));
    CellSkin::log.clear();
    rig.Paint();
    std::vector<int> states;
    for (const SkinDraw& d : CellSkin::log) {
      if (d.part == -1) states.push_back(d.state);
    }
    CHECK(states == std::vector<int>{2, 1, 0});
  }
}

TEST_CASE("icons: by index, centred, the text after them; an index beyond the skin draws none") {
  PanelRig rig;
  rig.AddSkins(L"<skin><cells name='icons' states='3' size='8,8'/></skin>");
  rig.Load(L"<root><listbox name='lb' pos='0,0,@100,@100' iconSkin='icons'><items>"
           L"<item text='a' icon='1'/><item text='b' icon='3'/><item text='c'/></items>"
           L"</listbox></root>");
  CellSkin::log.clear();
  rig.Paint();
  REQUIRE(CellSkin::log.size() == 1u);
  CHECK(CellSkin::log[0].state == 1);
  // h 20: x = 20 / 6 = 3, y = (20 - 8) / 2 = 6.
  const RECT expected = {3, 6, 11, 14};
  CHECK(EqualRect(&CellSkin::log[0].rc, &expected) != FALSE);
}
