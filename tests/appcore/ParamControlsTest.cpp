// The control tables of the channel pages: rows, flag bits, positions and texts.
#include <doctest/doctest.h>

#include <set>
#include <vector>

#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamLimits.h"
#include "HidDevice/ParamRows.h"
#include "ParamControls.h"

namespace R = ParamRow;

namespace {

std::vector<uint8_t> DefaultImage() {
  return std::vector<uint8_t>(DefaultParamImages::Sing(), DefaultParamImages::Sing() + kParamSlotSize);
}

}  // namespace

TEST_CASE("fixed sliders: flag bits match their rows' sizes and every row is a table row") {
  int count = 0;
  const FixedSlider* sliders = FixedSliders(&count);
  CHECK(count == 64);
  std::set<int> ids;
  for (int i = 0; i < count; ++i) {
    const FixedSlider& s = sliders[i];
    CAPTURE(s.id);
    CHECK(ids.insert(s.id).second);
    REQUIRE(IsParamRow(s.row));
    if (s.flagMask == kMuteBit16) CHECK(g_ParamDesc[s.row].bytes == 2);
    if (s.flagMask == kFlagBit8) CHECK(g_ParamDesc[s.row].bytes == 1);
    CHECK(FindFixedSlider(s.id) == &s);
  }
  CHECK(FindFixedSlider(2633) == nullptr);  // a sub filter's Q slider, not a fixed row
  CHECK(FindFixedSlider(2200) == nullptr);  // a band gain slider
  // The effect sliders 2334 .. 2356 follow their rows in order.
  CHECK(FindFixedSlider(2334)->row == R::EchoPre_Delay);
  CHECK(FindFixedSlider(2346)->row == R::ReverbTime);
  CHECK(FindFixedSlider(2356)->row == R::RevTimbre5);
}

TEST_CASE("a slider keeps its row's mute bit and a position never reaches it") {
  const FixedSlider& mu = *FindFixedSlider(2430);
  CHECK(mu.row == R::Main_MU);
  CHECK(SliderValue(mu.flagMask, 0x8032, 60) == 0x803C);
  CHECK(SliderValue(mu.flagMask, 0x0032, 60) == 0x003C);
  CHECK(SliderPosition(mu.flagMask, 0x8032) == 50);
  CHECK(FixedSliderText(mu, 50) == L"50%");
  const FixedSlider& echo = *FindFixedSlider(2330);
  CHECK(SliderValue(echo.flagMask, 0x85, 20) == 0x94);
  CHECK(SliderValue(echo.flagMask, 0x05, 0x1FF) == 0x7F);  // the position cannot set bit 7
  CHECK(SliderPosition(echo.flagMask, 0xFF) == 0x7F);
  const FixedSlider& delay = *FindFixedSlider(2434);
  CHECK(delay.flagMask == 0);
  CHECK(SliderValue(delay.flagMask, 0x8000, 123) == 123);
  CHECK(FixedSliderText(delay, 123) == L"12.3ms=4.26m");
}

TEST_CASE("volumes cap at their limit rows; the input gain follows the input port") {
  std::vector<uint8_t> image = DefaultImage();
  SetImageParam(image.data(), R::SysMusicLimterVolume, 40);
  const FixedSlider& music = *FindFixedSlider(2000);
  CHECK(music.alsoBanks);
  CHECK(CapSliderPosition(music, image.data(), 60) == 40);
  CHECK(CapSliderPosition(music, image.data(), 30) == 30);
  CHECK(CapSliderPosition(*FindFixedSlider(2130), image.data(), 60) == 60);

  const FixedSlider& gain = *FindFixedSlider(2132);
  SetImageParam(image.data(), R::SysMusicInPort_Gain, 2);
  CHECK(MusicInputPort(image.data()) == 2);
  CHECK(FixedSliderRow(gain, image.data()) == R::Sys_Music_AIN3Gain);
  SetImageParam(image.data(), R::SysMusicInPort_Gain, 5);  // above 3 counts as port 0
  CHECK(MusicInputPort(image.data()) == 0);
  CHECK(FixedSliderRow(gain, image.data()) == R::Sys_Music_AIN1Gain);
  CHECK(FixedSliderText(gain, 9) == L"0dB");

  CHECK(FixedSliderText(*FindFixedSlider(2131), 119) == L"-0.1");
  CHECK(FixedSliderText(*FindFixedSlider(2131), 119, true) == L"OFF");
  CHECK(FixedSliderText(*FindFixedSlider(2338), 40) == L"-10%");
  CHECK(FindFixedSlider(2320)->curves == CurveUpdate::kHighPass);
  CHECK(FindFixedSlider(2361)->curves == CurveUpdate::kLowPass);
}

