// The speaker view's arithmetic: millimetres and pixels, the grid step, distances, virtual
// points and delays with the texts that show them, the speaker count and the attributes.
#include <cmath>

#include "CarRig.h"

using namespace SWUI;

namespace {

const RECT kView = {0, 0, kCarWidth, kCarHeight};

}  // namespace

TEST_CASE("car geometry: millimetres and pixels, both ways, and the grid step") {
  CarPlotGeometry g;
  CHECK(g.PxOfMm(kView, POINT{0, 0}) == POINT{240, 80});
  CHECK(g.MmOfPx(kView, POINT{240, 80}) == POINT{0, 0});
  CHECK(g.PxOfMm(kView, POINT{-2000, -2000}) == POINT{40, 280});  // the margins' corner
  CHECK(g.PxOfMm(kView, POINT{1000, -2000}) == POINT{340, 280});
  for (int px = -3; px < 420; px += 7) {
    CAPTURE(px);
    const POINT pt = {px, 300 - px / 2};
    CHECK(g.PxOfMm(kView, g.MmOfPx(kView, pt)) == pt);
  }
  const RECT moved = {100, 50, 500, 350};  // another client rectangle shifts the pixels only
  CHECK(g.PxOfMm(moved, POINT{0, 0}) == POINT{340, 130});

  CHECK(g.DrawingArea(kView) == RECT{40, 20, 380, 280});
  CHECK(g.ClampToArea(kView, POINT{1000, -50}) == POINT{380, 20});
  CHECK(g.ClampToArea(kView, POINT{-5, 900}) == POINT{40, 280});
  CHECK(g.ClampToArea(kView, POINT{100, 100}) == POINT{100, 100});

  struct StepCase {
    int mmPerScale, mmPerPx, step;
  };
  const StepCase steps[] = {{1000, 10, 100}, {15, 10, 2}, {14, 10, 1},
                            {4, 10, 1},      {0, 10, 1},  {-500, 10, 1}};
  for (const StepCase& c : steps) {
    CAPTURE(c.mmPerScale);
    g.mmPerScale = c.mmPerScale;
    g.mmPerPx = c.mmPerPx;
    CHECK(g.GridStep() == c.step);
  }
}

TEST_CASE("car delays: the nearer speaker waits for the farther, 346 m/s") {
  CarRig r;
  ZuCar* car = r.car;
  CHECK(car->GetSpeakerHandles() == 3);
  car->SetSpeakerCount(2);
  CHECK(car->GetListenerMm() == POINT{0, 0});
  CHECK(car->GetListenerPx() == POINT{240, 80});
  const ZuCar::Speaker& s1 = *car->GetSpeaker(0);
  const ZuCar::Speaker& s2 = *car->GetSpeaker(1);
  CHECK(s1.mm == POINT{1000, 0});
  CHECK(s2.mm == POINT{0, -2000});
  CHECK(s1.distPx == doctest::Approx(100.0));
  CHECK(s2.distPx == doctest::Approx(200.0));
  CHECK(s1.virtualPx == POINT{440, 80});
  CHECK(s2.virtualPx == POINT{240, 280});
  CHECK(s1.delayMm == doctest::Approx(1000.0));
  CHECK(car->GetDelayMs(0) == doctest::Approx(1000.0 / 346.0));
  CHECK(car->GetDelayMs(1) == 0.0);
  CHECK(car->GetSoundSpace() == RECT{40, -120, 440, 280});

  CHECK(r.TextOf(L"ch1_tip") == L"2.890ms");
  CHECK(r.TextOf(L"ch2_tip") == L"0.000ms");
  CHECK(r.TipOf(0) == L"(0.000m,0.000m)");
  CHECK(r.TipOf(1) == L"(1.000m,0.000m)\nDelay:1000.00mm\nDelay:2.890ms");
  CHECK(r.TipOf(2) == L"(0.000m,-2.000m)\nDelay:0.00mm\nDelay:0.000ms");
  // Each text stands 5 pixels right of its handle, level with its top.
  CHECK(r.Text(L"ch1_tip")->GetWindowRect().left == 350);
  CHECK(r.Text(L"ch1_tip")->GetWindowRect().top == 75);
  CHECK(r.Text(L"ch2_tip")->GetWindowRect().left == 250);
  CHECK(r.Text(L"ch2_tip")->GetWindowRect().top == 275);
}

