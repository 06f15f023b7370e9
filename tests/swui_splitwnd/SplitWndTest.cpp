// The split window: how it hands out space by priority, what dragging a bar moves, hidden
// panes, the bars it paints, and the column and row kinds.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "GeometryChecks.h"
#include "control/EventSplitPaneMoved.h"
#include "control/SSplitWnd.h"
#include "control/SSplitWnd_Col.h"
#include "control/SSplitWnd_Row.h"

using namespace SWUI;

namespace {

struct PaneSpec {
  int ideal;
  int min;
  int max;
  int priority;
};

// A split window "sw" of 400 x 100 at (0,0) with bars 5 thick and panes "p0".. (ids 1..).
SSplitWnd* LoadSplit(ElementRig& rig, const std::vector<PaneSpec>& panes,
                     const wchar_t* attrs = L"", const wchar_t* tag = L"splitwnd") {
  std::wstring xml = L"<root><";
  xml += tag;
  xml += L" name='sw' pos='0,0,@400,@100' sepSize='5' ";
  xml += attrs;
  xml += L">";
  for (size_t i = 0; i < panes.size(); ++i) {
    const PaneSpec& p = panes[i];
    xml += L"<pane name='p" + std::to_wstring(i) + L"' id='" + std::to_wstring(i + 1) +
           L"' idealSize='" + std::to_wstring(p.ideal) + L"' minSize='" +
           std::to_wstring(p.min) + L"' maxSize='" + std::to_wstring(p.max) + L"' priority='" +
           std::to_wstring(p.priority) + L"'/>";
  }
  xml += L"</";
  xml += tag;
  xml += L"></root>";
  rig.Load(xml.c_str());
  return rig.Find<SSplitWnd>(L"sw");
}

// The panes' spans along the axis, hidden panes left out.
std::vector<std::pair<int, int>> Spans(SSplitWnd* sw) {
  std::vector<std::pair<int, int>> spans;
  for (int i = 0; i < sw->GetPaneCount(); ++i) {
    SSplitPane* pane = sw->GetPane(i);
    if (!pane->IsVisible(FALSE)) continue;
    const RECT rc = pane->GetWindowRect();
    spans.push_back(sw->IsVertical() ? std::make_pair<int, int>(rc.left, rc.right)
                                     : std::make_pair<int, int>(rc.top, rc.bottom));
  }
  return spans;
}

using Spans_t = std::vector<std::pair<int, int>>;

// A press on the split window, moves by the deltas, a release.
void Drag(SSplitWnd* sw, int x, std::initializer_list<int> deltas) {
  sw->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(x, 50));
  for (int d : deltas) {
    x += d;
    sw->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(x, 50));
  }
  sw->SSendMessage(WM_LBUTTONUP, 0, At(x, 50));
}

// The three panes of the priority case: minimum 0, ideal 100, priorities 2, 1, 0.
const std::vector<PaneSpec> kThree = {{100, 0, 10000, 2}, {100, 0, 10000, 1}, {100, 0, 10000, 0}};

}  // namespace

TEST_CASE("by priority: each pane reaches its ideal size, the lowest takes the rest") {
  ElementRig rig(400, 100, true);
  SSplitWnd* sw = LoadSplit(rig, kThree);
  CHECK(sw->GetPaneCount() == 3);
  CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 205}, {210, 400}});
  CHECK(sw->GetPane(1)->GetWindowRect() == RECT{105, 0, 205, 100});

  // Every placement fires the pane's event with its rectangle.
  std::vector<RECT> moved;
  sw->GetPane(2)->SubscribeEvent(EventSplitPaneMoved::EventID, FnSlot([&](EventArgs* e) {
                                   moved.push_back(static_cast<EventSplitPaneMoved*>(e)->rcPane);
                                   return false;
                                 }));
  rig.container.fired.clear();
  sw->UpdateChildrenPosition();
  REQUIRE(rig.container.fired.size() == 3u);
  for (int i = 0; i < 3; ++i) {
    CHECK(rig.container.fired[i].id == 22000u);
    CHECK(rig.container.fired[i].idFrom == i + 1);
  }
  CHECK(moved == std::vector<RECT>{RECT{210, 0, 400, 100}});

  CHECK(sw->PaneIndex(SStringW(L"p2")) == 2);
  CHECK(sw->PaneIndex(SStringW(L"nope")) == -1);
  CHECK(sw->GetPane(3) == nullptr);
  CHECK(sw->GetPane(-1) == nullptr);
}

TEST_CASE("equal priorities keep the display order") {
  ElementRig rig(400, 100, true);
  SSplitWnd* sw = LoadSplit(rig, {{50, 0, 10000, 0}, {50, 0, 10000, 0}, {50, 0, 10000, 0}});
  CHECK(Spans(sw) == Spans_t{{0, 50}, {55, 105}, {110, 400}});
}