TEST_CASE("toggles change only their bit; mute rows and taps hold plain values") {
  struct Case {
    int id;
    uint16_t old;
    bool checked;
    uint16_t expected;
  } cases[] = {
      {1400, 0x0032, false, 0x8032}, {1400, 0x8032, true, 0x0032}, {1300, 0x20, false, 0xA0},
      {1300, 0xA0, true, 0x20},      {1800, 0x05, true, 0x85},     {1800, 0x85, false, 0x05},
      {1404, 0, true, 1},            {1602, 1, false, 0},          {2370, 0, true, 50},
      {2372, 50, false, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.id);
    const ToggleDesc* t = FindToggle(c.id);
    REQUIRE(t);
    CHECK(ToggleValue(t->kind, c.old, c.checked) == c.expected);
    CHECK(ToggleChecked(t->kind, c.expected) == c.checked);
  }
  CHECK(FindToggle(2370)->row == R::EchoTap1Level);
  CHECK(FindToggle(1606)->row == R::Sub_Rev);
  CHECK(FindToggle(1603) == nullptr);
  CHECK(FindToggle(1000) == nullptr);  // the connect toggle is no parameter

  int count = 0;
  const ToggleDesc* toggles = Toggles(&count);
  for (int i = 0; i < count; ++i) {
    CAPTURE(toggles[i].id);
    if (toggles[i].kind == ToggleKind::kUnmuted16) CHECK(g_ParamDesc[toggles[i].row].bytes == 2);
    if (toggles[i].kind == ToggleKind::kUnmuted8) CHECK(g_ParamDesc[toggles[i].row].bytes == 1);
  }
  CHECK(EqPassTogglePage(1150) == 0);
  CHECK(EqPassTogglePage(1750) == 6);
  CHECK(EqPassTogglePage(1850) == -1);
  CHECK(EqPassTogglePage(1151) == -1);
}

TEST_CASE("filter controls: ids both ways, the x100 top and the range a handle drags") {
  FilterControl f;
  REQUIRE(FindFilterControl(2634, &f));  // sub low-pass Q
  CHECK(f.channel == 5);
  CHECK(f.lowPass);
  CHECK(f.rowOffset == kFilterQ);
  REQUIRE(FindFilterControl(8400, &f));  // main high-pass type
  CHECK(f.channel == 3);
  CHECK_FALSE(f.lowPass);
  CHECK(f.rowOffset == kFilterType);
  REQUIRE(FindFilterControl(8811, &f));  // the mic expander page's multiple: no channel
  CHECK(f.channel == -1);
  CHECK(f.rowOffset == kFilterMultiple);
  CHECK_FALSE(FindFilterControl(2320, &f));  // the echo high-pass is a fixed slider

  for (int channel = 0; channel < 7; ++channel) {
    for (bool lowPass : {false, true}) {
      FilterControlIds ids;
      const bool present = GetFilterControlIds(channel, lowPass, &ids);
      CHECK(present == (channel != 2));
      if (!present) continue;
      for (int id : {ids.freqSlider, ids.qSlider, ids.typeCombo, ids.multipleCombo}) {
        REQUIRE(FindFilterControl(id, &f));
        CHECK(f.channel == channel);
        CHECK(f.lowPass == lowPass);
      }
    }
  }

  CHECK(FilterFreqPosition(130, 2) == 124);
  CHECK(FilterFreqPosition(123, 2) == 123);
  CHECK(FilterFreqPosition(130, 1) == 130);
  CHECK_FALSE(IsFilterQEnabled(2));
  CHECK(IsFilterQEnabled(3));

  // The handle across 197 / 303 / 1970 / 3030 / 20600 Hz (f in 0.1 Hz).
  struct Thumb {
    double f;
    int multiple;
    int expectedMultiple;
    int expectedIndex;
  } thumbs[] = {
      {3040, 0, 1, 23},      // 304 Hz: x1 -> x10; 30.4 Hz lies midway 30.1/30.7: the lower
      {3020, 0, 0, 143},     // 302 Hz stays x1: nearest is 303.0 Hz
      {30400, 1, 2, 23},     // 3040 Hz: x10 -> x100
      {1960, 1, 0, 120},     // 196 Hz: x10 -> x1, nearest 195 Hz
      {19600, 2, 1, 120},    // 1960 Hz: x100 -> x10 only, one step
      {206010, 2, 2, 124},   // above 20.6 kHz with x100: the top
      {206000, 2, 2, 123},   // exactly 20.6 kHz
  };
  for (const Thumb& t : thumbs) {
    CAPTURE(t.f);
    const FilterThumbValue v = ChannelFilterThumb(t.f, t.multiple);
    CHECK(v.multiple == t.expectedMultiple);
    CHECK(v.index == t.expectedIndex);
  }
  CHECK(EffectHighPassThumb(197) == 1);
  CHECK(EffectHighPassThumb(-5) == 0);
  CHECK(EffectLowPassThumb(59900) == 0);   // 5990 Hz
  CHECK(EffectLowPassThumb(300000) == 65);
}

