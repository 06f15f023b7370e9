// The spin button: stepping up and down at the bounds, which half a press hits, the buddy and
// its text event (both creation orders), the repeat timer, the attributes and the painted
// arrow states.
#include <doctest/doctest.h>

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "RangeRig.h"
#include "control/EventSpinValue2String.h"
#include "control/SSpinButtonCtrl.h"

using namespace SWUI;

namespace {

struct Text {
  bool init;
  int value;
  bool operator==(const Text& o) const { return init == o.init && value == o.value; }
};

// A spin button 12 x 20 at the origin and its buddy, a plain element with a text.
struct SpinFixture {
  explicit SpinFixture(const wchar_t* attrs = L"", bool buddyFirst = true) {
    const std::wstring buddy = L"<window name='edit_spin' pos='20,0,@40,@20'/>";
    const std::wstring spin = std::wstring(
                                  L"<spinButton name='s' pos='0,0,@12,@20' "
                                  L"buddy='edit_spin' upskin='up' downSkin='down' ") +
                              attrs + L"/>";
    rig.Load((L"<root>" + (buddyFirst ? buddy + spin : spin + buddy) + L"</root>").c_str());
    spin_ = rig.Find<SSpinButtonCtrl>(L"s");
    REQUIRE(spin_->SubscribeEvent(EventSpinValue2String::EventID, FnSlot([this](EventArgs* e) {
                                    auto* t = static_cast<EventSpinValue2String*>(e);
                                    texts.push_back(Text{t->bInit, t->nValue});
                                    if (!suffix.empty()) t->strValue += suffix.c_str();
                                    return false;
                                  })));
  }
  void Press(int y) {
    spin_->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, y));
    spin_->SSendMessage(WM_LBUTTONUP, 0, At(5, y));
  }
  std::wstring Buddy() const { return std::wstring(rig.Find(L"edit_spin")->GetWindowText()); }

  RangeRig rig;
  SSpinButtonCtrl* spin_ = nullptr;
  std::vector<Text> texts;
  std::wstring suffix;
};

}  // namespace

TEST_CASE("spin: stepping at the bounds wraps with circle, stops without") {
  struct Case {
    const wchar_t* attrs;
    int y;
    int expected;
  } cases[] = {
      {L"value='100' circle='0'", 5, 100},
      {L"value='100' circle='1'", 5, 0},
      {L"value='100'", 5, 0},  // circle is on by default
      {L"value='0' circle='0'", 15, 0},
      {L"value='0' circle='1'", 15, 100},
      {L"value='50' step='7'", 5, 57},
      {L"value='50' step='7'", 15, 43},
      {L"value='98' step='5' circle='0'", 5, 100},
      {L"value='2147483647' max='2147483647' step='5' circle='0'", 5, 2147483647},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    CAPTURE(c.y);
    SpinFixture f(c.attrs);
    f.Press(c.y);
    CHECK(f.spin_->GetValue() == c.expected);
    CHECK(f.Buddy() == std::to_wstring(c.expected));
  }
}

TEST_CASE("spin: the middle row counts as up; the press point decides, not the last move") {
  SpinFixture f(L"value='50'");  // 20 high: rows 0..10 up, 11..19 down
  f.Press(10);
  CHECK(f.spin_->GetValue() == 51);
  f.Press(11);
  CHECK(f.spin_->GetValue() == 50);
  f.spin_->SSendMessage(WM_MOUSEMOVE, 0, At(5, 15));  // over the lower half
  f.Press(3);
  CHECK(f.spin_->GetValue() == 51);
  // A double click steps like a press.
  f.spin_->SSendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 3));
  f.spin_->SSendMessage(WM_LBUTTONUP, 0, At(5, 3));
  CHECK(f.spin_->GetValue() == 52);
}

TEST_CASE("spin: holding steps every tick of timer 1 while the mouse is over an arrow") {
  SpinFixture f(L"value='10' circle='0' max='13'");
  f.spin_->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 3));
  CHECK(f.spin_->GetValue() == 11);
  f.spin_->SSendMessage(WM_TIMER, 1);
  CHECK(f.spin_->GetValue() == 12);
  f.spin_->SSendMessage(WM_TIMER, 2);  // not the spin's timer
  CHECK(f.spin_->GetValue() == 12);
  f.spin_->SSendMessage(WM_MOUSEMOVE, 0, At(40, 3));  // outside: no steps
  f.spin_->SSendMessage(WM_TIMER, 1);
  CHECK(f.spin_->GetValue() == 12);
  f.spin_->SSendMessage(WM_MOUSEMOVE, 0, At(5, 3));
  f.spin_->SSendMessage(WM_TIMER, 1);
  f.spin_->SSendMessage(WM_TIMER, 1);  // stops at max
  CHECK(f.spin_->GetValue() == 13);
  f.spin_->SSendMessage(WM_LBUTTONUP, 0, At(5, 3));
  CHECK(f.rig.container.capture == 0u);
}

TEST_CASE("spin: the buddy shows the text the handlers leave; creation order matters") {
  SUBCASE("buddy before the spin: shown at creation") {
    SpinFixture f(L"value='7'", true);
    CHECK(f.Buddy() == L"7");
    f.suffix = L" dB";
    f.Press(3);
    CHECK(f.Buddy() == L"8 dB");
    CHECK(f.texts == std::vector<Text>{{false, 8}});
  }
  SUBCASE("buddy after the spin: nothing at creation, shown from the first change") {
    SpinFixture f(L"value='7'", false);
    CHECK(f.Buddy().empty());
    f.Press(15);
    CHECK(f.Buddy() == L"6");
  }
}

