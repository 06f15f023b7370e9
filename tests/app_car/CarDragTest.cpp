// Dragging the speaker view's handles: clamping, what a move recomputes and shows, the event,
// the release and timer 1, and where the handles go when the view is laid out again.
#include "CarRig.h"
#include "controls/EventCarDelayChanged.h"

using namespace SWUI;

namespace {


int CountFired(CarRig& r, DWORD id) {
  int count = 0;
  for (const TestContainer::Fired& fired : r.rig.container.fired) count += fired.id == id;
  return count;
}

}  // namespace

TEST_CASE("car drag: the centre follows the cursor less the grab, clamped into the area") {
  CarRig r;
  r.car->SetSpeakerCount(2);
  int events = 0;
  r.car->SubscribeEvent(EventCarDelayChanged::EventID, FnSlot([&](EventArgs* e) {
                          CHECK(e->IsClass(L"onCarDelayChanged"));
                          ++events;
                          return false;
                        }));
  ZuCarThumb* s1 = r.Thumb(1);
  REQUIRE(s1->GetWindowRect() == RECT{335, 75, 345, 85});

  s1->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(342, 83));  // grab (2, 3) off the centre
  CHECK(s1->IsDragging());
  CHECK(r.rig.container.capture == s1->GetSwnd());
  CHECK(events == 0);
  s1->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(302, 133));
  CHECK(s1->Center() == POINT{300, 130});
  CHECK(r.car->GetSpeaker(0)->mm == POINT{600, -500});
  CHECK(events == 1);
  CHECK(CountFired(r, EventCarDelayChanged::EventID) == 1);  // bubbles out of the tree
  CHECK(r.Text(L"grid")->IsVisible());
  CHECK(r.Text(L"curve")->IsVisible());
  CHECK(r.Text(L"car_pos_tip")->IsVisible());
  CHECK(r.TextOf(L"car_pos_tip") == L"0.600m,-0.500m");
  CHECK(r.Text(L"car_pos_tip")->GetWindowRect().left == 310);  // beside the handle, below it
  CHECK(r.Text(L"car_pos_tip")->GetWindowRect().top == 135);
  // The new delays and where the speaker's text went.
  CHECK(r.car->GetSpeaker(0)->distPx == doctest::Approx(78.1025).epsilon(1e-6));
  CHECK(r.TextOf(L"ch1_tip") == L"3.523ms");  // (200 - sqrt(60^2 + 50^2)) x 10 mm / 346
  CHECK(r.Text(L"ch1_tip")->GetWindowRect().left == 310);
  CHECK(r.Text(L"ch1_tip")->GetWindowRect().top == 125);

  s1->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(1000, -50));
  CHECK(s1->Center() == POINT{380, 20});  // the drawing area's top-right corner
  CHECK(r.car->GetSpeaker(0)->mm == POINT{1400, 600});
  s1->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(-100, 900));
  CHECK(s1->Center() == POINT{40, 280});
  CHECK(r.car->GetSpeaker(0)->mm == POINT{-2000, -2000});
  CHECK(events == 3);

  s1->SSendMessage(WM_LBUTTONUP, 0, At(-100, 900));
  CHECK_FALSE(s1->IsDragging());
  CHECK(r.rig.container.capture == 0);
  CHECK_FALSE(r.Text(L"car_pos_tip")->IsVisible());
  CHECK(r.Text(L"grid")->IsVisible());              // until timer 1
  s1->SSendMessage(WM_MOUSEMOVE, 0, At(200, 200));  // no longer dragged
  CHECK(s1->Center() == POINT{40, 280});
  CHECK(events == 3);

  r.car->SSendMessage(WM_TIMER, 1);
  CHECK_FALSE(r.Text(L"grid")->IsVisible());
  CHECK_FALSE(r.Text(L"curve")->IsVisible());
}

TEST_CASE("car drag: moving the listener moves every delay") {
  CarRig r;
  r.car->SetSpeakerCount(2);
  ZuCarThumb* listener = r.Thumb(0);
  listener->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(240, 80));
  listener->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(240, 180));  // halfway to speaker 2
  CHECK(r.car->GetListenerMm() == POINT{0, -1000});
  CHECK(r.car->GetListenerPx() == POINT{240, 180});
  CHECK(r.TextOf(L"car_pos_tip") == L"0.000m,-1.000m");
  // Speaker 1 is now the farther one: sqrt(100^2 + 100^2) against 100.
  CHECK(r.car->GetDelayMs(0) == 0.0);
  CHECK(r.car->GetSpeaker(1)->delayMm == doctest::Approx((141.421356 - 100) * 10).epsilon(1e-6));
  CHECK(r.car->GetSpeaker(1)->virtualPx == POINT{240, 321});
  CHECK(r.TipOf(0) == L"(0.000m,-1.000m)");
  listener->SSendMessage(WM_LBUTTONUP, 0, At(240, 180));
}

TEST_CASE("car drag: only timer 1 hides the plot; a lost capture ends the drag") {
  CarRig r;
  r.car->SetSpeakerCount(1);
  ZuCarThumb* s1 = r.Thumb(1);
  s1->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(340, 80));
  s1->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(330, 80));
  s1->SSendMessage(WM_LBUTTONUP, 0, At(330, 80));
  r.car->SSendMessage(WM_TIMER, 2);  // not the car's
  CHECK(r.Text(L"grid")->IsVisible());
  r.car->SSendMessage(WM_TIMER, 1);
  CHECK_FALSE(r.Text(L"grid")->IsVisible());
  // A handle that lost the capture without a button-up stops at the next move.
  s1->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(330, 80));
  r.rig.container.capture = 0;
  s1->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, At(300, 80));
  CHECK_FALSE(s1->IsDragging());
  CHECK(s1->Center() == POINT{330, 80});
}

TEST_CASE("car layout: handles keep their fractions, or their offsets from the bottom-left") {
  // Speaker 3 places itself by offsets (percentFloat 0): a move sets them.
  CarRig r(CarXml(L"", L"<zucarthumb id='4' name='t4' size='10,10'/>"));
  ZuCar* car = r.car;
  ZuCarThumb* byOffset = r.Thumb(4);
  CHECK(byOffset->GetWindowRect() == RECT{0, 300, 10, 310});  // offsets 0: below the view
  car->SetSpeakerCount(4);
  byOffset->MoveCenter(140, 180);
  CHECK(byOffset->GetXFloat() == doctest::Approx(135.0 / 400));
  CHECK(byOffset->GetYFloat() == doctest::Approx(125.0 / 300));
  r.Thumb(1)->MoveCenter(340, 180);

  r.rig.root->FindChildByName(L"car")->SetAttribute(L"pos", L"0,0,@800,@600", FALSE);
  r.rig.root->UpdateLayout();
  REQUIRE(car->GetWindowRect() == RECT{0, 0, 800, 600});
  // The offset handle keeps its distance to the left and bottom edges, so its millimetres.
  CHECK(byOffset->Center() == POINT{140, 480});
  CHECK(car->GetSpeaker(3)->mm == POINT{-1000, -1000});
  // The fraction handle keeps its place relative to the view's size.
  CHECK(r.Thumb(1)->Center() == POINT{675, 355});
  CHECK(car->GetSpeaker(0)->mm == POINT{4350, 250});
  // The texts followed the handles.
  CHECK(r.Text(L"ch1_tip")->GetWindowRect().left == 685);
  CHECK(r.Text(L"ch1_tip")->GetWindowRect().top == 350);
}
