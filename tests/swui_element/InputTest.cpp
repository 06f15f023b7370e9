// Element input: clicks, hover and leave, the context menu and the wheel, firing events, the
// focus rule, hit testing, element timers, sending messages and tooltips.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "ElementRig.h"
#include "core/EventCmd.h"
#include "core/EventCtxMenu.h"
#include "core/EventLButtonUp.h"
#include "core/EventSwndUpdateTooltip.h"
#include "core/STimer2.h"
#include "core/SWindowMgr.h"

using namespace SWUI;

namespace {

// An element that handles the wheel itself.
class WheelWnd : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"wheelwnd")

 public:
  int wheels = 0;

 protected:
  SWND_BEGIN_MSG_MAP()
  SWND_MESSAGE_HANDLER(WM_MOUSEWHEEL, OnWheel)
  SWND_END_MSG_MAP(SWindow)

 private:
  LRESULT OnWheel(UINT, WPARAM, LPARAM) {
    ++wheels;
    return 7;
  }
};

// Events that reached the element's own subscribers, by id.
void Record(SWindow* wnd, std::vector<DWORD>& out, const std::vector<DWORD>& ids) {
  for (DWORD id : ids) {
    wnd->SubscribeEvent(id, FnSlot([&out](EventArgs* e) {
                          out.push_back(static_cast<DWORD>(e->GetID()));
                          return false;
                        }));
  }
}

}  // namespace

TEST_CASE("a click: EventLButtonUp then EventCmd only when released inside, with or without id") {
  struct Case {
    const wchar_t* xml;
    bool down;
    POINT up;
    std::vector<DWORD> expected;
  } cases[] = {
      {L"<root><window name='b' pos='10,10,@50,@30'/></root>", true, {20, 20}, {8108, 10000}},
      {L"<root><window pos='10,10,@50,@30'/></root>", true, {59, 39}, {8108, 10000}},
      {L"<root><window name='b' pos='10,10,@50,@30'/></root>", true, {60, 20}, {}},
      {L"<root><window name='b' pos='10,10,@50,@30'/></root>", false, {20, 20}, {}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.up.x);
    ElementRig rig;
    rig.Load(c.xml);
    SWindow* b = rig.root->GetChild(1);
    std::vector<DWORD> fired;
    Record(b, fired, {8107, 8108, 10000});
    if (c.down) {
      b->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 20));
      CHECK(rig.container.capture == b->GetSwnd());
      CHECK((b->GetState() & WndState_PushDown) != 0u);
      fired.erase(fired.begin());  // EventLButtonDown
    }
    b->SSendMessage(WM_LBUTTONUP, 0, At(c.up.x, c.up.y));
    CHECK(rig.container.capture == 0u);
    CHECK((b->GetState() & WndState_PushDown) == 0u);
    CHECK(fired == c.expected);
    // Every one of them went on to the host (beside the state changes).
    size_t atHost = 0;
    for (const TestContainer::Fired& f : rig.container.fired) {
      atHost += f.id == 8107 || f.id == 8108 || f.id == 10000 ? 1 : 0;
    }
    CHECK(atHost == (c.down ? 1 : 0) + c.expected.size());
  }
}

TEST_CASE("hover and leave while captured: released look outside, pushed look back inside") {
  ElementRig rig;
  rig.Load(L"<root><window name='b' pos='10,10,@50,@30'/></root>");
  SWindow* b = rig.Find(L"b");
  b->SSendMessage(WM_LBUTTONDOWN, 0, At(20, 20));
  b->SSendMessage(WM_MOUSELEAVE);
  CHECK((b->GetState() & (WndState_PushDown | WndState_Hover)) == 0u);
  b->SSendMessage(WM_MOUSEHOVER, 0, At(20, 20));
  CHECK((b->GetState() & (WndState_PushDown | WndState_Hover)) ==
        (WndState_PushDown | WndState_Hover));
  // Without the capture hovering does not push.
  b->SSendMessage(WM_LBUTTONUP, 0, At(20, 20));
  b->SSendMessage(WM_MOUSELEAVE);
  b->SSendMessage(WM_MOUSEHOVER, 0, At(20, 20));
  CHECK(b->GetState() == WndState_Hover);
}

