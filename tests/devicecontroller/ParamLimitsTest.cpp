// The table of values the program's controls can set, against the images the program ships and
// against values no control reaches.
#include <doctest/doctest.h>

#include <cstring>
#include <vector>

#include "HidDevice/CChannelCurves.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/DefaultParamImages.h"
#include "HidDevice/ParamLimits.h"
#include "HidDevice/ParamRows.h"

using namespace ParamRow;

TEST_CASE("every shipped default image holds only values the controls can set") {
  for (const uint8_t* image : {DefaultParamImages::Sing(), DefaultParamImages::Disco()}) {
    CHECK(FindUnsettableParam(image, kParamImageSize) == -1);
  }
  // The default bands a channel's EQ reset copies in come from the same images.
  CDeviceController c;
  for (int channel = 0; channel < CDeviceController::kChannelCount; ++channel) {
    c.ResetChannelEq(channel);
  }
  CHECK(FindUnsettableParam(c.CurrentImage(), kParamImageSize) == -1);
}

TEST_CASE("each kind of control: its top value passes, the next one is refused") {
  struct Case {
    int row;
    uint16_t top;      // the largest value the control sets, flag bits included
    uint16_t refused;  // the smallest one it cannot
  };
  const Case cases[] = {
      {Musicvolume, 84, 85},                   // slider
      {Effectvolume, 70, 71},                  // slider with another top
      {MicA_Vol, 100, 101},                    // percent slider
      {Music_Pitch_Level, 240, 241},           //
      {EchoDelay, 1000, 1001},                 // 2-byte slider
      {EchoEFFLevel, 0x80 | 100, 0x80 | 101},  // level with its mute bit
      {Main_MU, 0x8000 | 100, 0x8000 | 101},   // 2-byte mix with its mute bit
      {MainMute_L, 1, 2},                      // switch
      {MainWorkMode, 0x81, 0x82},              // Auto bit and bank
      {Music_LinkAdjust, 2, 3},                // side radios
      {SysMusicInPort_Gain, 3, 4},             // input port radios
      {Sys_Music_SPDIFGain, 18, 19},           // the gain slider of port 3
      {MicFeedBackMode, 16, 17},               // slider and combo box on one row
      {MusicL_HPF_Type, 4, 5},                 // filter type combo box
      {MusicR_HPF_Type + 2, 2, 3},             // range combo box
      {SubHPF + 3, 23, 24},                    // filter Q slider
      {MicHPF_FREQ, 143, 144},                 // channel filter frequency slider
      {EchoHPF_FREQ, 205, 206},                // the echo high-pass reaches the whole table
      {ReverbLPF_FREQ, 65, 66},                // the editor's handle reaches the table's end
      {ReverbHPF_FREQ, 205, 206},              //
      {ReverbTime, 80, 81},                    //
      {Mic_Exp_AT, 0x80 | 15, 0x80 | 16},      // expander: on bit and attack
      {MicAT + 2, 34, 35},                     // compressor threshold
      {MusicL_Exp_AT + 2, 87, 88},             // music threshold
      {MainAT + 3, 40, 41},                    // ratio
      {Music_Select, 0x80 | 10, 0x80 | 11},    // band select of 11 bands with the pass bit
      {Mic2_Select, 0x80 | 19, 0x80 | 20},     // 20 bands
      {MusicEQInfo0mode, 3, 4},                // band type
      {MicEQInfo19freq, 361, 362},             // band frequency index
      {SurR_EQ_INFO0gain, 360, 361},           // band gain
      {EchoEQInfo4Q, 100, 101},                // band-pass Q
      {Rev_EQ0Q2, 28, 29},                     // shelf Q
      {SysEffLimterVolume, 70, 71},            // volume limit dialog
  };
  for (const Case& c : cases) {
    CAPTURE(c.row);
    CHECK(IsSettableParamValue(c.row, 0));
    CHECK(IsSettableParamValue(c.row, c.top));
    CHECK_FALSE(IsSettableParamValue(c.row, c.refused));
    CHECK_FALSE(IsSettableParamValue(c.row, 0xFFFF));
  }
}

TEST_CASE("rows no control shows take any value") {
  // Tap pans, bands past the ones a page shows, the device's own system rows.
  for (int row : {Echo_Tap1Pan, MicEQInfo20gain, MicEQInfo25mode, SysControl_Mode, RecallMode}) {
    CAPTURE(row);
    CHECK_FALSE(GetParamLimit(row, nullptr));
    CHECK(IsSettableParamValue(row, 0xFFFF));
  }
  CHECK_FALSE(GetParamLimit(-1, nullptr));
  CHECK_FALSE(GetParamLimit(kParamCount, nullptr));
}

TEST_CASE("an image is checked only as far as it reaches, and the first wild row is named") {
  std::vector<uint8_t> image(DefaultParamImages::Sing(),
                             DefaultParamImages::Sing() + kParamImageSize);
  SetImageParam(image.data(), SysMusicLimterVolume, 200);  // beyond the bytes files carry
  CHECK(FindUnsettableParam(image.data(), kParamTransferSize) == -1);
  CHECK(FindUnsettableParam(image.data(), kParamImageSize) == SysMusicLimterVolume);
  SetImageParam(image.data(), SCSUREQInfo6gain, 6019);
  SetImageParam(image.data(), MicHPF_Type, 9);
  CHECK(FindUnsettableParam(image.data(), kParamTransferSize) == MicHPF_Type);
  CHECK(FindUnsettableParam(nullptr, kParamTransferSize) == -1);
}

TEST_CASE("the table covers the rows of every channel's controls") {
  for (int channel = 0; channel < CDeviceController::kChannelCount; ++channel) {
    CAPTURE(channel);
    int first = -1, second = -1;
    CDeviceController::GetChannelEqRows(channel, &first, &second);
    const int bands = CChannelCurves::CurveBandCount(channel);
    for (int set : {first, second}) {
      if (set < 0) continue;
      CHECK(GetParamLimit(set + 5 * bands - 1, nullptr));
      CHECK(GetParamLimit(set - 1, nullptr));
    }
    int left = -1, right = -1;
    CDeviceController::GetChannelHpfRows(channel, &left, &right);
    if (left >= 0) CHECK(GetParamLimit(left + 3, nullptr));
    left = right = -1;
    CDeviceController::GetChannelDynamicsRows(channel, &left, &right);
    if (left >= 0) CHECK(GetParamLimit(left + 3, nullptr));
  }
}
