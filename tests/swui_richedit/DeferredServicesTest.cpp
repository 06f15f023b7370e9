// A plain edit makes its text services only when it needs them (focus, hover, a message
// beyond its text and settings); until then shared text services of its configuration draw
// it, pixel for pixel as its own would.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "RichEditRig.h"

using namespace SWUI;

namespace {

// The pixels of the element's window rectangle as they are.
std::vector<DWORD> Pixels(RichEditRig& r, SWindow* wnd) {
  const RECT rc = wnd->GetWindowRect();
  std::vector<DWORD> px;
  for (LONG y = rc.top; y < rc.bottom; ++y) {
    for (LONG x = rc.left; x < rc.right; ++x) px.push_back(r.rig.Pixel(x, y));
  }
  return px;
}

// The pixels of the element's window rectangle, the whole tree painted first.
std::vector<DWORD> Picture(RichEditRig& r, SWindow* wnd) {
  r.rig.Paint();
  return Pixels(r, wnd);
}

// The tree painted again inside rc only, over opaque white, as a host repaints an area.
void PaintArea(RichEditRig& r, const RECT& rc) {
  IRenderTarget* target = r.rig.render.Target();
  IRegion* made = nullptr;
  REQUIRE(r.rig.render.Factory()->CreateRegion(&made));
  SAutoRefPtr<IRegion> area;
  area.Attach(made);
  area->CombineRect(&rc, RGN_COPY);
  target->PushClipRegion(area, RGN_COPY);
  target->ClearRect(&rc, 0xFFFFFFFF);
  r.rig.container.BuildWndTreeZorder();
  r.rig.root->RedrawRegion(target, area);
  target->PopClip();
}

int Differences(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i] ? 1 : 0;
  return n;
}

}  // namespace

TEST_CASE("an edit whose text services wait draws exactly as it does with its own") {
  struct Case {
    const char* name;
    const wchar_t* attributes;
    const wchar_t* later;  // a text set after the layout, or null
  };
  const Case cases[] = {
      {"short", L"text='hello'", nullptr},
      {"overflowing", L"text='a text far too long for the field it is shown in'", nullptr},
      {"centred", L"text='mid' align='center'", nullptr},
      {"right", L"text='end' align='right' inset='4,2,4,2'", nullptr},
      {"password", L"text='secret' password='1'", nullptr},
      {"number", L"text='12.5' number='1'", nullptr},
      {"wide characters", L"text='\x4e2d\x6587 \x00e9t\x00e9'", nullptr},
      {"wrapped", L"multiLines='1' wordWrap='1' text='words that wrap onto a second line'",
       nullptr},
      {"empty, cue", L"cueText='type here'", nullptr},
      {"set later", L"text='first'", L"second, longer than the first"},
      {"set later, overflowing", L"", L"a text far too long for the field it is shown in"},
  };
  for (const Case& c : cases) {
    CAPTURE(std::string(c.name));
    RichEditRig r(200, 100);
    const std::wstring xml = std::wstring(L"<root>") +
                             L"<edit name='twin' pos='0,60,@120,@24' text='other'/>" +
                             L"<edit name='e' pos='10,10,@120,@40' " + c.attributes + L"/>" +
                             L"</root>";
    r.Load(xml.c_str());
    SRichEdit* e = r.Edit(L"e");
    if (c.later != nullptr) e->SetWindowText(c.later);
    REQUIRE(e->GetTextServices() == nullptr);
    // The twin's different text and place go through the same shared services first.
    Picture(r, r.Edit(L"twin"));
    const std::vector<DWORD> waiting = Picture(r, e);
    const std::wstring text(e->GetWindowText());

    REQUIRE(e->EnsureTextServices());
    REQUIRE(e->GetTextServices() != nullptr);
    CHECK(std::wstring(e->GetWindowText()) == text);
    CHECK(Differences(Picture(r, e), waiting) == 0);
  }
}

