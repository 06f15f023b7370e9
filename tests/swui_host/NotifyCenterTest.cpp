// The notify centre: events raised on other threads run their subscribers on the UI thread.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "HostRig.h"
#include "core/MemberFunctionSlot.h"
#include "core/SNotifyCenter.h"

using namespace SWUI;

namespace {

class EventPing : public EventArgs {
  SWUI_EVENT_CLASS(9100, L"on_ping")

 public:
  explicit EventPing(int seq) : EventArgs(nullptr), seq(seq) {}
  int seq;
};

class EventStray : public EventArgs {
  SWUI_EVENT_CLASS(9101, L"on_stray")

 public:
  EventStray() : EventArgs(nullptr) {}
};

// An event subscriber that records on which thread it ran and what it saw.
struct Listener {
  bool OnPing(EventPing* e) {
    threads.push_back(GetCurrentThreadId());
    seqs.push_back(e->seq);
    if (clearBubble) e->bubbleUp = false;
    return handles;
  }
  std::vector<DWORD> threads;
  std::vector<int> seqs;
  bool handles = false;
  bool clearBubble = false;
};

// A centre-wide subscriber that may stop the event.
struct Wide {
  bool OnAny(EventArgs* e) {
    order->push_back(name);
    if (stops) e->bubbleUp = false;
    return answer;
  }
  std::vector<std::string>* order;
  std::string name;
  bool stops = false;
  bool answer = false;
};

}  // namespace

TEST_CASE("events fired on a worker reach their subscribers on the UI thread, in order") {
  HostRig rig;
  SNotifyCenter centre;
  REQUIRE(centre.GetReceiverHwnd() != nullptr);
  centre.AddEvent<EventPing>();
  Listener listener;
  REQUIRE(centre.SubscribeEvent(EventPing::EventID, Subscriber(&Listener::OnPing, &listener)));

  const int kCount = 20;
  std::vector<EventPing*> events;
  for (int i = 0; i < kCount; ++i) events.push_back(new EventPing(i));
  int posted = 0;
  std::thread worker([&] {
    for (EventPing* e : events) posted += centre.FireEventAsync(e) ? 1 : 0;
  });
  worker.join();
  CHECK(posted == kCount);
  CHECK(listener.seqs.empty());  // nothing runs until the UI thread takes its messages

  CHECK(PumpUntil([&] { return listener.seqs.size() == static_cast<size_t>(kCount); }));
  std::vector<int> expected;
  for (int i = 0; i < kCount; ++i) expected.push_back(i);
  CHECK(listener.seqs == expected);
  for (DWORD thread : listener.threads) CHECK(thread == GetCurrentThreadId());
  for (EventPing* e : events) {
    CHECK(e->GetRefCount() == 1);  // only the poster's own reference is left
    e->Release();
  }
}

TEST_CASE("an event whose id the centre never added reaches nobody") {
  HostRig rig;
  SNotifyCenter centre;
  centre.AddEvent<EventPing>();
  std::vector<std::string> order;
  Wide wide{&order, "wide"};
  REQUIRE(centre.RegisterEventMap(Subscriber(&Wide::OnAny, &wide)));
  auto* stray = new EventStray();
  REQUIRE(centre.FireEventAsync(stray));
  CHECK(PumpUntil([&] { return stray->GetRefCount() == 1; }));
  CHECK(order.empty());
  stray->Release();
}

