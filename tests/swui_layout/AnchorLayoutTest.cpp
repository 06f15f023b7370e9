#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "FakeElement.h"
#include "LayoutTestUtil.h"
#include "layout/SwuiLayout.h"

using namespace SWUI;

namespace {

struct ChildSpec {
  const wchar_t* attributes;
  SIZE desired;
  int id;
};

// The parent's layout rectangle: 200 x 100 at (10, 20), so every expected rectangle below is
// the solver's result moved by that origin.
const RECT kLayoutRect{10, 20, 210, 120};

struct GrammarCase {
  const char* name;
  std::vector<ChildSpec> children;
  std::vector<RECT> expected;  // one per child
};

const GrammarCase kGrammarCases[] = {
    {"0,0,-0,-0 spans the parent", {{L"pos=0,0,-0,-0", {5, 5}, 0}}, {{10, 20, 210, 120}}},
    {"[0,0,-0,-0 spans from the previous sibling to the right edge",
     {{L"pos=0,0;size=50,20", {}, 0}, {L"pos=[0,0,-0,-0", {5, 5}, 0}},
     {{10, 20, 60, 40}, {60, 20, 210, 120}}},
    {"5,|0 with offset 0,-0.5 centres vertically",
     {{L"pos=5,|0;offset=0,-0.5", {30, 20}, 0}},
     {{15, 60, 45, 80}}},
    {"a neighbour waits for the offset of the child it refers to",
     {{L"pos=5,|0;offset=0,-0.5", {30, 20}, 0}, {L"pos=[0,{0", {10, 10}, 0}},
     {{15, 60, 45, 80}, {45, 60, 55, 70}}},
    {"an offset that moves by nothing still releases the neighbour",
     {{L"pos=5,|0;offset=0,-0.1", {30, 5}, 0}, {L"pos=[0,{0", {10, 10}, 0}},
     {{15, 70, 45, 75}, {45, 70, 55, 80}}},
    {"-17,|0 is 17 left of the right edge", {{L"pos=-17,|0", {10, 10}, 0}}, {{193, 70, 203, 80}}},
    {"|-10 is 10 before the centre", {{L"pos=|-10,0", {10, 10}, 0}}, {{100, 20, 110, 30}}},
    {"%-30 is the complement of 30 percent", {{L"pos=%-30,0", {10, 10}, 0}}, {{150, 20, 160, 30}}},
    {"%150 is clamped to 100 percent", {{L"pos=%150,0", {10, 10}, 0}}, {{210, 20, 220, 30}}},
    {"@100 is the width, @-1 wraps the height",
     {{L"pos=0,0,@100,@-1", {30, 40}, 0}},
     {{10, 20, 110, 60}}},
    {"a size in the first pair is ignored: default place",
     {{L"pos=@5,0", {10, 10}, 0}},
     {{10, 20, 20, 30}}},
    {"sib.left@3:-10 is 10 left of sibling 3",
     {{L"pos=50,0", {10, 10}, 3}, {L"pos=sib.left@3:-10,sib.bottom@3:2", {5, 5}, 0}},
     {{60, 20, 70, 30}, {50, 32, 55, 37}}},
    {"a sibling id that no child has measures from the parent's edges",
     {{L"pos=sib.right@9:-20,sib.top@9:5", {5, 5}, 0}},
     {{190, 25, 195, 30}}},
    {"sibling id 0 does not parse: default place",
     {{L"pos=sib.left@0:5,0", {10, 10}, 0}},
     {{10, 20, 20, 30}}},
    {"three children without pos stand in a row",
     {{L"", {10, 5}, 0}, {L"", {20, 5}, 0}, {L"", {30, 5}, 0}},
     {{10, 20, 20, 25}, {20, 20, 40, 25}, {40, 20, 70, 25}}},
    {"{ and [ take the previous sibling's far and near edges",
     {{L"pos=20,10;size=30,15", {}, 0}, {L"pos={5,[2", {10, 10}, 0}},
     {{30, 30, 60, 45}, {35, 47, 45, 57}}},
    {"] and } take the next sibling's near and far edges",
     {{L"pos=]-5,}0", {4, 4}, 0}, {L"pos=100,30;size=20,10", {}, 0}},
     {{105, 60, 109, 64}, {110, 50, 130, 60}}},
    {"a last child's ] is the parent's extent", {{L"pos=]-10,0", {4, 4}, 0}}, {{200, 20, 204, 24}}},
    {"a 4-item pos with items on both sides", {{L"pos=10,5,-10,-5", {1, 1}, 0}}, {{20, 25, 200, 115}}},
    {"size 155,-1: width 155, height wraps", {{L"pos=0,0;size=155,-1", {9, 7}, 0}}, {{10, 20, 165, 27}}},
    {"width full matches the parent", {{L"pos=0,0;width=full", {9, 7}, 0}}, {{10, 20, 210, 27}}},
};

}  // namespace

