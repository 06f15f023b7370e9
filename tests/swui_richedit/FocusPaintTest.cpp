// The rich edit and the edit on screen: focus by click and what it selects, the caret through
// the container, the cue text, the alpha channel around the text services' drawing, the
// wheel and the text services' notifications.
#include <doctest/doctest.h>

#include <cstdlib>
#include <vector>

#include "RichEditRig.h"
#include "core/EventRENotify.h"

using namespace SWUI;

namespace {

bool IsCue(DWORD px) { return (px & 0xFFFFFF) == 0xCCCCCC; }
bool IsNotOpaque(DWORD px) { return (px >> 24) != 0xFF; }

}  // namespace

TEST_CASE("a click focuses; an edit then selects all, a rich edit keeps the click's caret") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='e' pos='0,0,200,30' text='hello world'/>"
      L"<richedit name='re' pos='0,30,200,60' text='hello world'/>"
      L"</root>");
  SRichEdit* e = r.Edit(L"e");
  SRichEdit* re = r.Edit(L"re");

  e->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 15));
  CHECK(e->IsFocused());
  CHECK(r.container.capture == e->GetSwnd());
  e->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 15));
  CHECK(r.container.capture == 0u);
  CHARRANGE sel = RichEditRig::Selection(e);
  CHECK(sel.cpMin == 0);
  CHECK(sel.cpMax >= 11);  // the text services may count the closing paragraph mark

  // The caret is the container's, owned by the focused edit.
  CHECK(r.container.caretOwner == e->GetSwnd());

  RichEditRig::Click(re, 60, 45);
  CHECK(re->IsFocused());
  CHECK_FALSE(e->IsFocused());
  CHECK(r.container.caretOwner == re->GetSwnd());
  sel = RichEditRig::Selection(re);
  CHECK(sel.cpMin == sel.cpMax);

  // A click into a focused edit is the text services' own: the selection collapses.
  RichEditRig::Click(e, 60, 15);
  RichEditRig::Click(e, 60, 15);
  sel = RichEditRig::Selection(e);
  CHECK(sel.cpMin == sel.cpMax);
  CHECK(sel.cpMin > 0);

  // Losing the focus hides the caret.
  CHECK(r.container.caretVisible);
  e->KillFocus();
  CHECK_FALSE(r.container.caretVisible);
}

TEST_CASE("focus selects all of a text longer than 65535 characters") {
  RichEditRig r;
  r.Load(L"<root><edit name='e' pos='0,0,200,30'/></root>");
  SRichEdit* e = r.Edit(L"e");
  const std::wstring text(70000, L'x');
  e->SetWindowText(text.c_str());
  REQUIRE(e->GetWindowTextLength() == 70000);
  e->SetFocus();
  const CHARRANGE sel = RichEditRig::Selection(e);
  CHECK(sel.cpMin == 0);
  CHECK(sel.cpMax >= 70000);
}

TEST_CASE("the cue text shows in cueColor only while the edit is empty and unfocused") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='e' pos='0,0,200,30' cueText='type here'/>"
      L"<edit name='other' pos='0,30,200,60'/>"
      L"</root>");
  SRichEdit* e = r.Edit(L"e");
  CHECK(r.CountInClient(e, IsCue) > 0);
  r.rig.render.SavePng(L"edit_cue", 2);

  e->SetWindowText(L"x");
  CHECK(r.CountInClient(e, IsCue) == 0);
  e->SetWindowText(L"");
  CHECK(r.CountInClient(e, IsCue) > 0);

  e->SetFocus();
  CHECK(r.CountInClient(e, IsCue) == 0);
  r.Edit(L"other")->SetFocus();
  CHECK(r.CountInClient(e, IsCue) > 0);

  // An empty colour is refused and keeps the colour; a named string is the cue's text.
  CHECK(e->SetAttribute(SStringW(L"cueColor"), SStringW(L""), FALSE) == E_FAIL);
  CHECK(static_cast<SEdit*>(e)->GetCueColor() == 0xFFCCCCCCu);
  CHECK(e->SetAttribute(SStringW(L"cueColor"), SStringW(L"#ff0000"), FALSE) == S_OK);
  CHECK(static_cast<SEdit*>(e)->GetCueColor() == 0xFF0000FFu);
  CHECK(r.CountInClient(e, IsCue) == 0);
  CHECK(r.CountInClient(e, [](DWORD px) { return (px & 0xFFFFFF) == 0xFF0000; }) > 0);
}

