// The element style: defaults, the draw-text format, state fallbacks, margin and padding at a
// scale, and the attribute results.
#include <doctest/doctest.h>

#include "ElementRig.h"
#include "core/SwndStyle.h"

using namespace SWUI;

namespace {

HRESULT Set(SwndStyle& style, const wchar_t* name, const wchar_t* value, BOOL loading = FALSE) {
  return style.SetAttribute(SStringW(name), SStringW(value), loading);
}

RECT Margin(const SwndStyle& style) {
  RECT rc;
  style.GetMargin(&rc);
  return rc;
}

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

}  // namespace

TEST_CASE("a new style: centred on one line, blended background, nothing else set") {
  SwndStyle style;
  CHECK(style.GetTextAlign() == (DT_CENTER | DT_VCENTER | DT_SINGLELINE));
  CHECK(style.IsBkgndBlend());
  CHECK_FALSE(style.IsDotted());
  CHECK_FALSE(style.IsTrackMouseEvent());
  CHECK(style.GetBkgndColor() == CR_INVALID);
  CHECK(style.GetBorderColor() == CR_INVALID);
  CHECK(style.GetTextColor(SwndStyle::kStateHover) == CR_INVALID);
  CHECK(style.GetAlpha() == 255);
  CHECK(style.GetSepSpace() == 5);
  CHECK(style.GetCursor() == L"arrow");
  CHECK(style.GetStates() == 1);
  CHECK(style.GetScale() == 100);
  CHECK(Margin(style) == RECT{0, 0, 0, 0});
  CHECK(std::wstring(style.GetObjectClass()) == L"style");
  CHECK(style.GetObjectType() == -1);
}

TEST_CASE("GetTextAlign: alignment words, the end ellipsis, and textMode over everything") {
  struct Case {
    const wchar_t* align;
    const wchar_t* valign;
    const wchar_t* dotted;
    UINT expected;
  } cases[] = {
      {L"left", L"top", L"0", 0},
      {L"right", L"top", L"0", DT_RIGHT},
      {L"center", L"bottom", L"0", DT_CENTER | DT_BOTTOM | DT_SINGLELINE},
      {L"left", L"middle", L"1", DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS},
      {L"right", L"bottom", L"3", DT_RIGHT | DT_BOTTOM | DT_SINGLELINE | DT_END_ELLIPSIS},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.align) + L"/" + c.valign);
    SwndStyle style;
    CHECK(Set(style, L"align", c.align) == S_OK);
    CHECK(Set(style, L"valign", c.valign) == S_OK);
    CHECK(Set(style, L"dotted", c.dotted) == S_FALSE);
    CHECK(style.GetTextAlign() == c.expected);
    CHECK(Set(style, L"textMode", L"0x25") == S_OK);
    CHECK(style.GetTextAlign() == 0x25u);
  }
}

TEST_CASE("unknown alignment words are refused and change nothing; unknown names E_NOTIMPL") {
  SwndStyle style;
  CHECK(Set(style, L"align", L"right") == S_OK);
  CHECK(Set(style, L"align", L"Left") == E_FAIL);  // value words are case-sensitive
  CHECK(Set(style, L"valign", L"centre") == E_FAIL);
  CHECK(style.GetTextAlign() == (DT_RIGHT | DT_VCENTER | DT_SINGLELINE));
  CHECK(Set(style, L"colorBkgnd", L"") == E_FAIL);
  CHECK(Set(style, L"colorText", L"") == E_FAIL);
  CHECK(Set(style, L"nosuch", L"1") == E_NOTIMPL);
  CHECK(Set(style, L"ALIGN", L"left") == S_OK);  // names in any case
}

