#include <doctest/doctest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/EventCmd.h"
#include "core/EventCtxMenu.h"
#include "core/EventKillFocus.h"
#include "core/EventLButtonDown.h"
#include "core/EventLButtonUp.h"
#include "core/EventSetFocus.h"
#include "core/EventSwndCreate.h"
#include "core/EventSwndDestroy.h"
#include "core/EventSwndMouseHover.h"
#include "core/EventSwndMouseLeave.h"
#include "core/EventSwndSize.h"
#include "core/EventSwndStateChanged.h"
#include "core/EventSwndUpdateTooltip.h"
#include "core/EventSwndVisibleChanged.h"
#include "core/MemberFunctionSlot.h"
#include "core/SEventSet.h"

using namespace SWUI;

namespace {

template <class E>
void CheckIdentity(int id, const wchar_t* name) {
  E ev(nullptr);
  CAPTURE(std::wstring(name));
  CHECK(E::EventID == id);
  CHECK(ev.GetID() == id);
  CHECK(std::wstring(ev.GetName()) == name);
  CHECK(std::wstring(ev.GetObjectClass()) == name);
  CHECK(ev.GetObjectType() == -1);
  CHECK(ev.IsClass(name));
  CHECK(ev.IsClass(L"eventargs"));
  CHECK_FALSE(ev.IsClass(L"EventArgs"));
  CHECK_FALSE(ev.IsClass(L"on_other"));
}

// A subscriber whose behaviour each test sets: it logs its name, may act on the event set,
// and answers its preset result.
struct Handler {
  Handler(std::string n, std::vector<std::string>* l, bool r = false)
      : name(std::move(n)), log(l), result(r) {}
  std::string name;
  std::vector<std::string>* log = nullptr;
  bool result = false;
  bool clearBubble = false;
  std::function<void()> action;

  bool OnEvent(EventArgs* args) {
    log->push_back(name);
    if (clearBubble) args->bubbleUp = false;
    if (action) action();
    return result;
  }
  bool OnOther(EventArgs*) { return true; }
  bool OnCmd(EventCmd* args) {
    log->push_back(name + ":cmd" + std::to_string(args->GetID()));
    return result;
  }
};

MemberFunctionSlot<Handler, EventArgs> SlotOf(Handler& h) {
  return Subscriber(&Handler::OnEvent, &h);
}

constexpr DWORD kId = EventCmd::EventID;

}  // namespace

TEST_CASE("the fourteen event classes carry their ids and script names") {
  CheckIdentity<EventSetFocus>(8100, L"on_set_focus");
  CheckIdentity<EventKillFocus>(8101, L"on_kill_focus");
  CheckIdentity<EventSwndCreate>(8102, L"on_create");
  CheckIdentity<EventSwndDestroy>(8103, L"on_destroy");
  CheckIdentity<EventSwndSize>(8104, L"on_size");
  CheckIdentity<EventSwndVisibleChanged>(8105, L"on_visible_changed");
  CheckIdentity<EventSwndStateChanged>(8106, L"on_state_changed");
  CheckIdentity<EventLButtonDown>(8107, L"on_mouse_lbutton_down");
  CheckIdentity<EventLButtonUp>(8108, L"on_mouse_lbutton_up");
  CheckIdentity<EventSwndUpdateTooltip>(8109, L"on_update_tooltip");
  CheckIdentity<EventSwndMouseHover>(9000, L"on_mouse_hover");
  CheckIdentity<EventSwndMouseLeave>(9001, L"on_mouse_leave");
  CheckIdentity<EventCmd>(10000, L"on_command");
  CheckIdentity<EventCtxMenu>(10001, L"on_conext_menu");
  EventSwndSize size(nullptr);
  CHECK(size.width == 0);
  CHECK(size.height == 0);
  EventSwndUpdateTooltip tip(nullptr);
  CHECK(tip.strToolTip.IsEmpty());
}