TEST_CASE("the right button: EventCtxMenu with the point; only FireCtxMenu returns the cancel") {
  ElementRig rig;
  rig.Load(L"<root><window name='b' pos='10,10,@50,@30'/></root>");
  SWindow* b = rig.Find(L"b");
  POINT seen = {0, 0};
  b->SubscribeEvent(EventCtxMenu::EventID, FnSlot([&](EventArgs* e) {
                      auto* menu = static_cast<EventCtxMenu*>(e);
                      seen = menu->pt;
                      menu->bCancel = TRUE;
                      return true;
                    }));
  CHECK(b->SSendMessage(WM_RBUTTONDOWN, 0, At(25, 35)) == 0);
  CHECK(seen.x == 25);
  CHECK(seen.y == 35);
  CHECK(b->FireCtxMenu(POINT{1, 2}));
}

TEST_CASE("the wheel goes up to the nearest ancestor that handles it; 0 at the root") {
  ElementRig rig;
  auto* wheel = new WheelWnd();
  rig.root->InsertChild(wheel);
  SWindow* mid = NewElement(rig.app, L"window");
  wheel->InsertChild(mid);
  SWindow* leaf = NewElement(rig.app, L"window");
  mid->InsertChild(leaf);
  CHECK(leaf->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), At(1, 1)) == 7);
  CHECK(wheel->wheels == 1);
  CHECK(rig.root->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), At(1, 1)) == 0);
}

TEST_CASE("FireEvent: own subscribers, then the owner or else the container; never the parent") {
  ElementRig rig;
  rig.Load(
      L"<root><window name='parent'><window name='child' id='9'/></window>"
      L"<window name='owner' id='3'/></root>");
  SWindow* parent = rig.Find(L"parent");
  SWindow* child = rig.Find(L"child");
  SWindow* owner = rig.Find(L"owner");
  std::vector<std::wstring> order;
  auto log = [&](const wchar_t* who, bool handled, bool stop) {
    return FnSlot([&order, who, handled, stop](EventArgs* e) {
      order.push_back(who);
      if (stop) e->bubbleUp = false;
      return handled;
    });
  };
  parent->SubscribeEvent(EventCmd::EventID, log(L"parent", true, false));  // never asked
  child->SubscribeEvent(EventCmd::EventID, log(L"first", false, false));
  child->SubscribeEvent(EventCmd::EventID, log(L"second", true, false));

  // Most recent subscriber first, then the container; the answer is the container's.
  rig.container.fired.clear();
  rig.container.handleEvents = FALSE;
  CHECK_FALSE(child->FireCommand());
  CHECK(order == std::vector<std::wstring>{L"second", L"first"});
  REQUIRE(rig.container.fired.size() == 1);
  CHECK(rig.container.fired[0].id == EventCmd::EventID);
  CHECK(rig.container.fired[0].idFrom == 9);
  rig.container.handleEvents = TRUE;
  CHECK(child->FireCommand());

  // With an owner the owner's set hears it, and the owner passes it on.
  order.clear();
  rig.container.fired.clear();
  owner->SubscribeEvent(EventCmd::EventID, log(L"owner", false, false));
  child->SetOwner(owner);
  child->FireCommand();
  CHECK(order == std::vector<std::wstring>{L"second", L"first", L"owner"});
  CHECK(rig.container.fired.size() == 1);

  // A subscriber that stops the bubble: nobody further, the answer is whether it was handled.
  order.clear();
  rig.container.fired.clear();
  child->SubscribeEvent(EventCmd::EventID, log(L"stopper", true, true));
  CHECK(child->FireCommand());
  CHECK(order == std::vector<std::wstring>{L"stopper"});
  CHECK(rig.container.fired.empty());

  // Muted: nothing at all.
  order.clear();
  child->GetEventSet()->SetMute(true);
  CHECK_FALSE(child->FireCommand());
  CHECK(order.empty());
  CHECK(rig.container.fired.empty());
}

