#include <doctest/doctest.h>

#include <climits>
#include <string>

#include "core/SLayoutSize.h"
#include "core/SUiDef.h"
#include "res.mgr/SIntParser.h"
#include "res.mgr/SNamedValueGetters.h"
#include "res.mgr/SUiDefInfo.h"

using namespace SWUI;

TEST_CASE("colour literals") {
  struct Row {
    LPCWSTR text;
    bool ok;
    COLORREF value;
  };
  const Row rows[] = {
      {L"#ff0000", true, 0xFF0000FF},
      {L"#FF0000", true, 0xFF0000FF},
      {L"#ff000080", true, 0x800000FF},
      {L"#12345678", true, 0x78563412},
      {L"rgba(0,0,255,64)", true, 0x40FF0000},
      {L"rgb(0,128,0)", true, 0xFF008000},
      {L"RGB(10,20,30)", true, 0xFF1E140A},
      {L"rgba(1,2,3)", true, 0xFF030201},
      // Out-of-range components are clamped, not carried into the next channel.
      {L"rgb(300,-5,256)", true, 0xFFFF00FF},
      {L"rgba(1,2,3,999)", true, 0xFF030201},
      {L"#f00", false, 0},
      {L"#", false, 0},
      {L"red", false, 0},
      {L"rgb(1,2)", false, 0},
      {L"", false, 0},
  };
  for (const Row& row : rows) {
    CAPTURE(std::wstring(row.text));
    COLORREF value = 0x12345678;
    CHECK(SColorParser::ParseValue(SStringW(row.text), value) == row.ok);
    CHECK(value == (row.ok ? row.value : 0x12345678u));
    CHECK(GetNamedColor(SStringW(row.text)) == (row.ok ? row.value : 0x00FFFFFFu));
  }
  CHECK(GetNamedColor(SStringW(L"@color/undefined")) == 0x00FFFFFF);
}

TEST_CASE("length texts") {
  struct Row {
    LPCWSTR text;
    float value;
    SLayoutSizeUnit unit;
  };
  const Row rows[] = {
      {L"10sp", 10, sp},  {L"10DP", 10, dp},  {L"10", 10, px},     {L"10pt", 10, px},
      {L"abc", 0, px},    {L"12dip", 12, dip}, {L"12DIP", 12, dip}, {L"1.5dp", 1.5f, dp},
      {L"7px", 7, px},    {L"-2", -2, px},    {L"p", 0, px},
  };
  for (const Row& row : rows) {
    CAPTURE(std::wstring(row.text));
    SLayoutSize size(99, sp);
    size.parseString(row.text);
    CHECK(size.fSize == doctest::Approx(row.value));
    CHECK(size.unit == row.unit);
  }
  SLayoutSize kept(5, dp);
  kept.parseString(L"");
  kept.parseString(nullptr);
  CHECK(kept.fSize == 5);
  CHECK(kept.unit == dp);
  CHECK(SLayoutSize::fromString(L"").unit == px);
  CHECK(SLayoutSize::fromString(L"").IsZero());
  CHECK(SLayoutSize::fromString(L"-2").IsMatchParent());
  CHECK(SLayoutSize::fromString(L"-1").IsWrapContent());
}

TEST_CASE("pixel sizes") {
  struct Row {
    float value;
    SLayoutSizeUnit unit;
    int scale;
    int pixels;
  };
  const Row rows[] = {
      {15, dp, 150, 23}, {15, px, 150, 15}, {2.5f, px, 100, 2}, {-2.5f, px, 100, -2},
      {-2, dp, 150, -2}, {-1, sp, 200, -1}, {15, sp, 100, 15},  {10, dip, 200, 20},
      {1, dp, 125, 1},   {3, dp, 150, 5},   {0, dp, 300, 0},
  };
  for (const Row& row : rows) {
    CAPTURE(row.value);
    CAPTURE(row.unit);
    CAPTURE(row.scale);
    CHECK(SLayoutSize(row.value, row.unit).toPixelSize(row.scale) == row.pixels);
  }
  SLayoutSize s;
  s.SetInvalid();
  CHECK_FALSE(s.IsValid());
  CHECK_FALSE(s.IsSpecifiedSize());
  s.SetSize(0, dp);
  CHECK(s.IsValid());
  CHECK(s.IsSpecifiedSize());
}

TEST_CASE("lengths beyond int saturate the pixel size; inf and nan are no number") {
  struct Row {
    const wchar_t* text;
    int scale;
    int pixels;
  };
  const Row rows[] = {
      {L"3e9", 100, INT_MAX},      {L"2147483648", 100, INT_MAX}, {L"1e39dp", 100, INT_MAX},
      {L"-3e9", 100, INT_MIN},     {L"-1e39sp", 150, INT_MIN},    {L"2e9dp", 200, INT_MAX},
      {L"inf", 100, 0},            {L"-infinity", 100, 0},        {L"nan", 100, 0},
      {L"infdp", 150, 0},          {L"2147483520", 100, 2147483520},
  };
  for (const Row& row : rows) {
    CAPTURE(std::wstring(row.text));
    CHECK(SLayoutSize::fromString(row.text).toPixelSize(row.scale) == row.pixels);
  }
}

