// The tab strip: its layout of the tabs, the slides on its clock, inserting, removing and
// selecting tabs, dragging, the buttons, its events and attributes, and its pixels.
#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "StripRig.h"
#include "controls/EventChromeTabClose.h"
#include "controls/EventChromeTabDbClick.h"
#include "controls/EventChromeTabNew.h"
#include "controls/EventChromeTabSelChanged.h"
#include "controls/SAnimator.h"
#include "core/EventSwndCreate.h"

using namespace SWUI;

namespace {

constexpr DWORD kNew = EventChromeTabNew::EventID;
constexpr DWORD kClose = EventChromeTabClose::EventID;
constexpr DWORD kSelChanged = EventChromeTabSelChanged::EventID;
constexpr DWORD kDbClick = EventChromeTabDbClick::EventID;


// A press and release of the left button at a point.
void Click(SWindow* wnd, int x, int y) {
  wnd->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
  wnd->SSendMessage(WM_LBUTTONUP, 0, At(x, y));
}

void Drag(SWindow* wnd, int x, int y) { wnd->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x, y)); }

std::vector<std::string> Rects(SChromeTabCtrl* strip) {
  std::vector<std::string> out;
  for (int i = 0; i < strip->GetTabCount(); ++i) out.push_back(RectOf(strip->GetTab(i)));
  return out;
}

std::vector<std::wstring> Titles(SChromeTabCtrl* strip) {
  std::vector<std::wstring> out;
  for (int i = 0; i < strip->GetTabCount(); ++i) {
    out.push_back(std::wstring(strip->GetTab(i)->GetWindowText(TRUE)));
  }
  return out;
}

// Each tab's position agrees with its place in the strip.
void CheckPositions(SChromeTabCtrl* strip) {
  for (int i = 0; i < strip->GetTabCount(); ++i) CHECK(strip->GetTab(i)->GetIndex() == i);
}

const wchar_t kNewButton[] = L"<newBtnStyle name='new' skin='t.new' size='20,30'/>";

}  // namespace

TEST_CASE("tabs share the strip evenly when they do not fit and never grow beyond their size") {
  struct Case {
    int width;
    int count;
    int desired;
    const wchar_t* children;
    int size;
  } cases[] = {
      {600, 7, 97, L"", 85},  // 600 / 7
      {800, 7, 97, L"", 97},
      {600, 7, 97, kNewButton, 82},  // (600 - 20) / 7
      {600, 3, 97, kNewButton, 97},
      {600, 0, 97, kNewButton, 97},
      {10, 2, 97, kNewButton, 0},  // no room at all
  };
  for (const Case& c : cases) {
    CAPTURE(c.width);
    CAPTURE(c.count);
    CAPTURE(c.size);
    StripRig rig(c.width, 100);
    rig.Load(StripXml(c.count, c.desired, L"", c.children));
    SChromeTabCtrl* strip = rig.Strip();
    REQUIRE(strip->GetTabCount() == c.count);
    for (int i = 0; i < c.count; ++i) {
      CHECK(RectOf(strip->GetTab(i)) == Str(RECT{c.size * i, 0, c.size * (i + 1), 30}));
    }
    if (SChromeTab* button = strip->GetNewTabButton()) {
      const int left = c.size * c.count;
      CHECK(RectOf(button) == Str(RECT{left, 0, left + 20, 30}));
    }
  }

  // Along a vertical strip the tabs share its height.
  StripRig rig(600, 100);
  rig.Load(L"<root><chromeTabCtrl name='strip' pos='0,0,@50,-0' tabDesiredSize='40' "
           L"tabAlign='vertical'><tabs><chromeTab/><chromeTab/><chromeTab/><chromeTab/></tabs>"
           L"</chromeTabCtrl></root>");
  CHECK(Rects(rig.Strip()) ==
        std::vector<std::string>{"0,0,50,25", "0,25,50,50", "0,50,50,75", "0,75,50,100"});
}

