// Static text: one line, or lines broken at line feeds, at a written backslash-n and at the
// rectangle's width; measuring; placing the block of lines vertically.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "CtrlRig.h"

using namespace SWUI;

namespace {

// Static text that logs the stretches it draws.
class LineLog : public SStatic {
 public:
  struct Line {
    std::wstring text;
    RECT rc;
  };
  std::vector<Line> lines;

 protected:
  void DrawLine(IRenderTarget*, LPCWSTR pszBuf, int iBegin, int cchText, LPRECT pRect,
                UINT) override {
    const std::wstring line =
        cchText < 0 ? std::wstring(pszBuf + iBegin) : std::wstring(pszBuf + iBegin, cchText);
    lines.push_back(Line{line, *pRect});
  }
};

SIZE Measure(IRenderTarget* rt, const wchar_t* text) {
  SIZE size = {0, 0};
  rt->MeasureText(text, -1, &size);
  return size;
}

}  // namespace

TEST_CASE(
    "multi-line text breaks at LF, at backslash-n and where the next character passes the edge") {
  CtrlRig rig;
  IRenderTarget* rt = rig.render.Target();
  const int lineH = Measure(rt, L"A").cy;
  const int ww = Measure(rt, L"WW").cx;
  struct Case {
    const wchar_t* text;
    int multi;
    int width;
    std::vector<std::wstring> lines;
  } cases[] = {
      {L"one\\ntwo", 1, 500, {L"one", L"two"}},
      {L"one\ntwo", 1, 500, {L"one", L"two"}},
      {L"one\\ntwo", 0, 500, {L"one\\ntwo"}},
      {L"WWWWW", 1, ww, {L"WW", L"WW", L"W"}},
      {L"WW", 1, 1, {L"W", L"W"}},  // a line always takes one character
      {L"a\\", 1, 500, {L"a\\"}},   // a lone backslash at the end stays
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.text));
    LineLog text;
    text.SetAttribute(SStringW(L"multiLines"), SStringW(c.multi ? L"1" : L"0"), TRUE);
    RECT rc = {10, 20, 10 + c.width, 400};
    text.DrawText(rt, c.text, -1, &rc, DT_LEFT);
    REQUIRE(text.lines.size() == c.lines.size());
    for (size_t i = 0; i < c.lines.size(); ++i) {
      CHECK(text.lines[i].text == c.lines[i]);
      if (!c.multi) continue;
      const int top = 20 + static_cast<int>(i) * (lineH + 5);
      CHECK(text.lines[i].rc.top == top);
      CHECK(text.lines[i].rc.bottom == top + lineH);
      CHECK(text.lines[i].rc.left == 10);
    }
  }
}

TEST_CASE("measuring multi-line text: the widest line's end and the last line's bottom") {
  CtrlRig rig;
  IRenderTarget* rt = rig.render.Target();
  LineLog text;
  text.SetAttribute(SStringW(L"multiLines"), SStringW(L"1"), TRUE);
  RECT rc = {10, 20, 300, 300};
  text.DrawText(rt, L"one\\ntwo", -1, &rc, DT_LEFT | DT_CALCRECT);
  CHECK(text.lines.empty());  // nothing drawn
  const int lineH = Measure(rt, L"A").cy;
  CHECK(rc.bottom == 20 + 2 * lineH + 5);
  const int widest = std::max(Measure(rt, L"one").cx, Measure(rt, L"two").cx);
  CHECK(rc.right == 10 + widest);

  text.SetAttribute(SStringW(L"interHeight"), SStringW(L"0"), TRUE);
  rc = RECT{0, 0, 300, 300};
  text.DrawText(rt, L"a\nb\nc", -1, &rc, DT_CALCRECT);
  CHECK(rc.bottom == 3 * lineH);
}

TEST_CASE(
    "a vertically centred or bottom-aligned block of lines lands in the middle or at the bottom") {
  CtrlRig rig;
  IRenderTarget* rt = rig.render.Target();
  const int lineH = Measure(rt, L"A").cy;
  const int block = 2 * lineH + 5;
  for (UINT format : {UINT(DT_VCENTER), UINT(DT_BOTTOM), UINT(DT_TOP)}) {
    CAPTURE(format);
    LineLog text;
    text.SetAttribute(SStringW(L"multiLines"), SStringW(L"1"), TRUE);
    RECT rc = {0, 100, 300, 300};
    text.DrawText(rt, L"one\ntwo", -1, &rc, format);
    REQUIRE(text.lines.size() == 2u);
    const int expected = format == DT_VCENTER  ? 100 + (200 - block) / 2
                         : format == DT_BOTTOM ? 300 - block
                                               : 100;
    CHECK(text.lines[0].rc.top == expected);
    CHECK(text.lines[1].rc.bottom == expected + block);
  }
}

TEST_CASE("static text lets the mouse through to what lies below") {
  CtrlRig rig;
  rig.Load(
      L"<root><window name='under' pos='0,0,100,100'><text pos='0,0,100,100'>hi</text>"
      L"</window></root>");
  CHECK(rig.root->SwndFromPoint(POINT{50, 50}, FALSE) == rig.Find(L"under")->GetSwnd());
}