TEST_CASE("a colour table: sorted, case-sensitive, bad definitions skipped") {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(
      L"<color><red value='#ff0000'/><A value='#010203'/><a value='#040506'/>"
      L"<bad value='#f00'/><Red value='rgb(1,1,1)'/><red value='#00ff00'/><novalue/>"
      L"<!-- note --></color>"));
  SNamedColor colors;
  CHECK(colors.Init(pugi::xml_node()) == 0);
  CHECK(colors.Init(doc.child(L"color")) == 1);
  REQUIRE(colors.GetCount() == 5);
  const LPCWSTR order[] = {L"A", L"Red", L"a", L"red", L"red"};
  for (int i = 0; i < 5; ++i) CHECK(std::wstring(colors.GetNameAt(i)) == order[i]);
  CHECK(colors.GetAt(0) == 0xFF030201);
  CHECK(colors.GetAt(5) == 0x00FFFFFF);
  CHECK(colors.GetAt(-1) == 0x00FFFFFF);
  CHECK(colors.Get(SStringW(L"@color/A")) == 0xFF030201);
  CHECK(colors.Get(SStringW(L"@color/a")) == 0xFF060504);
  CHECK(colors.Get(SStringW(L"@color/red")) == 0xFF0000FF);  // the first definition
  CHECK(colors.Get(SStringW(L"@color/bad")) == 0x00FFFFFF);
  CHECK(colors.Get(SStringW(L"@Color/red")) == 0x00FFFFFF);  // prefix is exact: not a literal
  CHECK(colors.Get(SStringW(L"#000000")) == 0xFF000000);
}

TEST_CASE("names of 50 characters or more are refused, not truncated") {
  const std::wstring n49(49, L'x');
  const std::wstring n50(50, L'x');
  SNamedString strings;
  CHECK(strings.Add(n49.c_str(), SStringW(L"forty-nine")));
  CHECK_FALSE(strings.Add(n50.c_str(), SStringW(L"fifty")));
  CHECK(strings.GetCount() == 1);
  CHECK(strings.Get(SStringW((L"@string/" + n49).c_str())) == L"forty-nine");
  CHECK(strings.Get(SStringW((L"@string/" + n50).c_str())).IsEmpty());

  pugi::xml_document doc;
  pugi::xml_node root = doc.append_child(L"dim");
  root.append_child(n50.c_str()).append_attribute(L"value") = L"5dp";
  SNamedDimension dims;
  dims.Init(root);
  CHECK(dims.GetCount() == 0);
}

TEST_CASE("dimension, string and integer tables") {
  pugi::xml_document doc;
  REQUIRE(doc.load_string(
      L"<uidef><dim><pad value='4dp'/><odd value='junk'/></dim>"
      L"<string><title value='Hello'/><empty/></string>"
      L"<ids><ok value='42abc'/><none value='abc'/></ids></uidef>"));
  pugi::xml_node root = doc.child(L"uidef");

  SNamedDimension dims;
  dims.Init(root.child(L"dim"));
  CHECK(dims.GetCount() == 2);  // dimensions are never skipped
  CHECK(dims.Get(SStringW(L"@dim/pad")).unit == dp);
  CHECK(dims.Get(SStringW(L"@dim/pad")).fSize == 4);
  CHECK(dims.Get(SStringW(L"@dim/odd")).IsZero());
  CHECK(dims.Get(SStringW(L"@dim/missing")).IsZero());
  CHECK(dims.Get(SStringW(L"@dim/missing")).unit == px);
  CHECK(dims.Get(SStringW(L"8sp")).unit == sp);

  SNamedString strings;
  strings.Init(root.child(L"string"));
  CHECK(strings.Get(SStringW(L"@string/title")) == L"Hello");
  CHECK(strings.Get(SStringW(L"@string/empty")).IsEmpty());
  CHECK(strings.Get(SStringW(L"@string/missing")).IsEmpty());
  CHECK(strings.Get(SStringW(L"plain text")) == L"plain text");
  CHECK(strings.Get(SStringW()).IsEmpty());

  SNamedValue<int, SIntParser> ids;
  ids.Init(root.child(L"ids"));
  int id = -1;
  CHECK(ids.FindValue(L"ok", id));
  CHECK(id == 42);
  CHECK(ids.FindValue(L"none", id));
  CHECK(id == 0);
  CHECK_FALSE(ids.FindValue(L"other", id));
}

TEST_CASE("global getters answer from the current UI definition, else from empty tables") {
  SUiDef defs;
  CHECK(GetNamedString(SStringW(L"@string/title")).IsEmpty());
  CHECK(GetNamedColorAt(0) == 0x00FFFFFF);

  SAutoRefPtr<SUiDefInfo> info;
  info.Attach(new SUiDefInfo());
  info->GetNamedColor().Add(L"brand", 0xFF112233);
  info->GetNamedString().Add(L"title", SStringW(L"Tevaro"));
  info->GetNamedDimension().Add(L"gap", SLayoutSize(6, sp));
  defs.SetUiDef(info);
  CHECK(GetNamedColor(SStringW(L"@color/brand")) == 0xFF112233);
  CHECK(GetNamedString(SStringW(L"@string/title")) == L"Tevaro");
  CHECK(GetNamedDimension(SStringW(L"@dim/gap")).unit == sp);
  CHECK(GetNamedColorAt(0) == 0xFF112233);
  CHECK(GetNamedStringAt(0) == L"Tevaro");
  CHECK(GetNamedDimensionAt(0).fSize == 6);
  defs.SetUiDef(nullptr);
  CHECK(GetNamedColor(SStringW(L"@color/brand")) == 0x00FFFFFF);
  CHECK(GetNamedDimension(SStringW(L"@dim/gap")).IsZero());
}