TEST_CASE("SetFocus: hidden or disabled-and-focusable elements change nothing") {
  struct Case {
    const wchar_t* attrs;
    bool takesFocus;  // the element ends focused
    bool oldKept;     // the previous focus stays
  } cases[] = {
      {L"focusable='1'", true, false},
      {L"focusable='1' visible='0'", false, true},
      {L"focusable='1' enable='0'", false, true},
      {L"focusable='0'", false, false},  // asks; the focus manager refuses: nobody focused
      {L"focusable='0' enable='0'", false, false},
  };
  for (const Case& c : cases) {
    CAPTURE(std::wstring(c.attrs));
    ElementRig rig;
    const std::wstring xml =
        std::wstring(L"<root><probe name='old' focusable='1'/><probe name='e' ") + c.attrs +
        L"/></root>";
    rig.Load(xml.c_str());
    ProbeWnd* old = rig.Probe(L"old");
    ProbeWnd* e = rig.Probe(L"e");
    old->SetFocus();
    REQUIRE(old->IsFocused());
    e->SetFocus();
    CHECK((e->IsFocused() != FALSE) == c.takesFocus);
    CHECK((old->IsFocused() != FALSE) == c.oldKept);
    CHECK(old->Count(WM_KILLFOCUS) == (c.oldKept ? 0u : 1u));
    CHECK(e->Count(WM_SETFOCUS) == (c.takesFocus ? 1u : 0u));
  }
  // A click focuses a focusable element only.
  ElementRig rig;
  rig.Load(
      L"<root><window name='f' focusable='1' pos='0,0,@10,@10'/>"
      L"<window name='n' pos='20,0,@10,@10'/></root>");
  rig.Find(L"n")->SSendMessage(WM_LBUTTONDOWN, 0, At(25, 5));
  CHECK(rig.container.focus == 0u);
  rig.Find(L"f")->SSendMessage(WM_LBUTTONDOWN, 0, At(5, 5));
  CHECK(rig.Find(L"f")->IsFocused());
  rig.Find(L"f")->KillFocus();
  CHECK(rig.container.focus == 0u);
}

TEST_CASE("hit testing: topmost first, frames, transparent and hidden children, shapes") {
  ElementRig rig;
  rig.Load(
      L"<root><window name='frame' pos='10,10,@100,@100' margin='5'>"
      L"<window name='below' pos='0,0,-0,-0'/>"
      L"<window name='glass' pos='0,0,-0,-0' msgTransparent='1'/>"
      L"<window name='hidden' pos='0,0,@20,@20' visible='0'/>"
      L"<window name='off' pos='40,0,@20,@20' enable='0'/></window></root>");
  struct Case {
    POINT pt;
    const wchar_t* hit;
  } cases[] = {
      {{5, 5}, L"root"},     // outside every child
      {{12, 50}, L"frame"},  // the frame's margin
      {{20, 20}, L"below"},  // under the transparent and the hidden child
      {{60, 20}, L"off"},    // disabled children are hit too
      {{300, 300}, nullptr},
  };
  for (const Case& c : cases) {
    CAPTURE(c.pt.x);
    const SwndHandle hit = rig.root->SwndFromPoint(c.pt, FALSE);
    if (c.hit == nullptr) {
      CHECK(hit == 0u);
    } else if (std::wstring(c.hit) == L"root") {
      CHECK(hit == rig.root->GetSwnd());
    } else {
      CHECK(hit == rig.Find(c.hit)->GetSwnd());
    }
  }
  // A shape region (relative to the element's top-left) decides the hits alone.
  SWindow* frame = rig.Find(L"frame");
  IRegion* made = nullptr;
  rig.render.Factory()->CreateRegion(&made);
  SAutoRefPtr<IRegion> ellipse;
  ellipse.Attach(made);
  const RECT box = {0, 0, 100, 100};
  ellipse->CombineEllipse(&box, RGN_COPY);
  frame->SetShapeRegion(ellipse);
  CHECK(rig.root->SwndFromPoint(POINT{12, 12}, FALSE) == rig.root->GetSwnd());  // corner
  CHECK(frame->IsContainPoint(POINT{60, 60}, FALSE));
  CHECK(frame->OnNcHitTest(POINT{12, 60}) == FALSE);  // inside the shape counts as client
  CHECK(frame->CopyShapeRegion(ellipse));
  frame->SetShapeRegion(nullptr);
  CHECK_FALSE(frame->CopyShapeRegion(ellipse));
  CHECK(frame->OnNcHitTest(POINT{12, 60}));
}

