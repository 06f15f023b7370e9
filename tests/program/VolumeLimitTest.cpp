// The volume limit dialog inside the running program: the sliders show the image, a start
// volume stops at its limit, a limit pulled under its start takes the start along, closing keeps
// every move, and the moves reach the connected processor.
#include <doctest/doctest.h>

#include <string>

#include "CDlgVolumeLimitEventHandler.h"
#include "DeviceSteps.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ModalDriver.h"
#include "ProgramRig.h"
#include "RunningDialog.h"
#include "control/EventSliderPos.h"
#include "controls/ZuSlider.h"

namespace {

using R = CDlgVolumeLimitEventHandler;

// Drags slider i of the running dialog to v: the slider takes it and says so.
void Move(int i, int v) {
  auto* slider = dynamic_cast<ZuSlider*>(DialogElement(R::kFirstSlider + i));
  if (slider == nullptr) return;
  slider->SetValue(v);
  SWUI::EventSliderPos evt(slider);
  evt.nPos = v;
  slider->FireEvent(evt);
}

int SliderOf(int i) {
  auto* slider = dynamic_cast<ZuSlider*>(DialogElement(R::kFirstSlider + i));
  return slider != nullptr ? slider->GetValue() : -1;
}

std::wstring TextOf(int i) { return DialogElement(R::kFirstText + i)->GetWindowText().c_str(); }

int Row(int i) { return GetParam(Image(), R::kFirstRow + i); }

}  // namespace

TEST_CASE("volume limits: starts stay under their limits, moves are kept and reach the device") {
  ProgramRig rig;
  SimDevice& device = rig.PlugProcessor();
  const int starts[] = {50, 30, 20};
  const int limits[] = {60, 84, 70};
  for (int k = 0; k < 3; ++k) {
    SetDeviceRow(device, R::kFirstRow + 2 * k, static_cast<uint16_t>(starts[k]));
    SetDeviceRow(device, R::kFirstRow + 2 * k + 1, static_cast<uint16_t>(limits[k]));
  }
  REQUIRE(g_ParamDesc[R::kFirstRow].offset == 1384);
  REQUIRE(g_ParamDesc[R::kFirstRow + 5].offset == 1389);
  CHECK(rig.Run({Once([&] {
                   Connect();
                   ModalDriver drive({[&] {
                                        // What the image holds.
                                        for (int i = 0; i < R::kCount; ++i) {
                                          CAPTURE(i);
                                          const int v = i % 2 == 0 ? starts[i / 2] : limits[i / 2];
                                          CHECK(SliderOf(i) == v);
                                          CHECK(TextOf(i) == std::to_wstring(v));
                                        }
                                        // Music start 70 over its limit 60: 60, the slider back.
                                        Move(0, 70);
                                        CHECK(Row(0) == 60);
                                        CHECK(SliderOf(0) == 60);
                                        CHECK(TextOf(0) == L"60");
                                        // MIC limit 20 under its start 30: both 20.
                                        Move(3, 20);
                                        CHECK(Row(3) == 20);
                                        CHECK(Row(2) == 20);
                                        CHECK(SliderOf(2) == 20);
                                        CHECK(TextOf(2) == L"20");
                                        CHECK(TextOf(3) == L"20");
                                        // Effect start below its limit and effect limit above its
                                        // start: each only itself.
                                        Move(4, 10);
                                        Move(5, 65);
                                        CHECK(Row(4) == 10);
                                        CHECK(Row(5) == 65);
                                        // Music limit up: its start stays.
                                        Move(1, 80);
                                        CHECK(Row(0) == 60);
                                      },
                                      [&] { ClickDialog(L"btn_close"); }});
                   ProgramRig::Send(WM_COMMAND, 16);
                   CHECK_FALSE(drive.TimedOut());
                   // Closing kept every move.
                   const int expected[] = {60, 80, 20, 20, 10, 65};
                   for (int i = 0; i < R::kCount; ++i) CHECK(Row(i) == expected[i]);
                 }),
                 Until([&] {
                   return DeviceWrote(device, 1384, 60) && DeviceWrote(device, 1385, 80) &&
                          DeviceWrote(device, 1386, 20) && DeviceWrote(device, 1387, 20) &&
                          DeviceWrote(device, 1388, 10) && DeviceWrote(device, 1389, 65);
                 })}) == 0);
  CHECK_FALSE(rig.TimedOut());
}