TEST_CASE("the position grammar places children") {
  for (const GrammarCase& c : kGrammarCases) {
    CAPTURE(std::string(c.name));
    FakeElement root(new SwuiLayout, kLayoutRect);
    for (const ChildSpec& spec : c.children) root.AddChild(spec.attributes, spec.desired, spec.id);
    root.RunLayout();
    for (size_t i = 0; i < c.expected.size(); ++i) {
      CAPTURE(i);
      CHECK(root.Child(i).rect == c.expected[i]);
      CHECK(root.Child(i).relayouts == 1);
    }
  }
}

TEST_CASE("pos and size attributes: results and what they store") {
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    HRESULT hr;
    int count;
    PosItemType x1;
    int refId;
    int sign;
    float value1;
  };
  const Case cases[] = {
      {L"pos", L"5,6", S_OK, 2, PosNormal, -1, 1, 5.0f},
      {L"POS", L" -7 , |0 ", S_OK, 2, PosNormal, -1, -1, 7.0f},
      {L"pos", L"1,2,3", E_INVALIDARG, 0, PosInvalid, -1, 1, 0.0f},
      {L"pos", L"1,2,3,4,5", E_INVALIDARG, 0, PosInvalid, -1, 1, 0.0f},
      {L"pos", L"@5,0", S_OK, 0, PosInvalid, -1, 1, 0.0f},
      {L"pos", L"sib.left@3:-10,0", S_OK, 2, PosSibNear, 3, -1, 10.0f},
      {L"pos", L"sib.bottom@12:4,0", S_OK, 2, PosSibFar, 12, 1, 4.0f},
      {L"pos", L"sib.left@0:5,0", S_OK, 0, PosInvalid, -1, 1, 0.0f},
      {L"pos", L"sib.middle@3:5,0", S_OK, 0, PosInvalid, -1, 1, 0.0f},
      {L"pos", L"sib.left@3,0", S_OK, 0, PosInvalid, -1, 1, 0.0f},
      {L"pos", L"Sib.left@3:1,0", S_OK, 2, PosNormal, -1, 1, 0.0f},
      {L"pos", L"%-30,0", S_OK, 2, PosPercent, -1, -1, 30.0f},
      {L"pos", L"0,0,@100,@-1", S_OK, 4, PosNormal, -1, 1, 0.0f},
      {L"offset", L"0.5", E_FAIL, 0, PosInvalid, -1, 1, 0.0f},
      {L"size", L"155", E_FAIL, 0, PosInvalid, -1, 1, 0.0f},
      {L"weight", L"1", E_NOTIMPL, 0, PosInvalid, -1, 1, 0.0f},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.value));
    SAutoRefPtr<SwuiLayoutParam> param;
    param.Attach(new SwuiLayoutParam);
    CHECK(param->SetAttribute(SStringW(c.name), SStringW(c.value), TRUE) == c.hr);
    const SwuiLayoutParamStruct& d = param->GetData();
    CHECK(d.nCount == c.count);
    CHECK(d.posLeft.pit == c.x1);
    CHECK(d.posLeft.nRefID == c.refId);
    CHECK(d.posLeft.cMinus == c.sign);
    CHECK(d.posLeft.nPos.fSize == doctest::Approx(c.value1));
  }
}

TEST_CASE("sizes follow pos: match parent, not set, wrap content") {
  SAutoRefPtr<SwuiLayoutParam> param;
  param.Attach(new SwuiLayoutParam);
  // A new parameter: no pos, both sizes wrap.
  CHECK(param->IsWrapContent(Both));
  param->SetAttribute(SStringW(L"pos"), SStringW(L"0,0,-0,-0"), TRUE);
  CHECK(param->IsMatchParent(Both));

  param->SetAttribute(SStringW(L"pos"), SStringW(L"[0,0,-0,-0"), TRUE);
  CHECK_FALSE(param->IsMatchParent(Horz));
  CHECK_FALSE(param->IsWrapContent(Horz));
  CHECK_FALSE(param->IsSpecifiedSize(Horz));
  CHECK(param->IsMatchParent(Vert));
  CHECK(param->IsMatchParent(Any));
  CHECK_FALSE(param->IsMatchParent(Both));

  param->SetAttribute(SStringW(L"pos"), SStringW(L"0,0,@100,@-1"), TRUE);
  CHECK(param->IsSpecifiedSize(Horz));
  CHECK(param->GetSpecifiedSize(Horz).fSize == 100.0f);
  CHECK(param->IsWrapContent(Vert));

  // A 2-item pos leaves set sizes alone and makes unset ones wrap.
  param->SetAttribute(SStringW(L"pos"), SStringW(L"[0,0,-0,-0"), TRUE);
  param->SetAttribute(SStringW(L"pos"), SStringW(L"1,1"), TRUE);
  CHECK(param->IsWrapContent(Horz));
  CHECK(param->IsMatchParent(Vert));

  // A size left unset wraps while there is no pos at all.
  param->Clear();
  param->SetSpecifiedSize(Horz, SLayoutSize(SLayoutSize::kInvalid, px));
  CHECK(param->IsWrapContent(Horz));
  CHECK(param->GetSpecifiedSize(Any).fSize == SLayoutSize::kInvalid);
}