TEST_CASE("element timers: the native id carries the handle and the timer id") {
  CHECK(SwndTimerId::Make(0x1234, 5) == 0x85001234u);
  ElementRig rig;
  rig.Load(L"<root><window name='t'/></root>");
  SWindow* t = rig.Find(L"t");
  REQUIRE(t->SetTimer(5, 1));
  const UINT_PTR expected = SwndTimerId::Make(t->GetSwnd(), 5);
  CHECK(PumpUntil([&] { return !rig.container.timers.empty(); }));
  CHECK(rig.container.timers.front() == expected);
  t->KillTimer(5);

  // Thread timers reach the element as UM_TIMER2 with its own id.
  rig.Load(L"<root><probe name='p'/></root>");
  ProbeWnd* p = rig.Probe(L"p");
  REQUIRE(p->SetTimer2(3, 1));
  CHECK(PumpUntil([&] { return p->Count(UM_TIMER2) > 0; }));
  p->KillTimer2(3);
  for (const ProbeEntry& e : rig.probeLog) {
    if (e.msg == UM_TIMER2) CHECK(e.wParam == 3u);
  }
  SWindow* lone = NewElement(rig.app, L"window");
  CHECK_FALSE(lone->SetTimer(1, 1));  // no host window
  lone->Release();
}

TEST_CASE("SSendMessage keeps the element alive through a handler that destroys it") {
  ElementRig rig;
  rig.Load(L"<root><probe name='b' pos='10,10,@50,@30'/></root>");
  ProbeWnd* b = rig.Probe(L"b");
  const SwndHandle handle = b->GetSwnd();
  UINT outerMsg = 0;
  b->SubscribeEvent(EventLButtonUp::EventID, FnSlot([&](EventArgs*) {
                      b->SSendMessage(WM_MOUSEMOVE);  // a nested send
                      outerMsg = b->GetCurMsg()->uMsg;
                      b->DestroyWindow();
                      return true;
                    }));
  b->SSendMessage(WM_LBUTTONDOWN, 0, At(20, 20));
  BOOL handled = FALSE;
  b->SSendMessage(WM_LBUTTONUP, 0, At(20, 20), &handled);
  CHECK(handled);
  CHECK(outerMsg == WM_LBUTTONUP);
  CHECK(SWindowMgr::GetWindow(handle) == nullptr);
  CHECK(rig.root->GetChildrenCount() == 0);
}

TEST_CASE("tooltips: the element's text, or what a subscriber sets (an empty one suppresses)") {
  ElementRig rig;
  rig.Load(L"<root><window name='t' tip='hello' pos='1,2,@3,@4'/></root>");
  SWindow* t = rig.Find(L"t");
  SwndToolTipInfo info;
  CHECK(t->UpdateToolTip(POINT{2, 3}, info));
  CHECK(info.swnd == t->GetSwnd());
  CHECK(info.rcTarget.left == 1);
  CHECK(info.rcTarget.bottom == 6);
  CHECK(info.strTip == L"hello");

  bool suppress = true;
  t->SubscribeEvent(EventSwndUpdateTooltip::EventID, FnSlot([&](EventArgs* e) {
                      auto* tip = static_cast<EventSwndUpdateTooltip*>(e);
                      tip->bUpdated = TRUE;
                      tip->strToolTip = suppress ? L"" : L"other";
                      return true;
                    }));
  CHECK_FALSE(t->UpdateToolTip(POINT{2, 3}, info));
  suppress = false;
  CHECK(t->UpdateToolTip(POINT{2, 3}, info));
  CHECK(info.strTip == L"other");

  // A new text refreshes the tip only while the element is hovered.
  t->SetToolTipText(L"x");
  CHECK(rig.container.tooltipUpdates == 0);
  rig.container.hover = t->GetSwnd();
  t->SetToolTipText(L"y");
  CHECK(rig.container.tooltipUpdates == 1);
}

TEST_CASE("trackMouseEvent: registered with the container on creation and at run time") {
  ElementRig rig;
  rig.Load(L"<root><window name='t' trackMouseEvent='1'/><window name='u'/></root>");
  SWindow* t = rig.Find(L"t");
  CHECK(rig.container.tracked == std::vector<SwndHandle>{t->GetSwnd()});
  t->SetAttribute(SStringW(L"trackMouseEvent"), SStringW(L"0"), FALSE);
  CHECK(rig.container.tracked.empty());
}
