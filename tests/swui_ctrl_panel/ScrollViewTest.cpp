// The scroll view: which bars a view needs, the origin moving the children, its events, the
// automatic view size and the wheel.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "PanelRig.h"
#include "control/SScrollView.h"
#include "control/EventScroll.h"
#include "core/EventScrollViewOriginChanged.h"
#include "core/EventScrollViewSizeChanged.h"

using namespace SWUI;

namespace {

// A scroll view of 100 x 100 with bars 10 thick, holding one 50 x 20 child at the view's top.
SScrollView* LoadView(PanelRig& rig, const wchar_t* viewSize, const wchar_t* child = nullptr) {
  rig.AddSkins(L"<skin><cellsb name='rec' ideal='10'/></skin>");
  std::wstring xml = L"<root><probe name='par' pos='0,0,-0,-0'><scrollview name='sv' "
                     L"pos='0,0,@100,@100' sbSkin='rec' viewSize='";
  xml += viewSize;
  xml += L"'>";
  xml += child != nullptr ? child : L"<window name='c' pos='0,0,@50,@20'/>";
  xml += L"</scrollview></probe></root>";
  rig.Load(xml.c_str());
  auto* view = dynamic_cast<SScrollView*>(rig.Find(L"sv"));
  REQUIRE(view != nullptr);
  return view;
}

// Events the view raised, by id, in order.
std::vector<DWORD>& Record(SWindow* wnd, std::vector<DWORD>& out) {
  for (DWORD id : {10002u, 10003u, 10004u}) {
    wnd->SubscribeEvent(id, FnSlot([&out](EventArgs* e) {
                          out.push_back(static_cast<DWORD>(e->GetID()));
                          return false;
                        }));
  }
  return out;
}

}  // namespace

TEST_CASE("the bars a view needs, their ranges and pages") {
  struct Case {
    SIZE view;
    int bars;
    UINT vPage;
    int vMax;
    UINT hPage;
    int hMax;
  } cases[] = {
      {{90, 90}, SSB_NULL, 100, 99, 100, 99},
      {{100, 100}, SSB_NULL, 100, 99, 100, 99},
      {{90, 300}, SSB_VERT, 100, 299, 100, 99},
      {{300, 90}, SSB_HORZ, 100, 99, 100, 299},
      {{300, 95}, SSB_BOTH, 90, 94, 90, 299},
      {{300, 300}, SSB_BOTH, 90, 299, 90, 299},
  };
  for (const Case& c : cases) {
    CAPTURE(c.view.cx);
    CAPTURE(c.view.cy);
    PanelRig rig;
    SScrollView* sv = LoadView(rig, L"10,10");
    sv->SetViewSize(c.view);
    CHECK(sv->HasScrollBar(TRUE) == ((c.bars & SSB_VERT) != 0));
    CHECK(sv->HasScrollBar(FALSE) == ((c.bars & SSB_HORZ) != 0));
    CHECK(sv->GetScrollInfo(TRUE).nPage == c.vPage);
    CHECK(sv->GetScrollInfo(TRUE).nMax == c.vMax);
    CHECK(sv->GetScrollInfo(FALSE).nPage == c.hPage);
    CHECK(sv->GetScrollInfo(FALSE).nMax == c.hMax);
    CHECK(sv->GetViewOrigin().x == 0);
    CHECK(sv->GetViewOrigin().y == 0);
  }
}