TEST_CASE("an animator reports 0 at its start, each step's percent and 100 at its end") {
  std::vector<int> seen;
  SAnimator animator;
  animator.SetAnimatorCallback(
      [](int percent, void* context) { static_cast<std::vector<int>*>(context)->push_back(percent); },
      &seen);
  animator.Step(5);  // nothing runs
  animator.Start(1000, 200);
  animator.Step(1050);
  animator.Step(1199);
  CHECK(animator.IsRunning());
  // A new start ends the running one first.
  animator.Start(1100, 200);
  animator.Step(1300);
  CHECK_FALSE(animator.IsRunning());
  animator.Step(1400);
  CHECK(seen == std::vector<int>{0, 25, 99, -1, 0, 100});

  // The time passed is unsigned: a tick count that wrapped since the start still counts.
  seen.clear();
  animator.Start(0xFFFFFFCEu, 200);  // 50 ms before the wrap
  animator.Step(50);
  CHECK(seen == std::vector<int>{0, 50});
  CHECK(animator.IsRunning());
}

TEST_CASE("a tab slides to its target in 200 ms, truncating toward zero, and starts again when moved") {
  StripRig rig;
  rig.Load(StripXml(1, 85));
  SChromeTab* tab = rig.Strip()->GetTab(0);
  REQUIRE(RectOf(tab) == "0,0,85,30");

  tab->MoveTo(RECT{-85, 0, 0, 30});
  CHECK(RectOf(tab) == "0,0,85,30");
  rig.Frame(100);  // half way: -42.5 is -42, 42.5 is 42
  CHECK(RectOf(tab) == "-42,0,43,30");
  rig.Frame(99);
  CHECK(RectOf(tab) == "-84,0,1,30");
  rig.Frame(1);
  CHECK(RectOf(tab) == "-85,0,0,30");
  CHECK_FALSE(tab->IsRunning());

  // Moved again half way, the slide runs its 200 ms anew from where the tab is.
  tab->MoveTo(RECT{115, 0, 200, 30});
  rig.Frame(100);
  REQUIRE(RectOf(tab) == "15,0,100,30");
  tab->MoveTo(RECT{215, 0, 300, 30});
  CHECK(RectOf(tab) == "15,0,100,30");
  rig.Frame(100);
  CHECK(RectOf(tab) == "115,0,200,30");
  CHECK(tab->IsRunning());
  rig.Frame(100);
  CHECK(RectOf(tab) == "215,0,300,30");

  // Frames of the timeline move nothing that does not slide.
  rig.Frame(100);
  CHECK(RectOf(tab) == "215,0,300,30");
}

TEST_CASE("InsertTab places the tab next to the one before, lays out, then reports; it never selects") {
  struct Case {
    int pos;
    int index;
    const char* placed;  // where it appears, before it slides
  } cases[] = {
      {-5, 3, "300,0,400,30"},  // after the last tab (200..300), at the desired 100
      {99, 3, "300,0,400,30"},
      {3, 3, "300,0,400,30"},
      {1, 1, "100,0,200,30"},
      {0, 0, "0,0,100,30"},  // at the strip's start
  };
  for (const Case& c : cases) {
    CAPTURE(c.pos);
    StripRig rig(300, 100);
    rig.Load(StripXml(3, 100));
    SChromeTabCtrl* strip = rig.Strip();
    strip->SetCurSel(1);
    SChromeTab* selected = strip->GetTab(1);
    rig.TakeStripEvents();

    SChromeTab* reported = nullptr;
    int reportedIndex = -2;
    std::string reportedRect;
    strip->GetEventSet()->SubscribeEvent(kNew, FnSlot([&](EventArgs* e) {
      auto* evt = static_cast<EventChromeTabNew*>(e);
      reported = evt->pNewTab;
      reportedIndex = evt->iNewTab;
      reportedRect = RectOf(evt->pNewTab);
      CHECK(strip->GetTab(evt->iNewTab) == evt->pNewTab);
      return true;
    }));
    REQUIRE(strip->InsertTab(L"new", c.pos));
    CHECK(rig.TakeStripEvents() == std::vector<DWORD>{kNew});
    REQUIRE(strip->GetTabCount() == 4);
    SChromeTab* tab = strip->GetTab(c.index);
    CHECK(reported == tab);
    CHECK(reportedIndex == c.index);
    CHECK(reportedRect == c.placed);
    CHECK(tab->GetOrdinal() == 3);
    CHECK(std::wstring(tab->GetWindowText(TRUE)) == L"new");
    CHECK(std::wstring(tab->GetToolTipText()) == L"new");
    CHECK(strip->GetTab(strip->GetCurSel()) == selected);  // the same tab, wherever it went
    CHECK_FALSE(tab->IsChecked());
    CheckPositions(strip);

    // Four tabs of 75 once the slides end.
    rig.Settle();
    CHECK(Rects(strip) ==
          std::vector<std::string>{"0,0,75,30", "75,0,150,30", "150,0,225,30", "225,0,300,30"});
  }

  // Without a title the tab stays empty; into an empty strip it goes first.
  StripRig rig;
  rig.Load(StripXml(0, 100));
  SChromeTabCtrl* strip = rig.Strip();
  REQUIRE(strip->InsertTab(nullptr, -1));
  CHECK(strip->GetTab(0)->GetWindowText(TRUE).IsEmpty());
  CHECK(strip->GetTabOrdinal(0) == 0);
  CHECK(strip->GetCurSel() == -1);
}

