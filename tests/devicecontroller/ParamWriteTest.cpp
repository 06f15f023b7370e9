// Parameter writes, the 'd' report and the send throttle's timing.
#include <doctest/doctest.h>

#include <vector>

#include "ControllerRig.h"
#include "DebugOutputCapture.h"
#include "HidDevice/ParamRows.h"

namespace {

struct Entry {
  int offset, size, value;
  bool operator==(const Entry& o) const {
    return offset == o.offset && size == o.size && value == o.value;
  }
};

std::vector<Entry> Entries(const SimDevice::Report& r) {
  std::vector<Entry> out;
  for (int i = 0; i < r[4]; ++i) {
    const uint8_t* e = r.data() + 5 + 5 * i;
    out.push_back({e[0] | (e[1] << 8), e[2], e[3] | (e[4] << 8)});
  }
  return out;
}

}  // namespace

TEST_CASE("a 2-byte row goes out as one 5-byte little-endian entry") {
  ControllerRig rig;
  rig.ctl.SetParam(ParamRow::MainDelay_L, 0x1234);  // clock far past the last send: at once
  const SimDevice::Report r = rig.LastRequest(0x64);
  const uint8_t want[] = {0x64, 0, 0, 0, 1, 0x0F, 0x03, 0x02, 0x34, 0x12, 0};
  for (size_t i = 0; i < sizeof want; ++i) CHECK(r[i] == want[i]);
  CHECK(rig.dev.Inspect([](SimProcessor& p) { return p.banks[0][783] | (p.banks[0][784] << 8); }) ==
        0x1234);
}

TEST_CASE("an unchanged value sends nothing unless forced; the change is logged") {
  ControllerRig rig;
  DebugOutputCapture out;
  const uint16_t current = GetParam(rig.ctl.CurrentImage(), ParamRow::Musicvolume);
  rig.ctl.SetParam(ParamRow::Musicvolume, current);
  CHECK(rig.Requests(0x64).empty());
  CHECK_FALSE(out.Contains("ORVK2: SetParam"));

  rig.ctl.SetParam(ParamRow::Musicvolume, current, true);
  CHECK(rig.Requests(0x64).size() == 1);
  CHECK(out.Contains("ORVK2: SetParam      Musicvolume =   30 = 0x001E  (1bytes) index=0 offset=0\n"));
}

TEST_CASE("the throttle sends at once 60 ms after its last send and waits 10 ms after") {
  ControllerRig rig;
  rig.ctl.SetParam(ParamRow::Micvolume, 1);  // first send: last send = now
  REQUIRE(rig.Requests(0x64).size() == 1);

  rig.now += 60;
  rig.ctl.SetParam(ParamRow::Micvolume, 2);
  CHECK(rig.Requests(0x64).size() == 2);
  CHECK_FALSE(rig.TimerRunning());

  rig.now += 10;
  rig.ctl.SetParam(ParamRow::Micvolume, 3);
  rig.ctl.SetParam(ParamRow::Micvolume, 4);  // again inside the window: the same one entry
  CHECK(rig.Requests(0x64).size() == 2);
  CHECK(rig.TimerRunning());
  CHECK(rig.ctl.PendingCount() == 1);

  rig.now += 50;
  rig.ctl.OnSendTimer();  // what WM_TIMER 1012 does on the main window
  REQUIRE(rig.Requests(0x64).size() == 3);
  CHECK(Entries(rig.LastRequest(0x64)) == std::vector<Entry>{{1, 1, 4}});
  CHECK_FALSE(rig.TimerRunning());
  CHECK(rig.ctl.Throttle().LastSend() == rig.now);
}

TEST_CASE("the eighth pending row flushes at once and leaves the running timer alone") {
  ControllerRig rig;
  rig.ctl.SetParam(ParamRow::Musicvolume, 1);
  const DWORD lastSend = rig.ctl.Throttle().LastSend();
  rig.now += 10;
  for (int i = 0; i < 7; ++i) rig.ctl.SetParam(ParamRow::MicAT + i, static_cast<uint16_t>(10 + i));
  CHECK(rig.Requests(0x64).size() == 1);
  CHECK(rig.TimerRunning());

  rig.ctl.SetParam(ParamRow::EchoDelay, 300);
  REQUIRE(rig.Requests(0x64).size() == 2);
  const std::vector<Entry> entries = Entries(rig.LastRequest(0x64));
  CHECK(entries.size() == 8);
  CHECK(entries.front() == Entry{199, 1, 10});  // MicAT
  CHECK(entries.back() == Entry{412, 2, 300});  // EchoDelay
  CHECK(rig.ctl.PendingCount() == 0);
  CHECK(rig.TimerRunning());
  CHECK(rig.ctl.Throttle().LastSend() == lastSend);

  rig.ctl.OnSendTimer();  // the timer still fires and finds nothing to send
  CHECK(rig.Requests(0x64).size() == 2);
}