TEST_CASE("scrolling moves the children and fires the view's events") {
  PanelRig rig;
  SScrollView* sv = LoadView(rig, L"90,300");
  SWindow* c = rig.Find(L"c");
  CHECK(sv->IsClass(L"scrollview"));
  CHECK(sv->IsClass(L"div"));
  CHECK(sv->GetWindowRect().right == 100);
  CHECK(c->GetWindowRect().top == 0);

  std::vector<DWORD> events;
  Record(sv, events);
  POINT oldOrigin = {-1, -1};
  POINT newOrigin = {-1, -1};
  sv->SubscribeEvent(10002, FnSlot([&](EventArgs* e) {
                       auto* evt = static_cast<EventScrollViewOriginChanged*>(e);
                       oldOrigin = evt->ptOldOrigin;
                       newOrigin = evt->ptNewOrigin;
                       return false;
                     }));
  int code = -1;
  int pos = -1;
  BOOL vertical = FALSE;
  sv->SubscribeEvent(10004, FnSlot([&](EventArgs* e) {
                       auto* evt = static_cast<EventScroll*>(e);
                       code = evt->nSbCode;
                       pos = evt->nPos;
                       vertical = evt->bVertical;
                       return false;
                     }));

  CHECK(sv->OnScroll(TRUE, SB_THUMBPOSITION, 50));
  CHECK(sv->GetViewOrigin().y == 50);
  CHECK(c->GetWindowRect().top == -50);
  CHECK(events == std::vector<DWORD>{10002, 10004});
  CHECK(oldOrigin.y == 0);
  CHECK(newOrigin.y == 50);
  CHECK(code == SB_THUMBPOSITION);
  CHECK(pos == 50);
  CHECK(vertical);

  events.clear();
  CHECK_FALSE(sv->OnScroll(TRUE, SB_THUMBPOSITION, 50));
  CHECK(events.empty());

  sv->SetViewOrigin(POINT{0, 120});
  CHECK(sv->GetScrollPos(TRUE) == 120);
  CHECK(c->GetWindowRect().top == -120);
  CHECK(events == std::vector<DWORD>{10002});

  events.clear();
  sv->SetViewSize(SIZE{90, 400});
  CHECK(events == std::vector<DWORD>{10003});
  sv->SetViewSize(SIZE{90, 400});
  CHECK(events.size() == 1u);
}

TEST_CASE("a view scrolled to its end stays there when the bars are updated") {
  PanelRig rig;
  SScrollView* sv = LoadView(rig, L"90,300");
  CHECK(sv->OnScroll(TRUE, SB_BOTTOM, 0));
  CHECK(sv->GetScrollPos(TRUE) == 200);
  sv->SetViewSize(SIZE{80, 300});  // the bars are worked out again
  CHECK(sv->GetScrollPos(TRUE) == 200);
  CHECK(sv->GetViewOrigin().y == 200);
  sv->SetViewSize(SIZE{80, 250});  // a shorter view pulls the origin back to its new end
  CHECK(sv->GetScrollPos(TRUE) == 150);
  CHECK(sv->GetViewOrigin().y == 150);
  sv->SetViewSize(SIZE{80, 50});  // the view fits: no bar, origin 0
  CHECK_FALSE(sv->HasScrollBar(TRUE));
  CHECK(sv->GetViewOrigin().y == 0);
}

TEST_CASE("an automatic view size follows the children on every resize") {
  PanelRig rig;
  SScrollView* sv =
      LoadView(rig, L"-1,-1", L"<window name='c' pos='0,0,@50,@300'/><window pos='0,0,@80,@10'/>");
  CHECK(sv->IsAutoViewSize());
  CHECK(sv->GetViewSize().cx == 80);
  CHECK(sv->GetViewSize().cy == 300);
  CHECK(sv->HasScrollBar(TRUE));
  CHECK_FALSE(sv->HasScrollBar(FALSE));

  rig.Find(L"c")->SetAttribute(SStringW(L"pos"), SStringW(L"0,0,@50,@60"), FALSE);
  rig.root->UpdateLayout();
  CHECK(sv->GetViewSize().cy == 60);
  CHECK_FALSE(sv->HasScrollBar(TRUE));

  sv->Move(0, 0, 40, 100);
  CHECK(sv->HasScrollBar(FALSE));

  CHECK(sv->SetAttribute(SStringW(L"viewSize"), SStringW(L"200,200"), FALSE) == S_FALSE);
  CHECK_FALSE(sv->IsAutoViewSize());
  CHECK(sv->GetViewSize().cx == 200);
  CHECK(sv->SetAttribute(SStringW(L"viewSize"), SStringW(L"200"), FALSE) == E_FAIL);
  CHECK(sv->GetViewSize().cx == 200);
}