TEST_CASE("RemoveTab keeps positions and ordinals dense; the selection goes without an event") {
  StripRig rig;
  rig.Load(StripXml(4, 85));
  SChromeTabCtrl* strip = rig.Strip();
  REQUIRE(strip->RemoveTab(1));
  CHECK(Titles(strip) == std::vector<std::wstring>{L"t0", L"t2", L"t3"});
  CHECK(Ordinals(strip) == std::vector<int>{0, 1, 2});
  CheckPositions(strip);
  rig.Settle();
  CHECK(Rects(strip) == std::vector<std::string>{"0,0,85,30", "85,0,170,30", "170,0,255,30"});

  // Ordinals follow creation, not position.
  REQUIRE(strip->InsertTab(L"first", 0));
  CHECK(Ordinals(strip) == std::vector<int>{3, 0, 1, 2});
  REQUIRE(strip->RemoveTab(strip->GetTab(2)));  // ordinal 1
  CHECK(Ordinals(strip) == std::vector<int>{2, 0, 1});
  CHECK(strip->FindTabByOrdinal(2) == 0);
  CHECK(strip->FindTabByOrdinal(1) == 2);
  CHECK(strip->FindTabByOrdinal(3) == -1);

  // The selected tab: no selection remains, and nobody is told.
  strip->SetCurSel(1);
  rig.TakeStripEvents();
  REQUIRE(strip->RemoveTab(1));
  CHECK(strip->GetCurSel() == -1);
  CHECK(rig.TakeStripEvents().empty());
  // A selection after the removed tab moves up with its tab.
  strip->SetCurSel(1);
  REQUIRE(strip->RemoveTab(0));
  CHECK(strip->GetCurSel() == 0);

  // Positions out of range, no tab, and another strip's tab are refused.
  CHECK_FALSE(strip->RemoveTab(-1));
  CHECK_FALSE(strip->RemoveTab(strip->GetTabCount()));
  CHECK_FALSE(strip->RemoveTab(static_cast<SChromeTab*>(nullptr)));
  SAutoRefPtr<SChromeTabCtrl> other;
  other.Attach(new SChromeTabCtrl());
  SAutoRefPtr<SChromeTab> foreign;
  foreign.Attach(new SChromeTab(other));
  CHECK_FALSE(strip->RemoveTab(foreign));
  CHECK(strip->GetTabCount() == 1);
  CHECK(strip->GetTab(1) == nullptr);
  CHECK(strip->GetTab(-1) == nullptr);
  CHECK(strip->GetTabOrdinal(1) == -1);
  CHECK(strip->GetTabOrdinal(-1) == -1);
  REQUIRE(strip->RemoveTab(0));
  CHECK(strip->FindTabByOrdinal(0) == -1);
}

TEST_CASE("a tab or the new-tab button destroyed by anyone leaves the strip as a removal would") {
  StripRig rig;
  rig.Load(StripXml(3, 85, L"", kNewButton));
  SChromeTabCtrl* strip = rig.Strip();
  strip->SetCurSel(1);
  SAutoRefPtr<SChromeTab> tab = strip->GetTab(1);  // kept alive past its destruction
  REQUIRE(strip->DestroyChild(tab));
  CHECK(Titles(strip) == std::vector<std::wstring>{L"t0", L"t2"});
  CHECK(Ordinals(strip) == std::vector<int>{0, 1});
  CheckPositions(strip);
  CHECK(strip->GetCurSel() == -1);
  SAutoRefPtr<SWindow> button = strip->FindChildByName(L"new");
  REQUIRE(button != nullptr);
  REQUIRE(strip->DestroyChild(button));
  rig.Settle();  // lays out and steps without the button
  CHECK(Rects(strip) == std::vector<std::string>{"0,0,85,30", "85,0,170,30"});
}

