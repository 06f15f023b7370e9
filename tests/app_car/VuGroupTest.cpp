// The VU group: which children it feeds, the countdown (10 per frame, 100 after levels, 2000
// without), and levels handed over from another thread.
#include <thread>
#include <vector>

#include "ElementRig.h"
#include "controls/IVuMeter.h"
#include "controls/ZuVuGroup.h"
#include "controls/ZuVuMeter.h"

using namespace SWUI;

namespace {

// Stand-ins for the meter classes: a "progress" and a "zuvumeter" that is one.
class FakeProgress : public SWindow {
  SWUI_CLASS_NAME(SWindow, L"progress")
};

class FakeVuMeter : public FakeProgress, public IVuMeter {
  SWUI_CLASS_NAME(FakeProgress, L"zuvumeter")

 public:
  void SetMeterValue(int value) override {
    this->value = value;
    ++sets;
  }
  int value = -1;
  int sets = 0;
};

struct VuRig {
  VuRig() {
    REQUIRE(rig.app.TplRegisterFactory<ZuVuGroup>());
    // The stand-ins replace the real progress bar and meter, which need skins to be created.
    REQUIRE(rig.app.TplRegisterFactory<FakeProgress>(TRUE));
    REQUIRE(rig.app.TplRegisterFactory<FakeVuMeter>(TRUE));
    // Only direct "zuvumeter" children count: not a plain progress, not a grandchild.
    rig.Load(
        L"<root><zuvugroup name='vu' pos='0,0,-0,-0'>"
        L"<zuvumeter name='m0'/><progress name='p'/><zuvumeter name='m1'/>"
        L"<window><zuvumeter name='deep'/></window><zuvumeter name='m2'/>"
        L"</zuvugroup></root>");
    group = dynamic_cast<ZuVuGroup*>(rig.Find(L"vu"));
    REQUIRE(group != nullptr);
  }
  FakeVuMeter* Meter(const wchar_t* name) {
    auto* meter = dynamic_cast<FakeVuMeter*>(rig.Find(name));
    REQUIRE(meter != nullptr);
    return meter;
  }
  std::vector<int> Values() {
    return {Meter(L"m0")->value, Meter(L"m1")->value, Meter(L"m2")->value};
  }
  // Runs frames until a meter is set; how many it took (0: none within the limit).
  int FramesUntilSet(int limit) {
    const int before = Meter(L"m0")->sets;
    for (int frame = 1; frame <= limit; ++frame) {
      group->OnNextFrame();
      if (Meter(L"m0")->sets != before) return frame;
    }
    return 0;
  }

  ElementRig rig;
  ZuVuGroup* group = nullptr;
};

}  // namespace

TEST_CASE("vu group: meters in order, levels every 100 ms, zeros after 2000 without") {
  VuRig vu;
  CHECK(vu.Meter(L"m0")->IsClass(L"progress"));
  CHECK(vu.group->GetMeterCount() == 3);
  CHECK(vu.Meter(L"deep")->sets == 0);

  const int levels[] = {30, 60};
  CHECK(vu.group->SetLevels(levels, 2));
  CHECK(vu.FramesUntilSet(50) == 10);
  CHECK(vu.Values() == std::vector<int>{30, 60, 0});  // past the last level: 0
  CHECK(vu.group->GetCountdown() == 100);
  // Nothing new: after the next 10 frames every meter drops to 0 and the group waits 2000 ms.
  CHECK(vu.FramesUntilSet(50) == 10);
  CHECK(vu.Values() == std::vector<int>{0, 0, 0});
  CHECK(vu.group->GetCountdown() == 2000);
  const int later[] = {5, 6, 7, 8};
  CHECK(vu.group->SetLevels(later, 4));
  CHECK(vu.FramesUntilSet(500) == 200);
  CHECK(vu.Values() == std::vector<int>{5, 6, 7});
  CHECK(vu.Meter(L"deep")->sets == 0);

  // An empty set of levels is new levels too: every meter 0, back in 100.
  CHECK(vu.group->SetLevels(nullptr, 0));
  CHECK(vu.FramesUntilSet(50) == 10);
  CHECK(vu.Values() == std::vector<int>{0, 0, 0});
  CHECK(vu.group->GetCountdown() == 100);
  // Refused: nothing kept, so the next expiry is the idle one.
  CHECK_FALSE(vu.group->SetLevels(levels, -1));
  CHECK_FALSE(vu.group->SetLevels(nullptr, 3));
  CHECK(vu.FramesUntilSet(50) == 10);
  CHECK(vu.group->GetCountdown() == 2000);
}

TEST_CASE("vu group: levels set from another thread reach the meters on the UI thread") {
  VuRig vu;
  std::thread worker([&vu] {
    for (int i = 0; i <= 1000; ++i) {
      const int levels[] = {i, i + 1, i + 2};
      vu.group->SetLevels(levels, 3);
    }
  });
  // Frames run meanwhile; each expiry shows one whole set, never a torn one.
  for (int frame = 0; frame < 300; ++frame) {
    vu.group->OnNextFrame();
    const std::vector<int> v = vu.Values();
    if (v[0] > 0) CHECK((v[1] == v[0] + 1 && v[2] == v[0] + 2));
  }
  worker.join();
  vu.group->SetLevels(std::vector<int>{1000, 1001, 1002}.data(), 3);
  CHECK(vu.FramesUntilSet(2000) > 0);
  CHECK(vu.Values() == std::vector<int>{1000, 1001, 1002});
}

TEST_CASE("vu group: a meter destroyed elsewhere is skipped") {
  VuRig vu;
  SWindow* m1 = vu.Meter(L"m1");
  vu.group->DestroyChild(m1);
  const int levels[] = {1, 2, 3};
  vu.group->SetLevels(levels, 3);
  CHECK(vu.FramesUntilSet(50) == 10);
  CHECK(vu.Meter(L"m0")->value == 1);
  CHECK(vu.Meter(L"m2")->value == 3);
}

TEST_CASE("vu meter: a progress bar that answers the group's meter class and shows its level") {
  SWUI::SAutoRefPtr<ZuVuMeter> meter;
  meter.Attach(new ZuVuMeter());
  CHECK(meter->IsClass(L"zuvumeter"));
  CHECK(meter->IsClass(L"progress"));
  IVuMeter* asMeter = meter;
  asMeter->SetMeterValue(40);
  CHECK(meter->GetValue() == 40);
  asMeter->SetMeterValue(1000);
  CHECK(meter->GetValue() == 100);
}