TEST_CASE("firing walks subscribers last to first with the stop rule") {
  // Each row: results and bubble-clearing of A, B, C (subscribed in that order), the calls
  // expected and the final handled count.
  struct Row {
    const char* what;
    bool result[3];
    bool clear[3];
    std::vector<std::string> calls;
    UINT handled;
  };
  const Row rows[] = {
      {"none handles", {false, false, false}, {false, false, false}, {"C", "B", "A"}, 0},
      {"all handle, bubble on", {true, true, true}, {false, false, false}, {"C", "B", "A"}, 3},
      {"C handles and stops", {true, true, true}, {false, false, true}, {"C"}, 1},
      {"C clears but declines; B handles and stops",
       {true, true, false},
       {false, false, true},
       {"C", "B"},
       1},
      {"B handles, A clears and declines", {false, true, false}, {true, false, false},
       {"C", "B", "A"}, 1},
  };
  for (const Row& row : rows) {
    CAPTURE(row.what);
    std::vector<std::string> log;
    Handler h[3] = {{"A", &log}, {"B", &log}, {"C", &log}};
    SEventSet set;
    set.AddEvent(kId, L"on_command");
    for (int i = 0; i < 3; ++i) {
      h[i].result = row.result[i];
      h[i].clearBubble = row.clear[i];
      REQUIRE(set.SubscribeEvent(kId, SlotOf(h[i])));
    }
    EventCmd ev(nullptr);
    set.FireEvent(ev);
    CHECK(log == row.calls);
    CHECK(ev.handled == row.handled);
  }
}

TEST_CASE("a muted set calls nobody; an unknown id is ignored") {
  std::vector<std::string> log;
  Handler a{"A", &log, true};
  SEventSet set;
  set.AddEvent(kId, L"on_command");
  REQUIRE(set.SubscribeEvent(kId, SlotOf(a)));
  set.SetMute(true);
  EventCmd ev(nullptr);
  set.FireEvent(ev);
  CHECK(log.empty());
  CHECK(ev.handled == 0);
  set.SetMute(false);
  EventSetFocus other(nullptr);
  set.FireEvent(other);
  CHECK(log.empty());
  set.FireEvent(ev);
  CHECK(log == std::vector<std::string>{"A"});
}

TEST_CASE("slot equality: same object and function, same type") {
  std::vector<std::string> log;
  Handler a{"A", &log}, b{"B", &log};
  SEventSet set;
  set.AddEvent(kId, L"on_command");
  CHECK(set.SubscribeEvent(kId, SlotOf(a)));
  CHECK_FALSE(set.SubscribeEvent(kId, SlotOf(a)));
  CHECK(set.SubscribeEvent(kId, SlotOf(b)));
  CHECK(set.SubscribeEvent(kId, Subscriber(&Handler::OnOther, &a)));
  auto typed = Subscriber(&Handler::OnCmd, &a);
  CHECK(typed.GetSlotType() == 10002);
  CHECK(SlotOf(a).GetSlotType() == 1);
  CHECK_FALSE(typed.Equal(SlotOf(a)));
  CHECK_FALSE(SlotOf(a).Equal(typed));
  CHECK(set.SubscribeEvent(kId, typed));
  CHECK(set.GetEventObject(kId)->GetSlotCount() == 4);
  CHECK_FALSE(set.SubscribeEvent(9999, SlotOf(a)));
  CHECK(set.UnsubscribeEvent(kId, SlotOf(b)));
  CHECK_FALSE(set.UnsubscribeEvent(kId, SlotOf(b)));
  CHECK_FALSE(set.UnsubscribeEvent(9999, SlotOf(a)));
  CHECK(set.GetEventObject(kId)->FindSlot(typed) == 2);
}

TEST_CASE("a slot that cannot be copied is not subscribed") {
  struct Uncopyable : ISlotFunctor {
    bool operator()(EventArgs*) override { return true; }
    ISlotFunctor* Clone() const override { return nullptr; }
    bool Equal(const ISlotFunctor& other) const override { return &other == this; }
    unsigned int GetSlotType() const override { return kSlotTypeGeneric; }
  };
  SEventSet set;
  set.AddEvent(kId, L"on_command");
  CHECK_FALSE(set.SubscribeEvent(kId, Uncopyable()));
  CHECK(set.GetEventObject(kId)->GetSlotCount() == 0);
  EventCmd ev(nullptr);
  set.FireEvent(ev);
  CHECK(ev.handled == 0);
}

TEST_CASE("a typed slot only receives the event class it was made for") {
  std::vector<std::string> log;
  Handler a{"A", &log, true};
  SEventSet set;
  set.AddEvent(kId, L"on_command");
  set.AddEvent(EventSetFocus::EventID, L"on_set_focus");
  auto typed = Subscriber(&Handler::OnCmd, &a);
  REQUIRE(set.SubscribeEvent(kId, typed));
  // Subscribed by mistake to another event: it must not read that event as an EventCmd.
  REQUIRE(set.SubscribeEvent(EventSetFocus::EventID, typed));
  EventSetFocus focus(nullptr);
  set.FireEvent(focus);
  CHECK(log.empty());
  CHECK(focus.handled == 0);
  EventCmd cmd(nullptr);
  set.FireEvent(cmd);
  CHECK(log == std::vector<std::string>{"A:cmd10000"});
  CHECK(cmd.handled == 1);
}