TEST_CASE("SetCurSel checks one tab or none and reports changes only") {
  struct Step {
    int sel;
    int expected;
    std::vector<DWORD> events;
  } steps[] = {
      {-1, -1, {}},  // no selection yet: nothing to do
      {2, 2, {kSelChanged}},
      {2, 2, {}},   // the same
      {4, 2, {}},   // beyond the count
      {3, 2, {}},   // at the count
      {-2, 2, {}},  // below -1, as a damaged settings file may give
      {0, 0, {kSelChanged}},
      {-1, -1, {kSelChanged}},
  };
  StripRig rig;
  rig.Load(StripXml(3, 85));
  SChromeTabCtrl* strip = rig.Strip();
  std::vector<std::pair<int, int>> changes;
  strip->GetEventSet()->SubscribeEvent(kSelChanged, FnSlot([&](EventArgs* e) {
    auto* evt = static_cast<EventChromeTabSelChanged*>(e);
    changes.emplace_back(evt->iOldSel, evt->iNewSel);
    return true;
  }));
  for (const Step& s : steps) {
    CAPTURE(s.sel);
    strip->SetCurSel(s.sel);
    CHECK(strip->GetCurSel() == s.expected);
    CHECK(rig.TakeStripEvents() == s.events);
    for (int i = 0; i < 3; ++i) CHECK((strip->GetTab(i)->IsChecked() != FALSE) == (i == s.expected));
  }
  CHECK(changes == std::vector<std::pair<int, int>>{{-1, 2}, {2, 0}, {0, -1}});

  // A click selects.
  Click(strip->GetTab(1), 100, 15);
  CHECK(strip->GetCurSel() == 1);
}

TEST_CASE("a dragged tab swaps with the next past its middle and with the previous in its right half") {
  StripRig rig;
  rig.Load(StripXml(4, 85));  // 0..85, 85..170, 170..255, 255..340
  SChromeTabCtrl* strip = rig.Strip();
  SChromeTab* t1 = strip->GetTab(1);
  SChromeTab* t2 = strip->GetTab(2);

  // Rightwards: the next tab's middle is 212.
  t1->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(100, 15));
  CHECK(strip->GetWindow(GSW_LASTCHILD) == t1);  // above its siblings
  Drag(t1, 211, 15);
  CHECK(RectOf(t1) == "196,0,281,30");
  CHECK(strip->GetTab(1) == t1);
  Drag(t1, 212, 15);
  CHECK(strip->GetTab(2) == t1);
  CHECK(strip->GetTab(1) == t2);
  CHECK(RectOf(t2) == "85,0,170,30");  // at once, into the place t1 left
  CheckPositions(strip);

  // Leftwards: the previous tab (now t2, 85..170) swaps once the pointer reaches its right edge.
  Drag(t1, 171, 15);
  CHECK(strip->GetTab(2) == t1);
  Drag(t1, 170, 15);
  CHECK(strip->GetTab(1) == t1);
  CHECK(RectOf(t2) == "170,0,255,30");
  CheckPositions(strip);
  CHECK(Ordinals(strip) == std::vector<int>{0, 1, 2, 3});  // ordinals do not follow the drag

  // Released, it is selected and slides into its slot.
  rig.TakeStripEvents();
  t1->SSendMessage(WM_LBUTTONUP, 0, At(170, 15));
  CHECK(strip->GetCurSel() == 1);
  CHECK(rig.TakeStripEvents() == std::vector<DWORD>{kSelChanged});
  CHECK(RectOf(t1) == "155,0,240,30");  // where the drag left it, sliding from there
  rig.Settle();
  CHECK(RectOf(t1) == "85,0,170,30");

  // Moving with the button held over a tab that was not pressed moves nothing.
  Drag(t2, 300, 15);
  CHECK(RectOf(t2) == "170,0,255,30");
}