TEST_CASE("the text services' drawing keeps the surface's alpha") {
  RichEditRig r;
  r.Load(L"<root><richedit name='e' pos='0,0,200,40' text='Alpha stays opaque'/></root>");
  SRichEdit* e = r.Edit(L"e");
  CHECK(r.CountInClient(e, IsInk) > 20);
  CHECK(r.CountInClient(e, IsNotOpaque) == 0);
  r.rig.render.SavePng(L"richedit_text", 2);

  // Over a translucent surface, or one only partly opaque, every pixel keeps its alpha.
  IRenderTarget* rt = r.rig.render.Target();
  const RECT client = e->GetClientRect();
  const RECT half = {client.left, client.top, client.left + 60, client.bottom};
  for (bool partly : {false, true}) {
    CAPTURE(partly);
    rt->ClearRect(&client, 0x80FFFFFF);
    if (partly) rt->ClearRect(&half, 0xFFFFFFFF);
    r.rig.root->RedrawRegion(rt, nullptr);
    int ink = 0;
    int wrongAlpha = 0;
    for (LONG y = client.top; y < client.bottom; ++y) {
      for (LONG x = client.left; x < client.right; ++x) {
        const DWORD px = r.rig.Pixel(x, y);
        const DWORD alpha = partly && x < half.right ? 0xFFu : 0x80u;
        if ((px >> 24) != alpha) ++wrongAlpha;
        if ((px & 0xFFFFFF) != 0xFFFFFFu) ++ink;
      }
    }
    CHECK(wrongAlpha == 0);
    CHECK(ink > 20);
  }
}

TEST_CASE("the wheel scrolls a multi-line edit and leaves what it cannot scroll to the parent") {
  RichEditRig r;
  r.Load(
      L"<root><probe name='p' pos='0,0,200,100'>"
      L"<edit name='m' pos='0,0,200,40' multiLines='1' autoVscroll='1'/>"
      L"<edit name='one' pos='0,50,200,70'/>"
      L"</probe></root>");
  SRichEdit* m = r.Edit(L"m");
  ProbeWnd* p = r.rig.Probe(L"p");
  m->SetWindowText(L"1\r2\r3\r4\r5\r6\r7\r8\r9\r10");
  REQUIRE(m->SSendMessage(EM_GETLINECOUNT) == 10);
  CHECK(m->SSendMessage(EM_GETFIRSTVISIBLELINE) == 0);

  m->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                  MAKELPARAM(10, 10));
  const LRESULT down = m->SSendMessage(EM_GETFIRSTVISIBLELINE);
  CHECK(down > 0);
  CHECK(p->Count(WM_MOUSEWHEEL) == 0);
  // Half a notch waits for the other half.
  m->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), MAKELPARAM(10, 10));
  CHECK(m->SSendMessage(EM_GETFIRSTVISIBLELINE) == down);
  m->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 60), MAKELPARAM(10, 10));
  CHECK(m->SSendMessage(EM_GETFIRSTVISIBLELINE) < down);
  // At the top, up goes on to the parent.
  m->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 10 * WHEEL_DELTA), MAKELPARAM(10, 10));
  CHECK(m->SSendMessage(EM_GETFIRSTVISIBLELINE) == 0);
  CHECK(p->Count(WM_MOUSEWHEEL) == 1);

  // A single-line edit passes the wheel on at once.
  r.Edit(L"one")->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(10, 60));
  CHECK(p->Count(WM_MOUSEWHEEL) == 2);
}

TEST_CASE("the panel's vertical bar shows and follows the text services") {
  RichEditRig r;
  r.Load(
      L"<root><edit name='m' pos='0,0,200,60' multiLines='1' autoVscroll='1' "
      L"vscrollBar='1'/></root>");
  SRichEdit* m = r.Edit(L"m");
  CHECK(m->IsClass(L"div"));
  std::wstring lines;
  for (int i = 1; i <= 30; ++i) lines += std::to_wstring(i) + L"\r";
  m->SetWindowText(lines.c_str());
  CHECK(m->HasScrollBar(TRUE));
  CHECK(m->GetClientRect().right < m->GetWindowRect().right);
  int min = 0, max = 0;
  m->GetScrollRange(TRUE, &min, &max);
  CHECK(max > 60);
  CHECK(m->GetScrollPos(TRUE) == 0);

  m->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)),
                  MAKELPARAM(10, 10));
  const int pos = m->GetScrollPos(TRUE);
  CHECK(pos > 0);
  CHECK(m->SSendMessage(EM_GETFIRSTVISIBLELINE) > 0);
  // A step of the bar itself scrolls the text services back to the top.
  m->SSendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0));
  CHECK(m->GetScrollPos(TRUE) == 0);
  CHECK(m->SSendMessage(EM_GETFIRSTVISIBLELINE) == 0);
  r.rig.Paint();
  r.rig.render.SavePng(L"richedit_scrollbar", 2);
}

