// Builds the two default parameter images in one place.
//
// What the factory state fixes: master volumes, link modes, the system rows, EchoDelay, every
// EQ band record and the four work-mode rows (0 in the sing image, 1 in the disco image; that
// is the only difference between the two).
//
// Every other byte gets the neutral value chosen here and nowhere else:
//   - levels, mixes, delays, mutes, dynamics, pitch, tap and reverb settings, input gains and
//     band-select rows: 0;
//   - high-pass filter blocks: type 0, frequency index 1 (19.7 Hz), multiple 0 (x1), Q index 16
//     (Q 1.00): the lowest corner the table offers, so the filter passes the audio band;
//   - low-pass filter blocks: type 0, frequency index 121 (198 Hz), multiple 2 (x100), so a
//     19.8 kHz corner, Q index 16;
//   - the effect high-pass rows (EchoHPF_FREQ, ReverbHPF_FREQ): 1 (lowest corner) and the effect
//     low-pass rows (EchoLPF_FREQ, ReverbLPF_FREQ): 65 (21 kHz, the top of their table);
//   - RecallMode and SavetoMode: 0.
#include "HidDevice/DefaultParamImages.h"

#include <array>

#include "HidDevice/EqBandRecord.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"

namespace {

using Image = std::array<uint8_t, kParamImageSize>;

constexpr uint8_t kNeutral = 0;
constexpr uint16_t kMasterVolume = 30;
constexpr uint8_t kFilterQIndex = 16;
constexpr uint8_t kHighPassFreqIndex = 1;
constexpr uint8_t kHighPassMultiple = 0;
constexpr uint8_t kLowPassFreqIndex = 121;
constexpr uint8_t kLowPassMultiple = 2;
constexpr uint8_t kEffectHighPassIndex = 1;
constexpr uint8_t kEffectLowPassIndex = 65;

// EQ band record: mode 1 (peaking), gain 240 (0 dB), Q and Q2 index 16.
constexpr uint8_t kBandMode = 1;
constexpr uint16_t kBandGain = 240;
constexpr uint8_t kBandQ = 16;

constexpr uint16_t kMicBandFreqs[26] = {0,   20,  40,  60,  80,  100, 120, 140, 160,
                                        180, 200, 220, 240, 260, 280, 300, 320, 340,
                                        350, 360, 280, 300, 320, 340, 350, 360};
constexpr uint16_t kEffectBandFreqs[11] = {20, 100, 180, 260, 340, 20, 100, 180, 260, 340, 360};
constexpr uint16_t kOutputBandFreqs[11] = {0, 40, 80, 120, 140, 180, 220, 260, 300, 340, 360};

void Set(Image& image, int row, uint16_t value) { SetImageParam(image.data(), row, value); }

// A band set: `count` consecutive 7-byte records starting at the row of band 0's mode.
void SetBands(Image& image, int firstModeRow, const uint16_t* freqs, int count) {
  for (int band = 0; band < count; ++band) {
    const int row = firstModeRow + kEqBandRecordRows * band;  // mode, freq, gain, Q, Q2
    Set(image, row, kBandMode);
    Set(image, row + 1, freqs[band]);
    Set(image, row + 2, kBandGain);
    Set(image, row + 3, kBandQ);
    Set(image, row + 4, kBandQ);
  }
}

// A filter block: type, frequency index, multiple, Q index.
void SetFilter(Image& image, int typeRow, uint8_t freq, uint8_t multiple) {
  Set(image, typeRow, kNeutral);
  Set(image, typeRow + 1, freq);
  Set(image, typeRow + 2, multiple);
  Set(image, typeRow + 3, kFilterQIndex);
}

Image Build(uint8_t workMode) {
  using namespace ParamRow;
  Image image{};
  image.fill(kNeutral);

  Set(image, Musicvolume, kMasterVolume);
  Set(image, Micvolume, kMasterVolume);
  Set(image, Effectvolume, kMasterVolume);
  Set(image, Mic_LinkAdjust, 0);
  Set(image, Music_LinkAdjust, 2);
  Set(image, Main_LinkAdjust, 2);
  Set(image, Sur_LinkAdjust, 2);
  Set(image, EchoDelay, 250);

  Set(image, SysControl_Mode, 0x80);
  Set(image, SysAutoKeyLockMode, 0);
  Set(image, SysMusicStartVolume, 30);
  Set(image, SysMicStartVolume, 30);
  Set(image, SysEffStartVolume, 30);
  Set(image, SysMusicLimterVolume, 84);
  Set(image, SysMicLimterVolume, 84);
  Set(image, SysEffLimterVolume, 70);

  for (int row : {MainWorkMode, SubWorkMode, SCWorkMode, Sur_WorkMode}) Set(image, row, workMode);

  SetBands(image, MicEQInfo0mode, kMicBandFreqs, 26);
  SetBands(image, Mic2EQInfo0mode, kMicBandFreqs, 26);
  SetBands(image, EchoEQInfo0mode, kEffectBandFreqs, 11);
  SetBands(image, Rev_EQ0mode, kEffectBandFreqs, 11);
  for (int first : {MusicEQInfo0mode, MusicREQInfo0mode, MainEQInfo0mode, MainREQInfo0mode,
                    SubEQInfo0mode, SCCENEQInfo0mode, SCSUREQInfo0mode, SurR_EQ_INFO0mode}) {
    SetBands(image, first, kOutputBandFreqs, 11);
  }

  for (int row : {MicHPF_Type, Mic2HPF_Type, MusicL_HPF_Type, MusicR_HPF_Type, MainL_HPF_Type,
                  MainR_HPF_Type, SubHPF, CenHPF, SurL_HPF_Type, SurR_HPF_Type}) {
    SetFilter(image, row, kHighPassFreqIndex, kHighPassMultiple);
  }
  for (int row : {MicLPF_Type, Mic2LPF_Type, MusicL_LPF_Type, MusicR_LPF_Type, MainL_LPF_Type,
                  MainR_LPF_Type, SubLPF, CenLPF, SurL_LPF_TYPE, SurR_LPF_TYPE}) {
    SetFilter(image, row, kLowPassFreqIndex, kLowPassMultiple);
  }
  Set(image, EchoHPF_FREQ, kEffectHighPassIndex);
  Set(image, ReverbHPF_FREQ, kEffectHighPassIndex);
  Set(image, EchoLPF_FREQ, kEffectLowPassIndex);
  Set(image, ReverbLPF_FREQ, kEffectLowPassIndex);
  return image;
}

}  // namespace

const uint8_t* DefaultParamImages::Sing() {
  static const Image image = Build(0);
  return image.data();
}

const uint8_t* DefaultParamImages::Disco() {
  static const Image image = Build(1);
  return image.data();
}