TEST_CASE("a strip without dragging keeps its tabs in place under the mouse and still selects") {
  StripRig rig;
  rig.Load(StripXml(3, 85, L"enableDrag='0'"));
  SChromeTabCtrl* strip = rig.Strip();
  CHECK_FALSE(strip->IsDragEnabled());
  SChromeTab* tab = strip->GetTab(0);
  tab->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(40, 15));
  Drag(tab, 150, 15);
  CHECK(RectOf(tab) == "0,0,85,30");
  CHECK(strip->GetTab(0) == tab);
  tab->SSendMessage(WM_LBUTTONUP, 0, At(40, 15));
  CHECK(strip->GetCurSel() == 0);
}

TEST_CASE("a double-click is raised by the tab itself, sender id 0, with its ordinal and position") {
  StripRig rig;
  rig.Load(StripXml(3, 85, L"id='997'"));
  SChromeTabCtrl* strip = rig.Strip();
  CHECK_FALSE(strip->GetEventSet()->IsEventPresent(kDbClick));
  REQUIRE(strip->InsertTab(L"x", 0));
  SChromeTab* tab = strip->GetTab(2);  // ordinal 1
  // The tab offers no such event either; the test listens for it there.
  tab->GetEventSet()->AddEvent(kDbClick, EventChromeTabDbClick::ScriptName());
  int ordinal = -1;
  int index = -1;
  tab->GetEventSet()->SubscribeEvent(kDbClick, FnSlot([&](EventArgs* e) {
    auto* evt = static_cast<EventChromeTabDbClick*>(e);
    ordinal = evt->iTabOrdinal;
    index = evt->iTabIndex;
    return true;
  }));
  rig.container.fired.clear();
  tab->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(200, 15));
  CHECK(ordinal == 1);
  CHECK(index == 2);
  REQUIRE(rig.container.fired.size() == 1);
  CHECK(rig.container.fired[0].id == kDbClick);
  CHECK(rig.container.fired[0].idFrom == 0);
}

TEST_CASE("close buttons remove their tab after the close event, also when a handler removed it") {
  const std::wstring children =
      L"<tabStyle skin='t.tab'/><closeBtnStyle name='close' skin='t.close' pos='-15,10,@10,@10'/>";
  StripRig rig;
  rig.Load(L"<root><chromeTabCtrl name='strip' pos='0,0,-0,30' tabDesiredSize='100'>" + children +
           L"<tabs><chromeTab>a</chromeTab><chromeTab allowClose='0'>b</chromeTab>"
           L"<chromeTab>c</chromeTab></tabs></chromeTabCtrl></root>");
  SChromeTabCtrl* strip = rig.Strip();
  auto closeOf = [](SChromeTab* tab) { return tab->FindChildByName(L"close", 1); };
  REQUIRE(closeOf(strip->GetTab(0)) != nullptr);
  CHECK(closeOf(strip->GetTab(1)) == nullptr);
  REQUIRE(closeOf(strip->GetTab(2)) != nullptr);
  CHECK(RectOf(closeOf(strip->GetTab(2))) == "285,10,295,20");
  // A tab inserted later gets one as well.
  REQUIRE(strip->InsertTab(L"d", -1));
  CHECK(closeOf(strip->GetTab(3)) != nullptr);

  std::vector<std::pair<SChromeTab*, int>> closing;
  bool removeInHandler = false;
  strip->GetEventSet()->SubscribeEvent(kClose, FnSlot([&](EventArgs* e) {
    auto* evt = static_cast<EventChromeTabClose*>(e);
    closing.emplace_back(evt->pCloseTab, evt->iCloseTab);
    CHECK(strip->GetTab(evt->iCloseTab) == evt->pCloseTab);  // still there
    if (removeInHandler) CHECK(strip->RemoveTab(evt->pCloseTab));
    return true;
  }));
  rig.TakeStripEvents();
  SChromeTab* first = strip->GetTab(0);
  Click(closeOf(first), 90, 15);
  CHECK(rig.TakeStripEvents() == std::vector<DWORD>{kClose});
  CHECK(Titles(strip) == std::vector<std::wstring>{L"b", L"c", L"d"});
  CHECK(closing == std::vector<std::pair<SChromeTab*, int>>{{first, 0}});

  removeInHandler = true;
  SChromeTab* third = strip->GetTab(2);
  rig.Settle();
  Click(closeOf(third), 290, 15);
  CHECK(Titles(strip) == std::vector<std::wstring>{L"b", L"c"});
  CHECK(Ordinals(strip) == std::vector<int>{0, 1});
  CHECK(closing.size() == 2);
}