TEST_CASE(
    "notifications of the text services arrive as EventRENotify; EN_CHANGE only with "
    "notifyChange") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='n' pos='0,0,200,30' notifyChange='1'/>"
      L"<edit name='q' pos='0,30,200,60'/>"
      L"</root>");
  std::vector<DWORD> codes;
  auto record = [&codes](EventArgs* e) {
    codes.push_back(static_cast<EventRENotify*>(e)->iNotify);
    return false;
  };
  SRichEdit* n = r.Edit(L"n");
  SRichEdit* q = r.Edit(L"q");
  n->SubscribeEvent(EventRENotify::EventID, FnSlot(record));
  q->SubscribeEvent(EventRENotify::EventID, FnSlot(record));

  RichEditRig::Type(n, L"a");
  CHECK(std::count(codes.begin(), codes.end(), static_cast<DWORD>(EN_CHANGE)) == 1);
  codes.clear();
  RichEditRig::Type(q, L"a");
  CHECK(std::count(codes.begin(), codes.end(), static_cast<DWORD>(EN_CHANGE)) == 0);

  // Switched on and off after loading.
  CHECK(q->SetAttribute(SStringW(L"notifyChange"), SStringW(L"1"), FALSE) == S_FALSE);
  RichEditRig::Type(q, L"b");
  CHECK(std::count(codes.begin(), codes.end(), static_cast<DWORD>(EN_CHANGE)) == 1);
  q->SetAttribute(SStringW(L"notifyChange"), SStringW(L"0"), FALSE);
  RichEditRig::Type(q, L"c");
  CHECK(std::count(codes.begin(), codes.end(), static_cast<DWORD>(EN_CHANGE)) == 1);
  CHECK(q->GetWindowText() == L"abc");
}

TEST_CASE("WM_SETFONT makes the default character format from the font") {
  RichEditRig r(200, 100);
  r.Load(L"<root><edit name='e' pos='0,0,200,100' multiLines='1' text='Big'/></root>");
  SRichEdit* e = r.Edit(L"e");
  const auto small = r.RowsWith(e, IsInk);
  HFONT big = CreateFontW(-40, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                          L"Tahoma");
  e->SSendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
  const CHARFORMAT2W& cf = e->GetDefaultCharFormat();
  CHECK(std::wstring(cf.szFaceName) == L"Tahoma");
  CHECK((cf.dwEffects & CFE_BOLD) != 0u);
  const auto large = r.RowsWith(e, IsInk);
  CHECK(large.second - large.first > 2 * (small.second - small.first));
  DeleteObject(big);
}

TEST_CASE("a vcenter edit's text sits where its cue text sits, past the inset") {
  RichEditRig r(200, 100);
  r.Load(
      L"<root>"
      L"<edit name='text' pos='0,0,200,40' vcenter='1' inset='6,0,6,0' colorText='#000000'"
      L" colorBkgnd='#ffffff'>Hxg</edit>"
      L"<edit name='cue' pos='0,50,200,90' vcenter='1' inset='6,0,6,0' colorBkgnd='#ffffff'"
      L" cueText='Hxg' cueColor='#000000'/>"
      L"</root>");
  auto dark = [](DWORD px) { return (px & 0xFFFFFF) < 0x808080; };
  r.Edit(L"text")->SetFocus();
  r.Edit(L"text")->SSendMessage(EM_SETSEL, 3, 3);
  const std::pair<int, int> text = r.RowsWith(r.Edit(L"text"), dark);
  std::pair<int, int> cue = r.RowsWith(r.Edit(L"cue"), dark);
  r.rig.render.SavePng(L"edit_vcenter", 2);
  REQUIRE(text.first >= 0);
  REQUIRE(cue.first >= 0);
  cue.first -= 50;
  cue.second -= 50;
  CAPTURE(text.first);
  CAPTURE(text.second);
  CAPTURE(cue.first);
  CAPTURE(cue.second);
  CHECK(std::abs(text.first - cue.first) <= 1);
  CHECK(std::abs(text.second - cue.second) <= 1);
  // Both start past the left inset.
  int left = -1;
  for (int x = 0; x < 200 && left < 0; ++x) {
    for (int y = 0; y < 40; ++y) {
      if (dark(r.rig.Pixel(x, y))) {
        left = x;
        break;
      }
    }
  }
  CHECK(left >= 6);
  CHECK(left <= 8);
}
