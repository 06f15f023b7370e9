// The step edit: the wheel, Up, Down and Return become step requests and never change the
// text; a double click selects all of it; the focus skin lies beneath the text.
#include <doctest/doctest.h>

#include <vector>

#include "HostHarness.h"
#include "controls/EventEditValueChanging.h"
#include "controls/SEdit2.h"

using namespace SWUI;

namespace {

const wchar_t kLayout[] =
    L"<SWUI width='200' height='80'>"
    L"<skin><colorrect name='fs' normal='#ff0000'/></skin>"
    L"<root colorBkgnd='#ffffff'>"
    L"<edit2 name='e' pos='10,10,@100,@24' text='42' focusSkin='fs' transparent='1'/>"
    L"<edit2 name='w' pos='10,40,@100,@30' text='7' multiLines='1' wantReturn='1'/>"
    L"</root></SWUI>";

// Records the steps every EventEditValueChanging reaching the host carries.
struct StepLog {
  explicit StepLog(HostHarness& h) {
    h.host->onEvent = [this](EventArgs* evt) {
      if (evt->GetID() == EventEditValueChanging::EventID)
        steps.push_back(static_cast<EventEditValueChanging*>(evt)->step);
      return FALSE;
    };
  }
  std::vector<int> steps;
};

}  // namespace

TEST_CASE("the step edit turns the wheel and Up, Down, Return into steps, text untouched") {
  HostHarness h(true);
  h.app.TplRegisterFactory<SEdit2>();
  h.Open(kLayout);
  SEdit2* e = h.Find<SEdit2>(L"e");
  StepLog log(h);
  e->SetFocus();
  REQUIRE(e->IsFocused());

  SUBCASE("wheel: up +1, down and a delta of 0 -1") {
    const struct {
      int delta;
      int step;
    } cases[] = {{120, 1}, {-120, -1}, {0, -1}, {1, 1}};
    for (const auto& c : cases) {
      CAPTURE(c.delta);
      log.steps.clear();
      e->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), 0);
      CHECK(log.steps == std::vector<int>{c.step});
    }
  }
  SUBCASE("keys: Up +1, Down -1, Return 0, others nothing") {
    for (UINT vk : {VK_UP, VK_DOWN, VK_RETURN, VK_LEFT, VK_HOME}) h.Key(vk);
    CHECK(log.steps == std::vector<int>{1, -1, 0});
  }
  SUBCASE("Return in an edit that wants it is the edit's own") {
    SEdit2* w = h.Find<SEdit2>(L"w");
    w->SetFocus();
    w->SetSel(MAKELONG(1, 1));
    h.Key(VK_RETURN);
    h.Key(VK_UP);
    CHECK(log.steps == std::vector<int>{1});
    CHECK(w->SSendMessage(EM_GETLINECOUNT) == 2);
  }
  CHECK(e->GetWindowText() == L"42");
}

TEST_CASE("a double click selects all of the step edit's text") {
  HostHarness h(true);
  h.app.TplRegisterFactory<SEdit2>();
  h.Open(kLayout);
  SEdit2* e = h.Find<SEdit2>(L"e");
  e->SetWindowText(L"hello world");
  e->SetFocus();
  e->SetSel(MAKELONG(2, 2));
  e->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 12));
  CHARRANGE sel = {0, 0};
  e->SSendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
  CHECK(sel.cpMin == 0);
  CHECK(sel.cpMax >= 11);
}

TEST_CASE("the focus skin lies beneath the text while the step edit has the focus") {
  HostHarness h(true);
  h.app.TplRegisterFactory<SEdit2>();
  h.Open(kLayout);
  SEdit2* e = h.Find<SEdit2>(L"e");
  const RECT rc = e->GetClientRect();
  const int red = h.CountRgb(rc, 0xFF0000);
  CHECK(red == 0);

  e->SetFocus();
  h.Paint();
  h.SavePng(L"edit2_focused", 2);
  const int area = (rc.right - rc.left) * (rc.bottom - rc.top);
  // The text and the caret stand on the skin; the rest of the client rectangle is the skin.
  CHECK(h.CountRgb(rc, 0xFF0000) > area * 3 / 4);
  CHECK(h.CountRgb(rc, 0xFF0000) < area);
  CHECK(h.Rgb(rc.right - 2, rc.bottom - 2) == 0xFF0000);

  e->KillFocus();
  h.Paint();
  CHECK(h.CountRgb(rc, 0xFF0000) == 0);
}

TEST_CASE("the step edit refuses an unknown focus skin and keeps its own") {
  HostHarness h(true);
  h.app.TplRegisterFactory<SEdit2>();
  h.Open(kLayout);
  SEdit2* e = h.Find<SEdit2>(L"e");
  ISkinObj* before = e->GetFocusSkin();
  REQUIRE(before != nullptr);
  CHECK(e->SetAttribute(SStringW(L"focusSkin"), SStringW(L"no_such_skin"), FALSE) == E_FAIL);
  CHECK(e->GetFocusSkin() == before);
  CHECK(SEdit2::ClassName() == SStringW(L"edit2"));
  CHECK(e->IsClass(L"edit"));
}