TEST_CASE("the new-tab button adds an untitled tab at the end and stays after the last") {
  StripRig rig;
  rig.Load(StripXml(2, 100, L"", kNewButton));
  SChromeTabCtrl* strip = rig.Strip();
  SChromeTab* button = strip->GetNewTabButton();
  REQUIRE(button != nullptr);
  CHECK(button->GetIndex() == -1);
  CHECK(RectOf(button) == "200,0,220,30");
  rig.TakeStripEvents();
  Click(button, 210, 15);
  CHECK(rig.TakeStripEvents() == std::vector<DWORD>{kNew});
  REQUIRE(strip->GetTabCount() == 3);
  CHECK(strip->GetTab(2)->GetWindowText(TRUE).IsEmpty());
  CHECK(strip->GetCurSel() == -1);
  rig.Settle();
  CHECK(RectOf(button) == "300,0,320,30");
  // The button is not dragged.
  button->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(310, 15));
  Drag(button, 400, 15);
  CHECK(RectOf(button) == "300,0,320,30");
}

TEST_CASE("tabs take the tab style's attributes before their own, and are created once") {
  StripRig rig;
  rig.Load(L"<root><chromeTabCtrl name='strip' pos='0,0,-0,30' tabDesiredSize='100'>"
           L"<tabStyle skin='t.tab' allowClose='0' colorText='#123456'/>"
           L"<tabs><chromeTab id='51' allowClose='1'>a</chromeTab><chromeTab id='52'>b</chromeTab>"
           L"</tabs><window name='ignored'/></chromeTabCtrl></root>");
  SChromeTabCtrl* strip = rig.Strip();
  REQUIRE(strip->GetTabCount() == 2);
  CHECK(strip->GetTab(0)->GetAllowClose());
  CHECK_FALSE(strip->GetTab(1)->GetAllowClose());
  CHECK(strip->GetTab(1)->GetBkgndSkin() != nullptr);
  CHECK(strip->GetChildrenCount() == 2);  // other children are not made
  size_t created51 = 0;
  for (const TestContainer::Fired& f : rig.container.fired) {
    if (f.id == EventSwndCreate::EventID && f.idFrom == 51) ++created51;
  }
  CHECK(created51 == 1);

  // A tab inserted later takes the style too.
  REQUIRE(strip->InsertTab(L"c", -1));
  CHECK_FALSE(strip->GetTab(2)->GetAllowClose());
  CHECK(strip->GetTab(2)->GetBkgndSkin() != nullptr);
}

TEST_CASE("the strip's attributes, classes, events and timeline") {
  StripRig rig;
  rig.Load(StripXml(3, 100));
  SChromeTabCtrl* strip = rig.Strip();
  CHECK(strip->IsClass(L"chromeTabCtrl"));
  CHECK(strip->IsClass(L"window"));
  CHECK(strip->GetTab(0)->IsClass(L"chromeTab"));
  CHECK(strip->GetTab(0)->IsClass(L"window"));
  CHECK(std::wstring(strip->GetTab(0)->GetObjectClass()) == L"chromeTab");
  CHECK(strip->IsClipClient());
  CHECK(strip->GetTab(0)->IsClipClient());
  for (DWORD id : {kNew, kClose, kSelChanged}) CHECK(strip->GetEventSet()->IsEventPresent(id));
  CHECK(rig.container.timeline == std::vector<ITimelineHandler*>{strip});

  // Attributes set now lay the tabs out again.
  CHECK(strip->SetAttribute(L"TABDESIREDSIZE", L"0x32", FALSE) == S_OK);
  CHECK(strip->GetTabDesiredSize() == 50);
  rig.Settle();
  CHECK(RectOf(strip->GetTab(2)) == "100,0,150,30");
  CHECK(strip->SetAttribute(L"tabDesiredSize", L"-1", FALSE) == E_FAIL);
  CHECK(strip->GetTabDesiredSize() == 50);
  CHECK(strip->SetAttribute(L"tabAlign", L"vertical", FALSE) == S_OK);
  CHECK(strip->IsVertical());
  CHECK(strip->SetAttribute(L"tabAlign", L"Horizontal", FALSE) == E_FAIL);
  CHECK(strip->SetAttribute(L"tabAlign", L"left", FALSE) == E_FAIL);
  CHECK(strip->IsVertical());
  rig.Settle();
  CHECK(RectOf(strip->GetTab(2)) == "0,20,600,30");  // 30 / 3 = 10 high
  CHECK(strip->SetAttribute(L"tabAlign", L"horizontal", FALSE) == S_OK);
  CHECK(strip->SetAttribute(L"enableDrag", L"0", FALSE) == S_FALSE);
  CHECK_FALSE(strip->IsDragEnabled());
  CHECK(strip->GetTab(0)->SetAttribute(L"allowclose", L"0", FALSE) == S_FALSE);
  CHECK_FALSE(strip->GetTab(0)->GetAllowClose());

  strip->DestroyWindow();
  CHECK(rig.container.timeline.empty());
}