TEST_CASE("dynamics sliders: rows, ranges and texts per block") {
  DynamicsSlider d;
  REQUIRE(FindDynamicsSlider(2121, &d));
  CHECK(d.channel == 0);
  CHECK(d.rowOffset == 2);
  CHECK(DynamicsText(d, 0) == L"-90dBu");
  REQUIRE(FindDynamicsSlider(2221, &d));
  CHECK(DynamicsText(d, 34) == L"0dBu");
  REQUIRE(FindDynamicsSlider(2421, &d));
  CHECK(DynamicsText(d, 34) == L"14dBu");
  REQUIRE(FindDynamicsSlider(2822, &d));  // mic expander attack
  CHECK(d.channel == 1);
  CHECK(d.rowOffset == 4);
  CHECK(DynamicsText(d, 2) == L"1.0ms");
  REQUIRE(FindDynamicsSlider(2724, &d));
  CHECK(d.rowOffset == 3);
  CHECK(DynamicsText(d, 3) == L"1.6");
  REQUIRE(FindDynamicsSlider(2623, &d));
  CHECK(DynamicsText(d, 7) == L"Atk x 32");
  CHECK_FALSE(FindDynamicsSlider(2321, &d));  // the effect page has none
  CHECK_FALSE(FindDynamicsSlider(2125, &d));
  CHECK(DynamicsSliderId(1, true, 4) == 2824);
  CHECK(DynamicsSliderId(2, false, 1) == 0);
  // The block's rows: the music block starts at its attack row, LU two further.
  CHECK(R::MusicL_Exp_AT + 2 == R::MusicL_Exp_LU);
  CHECK(R::MicAT + 4 == R::Mic_Exp_AT);
}

TEST_CASE("radio ids, link sides and work modes") {
  struct Case {
    int id;
    RadioKind kind;
    int page, band, value;
  } cases[] = {
      {19010, RadioKind::kInputPort, 0, -1, 0}, {19013, RadioKind::kInputPort, 0, -1, 3},
      {14500, RadioKind::kWorkMode, 3, -1, 0},  {14501, RadioKind::kWorkMode, 3, -1, 1},
      {14601, RadioKind::kSingDisco, 3, -1, 1}, {14600, RadioKind::kSingDisco, 3, -1, 0},
      {11702, RadioKind::kSide, 0, -1, 2},      {13701, RadioKind::kSide, 2, -1, 1},
      {17700, RadioKind::kSide, 6, -1, 0},      {11000, RadioKind::kBandType, 0, 0, 0},
      {12193, RadioKind::kBandType, 1, 19, 3},  {17253, RadioKind::kBandType, 6, 25, 3},
      {13702, RadioKind::kNone, -1, -1, -1},    {11004, RadioKind::kNone, -1, -1, -1},
      {11260, RadioKind::kNone, -1, -1, -1},    {18000, RadioKind::kNone, -1, -1, -1},
      {10000, RadioKind::kNone, -1, -1, -1},
  };
  for (const Case& c : cases) {
    CAPTURE(c.id);
    const RadioDesc r = DescribeRadio(c.id);
    CHECK(r.kind == c.kind);
    CHECK(r.page == c.page);
    CHECK(r.band == c.band);
    CHECK(r.value == c.value);
  }
  CHECK(LinkWritesLeft(-1));
  CHECK(LinkWritesLeft(2));
  CHECK_FALSE(LinkWritesLeft(1));
  CHECK(LinkWritesRight(2));
  CHECK_FALSE(LinkWritesRight(0));
  CHECK(LinkShownSide(1) == 1);
  CHECK(LinkShownSide(2) == 0);

  CHECK(WorkModeValue(0x01, true) == 0x81);
  CHECK(WorkModeValue(0x81, false) == 0x01);
  CHECK(BankWorkModeValue(0, true) == 0x80);
  CHECK(BankWorkModeValue(1, false) == 0x01);
  // The Auto bit stays and never makes "Sing" a disco mode.
  CHECK(SingDiscoValue(0x81, true) == 0x80);
  CHECK_FALSE(IsDiscoMode(SingDiscoValue(0x81, true)));
  CHECK(IsDiscoMode(SingDiscoValue(0x80, false)));
}

TEST_CASE("the value table knows every fixed slider's and toggle's row with the flag it keeps") {
  int count = 0;
  const FixedSlider* sliders = FixedSliders(&count);
  for (int i = 0; i < count; ++i) {
    const FixedSlider& s = sliders[i];
    CAPTURE(s.id);
    ParamLimit limit;
    REQUIRE(GetParamLimit(s.row, &limit));
    CHECK(limit.flagMask == s.flagMask);
    // Its flag set or not, and the slider at 0: both are values the slider writes.
    CHECK(IsSettableParamValue(s.row, SliderValue(s.flagMask, s.flagMask, 0)));
    CHECK(IsSettableParamValue(s.row, SliderValue(s.flagMask, 0, limit.max)));
  }
  const ToggleDesc* toggles = Toggles(&count);
  for (int i = 0; i < count; ++i) {
    const ToggleDesc& t = toggles[i];
    CAPTURE(t.id);
    REQUIRE(GetParamLimit(t.row, nullptr));
    for (bool checked : {false, true}) {
      CHECK(IsSettableParamValue(t.row, ToggleValue(t.kind, 0, checked)));
    }
  }
  for (int row : kWorkModeRows) {
    for (int bank : {0, 1}) {
      for (bool automatic : {false, true}) {
        CHECK(IsSettableParamValue(row, BankWorkModeValue(bank, automatic)));
      }
    }
  }
}