TEST_CASE("an edit's text services come with the focus, hover and what needs them") {
  RichEditRig r;
  r.Load(
      L"<root>"
      L"<edit name='a' pos='0,0,200,20' text='one' maxBuf='3'/>"
      L"<edit name='b' pos='0,20,200,40'/>"
      L"<edit name='c' pos='0,40,200,60'/>"
      L"<edit name='lines' pos='0,60,200,80'/>"
      L"<edit name='notes' pos='0,80,200,100' notifyChange='1'/>"
      L"</root>");
  SRichEdit* a = r.Edit(L"a");
  SRichEdit* b = r.Edit(L"b");
  SRichEdit* c = r.Edit(L"c");
  SRichEdit* lines = r.Edit(L"lines");
  // Text, its limit and the default format are the edit's own until then.
  a->SetWindowText(L"longer");
  CHECK(a->GetWindowText() == L"longer");
  CHECK(a->GetLimitText() == 6);
  a->SetDefaultTextColor(RGB(200, 0, 0));
  CHECK(a->GetTextServices() == nullptr);
  a->SetFocus();
  REQUIRE(a->GetTextServices() != nullptr);
  CHECK(a->GetWindowText() == L"longer");
  CHARRANGE sel = RichEditRig::Selection(a);
  CHECK(sel.cpMax >= 6);  // an edit selects all it holds on taking the focus

  b->OnSetCursor(POINT{10, 30});
  CHECK(b->GetTextServices() != nullptr);
  c->SSendMessage(EM_SETSEL, 1, 2);
  CHECK(c->GetTextServices() != nullptr);
  // A line break is stored the text services' way: they take it.
  lines->SetWindowText(L"one\r\ntwo");
  CHECK(lines->GetTextServices() != nullptr);
  // An edit that tells of every change has its services from the start.
  CHECK(r.Edit(L"notes")->GetTextServices() != nullptr);
}

TEST_CASE("a waiting edit's last picture is put back only over what it was drawn on") {
  RichEditRig r(200, 100);
  r.Load(
      L"<root>"
      L"<window name='under' pos='0,0,200,60' colorBkgnd='#ff0000'>"
      L"<edit name='e' pos='10,10,@150,@30' text='over colour'/>"
      L"</window>"
      L"</root>");
  SRichEdit* e = r.Edit(L"e");
  const std::vector<DWORD> red = Picture(r, e);
  CHECK(Differences(Picture(r, e), red) == 0);  // put back
  r.rig.Find(L"under")->SetAttribute(SStringW(L"colorBkgnd"), SStringW(L"#0000ff"), TRUE);
  const std::vector<DWORD> blue = Picture(r, e);
  CHECK(Differences(blue, red) > 0);
  REQUIRE(e->GetTextServices() == nullptr);
  REQUIRE(e->EnsureTextServices());
  CHECK(Differences(Picture(r, e), blue) == 0);
}

TEST_CASE("a waiting edit's picture serves a repaint of part of it and follows its text") {
  RichEditRig r(200, 100);
  r.Load(L"<root><edit name='e' pos='10,10,@150,@30' text='first words'/></root>");
  SRichEdit* e = r.Edit(L"e");
  // Drawn under a clip that shows only part of it first: nothing to keep from that.
  PaintArea(r, RECT{0, 0, 40, 100});
  const std::vector<DWORD> first = Picture(r, e);
  for (const RECT& part : {RECT{30, 12, 70, 30}, RECT{0, 0, 200, 100}, RECT{150, 20, 200, 60}}) {
    PaintArea(r, part);
    CHECK(Differences(Pixels(r, e), first) == 0);
  }
  e->SetWindowText(L"other words");
  const std::vector<DWORD> second = Picture(r, e);
  CHECK(Differences(second, first) > 0);
  PaintArea(r, RECT{30, 12, 70, 30});
  CHECK(Differences(Pixels(r, e), second) == 0);
  REQUIRE(e->GetTextServices() == nullptr);
  REQUIRE(e->EnsureTextServices());
  CHECK(Differences(Picture(r, e), second) == 0);
}