TEST_CASE("dragging a bar moves space between its two sides") {
  ElementRig rig(400, 100, true);
  SUBCASE("the first bar 10 to the left") {
    SSplitWnd* sw = LoadSplit(rig, kThree);
    Drag(sw, 102, {-10});
    CHECK(Spans(sw) == Spans_t{{0, 90}, {95, 205}, {210, 400}});
  }
  SUBCASE("the pane next to the bar at its minimum: the next pane of its side gives") {
    std::vector<PaneSpec> panes = kThree;
    panes[1].min = 100;
    SSplitWnd* sw = LoadSplit(rig, panes);
    Drag(sw, 207, {-8, -12});
    CHECK(Spans(sw) == Spans_t{{0, 80}, {85, 185}, {190, 400}});
  }
  SUBCASE("to the right, against a maximum") {
    std::vector<PaneSpec> panes = kThree;
    panes[0].max = 120;
    SSplitWnd* sw = LoadSplit(rig, panes);
    Drag(sw, 207, {30});
    CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 235}, {240, 400}});
    Drag(sw, 102, {50});  // p0 stops at 120
    CHECK(Spans(sw) == Spans_t{{0, 120}, {125, 235}, {240, 400}});
  }
  SUBCASE("every pane at its limits: nothing moves, nothing fires") {
    SSplitWnd* sw = LoadSplit(rig, {{100, 100, 100, 2}, {100, 100, 100, 1}, {190, 190, 190, 0}});
    REQUIRE(Spans(sw) == Spans_t{{0, 100}, {105, 205}, {210, 400}});
    rig.container.fired.clear();
    Drag(sw, 102, {-10, 20});
    Drag(sw, 207, {15});
    CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 205}, {210, 400}});
    for (const TestContainer::Fired& f : rig.container.fired) CHECK(f.id != 22000u);
  }
  SUBCASE("not adjustable, or a press that is on no bar") {
    SSplitWnd* sw = LoadSplit(rig, kThree, L"adjustable='0'");
    Drag(sw, 102, {-10});
    CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 205}, {210, 400}});
    sw->SetAttribute(SStringW(L"adjustable"), SStringW(L"1"), FALSE);
    sw->SSendMessage(WM_MOUSEMOVE, 0, At(120, 50));  // no press: no drag
    CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 205}, {210, 400}});
  }
}

TEST_CASE("hidden panes take no room, have no bar and are passed over by a drag") {
  SUBCASE("a hidden middle or last pane") {
    for (int hidden : {1, 2}) {
      CAPTURE(hidden);
      ElementRig rig(400, 100, true);
      rig.AddSkins(L"<skin><cells name='bar' states='1'/></skin>");
      SSplitWnd* sw = LoadSplit(rig, kThree, L"sepSkin='bar'");
      sw->GetPane(hidden)->SetVisible(FALSE);
      sw->UpdateChildrenPosition();
      CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 400}});
      CellSkin::log.clear();
      rig.Paint();
      const std::vector<SkinDraw> bars = rig.Skin(L"bar")->Draws();
      REQUIRE(bars.size() == 1u);
      CHECK(bars[0].rc == RECT{100, 0, 105, 100});
    }
  }
  SUBCASE("the bar after a hidden pane's old place belongs to the shown pane before it") {
    ElementRig rig(400, 100, true);
    // z, a, b, c by priorities 3, 0, 1, 2, ideal 50: a takes the spare room.
    SSplitWnd* sw = LoadSplit(
        rig, {{50, 0, 10000, 3}, {50, 0, 10000, 0}, {50, 0, 10000, 1}, {50, 0, 10000, 2}});
    REQUIRE(Spans(sw) == Spans_t{{0, 50}, {55, 290}, {295, 345}, {350, 400}});
    sw->GetPane(2)->SetVisible(FALSE);  // b keeps its old rectangle from 295
    sw->UpdateChildrenPosition();
    REQUIRE(Spans(sw) == Spans_t{{0, 50}, {55, 345}, {350, 400}});
    Drag(sw, 52, {40});  // z grows above its ideal, a gives
    REQUIRE(Spans(sw) == Spans_t{{0, 90}, {95, 345}, {350, 400}});
    // The bar between a and c: a is next to it and gives, not z.
    Drag(sw, 347, {-10});
    CHECK(Spans(sw) == Spans_t{{0, 90}, {95, 335}, {340, 400}});
  }
}

TEST_CASE("inserting panes: twice, not a child, at an index; a destroyed pane leaves") {
  ElementRig rig(400, 100, true);
  SSplitWnd* sw = LoadSplit(rig, kThree);
  CHECK(sw->InsertPane(sw->GetPane(0)) == -1);
  CHECK(sw->InsertPane(nullptr) == -1);
  auto* stray = new SSplitPane();
  CHECK(sw->InsertPane(stray) == -1);  // not a child
  stray->SetAttribute(SStringW(L"idealSize"), SStringW(L"40"), TRUE);
  stray->SetAttribute(SStringW(L"priority"), SStringW(L"5"), TRUE);
  sw->InsertChild(stray);
  CHECK(sw->InsertPane(stray, 1) == 1);
  CHECK(sw->GetPaneCount() == 4);
  // The new pane at its ideal size first; the lowest priority gives the room.
  CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 145}, {150, 250}, {255, 400}});

  sw->DestroyChild(stray);
  CHECK(sw->GetPaneCount() == 3);
  CHECK(sw->GetPane(1)->GetID() == 2);
  sw->UpdateChildrenPosition();
  CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 205}, {210, 400}});
}