TEST_CASE("text colours: a state without its own colour uses the normal one") {
  SwndStyle style;
  CHECK(Set(style, L"colorText", L"#112233") == S_OK);
  CHECK(Set(style, L"colorTextHover", L"#445566") == S_OK);
  CHECK(style.GetTextColor(SwndStyle::kStateNormal) == 0xFF332211u);
  CHECK(style.GetTextColor(SwndStyle::kStateHover) == 0xFF665544u);
  CHECK(style.GetTextColor(SwndStyle::kStatePush) == 0xFF332211u);
  CHECK(style.GetStates() == 2);
  CHECK(Set(style, L"colorTextDisable", L"#000000") == S_OK);
  CHECK(style.GetStates() == 3);
}

TEST_CASE("state fonts fall back to the normal font; SetScale makes them again") {
  ElementRig rig;  // the font pool
  SwndStyle style;
  CHECK(style.GetTextFont(SwndStyle::kStateNormal) == nullptr);
  CHECK(Set(style, L"font", L"size:12dp") == S_OK);
  CHECK(Set(style, L"fontPush", L"size:20") == S_OK);
  IFont* normal = style.GetTextFont(SwndStyle::kStateNormal);
  REQUIRE(normal != nullptr);
  CHECK(style.GetTextFont(SwndStyle::kStateHover) == normal);
  CHECK(style.GetTextFont(SwndStyle::kStatePush) != normal);
  CHECK(style.GetStates() == 2);
  const int height100 = std::abs(normal->TextSize());
  style.SetScale(200);
  CHECK(std::abs(style.GetTextFont(SwndStyle::kStateNormal)->TextSize()) == 2 * height100);
}

TEST_CASE("margin and padding: one, two or four sizes; scaled; S_FALSE while loading") {
  struct Case {
    const wchar_t* value;
    RECT expected;
  } cases[] = {
      {L"3", {3, 3, 3, 3}},
      {L"2,4", {2, 4, 2, 4}},
      {L"1,2,3,4", {1, 2, 3, 4}},
      {L"1,2,3", {0, 0, 0, 0}},  // three sizes change nothing
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.value));
    SwndStyle style;
    CHECK(Set(style, L"margin", c.value, TRUE) == S_FALSE);
    CHECK(Margin(style) == c.expected);
  }
  SwndStyle style;
  CHECK(Set(style, L"margin-x", L"5") == S_OK);
  CHECK(Set(style, L"margin-y", L"7", TRUE) == S_FALSE);
  CHECK(Margin(style) == RECT{5, 7, 5, 7});
  CHECK(Set(style, L"padding", L"10dp") == S_OK);
  CHECK(Set(style, L"inset", L"1,2,3,4px") == S_OK);  // another name of the padding
  style.SetScale(150);
  RECT padding;
  style.GetPadding(&padding);
  CHECK(padding.left == 1);
  CHECK(padding.bottom == 4);
  CHECK(Set(style, L"padding", L"10dp") == S_OK);
  style.GetPadding(&padding);
  CHECK(padding.left == 15);  // 10 dp at 150 %
}

TEST_CASE("the remaining attributes and their results") {
  SwndStyle style;
  CHECK(Set(style, L"cursor", L"hand") == S_FALSE);
  CHECK(style.GetCursor() == L"hand");
  CHECK(Set(style, L"trackMouseEvent", L"3") == S_FALSE);
  CHECK(style.IsTrackMouseEvent());
  CHECK(Set(style, L"trackMouseEvent", L"2") == S_FALSE);  // only the lowest bit counts
  CHECK_FALSE(style.IsTrackMouseEvent());
  CHECK(Set(style, L"alpha", L"0x180") == S_OK);
  CHECK(style.GetAlpha() == 0x80);
  CHECK(Set(style, L"bkgndBlend", L"0") == S_OK);
  CHECK_FALSE(style.IsBkgndBlend());
  CHECK(Set(style, L"sepSpace", L"9") == S_OK);
  CHECK(style.GetSepSpace() == 9);
  CHECK(Set(style, L"colorBorder", L"rgba(1,2,3,4)") == S_OK);
  CHECK(style.GetBorderColor() == 0x04030201u);
}