TEST_CASE("tabs are painted by their state, with their buttons, and clipped to the strip") {
  StripRig rig(400, 40);
  rig.Load(std::wstring(L"<root><chromeTabCtrl name='strip' pos='0,0,300,30' tabDesiredSize='90'>"
                        L"<tabStyle skin='t.tab'/>") +
           kNewButton +
           L"<closeBtnStyle skin='t.close' pos='-15,10,@10,@10'/>"
           L"<tabs><chromeTab/><chromeTab/><chromeTab/></tabs></chromeTabCtrl></root>");
  SChromeTabCtrl* strip = rig.Strip();
  strip->SetCurSel(1);
  rig.Paint();
  struct Probe {
    int x;
    DWORD colour;
  } probes[] = {{40, kTabGrey},  {80, kCloseRed}, {130, kTabBlue}, {170, kCloseRed},
                {220, kTabGrey}, {260, kCloseRed}, {280, kNewGreen}, {295, kWhite},
                {350, kWhite}};
  for (const Probe& p : probes) {
    CAPTURE(p.x);
    CHECK(rig.Pixel(p.x, 15) == p.colour);
  }
  CHECK(rig.Pixel(130, 35) == kWhite);

  // Half way out of the strip, the tab and its close button show only inside it.
  strip->GetTab(2)->MoveTo(RECT{220, 0, 340, 30});
  rig.Frame(200);
  rig.Paint();
  rig.render.SavePng(L"tabstrip_states", 2);
  CHECK(rig.Pixel(230, 15) == kTabGrey);
  CHECK(rig.Pixel(299, 15) == kTabGrey);
  CHECK(rig.Pixel(300, 15) == kWhite);
  CHECK(rig.Pixel(330, 15) == kWhite);  // where the close button would be
}

TEST_CASE("a title too long for its tab keeps its start and ends with an ellipsis") {
  StripRig rig(200, 40);
  rig.Load(L"<root><chromeTabCtrl name='strip' pos='0,0,97,30' tabDesiredSize='97'>"
           L"<tabStyle skin='t.tab' padding='6,0,6,0' colorText='#000000'/>"
           L"<tabs><chromeTab>Center speakers stage left</chromeTab></tabs></chromeTabCtrl>"
           L"</root>");
  rig.Paint();
  rig.render.SavePng(L"tabstrip_long_title", 2);
  // The columns and rows of the title's dark pixels.
  int first = -1;
  int last = -1;
  for (int x = 0; x < 97; ++x) {
    for (int y = 0; y < 30; ++y) {
      if ((rig.Pixel(x, y) & 0xFFFFFF) < 0x606060) {
        if (first < 0) first = x;
        last = x;
      }
    }
  }
  REQUIRE(first >= 0);
  // Inside the tab's padding; the shortened title, centred, leaves less than two letters free.
  CHECK(first >= 6);
  CHECK(last < 91);
  CHECK((first - 6) + (90 - last) <= 12);
  // The last few columns are dots: one short band of rows on the baseline.
  int top = 30;
  int bottom = -1;
  for (int x = last - 6; x <= last; ++x) {
    for (int y = 0; y < 30; ++y) {
      if ((rig.Pixel(x, y) & 0xFFFFFF) < 0x606060) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  CHECK(bottom - top <= 2);
}