TEST_CASE("car delays: a speaker on the listener is its own virtual point") {
  // Speaker 1 on the listener, speaker 2 200 pixels away.
  CarRig r(L"<root><zucar name='car' pos='0,0,-0,-0'>" + ThumbXml(0, 240, 80) +
           ThumbXml(1, 240, 80) + ThumbXml(2, 240, 280) + L"<text name='ch1_tip'/></zucar></root>");
  r.car->SetSpeakerCount(2);
  const ZuCar::Speaker& s1 = *r.car->GetSpeaker(0);
  CHECK(s1.distPx == 0.0);
  CHECK(s1.virtualPx == POINT{240, 80});
  CHECK(s1.delayMm == doctest::Approx(2000.0));
  CHECK(r.TextOf(L"ch1_tip") == L"5.780ms");

  r.car->SetSpeakerCount(1);  // alone on the listener: nothing to wait for
  CHECK(r.car->GetSpeaker(0)->virtualPx == POINT{240, 80});
  CHECK(r.car->GetDelayMs(0) == 0.0);
  CHECK(r.TextOf(L"ch1_tip") == L"0.000ms");
  CHECK(r.car->GetSoundSpace() == RECT{240, 80, 240, 80});
}

TEST_CASE("car speaker count: clamped to 0..31 and to the handles, and what it shows") {
  CarRig r;
  ZuCar* car = r.car;
  auto shown = [&](int id) { return r.Thumb(id)->IsVisible(); };
  // Nothing shows before a count is set; the plot and the position tip wait for a drag.
  CHECK(car->GetSpeakerCount() == 0);
  CHECK_FALSE(shown(0));
  CHECK_FALSE(r.Text(L"ch1_tip")->IsVisible());
  CHECK_FALSE(r.Text(L"car_pos_tip")->IsVisible());
  CHECK_FALSE(r.Text(L"grid")->IsVisible());
  CHECK_FALSE(r.Text(L"curve")->IsVisible());

  const struct { int asked, count; } cases[] = {{1, 1}, {-3, 0}, {40, 3}, {31, 3}, {2, 2}, {0, 0}};
  for (const auto& c : cases) {
    CAPTURE(c.asked);
    car->SetSpeakerCount(c.asked);
    CHECK(car->GetSpeakerCount() == c.count);
    CHECK(shown(0) == (c.count > 0));
    for (int id = 1; id <= 3; ++id) {
      CAPTURE(id);
      CHECK(shown(id) == (id <= c.count));
      wchar_t tip[16];
      swprintf(tip, 16, L"ch%d_tip", id);
      CHECK(r.Text(tip)->IsVisible() == (id <= c.count));
    }
  }
  // Speakers past the count wait for nobody and delay nothing.
  car->SetSpeakerCount(1);
  CHECK(car->GetSpeaker(1)->delayMm == 0.0);
  CHECK(car->GetDelayMs(0) == 0.0);
  CHECK(car->GetSpeaker(31) == nullptr);
  CHECK(car->GetSpeaker(-1) == nullptr);
}

TEST_CASE("car speaker count: handles are counted from id 1 up to the first gap") {
  CarRig r(L"<root><zucar name='car' pos='0,0,-0,-0'>" + ThumbXml(0, 240, 80) +
           ThumbXml(1, 100, 100) + ThumbXml(2, 120, 100) + ThumbXml(4, 140, 100) +
           ThumbXml(40, 160, 100) + L"</zucar></root>");
  CHECK(r.car->GetSpeakerHandles() == 2);
  r.car->SetSpeakerCount(31);
  CHECK(r.car->GetSpeakerCount() == 2);
  CHECK_FALSE(r.Thumb(4)->IsVisible());
}

TEST_CASE("car attributes: a scale not above 0 is refused; a new scale reads the handles again") {
  CarRig r;
  ZuCar* car = r.car;
  car->SetSpeakerCount(2);
  CHECK(car->SetAttribute(L"mmPerPx", L"0", FALSE) == E_FAIL);
  CHECK(car->SetAttribute(L"MMPERPX", L"-5", FALSE) == E_FAIL);
  CHECK(car->Geometry().mmPerPx == 10);

  CHECK(car->SetAttribute(L"mmPerPx", L"20", FALSE) == S_OK);
  // The handles stay where they are; their millimetres double from the margins' corner.
  CHECK(car->GetListenerPx() == POINT{240, 80});
  CHECK(car->GetListenerMm() == POINT{2000, 2000});
  CHECK(car->GetSpeaker(0)->mm == POINT{4000, 2000});
  CHECK(car->GetSpeaker(0)->delayMm == doctest::Approx(2000.0));
  CHECK(r.TextOf(L"ch1_tip") == L"5.780ms");

  CHECK(car->SetAttribute(L"ldist", L"140", FALSE) == S_OK);
  CHECK(car->Geometry().ldist == 140);
  CHECK(car->GetListenerMm() == POINT{0, 2000});
  CHECK(car->SetAttribute(L"zhouJu", L"3000", FALSE) == S_OK);
  CHECK(car->SetAttribute(L"carWidth", L"2000", FALSE) == S_OK);
  // Body 100 x 150 pixels on the margins' corner (140, 280); extent 50 more above and below.
  CHECK(car->GetCarBody() == RECT{140, 130, 240, 280});
  CHECK(car->GetCarExtent() == RECT{140, 80, 240, 330});
}