TEST_CASE("a least view size: the view fills the client and scrolls only below that size") {
  // The client is 100 x 100 with bars 10 thick; a child at 50 % of the view shows the
  // stretch.
  struct Case {
    const wchar_t* least;
    SIZE view;
    int bars;
  } cases[] = {
      {L"60,60", {100, 100}, SSB_NULL},  {L"100,100", {100, 100}, SSB_NULL},
      {L"60,300", {90, 300}, SSB_VERT},  {L"300,60", {300, 90}, SSB_HORZ},
      {L"300,95", {300, 95}, SSB_BOTH},  {L"95,101", {95, 101}, SSB_BOTH},
      {L"300,300", {300, 300}, SSB_BOTH},
  };
  for (const Case& c : cases) {
    CAPTURE(c.view.cx);
    CAPTURE(c.view.cy);
    PanelRig rig;
    std::wstring child = L"<window name='c' pos='%50,%50,@10,@10'/>";
    SScrollView* sv = LoadView(rig, L"-1,-1", child.c_str());
    CHECK(sv->SetAttribute(SStringW(L"leastViewSize"), SStringW(c.least), FALSE) == S_FALSE);
    rig.root->UpdateLayout();
    CHECK(sv->GetViewSize().cx == c.view.cx);
    CHECK(sv->GetViewSize().cy == c.view.cy);
    CHECK(sv->HasScrollBar(TRUE) == ((c.bars & SSB_VERT) != 0));
    CHECK(sv->HasScrollBar(FALSE) == ((c.bars & SSB_HORZ) != 0));
    const RECT rc = rig.Find(L"c")->GetWindowRect();
    CHECK(rc.left == c.view.cx / 2);
    CHECK(rc.top == c.view.cy / 2);
  }
  PanelRig rig;
  SScrollView* sv = LoadView(rig, L"-1,-1");
  CHECK(sv->SetAttribute(SStringW(L"leastViewSize"), SStringW(L"60,300"), FALSE) == S_FALSE);
  sv->Move(0, 0, 200, 400);  // grown: no bar, the view follows the client
  CHECK(sv->GetViewSize().cx == 200);
  CHECK(sv->GetViewSize().cy == 400);
  CHECK_FALSE(sv->HasScrollBar(TRUE));
  CHECK(sv->SetAttribute(SStringW(L"leastViewSize"), SStringW(L"60"), FALSE) == E_FAIL);
  CHECK(sv->SetAttribute(SStringW(L"leastViewSize"), SStringW(L"0,0"), FALSE) == S_FALSE);
  CHECK(sv->GetViewSize().cx == 50);  // measured from the children again
}

TEST_CASE("the wheel: line steps of 120, the remainder kept, the rest to the parent") {
  PanelRig rig;
  SScrollView* sv = LoadView(rig, L"90,300");
  ProbeWnd* par = rig.Probe(L"par");
  auto wheel = [&](short delta) {
    sv->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), At(50, 50));
  };

  wheel(-120);
  CHECK(sv->GetScrollPos(TRUE) == 10);
  wheel(60);
  CHECK(sv->GetScrollPos(TRUE) == 10);
  wheel(60);
  CHECK(sv->GetScrollPos(TRUE) == 0);
  CHECK(par->Count(WM_MOUSEWHEEL) == 0u);

  wheel(-360);
  CHECK(sv->GetScrollPos(TRUE) == 30);

  sv->OnScroll(TRUE, SB_BOTTOM, 0);
  rig.probeLog.clear();
  wheel(-240);
  CHECK(sv->GetScrollPos(TRUE) == 200);
  REQUIRE(par->Count(WM_MOUSEWHEEL) == 1u);
  CHECK(static_cast<short>(HIWORD(rig.probeLog.back().wParam)) == -240);

  // One step moves (to the end), the other goes on.
  sv->OnScroll(TRUE, SB_THUMBPOSITION, 195);
  rig.probeLog.clear();
  wheel(-240);
  CHECK(sv->GetScrollPos(TRUE) == 200);
  REQUIRE(par->Count(WM_MOUSEWHEEL) == 1u);
  CHECK(static_cast<short>(HIWORD(rig.probeLog.back().wParam)) == -120);
}