TEST_CASE("the column and row kinds, attributes and the cursor over the bars") {
  ElementRig rig(400, 400, true);
  SUBCASE("a row stacks its panes") {
    rig.Load(L"<root><splitrow name='sw' pos='0,0,@100,@400'>"
             L"<pane idealSize='100' priority='1'/><pane idealSize='100'/></splitrow></root>");
    auto* sw = rig.Find<SSplitWnd_Row>(L"sw");
    CHECK(sw->IsClass(L"splitrow"));
    CHECK(sw->IsClass(L"splitwnd"));
    CHECK_FALSE(sw->IsVertical());
    CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 400}});
    CHECK(sw->GetPane(1)->GetWindowRect() == RECT{0, 105, 100, 400});
    CHECK(sw->OnSetCursor(POINT{50, 102}));
    CHECK(GetCursor() == LoadCursorW(nullptr, IDC_SIZENS));
  }
  SUBCASE("a column lays out side by side; attributes at run time lay out again") {
    rig.Load(L"<root><splitcol name='sw' pos='0,0,@400,@100'>"
             L"<pane idealSize='100' priority='1'/><pane idealSize='100'/><text/></splitcol>"
             L"</root>");
    auto* sw = rig.Find<SSplitWnd_Col>(L"sw");
    CHECK(sw->IsClass(L"splitcol"));
    CHECK(sw->IsClass(L"splitwnd"));
    CHECK(sw->IsVertical());
    CHECK(sw->GetChildrenCount() == 2);  // only panes are read
    CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 400}});
    CHECK(sw->OnSetCursor(POINT{102, 50}));
    CHECK(GetCursor() == LoadCursorW(nullptr, IDC_SIZEWE));
    CHECK(sw->SetAttribute(SStringW(L"sepSize"), SStringW(L"-1"), FALSE) == E_FAIL);
    CHECK(sw->SetAttribute(SStringW(L"sepSkin"), SStringW(L"no.such.skin"), FALSE) == E_FAIL);
    CHECK(sw->SetAttribute(SStringW(L"sepSize"), SStringW(L"10"), FALSE) == S_OK);
    CHECK(Spans(sw) == Spans_t{{0, 100}, {110, 400}});
    CHECK(sw->SetAttribute(SStringW(L"adjustable"), SStringW(L"0"), FALSE) == S_OK);
    CHECK(sw->OnSetCursor(POINT{102, 50}));
    CHECK(GetCursor() == LoadCursorW(nullptr, IDC_ARROW));
  }
}

TEST_CASE("showing or hiding a pane lays the panes out again") {
  ElementRig rig(400, 100, true);
  SSplitWnd* sw = LoadSplit(rig, kThree);
  sw->GetPane(1)->SetVisible(FALSE);
  CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 400}});
  RECT rc = {0, 0, 250, 100};
  sw->Move(&rc);
  CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 250}});
  sw->GetPane(1)->SetVisible(TRUE);
  // The lowest priority gives the room back: no pane overlaps another.
  CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 205}, {210, 250}});
}

TEST_CASE("lengths past int: the bar size and the panes' sizes are clamped, painting ends") {
  struct Case {
    const wchar_t* attrs;
    std::vector<PaneSpec> panes;
  };
  const Case cases[] = {
      {L"sepSize='2147483647'", kThree},
      {L"sepSize='0x7fffffff'", kThree},
      {L"", {{2147483647, 2147483647, 2147483647, 1}, {100, 0, 10000, 0}}},
      {L"", {{-2147483647, -2147483647, 2147483647, 1}, {100, 0, -5, 0}}},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    ElementRig rig(400, 100, true);
    rig.AddSkins(L"<skin><cells name='bar' states='1'/></skin>");
    std::wstring attrs = std::wstring(c.attrs) + L" sepSkin='bar'";
    SSplitWnd* sw = LoadSplit(rig, c.panes, attrs.c_str());
    // The panes follow each other from the near edge, none inverted.
    int prev = 0;
    for (const std::pair<int, int>& span : Spans(sw)) {
      CHECK(span.first >= prev);
      CHECK(span.second >= span.first);
      prev = span.second;
    }
    CellSkin::log.clear();
    rig.Paint();
    for (const SkinDraw& bar : rig.Skin(L"bar")->Draws()) {
      CHECK(bar.rc.left >= 0);
      CHECK(bar.rc.right <= 400);
    }
  }
  SUBCASE("a pane inserted with a negative ideal size starts at its own place") {
    ElementRig rig(400, 100, true);
    SSplitWnd* sw = LoadSplit(rig, kThree);
    auto* pane = new SSplitPane();
    pane->SetAttribute(SStringW(L"idealSize"), SStringW(L"-50"), TRUE);
    sw->InsertChild(pane);
    REQUIRE(sw->InsertPane(pane, 1) == 1);
    CHECK(Spans(sw) == Spans_t{{0, 100}, {105, 105}, {110, 210}, {215, 400}});
  }
}