TEST_CASE("centre-wide subscribers run newest first, after the event's own, until stopped") {
  HostRig rig;
  SNotifyCenter centre;
  centre.AddEvent<EventPing>();
  std::vector<std::string> order;
  Wide a{&order, "A"};
  Wide b{&order, "B"};
  REQUIRE(centre.RegisterEventMap(Subscriber(&Wide::OnAny, &a)));
  REQUIRE(centre.RegisterEventMap(Subscriber(&Wide::OnAny, &b)));
  CHECK_FALSE(centre.RegisterEventMap(Subscriber(&Wide::OnAny, &b)));  // equal: refused

  EventPing ping(0);
  centre.OnFireEvent(&ping);
  CHECK(order == std::vector<std::string>{"B", "A"});
  CHECK(ping.handled == 0);  // centre-wide answers are not counted

  // B stops the event, whatever it answers: A is not called.
  order.clear();
  b.stops = true;
  EventPing stopped(1);
  centre.OnFireEvent(&stopped);
  CHECK(order == std::vector<std::string>{"B"});

  // An event subscriber that handles the event and stops it keeps every centre-wide one out.
  order.clear();
  Listener listener;
  listener.handles = true;
  listener.clearBubble = true;
  REQUIRE(centre.SubscribeEvent(EventPing::EventID, Subscriber(&Listener::OnPing, &listener)));
  EventPing handled(2);
  centre.OnFireEvent(&handled);
  CHECK(listener.seqs == std::vector<int>{2});
  CHECK(handled.handled == 1);
  CHECK(order.empty());

  CHECK(centre.UnregisterEventMap(Subscriber(&Wide::OnAny, &b)));
  CHECK_FALSE(centre.UnregisterEventMap(Subscriber(&Wide::OnAny, &b)));
}

namespace {

// Unregisters itself (and another) while the centre walks its subscribers.
struct Leaver {
  bool OnAny(EventArgs*) {
    order->push_back(name);
    centre->UnregisterEventMap(Subscriber(&Leaver::OnAny, this));
    if (other != nullptr) centre->UnregisterEventMap(Subscriber(&Leaver::OnAny, other));
    return false;
  }
  SNotifyCenter* centre;
  std::vector<std::string>* order;
  std::string name;
  Leaver* other = nullptr;
};

}  // namespace

TEST_CASE("centre-wide subscribers may unregister while the event passes") {
  HostRig rig;
  SNotifyCenter centre;
  centre.AddEvent<EventPing>();
  std::vector<std::string> order;
  Leaver first{&centre, &order, "first"};
  Leaver second{&centre, &order, "second", &first};
  REQUIRE(centre.RegisterEventMap(Subscriber(&Leaver::OnAny, &first)));
  REQUIRE(centre.RegisterEventMap(Subscriber(&Leaver::OnAny, &second)));
  EventPing ping(0);
  centre.OnFireEvent(&ping);
  CHECK(order == std::vector<std::string>{"second"});  // it removed first before its turn
  order.clear();
  centre.OnFireEvent(&ping);
  CHECK(order.empty());
}

TEST_CASE("events still queued when the centre goes are released, and a closed centre refuses") {
  HostRig rig;
  std::vector<EventPing*> events;
  {
    SNotifyCenter centre;
    centre.AddEvent<EventPing>();
    for (int i = 0; i < 3; ++i) {
      events.push_back(new EventPing(i));
      REQUIRE(centre.FireEventAsync(events.back()));
      CHECK(events.back()->GetRefCount() == 2);
    }
  }
  for (EventPing* e : events) {
    CHECK(e->GetRefCount() == 1);
    e->Release();
  }

  SNotifyCenter closed;
  DestroyWindow(closed.GetReceiverHwnd());
  auto* late = new EventPing(9);
  CHECK_FALSE(closed.FireEventAsync(late));
  CHECK(late->GetRefCount() == 1);
  CHECK_FALSE(closed.FireEventAsync(nullptr));

  // A post that fails gives back the reference it took: here the window went behind the
  // centre's back, so the centre still holds its handle.
  SNotifyCenter orphan;
  HWND receiver = orphan.GetReceiverHwnd();
  SetWindowLongPtrW(receiver, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
  DestroyWindow(receiver);
  REQUIRE(orphan.GetReceiverHwnd() == receiver);
  CHECK_FALSE(orphan.FireEventAsync(late));
  CHECK(late->GetRefCount() == 1);
  late->Release();
}