TEST_CASE("the solver ends when edges refer to each other") {
  FakeElement root(new SwuiLayout, kLayoutRect);
  FakeElement& a = root.AddChild(L"pos=]0,0", {10, 10});
  FakeElement& b = root.AddChild(L"pos=[0,0", {10, 10});
  FakeElement& self = root.AddChild(L"pos=sib.left@7:0,0", {10, 10}, 7);
  // A size item where a coordinate is needed: the height was unset after the pos.
  FakeElement& sized = root.AddChild(L"pos=0,0,@5,@5;height=-3", {10, 10});
  root.RunLayout();
  // Unresolved edges keep their sentinel, moved by the layout origin; each child is still
  // handed its rectangle once.
  CHECK(a.rect.left == POS_WAIT + 10);
  CHECK(b.rect.left == POS_WAIT + 10);
  CHECK(self.rect.left == POS_WAIT + 10);
  CHECK(sized.rect.left == 10);
  CHECK(sized.rect.right == 15);
  CHECK(sized.rect.bottom == POS_WAIT + 20);
  for (FakeElement* child : {&a, &b, &self, &sized}) CHECK(child->relayouts == 1);
  // Measuring leaves the unresolved edges out.
  CHECK(root.Measure(200, 100) == SIZE{5, 0});
}

TEST_CASE("a long chain of children without pos, each asked its size once") {
  FakeElement root(new SwuiLayout, kLayoutRect);
  for (int i = 0; i < 500; ++i) root.AddChild(L"", {3, 4});
  root.RunLayout();
  CHECK(root.Child(499).rect == RECT{10 + 499 * 3, 20, 10 + 500 * 3, 24});
  size_t askedOnce = 0;
  for (size_t i = 0; i < 500; ++i) askedOnce += root.Child(i).desireAsked.size() == 1 ? 1 : 0;
  CHECK(askedOnce == 500);
  CHECK(root.Measure(200, 100) == SIZE{1500, 4});
}

TEST_CASE("desired sizes are asked with the known size or the parent's extent") {
  FakeElement root(new SwuiLayout, kLayoutRect);
  FakeElement& sized = root.AddChild(L"pos=0,0;width=40", {10, 10});
  FakeElement& free = root.AddChild(L"pos=0,0", {10, 10});
  root.RunLayout();
  REQUIRE(sized.desireAsked.size() == 1);
  CHECK(sized.desireAsked[0] == std::make_pair(40, 100));
  REQUIRE(free.desireAsked.size() == 1);
  CHECK(free.desireAsked[0] == std::make_pair(200, 100));
}

TEST_CASE("measuring the anchor layout") {
  SUBCASE("the far margin of a 4-item pos counts") {
    FakeElement root(new SwuiLayout, kLayoutRect);
    root.AddChild(L"pos=0,0,@100,@10");
    root.AddChild(L"pos=0,20,-20,@10");
    CHECK(root.Measure(170, 100) == SIZE{170, 30});
  }
  SUBCASE("an unknown extent answers the content, never the sentinel") {
    for (int unknown : {0x7FFFFF, -1, -5, POS_INIT, POS_WAIT}) {
      CAPTURE(unknown);
      FakeElement root(new SwuiLayout, kLayoutRect);
      FakeElement& fixed = root.AddChild(L"pos=10,5;size=50,20");
      FakeElement& spanning = root.AddChild(L"pos=0,0,-0,-0", {80, 30});
      FakeElement& fromRight = root.AddChild(L"pos=-300,0", {10, 10});
      CHECK(root.Measure(unknown, unknown) == SIZE{80, 30});
      CHECK(fixed.desireAsked.empty());
      // Match parent on an unknown extent measures the content, asked with -1.
      REQUIRE(spanning.desireAsked.size() == 1);
      CHECK(spanning.desireAsked[0] == std::make_pair(-1, -1));
      CHECK(fromRight.desireAsked.empty());
    }
  }
  SUBCASE("a known extent on one axis only") {
    FakeElement root(new SwuiLayout, kLayoutRect);
    root.AddChild(L"pos=0,0,-0,-0", {80, 30});
    CHECK(root.Measure(300, -1) == SIZE{300, 30});
  }
  SUBCASE("no layout children measure 0 x 0") {
    FakeElement root(new SwuiLayout, kLayoutRect);
    root.AddChild(L"pos=0,0;size=50,50").inLayout = false;
    CHECK(root.Measure(200, 100) == SIZE{0, 0});
    root.RunLayout();
    CHECK(root.Child(0).relayouts == 0);
  }
}

TEST_CASE("sizes convert at the child's scale") {
  FakeElement root(new SwuiLayout, kLayoutRect);
  FakeElement& child = root.AddChild(L"pos=10dp,0;size=20dp,10");
  child.scale = 150;
  root.RunLayout();
  CHECK(child.rect == RECT{25, 20, 55, 30});
}

TEST_CASE("a child whose parameter is another layout's is placed by the defaults") {
  FakeElement root(new SwuiLayout, kLayoutRect);
  FakeElement& child = root.AddChild(L"", {12, 8});
  child.TakeParam(nullptr);
  root.RunLayout();
  CHECK(child.rect == RECT{10, 20, 22, 28});
}
