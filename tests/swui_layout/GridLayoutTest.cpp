#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "FakeElement.h"
#include "LayoutTestUtil.h"
#include "core/SObjectDefaultRegister.h"
#include "core/SObjectFactoryMgr.h"
#include "layout/SGridLayout.h"
#include "layout/SLinearLayout.h"

using namespace SWUI;

namespace {

// The parent's layout rectangle: 200 x 100 at (10, 20).
const RECT kLayoutRect{10, 20, 210, 120};

struct ChildSpec {
  const wchar_t* attributes;
  SIZE desired;
};

struct GridCase {
  const char* name;
  const wchar_t* layoutAttributes;
  std::vector<ChildSpec> children;
  std::vector<RECT> expected;  // {0,0,0,0}: not placed
  SIZE measured;
};

const RECT kNotPlaced{0, 0, 0, 0};

const GridCase kCases[] = {
    {"three columns, five children: two rows", L"columnCount=3",
     {{L"", {20, 10}}, {L"", {20, 10}}, {L"", {20, 10}}, {L"", {20, 10}}, {L"", {20, 10}}},
     {{10, 20, 30, 30}, {30, 20, 50, 30}, {50, 20, 70, 30}, {10, 30, 30, 40}, {30, 30, 50, 40}},
     {60, 20}},
    {"a span of two halves the width per cell; default gravity centres", L"columnCount=2",
     {{L"columnSpan=2", {100, 10}}, {L"", {30, 10}}},
     {{10, 20, 110, 30}, {20, 30, 50, 40}},
     {100, 20}},
    {"column weights 1 and 3 share a spare of 100 as 25 and 75", L"columnCount=2;gravity=fill",
     {{L"columnWeight=1", {40, 10}}, {L"columnWeight=3", {60, 10}}},
     {{10, 20, 75, 30}, {75, 20, 210, 30}},
     {100, 10}},
    {"row weights share the spare height", L"rowCount=2;yGravity=FILL",
     {{L"rowWeight=1", {10, 10}}, {L"rowWeight=1", {10, 20}}},
     {{10, 20, 20, 65}, {10, 65, 20, 120}},
     {10, 30}},
    {"a child's own gravity wins; an unknown word falls back", L"columnCount=1",
     {{L"", {50, 10}}, {L"layout_xGravity=right", {20, 10}}, {L"layout_xGravity=middle", {20, 10}}},
     {{10, 20, 60, 30}, {40, 30, 60, 40}, {25, 40, 45, 50}},
     {50, 30}},
    {"intervals between columns and rows", L"columnCount=3;xInterval=4;yInterval=2",
     {{L"", {10, 10}}, {L"", {10, 10}}, {L"", {10, 10}}, {L"", {10, 10}}},
     {{10, 20, 20, 30}, {24, 20, 34, 30}, {38, 20, 48, 30}, {10, 32, 20, 42}},
     {38, 22}},
    {"a span is cut before a cell another child holds", L"columnCount=3",
     {{L"", {10, 10}}, {L"rowSpan=2", {10, 20}}, {L"", {10, 10}}, {L"columnSpan=3", {30, 10}},
      {L"", {10, 10}}},
     {{20, 20, 30, 30}, {40, 20, 50, 40}, {50, 20, 60, 30}, {10, 30, 40, 40}, {50, 30, 60, 40}},
     {50, 20}},
    {"children beyond the free cells are left out", L"columnCount=2;rowCount=1",
     {{L"", {10, 10}}, {L"rowSpan=5", {10, 10}}, {L"", {10, 10}}},
     {{10, 20, 20, 30}, {20, 20, 30, 30}, kNotPlaced},
     {20, 10}},
    {"a missing column count follows the row count", L"rowCount=0x2",
     {{L"", {10, 10}}, {L"", {10, 10}}, {L"", {10, 10}}},
     {{10, 20, 20, 30}, {20, 20, 30, 30}, {10, 30, 20, 40}},
     {20, 20}},
    {"counts below 1 are not given: an empty grid", L"columnCount=0;rowCount=-3",
     {{L"", {10, 10}}},
     {kNotPlaced},
     {0, 0}},
    {"spans below 1 count as 1", L"columnCount=2",
     {{L"columnSpan=0;rowSpan=-4", {10, 10}}, {L"", {10, 10}}},
     {{10, 20, 20, 30}, {20, 20, 30, 30}},
     {20, 10}},
    {"a grid without children measures its intervals only", L"rowCount=2;interval=4",
     {},
     {},
     {0, 4}},
};

}  // namespace

