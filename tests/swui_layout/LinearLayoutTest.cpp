#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "FakeElement.h"
#include "LayoutTestUtil.h"
#include "layout/SHBox.h"
#include "layout/SLinearLayout.h"
#include "layout/SVBox.h"
#include "layout/SwuiLayout.h"

using namespace SWUI;

namespace {

// The parent's layout rectangle: 200 x 100 at (10, 20).
const RECT kLayoutRect{10, 20, 210, 120};

enum Kind { HBox, VBox, Linear };

ILayout* NewLayout(Kind kind) {
  if (kind == HBox) return new SHBox;
  if (kind == VBox) return new SVBox;
  return new SLinearLayout;
}

struct ChildSpec {
  const wchar_t* attributes;
  SIZE desired;
};

struct LinearCase {
  const char* name;
  Kind kind;
  const wchar_t* layoutAttributes;
  std::vector<ChildSpec> children;
  std::vector<RECT> expected;
};

const LinearCase kCases[] = {
    {"weights 1, 0, 3 share a spare of 100", HBox, L"",
     {{L"weight=1", {20, 10}}, {L"", {30, 10}}, {L"weight=3", {50, 10}}},
     {{10, 20, 55, 30}, {55, 20, 85, 30}, {85, 20, 210, 30}}},
    {"shares are truncated each on its own", HBox, L"",
     {{L"weight=1", {95, 10}}, {L"weight=2", {95, 10}}},
     {{10, 20, 108, 30}, {108, 20, 209, 30}}},
    {"nothing grows when the children overflow", HBox, L"",
     {{L"weight=1", {120, 10}}, {L"weight=1", {100, 10}}},
     {{10, 20, 130, 30}, {130, 20, 230, 30}}},
    {"a specified size grows by its weight", HBox, L"",
     {{L"width=50;weight=0.5", {5, 10}}},
     {{10, 20, 210, 30}}},
    {"layout gravity center, a child's own bottom wins", HBox, L"gravity=center",
     {{L"", {20, 40}}, {L"layout_gravity=bottom", {20, 40}}},
     {{10, 50, 30, 90}, {30, 80, 50, 120}}},
    {"an unknown gravity word leaves the children at the start", HBox, L"gravity=ceter",
     {{L"", {20, 40}}},
     {{10, 20, 30, 60}}},
    {"extend 5 keeps 5 free round a 50-wide child", HBox, L"",
     {{L"extend=5;width=50", {7, 10}}, {L"", {10, 10}}},
     {{15, 25, 65, 35}, {70, 20, 80, 30}}},
    {"four extends: left, top, right, bottom", HBox, L"",
     {{L"extend=1,2,3,4", {10, 10}}, {L"", {10, 10}}},
     {{11, 22, 21, 32}, {24, 20, 34, 30}}},
    {"match parent across the axis takes the whole height, extends inside", HBox, L"",
     {{L"height=matchParent;extend_top=5;extend_bottom=5", {10, 3}}},
     {{10, 25, 20, 115}}},
    {"vbox stacks downwards", VBox, L"",
     {{L"", {30, 10}}, {L"layout_gravity=center", {40, 20}}},
     {{10, 20, 40, 30}, {90, 30, 130, 50}}},
    {"linearLayout without orientation is horizontal", Linear, L"",
     {{L"", {30, 10}}, {L"", {40, 20}}},
     {{10, 20, 40, 30}, {40, 20, 80, 40}}},
    {"orientation vertical", Linear, L"orientation=vertical",
     {{L"", {30, 10}}, {L"", {40, 20}}},
     {{10, 20, 40, 30}, {10, 30, 50, 50}}},
    {"an hbox can be turned vertical", HBox, L"ORIENTATION=vertical;gravity=right",
     {{L"", {30, 10}}},
     {{180, 20, 210, 30}}},
};

}  // namespace

TEST_CASE("the linear layout places children in slots") {
  for (const LinearCase& c : kCases) {
    CAPTURE(std::string(c.name));
    FakeElement root(NewLayout(c.kind), kLayoutRect);
    ApplyAttributes(root.Layout(), c.layoutAttributes);
    for (const ChildSpec& spec : c.children) root.AddChild(spec.attributes, spec.desired);
    root.RunLayout();
    for (size_t i = 0; i < c.expected.size(); ++i) {
      CAPTURE(i);
      CHECK(root.Child(i).rect == c.expected[i]);
    }
  }
}