TEST_CASE("spin: the event at creation carries bInit; SetValue, SetRange and \"value\" after") {
  RangeRig rig;
  rig.Load(L"<root><window name='b'/></root>");
  pugi::xml_document doc;
  REQUIRE(
      doc.load_string(L"<spinButton name='s' buddy='b' value='3' upskin='up' downSkin='down'/>"));
  SWindow* made = NewElement(rig.app, L"spinButton");
  auto* spin = dynamic_cast<SSpinButtonCtrl*>(made);
  REQUIRE(spin != nullptr);
  std::vector<Text> texts;
  REQUIRE(spin->SubscribeEvent(EventSpinValue2String::EventID, FnSlot([&](EventArgs* e) {
                                 auto* t = static_cast<EventSpinValue2String*>(e);
                                 texts.push_back(Text{t->bInit, t->nValue});
                                 return false;
                               })));
  rig.root->InsertChild(spin);
  REQUIRE(spin->InitFromXml(doc.first_child()));
  CHECK(texts == std::vector<Text>{{true, 3}});
  spin->SetValue(200);  // stored as it is
  spin->SetRange(0, 50);
  CHECK(spin->SetAttribute(L"value", L"0x10", FALSE) == S_OK);  // decimal only
  CHECK(spin->SetAttribute(L"VALUE", L"12", FALSE) == S_OK);
  CHECK(texts == std::vector<Text>{{true, 3}, {false, 200}, {false, 50}, {false, 0}, {false, 12}});
  CHECK(std::wstring(rig.Find(L"b")->GetWindowText()) == L"12");
}

TEST_CASE("spin: the buddy is found among the parent's descendants; none, no event") {
  RangeRig rig;
  rig.Load(
      L"<root><window name='row'><window name='inner'><window name='e'/></window>"
      L"<spinButton name='s' buddy='e' upskin='up' downSkin='down'/></window>"
      L"<spinButton name='lonely' buddy='nobody' upskin='up' downSkin='down'/></root>");
  auto* spin = rig.Find<SSpinButtonCtrl>(L"s");
  auto* lonely = rig.Find<SSpinButtonCtrl>(L"lonely");
  CHECK(std::wstring(rig.Find(L"e")->GetWindowText()) == L"0");
  spin->SetValue(4);
  CHECK(std::wstring(rig.Find(L"e")->GetWindowText()) == L"4");
  int events = 0;
  REQUIRE(lonely->SubscribeEvent(EventSpinValue2String::EventID, FnSlot([&](EventArgs*) {
                                   ++events;
                                   return false;
                                 })));
  lonely->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));
  lonely->SSendMessage(WM_LBUTTONUP, 0, At(1, 1));
  CHECK(lonely->GetValue() == 1);  // the value still moves
  CHECK(events == 0);
}

TEST_CASE("spin: arrow states follow the half under the mouse") {
  SpinFixture f(L"value='5'");
  auto states = [&] {
    CellSkin::log.clear();
    f.rig.Paint();
    REQUIRE(f.rig.Skin(L"up")->Draws().size() == 1u);
    REQUIRE(f.rig.Skin(L"down")->Draws().size() == 1u);
    return std::make_pair(f.rig.Skin(L"up")->Draws()[0].raw, f.rig.Skin(L"down")->Draws()[0].raw);
  };
  using States = std::pair<DWORD, DWORD>;
  CHECK(states() == States(0, 0));
  f.rig.Paint();
  CHECK(f.rig.Pixel(5, 5) == kRed);
  const RECT upper = {0, 0, 12, 10};
  CHECK(EqualRect(&f.rig.Skin(L"up")->Draws()[0].rc, &upper) != 0);
  f.spin_->SSendMessage(WM_MOUSEHOVER, 0, At(5, 15));
  f.spin_->SSendMessage(WM_MOUSEMOVE, 0, At(5, 15));
  CHECK(states() == States(1, 1));
  f.spin_->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 15));
  CHECK(states() == States(1, 2));  // the other arrow shows a press as hover
  f.spin_->SSendMessage(WM_MOUSEMOVE, 0, At(5, 2));
  CHECK(states() == States(2, 1));
  f.spin_->SSendMessage(WM_LBUTTONUP, 0, At(5, 2));
  f.spin_->SSendMessage(WM_MOUSEMOVE, 0, At(50, 2));
  CHECK(states() == States(0, 0));
  f.spin_->EnableWindow(FALSE);
  CHECK(states() == States(3, 3));
}

TEST_CASE("spin: desired size, class, built-in arrows and unknown skins") {
  RangeRig rig;
  rig.Load(
      L"<root><spinButton name='a' downSkin='down'/><spinButton name='b' width='30' "
      L"height='40'/></root>");
  auto* a = rig.Find<SSpinButtonCtrl>(L"a");
  auto* b = rig.Find<SSpinButtonCtrl>(L"b");
  RECT offered = {0, 0, 200, 50};
  CHECK(a->GetDesiredSize(&offered).cx == 12);
  CHECK(a->GetDesiredSize(&offered).cy == 50);
  CHECK(b->GetDesiredSize(&offered).cx == 30);
  CHECK(b->GetDesiredSize(&offered).cy == 40);
  CHECK(a->IsClass(L"spinButton"));
  CHECK(a->IsClass(L"window"));
  CHECK(a->SetAttribute(L"downSkin", L"no.such.skin", FALSE) == E_FAIL);
  CHECK(a->GetDesiredSize(&offered).cx == 12);
  // "b" took the built-in arrows.
  CHECK(b->GetDesiredSize(-1, -1).cx == 30);
  CHECK(a->SetAttribute(L"upskin", L"up", FALSE) == S_OK);
  CHECK(a->SetAttribute(L"step", L"3", FALSE) == S_FALSE);
}
