// Dragging an EQ handle (what it reports, and that it does not move itself) and the pulse of a
// selected handle, driven frame by frame.
#include <set>
#include <vector>

#include "EqRig.h"

using namespace SWUI;

namespace {

// The fields of each EventThumbMoving a handle raised.
struct Move {
  int bandIndex, newLeft, newTop, curLeft, curTop;
};

struct Moves {
  std::vector<Move> seen;

  void Watch(SMoveThumb* thumb) {
    thumb->SubscribeEvent(EventThumbMoving::EventID, FnSlot([this](EventArgs* e) {
                            auto* evt = dynamic_cast<EventThumbMoving*>(e);
                            REQUIRE(evt != nullptr);
                            seen.push_back(Move{evt->bandIndex, evt->newLeft, evt->newTop,
                                                evt->curLeft, evt->curTop});
                            return false;
                          }));
  }
};

// The editor with one band at 1 kHz and 0 dB: its handle at (362, 97), 18 x 18.
struct OneBand {
  EqRig eq;
  Model model{Band(1000, 0)};
  SMoveThumb* band = nullptr;

  OneBand() {
    eq.editor->SetCurve(&model.info);
    band = eq.BandThumb(0);
  }
};

// Width of a handle's window rectangle.
int Width(SWindow* wnd) {
  const RECT rc = wnd->GetWindowRect();
  return rc.right - rc.left;
}

}  // namespace

TEST_CASE("handle drag: reports the proposed top-left and stays where it is") {
  OneBand one;
  EqRig& eq = one.eq;
  SMoveThumb* band = one.band;
  REQUIRE(band->GetWindowRect() == RECT{362, 97, 380, 115});
  Moves moves;
  moves.Watch(band);

  band->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(371, 106));
  CHECK(band->IsDragging());
  CHECK(eq.rig.container.capture == band->GetSwnd());
  band->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(371, 106));  // same pixel: nothing
  CHECK(moves.seen.empty());
  band->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(378, 111));
  REQUIRE(moves.seen.size() == 1);
  const Move& evt = moves.seen[0];
  CHECK(evt.newLeft == 369);
  CHECK(evt.newTop == 102);
  CHECK(evt.curLeft == 362);
  CHECK(evt.curTop == 97);
  CHECK(evt.bandIndex == -1);
  CHECK(band->GetWindowRect() == RECT{362, 97, 380, 115});  // the page logic moves it
  bool bubbled = false;
  for (const TestContainer::Fired& fired : eq.rig.container.fired) {
    bubbled = bubbled || fired.id == EventThumbMoving::EventID;
  }
  CHECK(bubbled);

  band->SSendMessage(WM_LBUTTONUP, 0, At(378, 111));
  CHECK_FALSE(band->IsDragging());
  CHECK(eq.rig.container.capture == 0);
  band->SSendMessage(WM_MOUSEMOVE, 0, At(390, 120));  // no longer dragged
  CHECK(moves.seen.size() == 1);
}

TEST_CASE("handle drag: an axis it may not move along keeps its current value") {
  EqRig eq;
  Model m{Band(1000, 0)};
  SetEqCurveHighPass(m.info, 1, 1000, -12, 0.7);
  eq.editor->SetCurve(&m.info);
  SMoveThumb* hp = eq.Thumb(L"hp");
  const RECT rc = hp->GetWindowRect();
  Moves moves;
  moves.Watch(hp);
  hp->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(rc.left + 5, rc.top + 5));
  hp->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(rc.left + 5, rc.top + 40));  // only down
  CHECK(moves.seen.empty());
  hp->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(rc.left + 2, rc.top + 40));
  REQUIRE(moves.seen.size() == 1);
  CHECK(moves.seen[0].newLeft == rc.left - 3);
  CHECK(moves.seen[0].newTop == rc.top);
  CHECK(moves.seen[0].curTop == rc.top);
}

TEST_CASE("handle drag: a guide reports the band it shows") {
  EqRig eq;
  Model m(2);
  SetEqCurveBand(m.info, 1, Band(1000, 0.5, 1.0));
  eq.editor->SetCurve(&m.info);
  eq.editor->ShowBandGuide();
  SMoveThumb* right = eq.Thumb(L"gr");
  const RECT rc = right->GetWindowRect();
  Moves moves;
  moves.Watch(right);
  right->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(rc.left + 1, rc.top + 1));
  right->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(rc.left + 2, rc.top + 1));
  REQUIRE(moves.seen.size() == 1);
  CHECK(moves.seen[0].bandIndex == 1);
  CHECK(moves.seen[0].newLeft == rc.left + 1);
}

TEST_CASE("handle drag ends when the handle lost the capture") {
  OneBand one;
  EqRig& eq = one.eq;
  SMoveThumb* band = one.band;
  Moves moves;
  moves.Watch(band);
  band->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(371, 106));
  eq.rig.container.capture = 0;  // the host window released it
  band->SSendMessage(WM_MOUSEMOVE, 0, At(380, 106));
  CHECK(moves.seen.empty());
  CHECK_FALSE(band->IsDragging());
}