TEST_CASE("the grid layout fills cells row by row") {
  for (const GridCase& c : kCases) {
    CAPTURE(std::string(c.name));
    FakeElement root(new SGridLayout, kLayoutRect);
    CHECK(ApplyAttributes(root.Layout(), c.layoutAttributes) == S_OK);
    for (const ChildSpec& spec : c.children) root.AddChild(spec.attributes, spec.desired);
    CHECK(root.Measure(-1, -1) == c.measured);
    root.RunLayout();
    for (size_t i = 0; i < c.expected.size(); ++i) {
      CAPTURE(i);
      CHECK(root.Child(i).rect == c.expected[i]);
      CHECK(root.Child(i).relayouts == (c.expected[i] == kNotPlaced ? 0 : 1));
      // Cell sizes come from the desired size asked without extents.
      for (const auto& asked : root.Child(i).desireAsked) CHECK(asked == std::make_pair(-1, -1));
    }
  }
}

TEST_CASE("grid counts and spans are bounded") {
  SAutoRefPtr<SGridLayout> layout;
  layout.Attach(new SGridLayout);
  CHECK(layout->GetColumnCount() == -1);
  CHECK(layout->SetAttribute(SStringW(L"columnCount"), SStringW(L"100000"), TRUE) == S_OK);
  CHECK(layout->GetColumnCount() == SGridLayout::kMaxCount);
  CHECK(layout->SetAttribute(SStringW(L"ROWCOUNT"), SStringW(L"0x10"), TRUE) == S_OK);
  CHECK(layout->GetRowCount() == 16);
  CHECK(layout->SetAttribute(SStringW(L"rowCount"), SStringW(L"0"), TRUE) == S_OK);
  CHECK(layout->GetRowCount() == -1);
  CHECK(layout->SetAttribute(SStringW(L"orientation"), SStringW(L"vertical"), TRUE) == E_NOTIMPL);

  SAutoRefPtr<SGridLayoutParam> param;
  param.Attach(new SGridLayoutParam);
  CHECK(ApplyAttributes(param.Get(), L"columnSpan=99999;rowSpan=0") == S_OK);
  CHECK(param->GetData().nColSpan == SGridLayout::kMaxCount);
  CHECK(param->GetData().nRowSpan == 1);
  CHECK(param->SetAttribute(SStringW(L"size"), SStringW(L"1"), TRUE) == E_FAIL);
  CHECK(param->SetAttribute(SStringW(L"weight"), SStringW(L"1"), TRUE) == E_NOTIMPL);
  CHECK(param->SetAttribute(SStringW(L"layout_yGravity"), SStringW(L"Fill"), TRUE) == S_OK);
  CHECK(param->GetData().layoutGravityY == 3);

  // The largest grid allowed lays out a handful of children without a giant table.
  FakeElement root(new SGridLayout, kLayoutRect);
  ApplyAttributes(root.Layout(), L"columnCount=5000;rowCount=5000");
  root.AddChild(L"columnSpan=5000;rowSpan=5000", {2048, 1024});
  CHECK(root.Measure(-1, -1) == SIZE{2048, 1024});
}

TEST_CASE("the layouts are created by name through the default register") {
  SObjectFactoryMgr mgr;
  SAutoRefPtr<SObjectDefaultRegister> reg;
  reg.Attach(new SObjectDefaultRegister);
  reg->RegisterLayouts(&mgr);
  struct Case {
    const wchar_t* name;
    const wchar_t* alsoIs;
    int orientation;  // -1: not a linear layout
  };
  const Case cases[] = {{L"SwuiLayout", L"SwuiLayout", -1}, {L"linearLayout", L"linearLayout", Horz},
                        {L"hbox", L"linearLayout", Horz},   {L"VBox", L"linearLayout", Vert},
                        {L"gridLayout", L"gridLayout", -1}};
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.name));
    IObject* object = mgr.CreateObject(SObjectInfo(c.name, OBJ_TYPE_LAYOUT));
    REQUIRE(object != nullptr);
    CHECK(object->GetObjectType() == OBJ_TYPE_LAYOUT);
    CHECK(object->IsClass(c.alsoIs));
    ILayout* layout = dynamic_cast<ILayout*>(object);
    REQUIRE(layout != nullptr);
    SAutoRefPtr<ILayoutParam> param;
    param.Attach(layout->CreateLayoutParam());
    CHECK(layout->IsParamAcceptable(param.Get()));
    if (c.orientation >= 0) {
      CHECK(static_cast<SLinearLayout*>(layout)->GetOrientation() == c.orientation);
    }
    layout->Release();
  }
}