TEST_CASE("event set bookkeeping: first name stays, script handlers by exact name") {
  SEventSet set;
  set.AddEvent(1, L"first");
  set.AddEvent(1, L"second");
  set.AddEvent(2, L"other");
  CHECK(set.GetEventObject(1)->GetName() == L"first");
  CHECK_FALSE(set.SetEventScriptHandler(L"second", "h"));
  CHECK(set.SetEventScriptHandler(L"first", "h1"));
  CHECK_FALSE(set.SetEventScriptHandler(L"First", "h"));
  CHECK(set.GetEventScriptHandler(L"first") == "h1");
  CHECK(set.GetEventScriptHandler(L"missing").IsEmpty());
  set.RemoveEvent(1);
  CHECK_FALSE(set.IsEventPresent(1));
  CHECK(set.IsEventPresent(2));
  set.RemoveEvent(1);
  set.RemoveAllEvents();
  CHECK_FALSE(set.IsEventPresent(2));
}

TEST_CASE("subscribers may change the subscriptions while the event fires") {
  std::vector<std::string> log;
  Handler a{"A", &log}, b{"B", &log}, c{"C", &log}, d{"D", &log};
  auto set = std::make_unique<SEventSet>();
  set->AddEvent(kId, L"on_command");
  for (Handler* h : {&a, &b, &c}) REQUIRE(set->SubscribeEvent(kId, SlotOf(*h)));

  SUBCASE("a subscriber unsubscribes itself") {
    c.action = [&] { CHECK(set->UnsubscribeEvent(kId, SlotOf(c))); };
    EventCmd ev(nullptr);
    set->FireEvent(ev);
    CHECK(log == std::vector<std::string>{"C", "B", "A"});
    log.clear();
    set->FireEvent(ev);
    CHECK(log == std::vector<std::string>{"B", "A"});
  }
  SUBCASE("a subscriber unsubscribes one not yet called, and subscribes a new one") {
    c.action = [&] {
      CHECK(set->UnsubscribeEvent(kId, SlotOf(a)));
      CHECK(set->SubscribeEvent(kId, SlotOf(d)));
    };
    EventCmd ev(nullptr);
    set->FireEvent(ev);
    CHECK(log == std::vector<std::string>{"C", "B"});
    c.action = nullptr;
    log.clear();
    set->FireEvent(ev);
    CHECK(log == std::vector<std::string>{"D", "C", "B"});
  }
  SUBCASE("a subscriber unsubscribes all and re-fires") {
    int depth = 0;
    c.action = [&] {
      if (depth++ > 0) return;
      EventCmd inner(nullptr);
      set->FireEvent(inner);
      set->RemoveEvent(kId);
    };
    EventCmd ev(nullptr);
    set->FireEvent(ev);
    CHECK(log == std::vector<std::string>{"C", "C", "B", "A"});
    CHECK_FALSE(set->IsEventPresent(kId));
  }
  SUBCASE("a subscriber destroys the owner of the event set") {
    b.action = [&] { set.reset(); };
    EventCmd ev(nullptr);
    // Must return without touching the dead set or the deleted slots.
    auto* raw = set.get();
    raw->FireEvent(ev);
    CHECK(log == std::vector<std::string>{"C", "B"});
    CHECK(set == nullptr);
  }
}

TEST_CASE("many subscribers: one removes others that are still to come") {
  std::vector<std::string> log;
  std::vector<std::unique_ptr<Handler>> handlers;
  SEventSet set;
  set.AddEvent(kId, L"on_command");
  for (int i = 0; i < 12; ++i) {
    handlers.push_back(std::make_unique<Handler>(std::to_string(i), &log));
    REQUIRE(set.SubscribeEvent(kId, SlotOf(*handlers.back())));
  }
  // The last subscribed runs first and drops every even-numbered one.
  handlers[11]->action = [&] {
    for (int i = 0; i < 12; i += 2) CHECK(set.UnsubscribeEvent(kId, SlotOf(*handlers[i])));
  };
  EventCmd ev(nullptr);
  set.FireEvent(ev);
  CHECK(log == std::vector<std::string>{"11", "9", "7", "5", "3", "1"});
  CHECK(set.GetEventObject(kId)->GetSlotCount() == 6);
}