TEST_CASE("handle pulse: one pixel larger from frame 30, back at frame 60, and again") {
  OneBand one;
  EqRig& eq = one.eq;
  SMoveThumb* band = one.band;
  band->StartPulse();
  CHECK(band->IsPulsing());
  std::vector<int> redrawnAt;
  for (int frame = 1; frame <= 120; ++frame) {
    const size_t before = eq.rig.container.redraws.size();
    band->OnNextFrame();
    if (eq.rig.container.redraws.size() != before) redrawnAt.push_back(frame);
    if (frame == 29 || frame == 60 || frame == 89 || frame == 120) {
      CAPTURE(frame);
      CHECK(Width(band) == 18);
    }
    if (frame == 30 || frame == 59 || frame == 90) {
      CAPTURE(frame);
      CHECK(band->GetWindowRect() == RECT{361, 96, 381, 116});  // the centre stays
    }
  }
  CHECK(redrawnAt == std::vector<int>{30, 60, 90, 120});  // only the frames that change it
}

TEST_CASE("handle pulse: idle while dragged, stopped mid-cycle back at layout size") {
  OneBand one;
  EqRig& eq = one.eq;
  SMoveThumb* band = one.band;
  band->StartPulse();
  for (int frame = 0; frame < 29; ++frame) band->OnNextFrame();
  band->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(371, 106));
  const size_t redraws = eq.rig.container.redraws.size();
  for (int frame = 0; frame < 10; ++frame) band->OnNextFrame();
  CHECK(Width(band) == 18);
  CHECK(eq.rig.container.redraws.size() == redraws);
  band->SSendMessage(WM_LBUTTONUP, 0, At(371, 106));
  band->OnNextFrame();  // frame 30 of the pulse
  CHECK(Width(band) == 20);

  for (int frame = 30; frame < 45; ++frame) band->OnNextFrame();
  band->StopPulse();
  CHECK_FALSE(band->IsPulsing());
  CHECK(band->GetWindowRect() == RECT{362, 97, 380, 115});
  band->OnNextFrame();
  CHECK(band->GetWindowRect() == RECT{362, 97, 380, 115});
}

TEST_CASE("handle pulse: moves and layouts while grown never change the size for good") {
  OneBand one;
  EqRig& eq = one.eq;
  SMoveThumb* band = one.band;
  band->StartPulse();
  for (int frame = 0; frame < 30; ++frame) band->OnNextFrame();
  REQUIRE(Width(band) == 20);
  band->MoveCenter(200, 100);  // the page logic follows a drag while grown
  CHECK(band->GetWindowRect() == RECT{190, 90, 210, 110});
  eq.rig.root->OnRelayout(RECT{0, 0, 600, 299});  // and a layout while grown
  eq.rig.root->OnRelayout(RECT{0, 0, 600, 300});
  CHECK(Width(band) == 20);
  CHECK(EqRig::Center(band) == POINT{371, 106});  // the editor put it back on its band
  for (int frame = 30; frame < 60; ++frame) band->OnNextFrame();
  CHECK(band->GetWindowRect() == RECT{362, 97, 380, 115});

  // Restarting mid-cycle starts at layout size.
  for (int frame = 0; frame < 40; ++frame) band->OnNextFrame();
  REQUIRE(Width(band) == 20);
  band->StartPulse();
  CHECK(Width(band) == 18);
  for (int frame = 0; frame < 29; ++frame) band->OnNextFrame();
  CHECK(Width(band) == 18);
}

namespace {

// A container that keeps the timeline handlers registered with it.
class TimelineContainer : public TestContainer {
 public:
  TimelineContainer() : TestContainer(kEqWidth, kEqHeight) {}
  BOOL RegisterTimelineHandler(ITimelineHandler* handler) override {
    return handlers.insert(handler).second;
  }
  BOOL UnregisterTimelineHandler(ITimelineHandler* handler) override {
    return handlers.erase(handler) != 0;
  }
  std::set<ITimelineHandler*> handlers;
};

}  // namespace

TEST_CASE("handle pulse: on the container's timeline until stopped or destroyed") {
  OneBand one;
  TimelineContainer timeline;
  timeline.SetRoot(one.eq.rig.root);
  one.eq.rig.root->SetContainer(&timeline);
  SMoveThumb* band = one.band;
  SMoveThumb* other = one.eq.BandThumb(1);
  band->StartPulse();
  other->StartPulse();
  CHECK(timeline.handlers.size() == 2);
  band->StopPulse();
  CHECK(timeline.handlers.count(band) == 0);
  other->DestroyWindow();
  CHECK(timeline.handlers.empty());
  one.eq.rig.root->SetContainer(&one.eq.rig.container);
}