TEST_CASE("more than 11 pending rows go out as further reports in ascending row order") {
  ControllerRig rig;
  // Queued in descending order; the reports carry them ascending.
  for (int i = 12; i >= 0; --i)
    rig.ctl.SetParamQueued(ParamRow::MicAT + i, static_cast<uint16_t>(100 + i));
  CHECK(rig.Requests(0x64).empty());
  CHECK(rig.ctl.FlushPendingParams() == 1);
  const std::vector<SimDevice::Report> reports = rig.Requests(0x64);
  REQUIRE(reports.size() == 2);
  const std::vector<Entry> first = Entries(reports[0]), second = Entries(reports[1]);
  REQUIRE(first.size() == 11);
  REQUIRE(second.size() == 2);
  for (int i = 0; i < 11; ++i) CHECK(first[i].offset == g_ParamDesc[ParamRow::MicAT + i].offset);
  CHECK(second[0].offset == g_ParamDesc[ParamRow::MicAT + 11].offset);
  CHECK(second[1] == Entry{g_ParamDesc[ParamRow::MicAT + 12].offset, 1, 112});
  CHECK(reports[0][5 + 5 * 11] == 0);  // nothing after the last entry
}

TEST_CASE("writes without a session change only the image; bad rows are refused") {
  ControllerRig rig(false);
  rig.ctl.SetParam(ParamRow::Musicvolume, 9);
  CHECK(GetParam(rig.ctl.CurrentImage(), ParamRow::Musicvolume) == 9);
  CHECK(rig.ctl.PendingCount() == 0);
  CHECK(rig.Requests(0x64).empty());

  uint8_t before[kParamSlotSize];
  memcpy(before, rig.ctl.CurrentImage(), sizeof before);
  rig.ctl.SetParam(-1, 5);
  rig.ctl.SetParam(kParamCount, 5, true);
  rig.ctl.SetParamQueued(5000, 5);
  CHECK(memcmp(before, rig.ctl.CurrentImage(), sizeof before) == 0);
}

TEST_CASE("a flush without a good reply is not repeated") {
  ControllerRig rig;
  rig.dev.InjectFault(SimDevice::BadFlag, 5, 0x64);
  rig.ctl.SetParamQueued(ParamRow::MicAT, 42);
  CHECK(rig.ctl.FlushPendingParams() == 0);
  CHECK(rig.ctl.PendingCount() == 0);
  CHECK(GetParam(rig.ctl.CurrentImage(), ParamRow::MicAT) == 42);
  CHECK(rig.ctl.FlushPendingParams() == 1);  // nothing left to send
  CHECK(rig.Requests(0x64).size() == 5);     // the five tries of the one report
}

TEST_CASE("channel filter writes follow the link mode") {
  ControllerRig rig(false);
  CDeviceController& c = rig.ctl;
  c.SetParam(ParamRow::Music_LinkAdjust, 1);
  c.SetChannelLpfParam(CDeviceController::kMusic, 1, 77);  // right only
  CHECK(GetParam(c.CurrentImage(), ParamRow::MusicR_LPF_FREQ) == 77);
  CHECK(GetParam(c.CurrentImage(), ParamRow::MusicL_LPF_FREQ) != 77);
  c.SetParam(ParamRow::Music_LinkAdjust, 2);
  c.SetChannelHpfParam(CDeviceController::kMusic, 3, 20);  // both Q rows
  CHECK(GetParam(c.CurrentImage(), ParamRow::MusicL_HPF_Q) == 20);
  CHECK(GetParam(c.CurrentImage(), ParamRow::MusicR_HPF_Q) == 20);
  c.SetChannelHpfParam(CDeviceController::kSub, 0, 3);  // one row only
  CHECK(GetParam(c.CurrentImage(), ParamRow::SubHPF) == 3);

  uint8_t before[kParamSlotSize];
  memcpy(before, c.CurrentImage(), sizeof before);
  c.SetChannelLpfParam(CDeviceController::kEffect, 0, 9);  // the effect channel has no blocks
  CHECK(memcmp(before, c.CurrentImage(), sizeof before) == 0);
}

TEST_CASE("the filter block a channel's link mode selects") {
  CDeviceController c;
  auto at = [&](int row) { return c.CurrentImage() + g_ParamDesc[row].offset; };
  const struct {
    int link;
    int hpRow, lpRow;  // -1: no block
  } cases[] = {
      {0, ParamRow::MainL_HPF_Type, ParamRow::MainL_LPF_Type},
      {1, ParamRow::MainR_HPF_Type, ParamRow::MainR_LPF_Type},
      {2, ParamRow::MainL_HPF_Type, ParamRow::MainL_LPF_Type},
      {3, -1, -1},
  };
  for (const auto& k : cases) {
    CAPTURE(k.link);
    c.SetParam(ParamRow::Main_LinkAdjust, static_cast<uint16_t>(k.link));
    CHECK(c.GetChannelHpfBlock(CDeviceController::kMain) == (k.hpRow < 0 ? nullptr : at(k.hpRow)));
    CHECK(c.GetChannelLpfBlock(CDeviceController::kMain) == (k.lpRow < 0 ? nullptr : at(k.lpRow)));
  }
  CHECK(c.GetChannelHpfBlock(CDeviceController::kSub) == at(ParamRow::SubHPF));
  CHECK(c.GetChannelLpfBlock(CDeviceController::kCenter) == at(ParamRow::CenLPF));
  c.SetEffectLinkMode(1);
  CHECK(c.GetChannelHpfBlock(CDeviceController::kEffect) == nullptr);
  CHECK(c.GetChannelLpfBlock(CDeviceController::kEffect) == nullptr);
}