TEST_CASE("linear layout attributes and results") {
  SAutoRefPtr<SLinearLayout> layout;
  layout.Attach(new SLinearLayout);
  CHECK(layout->GetOrientation() == Horz);
  CHECK(layout->GetGravity() == -1);
  CHECK(layout->SetAttribute(SStringW(L"gravity"), SStringW(L"ceter"), TRUE) == E_FAIL);
  CHECK(layout->GetGravity() == -1);
  CHECK(layout->SetAttribute(SStringW(L"Gravity"), SStringW(L"bottom"), TRUE) == S_FALSE);
  CHECK(layout->GetGravity() == 2);
  CHECK(layout->SetAttribute(SStringW(L"orientation"), SStringW(L"Vertical"), TRUE) == E_FAIL);
  CHECK(layout->GetOrientation() == Horz);
  CHECK(layout->SetAttribute(SStringW(L"orientation"), SStringW(L"vertical"), TRUE) == S_FALSE);
  CHECK(layout->GetOrientation() == Vert);
  CHECK(layout->SetAttribute(SStringW(L"columnCount"), SStringW(L"2"), TRUE) == E_NOTIMPL);

  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    HRESULT hr;
  };
  const Case cases[] = {
      {L"weight", L"1.5", S_FALSE},        {L"weight", L"x", E_INVALIDARG},
      {L"layout_gravity", L"center", S_FALSE}, {L"layout_gravity", L"Center", E_FAIL},
      {L"extend", L"1", S_OK},             {L"extend", L"1,2,3,4", S_OK},
      {L"extend", L"1,2,3", E_INVALIDARG}, {L"extend_left", L"3", S_FALSE},
      {L"size", L"10,20", S_OK},           {L"size", L"10", E_FAIL},
      {L"Width", L"wrapcontent", S_OK},    {L"pos", L"0,0", E_NOTIMPL},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name) + L"=" + c.value);
    SAutoRefPtr<SLinearLayoutParam> param;
    param.Attach(new SLinearLayoutParam);
    CHECK(param->SetAttribute(SStringW(c.name), SStringW(c.value), TRUE) == c.hr);
  }

  SAutoRefPtr<SLinearLayoutParam> param;
  param.Attach(new SLinearLayoutParam);
  ApplyAttributes(param.Get(), L"width=full;height=matchParent;extend=1,2,3,4;weight=2;layout_gravity=top");
  CHECK(param->IsSpecifiedSize(Horz));  // "full" is no word here: 0 px
  CHECK(param->GetSpecifiedSize(Horz).fSize == 0.0f);
  CHECK(param->IsMatchParent(Vert));
  CHECK(param->GetSpecifiedSize(Both).fSize == 0.0f);
  // Only an explicit wrap content wraps.
  param->SetSpecifiedSize(Horz, SLayoutSize(SLayoutSize::kInvalid, px));
  CHECK_FALSE(param->IsWrapContent(Horz));
  // Clear keeps the extends.
  param->Clear();
  const SLinearLayoutParamStruct& d = param->GetData();
  CHECK(param->IsWrapContent(Both));
  CHECK(d.weight == 0.0f);
  CHECK(d.gravity == -1);
  CHECK(d.extend_left.fSize == 1.0f);
  CHECK(d.extend_top.fSize == 2.0f);
  CHECK(d.extend_right.fSize == 3.0f);
  CHECK(d.extend_bottom.fSize == 4.0f);
}

TEST_CASE("measuring the linear layout") {
  SUBCASE("sums along the axis, the largest across it, extends included, weights ignored") {
    FakeElement hbox(new SHBox, kLayoutRect);
    hbox.AddChild(L"weight=5", {20, 10});
    hbox.AddChild(L"extend=5", {30, 40});
    CHECK(hbox.Measure(200, 100) == SIZE{60, 50});
    FakeElement vbox(new SVBox, kLayoutRect);
    vbox.AddChild(L"", {20, 10});
    vbox.AddChild(L"width=25", {30, 40});
    CHECK(vbox.Measure(200, 100) == SIZE{25, 50});
  }
  SUBCASE("an unknown size is asked with -1") {
    struct Case {
      int width;
      bool parentWraps;
      std::pair<int, int> asked;
      SIZE measured;
    };
    const Case cases[] = {
        {300, false, {300, -1}, {300, 40}},
        {300, true, {-1, -1}, {30, 40}},
        {0x7FFFFF, false, {-1, -1}, {30, 40}},
        {POS_WAIT, false, {-1, -1}, {30, 40}},
        {-1, false, {-1, -1}, {30, 40}},
    };
    for (const Case& c : cases) {
      CAPTURE(c.width);
      CAPTURE(c.parentWraps);
      FakeElement root(new SHBox, kLayoutRect);
      FakeElement& child = root.AddChild(L"width=matchParent", {30, 40});
      root.TakeParam(new SwuiLayoutParam);
      if (!c.parentWraps) root.GetLayoutParam()->SetMatchParent(Horz);
      CHECK(root.Measure(c.width, 100) == c.measured);
      REQUIRE(child.desireAsked.size() == 1);
      CHECK(child.desireAsked[0] == c.asked);
    }
  }
}
