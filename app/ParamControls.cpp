#include "ParamControls.h"

#include <algorithm>

#include "EqBandEdit.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ParamTables.h"
#include "ParamText.h"

namespace {

using namespace ParamRow;
using T = SliderText;
using C = CurveUpdate;

constexpr int kNoRow = -1;
constexpr int kTopIndexAtX100 = kFilterTopIndexAtX100 + 1;  // what a too-high x100 index becomes
constexpr int kInputPortCount = 4;

// clang-format off
constexpr FixedSlider kFixedSliders[] = {
    {2000, Musicvolume, T::kNumber, 0, SysMusicLimterVolume, true, false, C::kNone},
    {2001, Micvolume, T::kNumber, 0, SysMicLimterVolume, true, false, C::kNone},
    {2002, Effectvolume, T::kNumber, 0, SysEffLimterVolume, true, false, C::kNone},
    {2130, Music_Pitch_Vol, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2131, Music_Pitch_Level, T::kPitchLevel, 0, kNoRow, false, false, C::kNone},
    {2132, Sys_Music_AIN1Gain, T::kInputGain, 0, kNoRow, true, true, C::kNone},
    {2140, Mic_Pitch_Vol, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2141, Mic_Pitch_Level, T::kPitchLevel, 0, kNoRow, false, false, C::kNone},
    {2240, MicA_Vol, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2241, MicB_Vol, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2242, MicFeedBackMode, T::kFeedback, 0, kNoRow, false, false, C::kNone},
    {2320, EchoHPF_FREQ, T::kEffectHighPass, 0, kNoRow, false, false, C::kHighPass},
    {2330, EchoEFFLevel, T::kPercent, kFlagBit8, kNoRow, false, false, C::kNone},
    {2331, EchoDirectLevel, T::kPercent, kFlagBit8, kNoRow, false, false, C::kNone},
    {2332, ReverbLevel, T::kPercent, kFlagBit8, kNoRow, false, false, C::kNone},
    {2333, Reverb_DrectLevel, T::kPercent, kFlagBit8, kNoRow, false, false, C::kNone},
    {2334, EchoPre_Delay, T::kMilliseconds, 0, kNoRow, false, false, C::kNone},
    {2335, EchoDelay, T::kMilliseconds, 0, kNoRow, false, false, C::kNone},
    {2336, EchoRepeat, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2337, EchoPreDelay_R, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2338, EchoDelay_R, T::kPercentFrom50, 0, kNoRow, false, false, C::kNone},
    {2339, EchoTap1Time, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2340, EchoTap2Time, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2341, EchoTap3Time, T::kPercent, 0, kNoRow, false, false, C::kNone},
    {2342, EchoTap1Level, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2343, EchoTap2Level, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2344, EchoTap3Level, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2345, ReverbPre_Delay, T::kMilliseconds, 0, kNoRow, false, false, C::kNone},
    {2346, ReverbTime, T::kReverbTime, 0, kNoRow, false, false, C::kNone},
    {2347, RevBandWidth, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2348, RevEarlyReflection, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2349, RevRomSize, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2350, RevDiffProcedure, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2351, RevTimbre0, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2352, RevTimbre1, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2353, RevTimbre2, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2354, RevTimbre3, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2355, RevTimbre4, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2356, RevTimbre5, T::kNumber, 0, kNoRow, false, false, C::kNone},
    {2360, EchoLPF_FREQ, T::kEffectLowPass, 0, kNoRow, false, false, C::kLowPass},
    {2361, ReverbLPF_FREQ, T::kEffectLowPass, 0, kNoRow, false, false, C::kLowPass},
    {2362, ReverbHPF_FREQ, T::kEffectHighPass, 0, kNoRow, false, false, C::kHighPass},
    {2430, Main_MU, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2431, Main_MI, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2432, Main_Echo, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2433, Main_Rev, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2434, MainDelay_L, T::kDelay, 0, kNoRow, false, false, C::kNone},
    {2435, MainDelay_R, T::kDelay, 0, kNoRow, false, false, C::kNone},
    {2530, SCCEN_MU, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2531, SCCEN_MI, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2532, SCCEN_Echo, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2533, SCCEN_Rev, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2534, SCCENDelay, T::kDelay, 0, kNoRow, false, false, C::kNone},
    {2630, SubMusic_Mix, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2631, SubMic_Mix, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2632, SubDelay, T::kDelay, 0, kNoRow, false, false, C::kNone},
    {2635, Sub_Echo, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2636, Sub_Rev, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2730, SCSUR_MU, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2731, SCSUR_MI, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2732, SCSUR_Echo, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2733, SCSUR_Rev, T::kPercent, kMuteBit16, kNoRow, false, false, C::kNone},
    {2734, SCSURDelay_L, T::kDelay, 0, kNoRow, false, false, C::kNone},
    {2735, SCSURDelay_R, T::kDelay, 0, kNoRow, false, false, C::kNone},
};

struct FilterIds {
  int channel;
  bool lowPass;
  FilterControlIds ids;
};

constexpr FilterIds kFilterIds[] = {
    {0, false, {2120, 2125, 8112, 8110}}, {0, true, {2126, 2127, 8113, 8111}},
    {1, false, {2225, 2227, 8212, 8210}}, {1, true, {2226, 2228, 8213, 8211}},
    {3, false, {2425, 2427, 8400, 8410}}, {3, true, {2426, 2428, 8401, 8411}},
    {4, false, {2525, 2527, 8500, 8510}}, {4, true, {2526, 2528, 8501, 8511}},
    {5, false, {2620, 2633, 8600, 8610}}, {5, true, {2637, 2634, 8601, 8611}},
    {6, false, {2725, 2727, 8700, 8710}}, {6, true, {2726, 2728, 8701, 8711}},
};
// The mic expander page's multiple combo boxes: a high-pass and a low-pass without a channel.
constexpr int kChannellessMultipleHpf = 8810;
constexpr int kChannellessMultipleLpf = 8811;

struct DynamicsBlock {
  int idBase;  // id of field 0; fields 1 .. 4 follow
  int channel;
  bool expander;
  int levelOffset;
};

constexpr DynamicsBlock kDynamicsBlocks[] = {
    {2120, 0, false, 90}, {2220, 1, false, 34}, {2820, 1, true, 90}, {2420, 3, false, 20},
    {2520, 4, false, 20}, {2620, 5, false, 20}, {2720, 6, false, 20},
};
// Field k (1 threshold, 2 attack, 3 release, 4 ratio) -> row in the block AT, RT, LU, Ratio.
constexpr int kDynamicsFieldRow[5] = {-1, 2, 0, 1, 3};
constexpr int kExpanderRowOffset = 4;  // the mic expander follows its compressor block

using K = ToggleKind;
constexpr ToggleDesc kToggles[] = {
    {1300, EchoEFFLevel, K::kUnmuted8},  {1301, EchoDirectLevel, K::kUnmuted8},
    {1302, ReverbLevel, K::kUnmuted8},   {1303, Reverb_DrectLevel, K::kUnmuted8},
    {1400, Main_MU, K::kUnmuted16},      {1401, Main_MI, K::kUnmuted16},
    {1402, Main_Echo, K::kUnmuted16},    {1403, Main_Rev, K::kUnmuted16},
    {1404, MainMute_L, K::kOn},          {1405, MainMute_R, K::kOn},
    {1500, SCCEN_MU, K::kUnmuted16},     {1501, SCCEN_MI, K::kUnmuted16},
    {1502, SCCEN_Echo, K::kUnmuted16},   {1503, SCCEN_Rev, K::kUnmuted16},
    {1504, SCCENMute, K::kOn},           {1600, SubMusic_Mix, K::kUnmuted16},
    {1601, SubMic_Mix, K::kUnmuted16},   {1602, SubMute, K::kOn},
    {1605, Sub_Echo, K::kUnmuted16},     {1606, Sub_Rev, K::kUnmuted16},
    {1700, SCSUR_MU, K::kUnmuted16},     {1701, SCSUR_MI, K::kUnmuted16},
    {1702, SCSUR_Echo, K::kUnmuted16},   {1703, SCSUR_Rev, K::kUnmuted16},
    {1704, SCSURMute_L, K::kOn},         {1705, SCSURMute_R, K::kOn},
    {1800, Mic_Exp_AT, K::kEnable8},     {2370, EchoTap1Level, K::kTapLevel},
    {2371, EchoTap2Level, K::kTapLevel}, {2372, EchoTap3Level, K::kTapLevel},
};
// clang-format on

constexpr uint16_t kTapOnLevel = 50;

template <typename Row, size_t N>
const Row* FindById(const Row (&rows)[N], int id) {
  for (const Row& row : rows) {
    if (row.id == id) return &row;
  }
  return nullptr;
}

constexpr int kPageCount = 7;
constexpr int kBandTypeBase = 11000;
constexpr int kBandTypePageStride = 1000;
constexpr int kMaxBands = 26;
constexpr int kBandTypeCount = 4;

// A frequency for a table search: negative and NaN give 0, too large the largest.
uint32_t NonNegativeWhole(double v) {
  if (!(v > 0.0)) return 0;
  return v >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32_t>(v);
}

// The page digit of ids laid out as a.p.xx (the digit after the first), as a page index.
int PageOf(int id) { return (id / 100) % 10 - 1; }

}  // namespace

namespace {
// The bits below a row's flag bit (the flag is the top bit of its row's width); all 16 bits of a
// row without one.
uint16_t ValueBits(uint16_t flagMask) {
  return flagMask ? static_cast<uint16_t>(flagMask - 1) : static_cast<uint16_t>(0xFFFF);
}
}  // namespace

uint16_t SliderValue(uint16_t flagMask, uint16_t oldValue, int position) {
  const uint16_t bits = static_cast<uint16_t>(position) & ValueBits(flagMask);
  return static_cast<uint16_t>((oldValue & flagMask) | bits);
}

int SliderPosition(uint16_t flagMask, uint16_t value) { return value & ValueBits(flagMask); }

const FixedSlider* FindFixedSlider(int id) { return FindById(kFixedSliders, id); }

const FixedSlider* FixedSliders(int* count) {
  if (count) *count = static_cast<int>(sizeof kFixedSliders / sizeof kFixedSliders[0]);
  return kFixedSliders;
}

int MusicInputPort(const uint8_t* image) {
  const int port = GetParam(image, SysMusicInPort_Gain);
  return port < kInputPortCount ? port : 0;
}

int FixedSliderRow(const FixedSlider& slider, const uint8_t* image) {
  return slider.plusInputPort ? slider.row + MusicInputPort(image) : slider.row;
}

int CapSliderPosition(const FixedSlider& slider, const uint8_t* image, int position) {
  if (slider.capRow == kNoRow) return position;
  return std::min(position, static_cast<int>(GetParam(image, slider.capRow)));
}

std::wstring FixedSliderText(const FixedSlider& slider, int v, bool fromRefresh) {
  switch (slider.text) {
    case T::kNumber: return NumberText(v);
    case T::kPercent: return PercentText(v);
    case T::kMilliseconds: return MillisecondsText(v);
    case T::kPercentFrom50: return PercentText(v - 50);
    case T::kPitchLevel: return PitchLevelText(v, fromRefresh);
    case T::kInputGain: return InputGainText(v);
    case T::kFeedback: return FeedbackText(v);
    case T::kEffectHighPass: return EffectHighPassText(v);
    case T::kEffectLowPass: return EffectLowPassText(v);
    case T::kReverbTime: return ReverbTimeText(v);
    case T::kDelay: return DelayText(v);
  }
  return std::wstring();
}

bool LinkWritesLeft(int linkMode) { return linkMode == 0 || linkMode == -1 || linkMode == 2; }

bool LinkWritesRight(int linkMode) { return linkMode == 1 || linkMode == 2; }

int LinkShownSide(int linkMode) { return linkMode == 1 ? 1 : 0; }

int LinkShownRow(int linkMode, int left, int right) { return EqReadSetRow(left, right, linkMode); }

const int kWorkModeRows[kWorkModeRowCount] = {MainWorkMode, SubWorkMode, SCWorkMode,
                                              Sur_WorkMode};

bool FindFilterControl(int id, FilterControl* out) {
  if (id == kChannellessMultipleHpf || id == kChannellessMultipleLpf) {
    if (out) *out = {-1, id == kChannellessMultipleLpf, kFilterMultiple};
    return true;
  }
  for (const FilterIds& f : kFilterIds) {
    const int offsets[4][2] = {{f.ids.freqSlider, kFilterFreq},
                               {f.ids.qSlider, kFilterQ},
                               {f.ids.typeCombo, kFilterType},
                               {f.ids.multipleCombo, kFilterMultiple}};
    for (const auto& o : offsets) {
      if (o[0] != id) continue;
      if (out) *out = {f.channel, f.lowPass, o[1]};
      return true;
    }
  }
  return false;
}

bool GetFilterControlIds(int channel, bool lowPass, FilterControlIds* out) {
  for (const FilterIds& f : kFilterIds) {
    if (f.channel != channel || f.lowPass != lowPass) continue;
    if (out) *out = f.ids;
    return true;
  }
  return false;
}

int FilterFreqPosition(int index, int multiple) {
  const bool x100 = multiple == kFilterMultipleCount - 1;
  return x100 && index > kFilterTopIndexAtX100 ? kTopIndexAtX100 : index;
}

bool IsFilterQEnabled(int type) { return type > 2; }

FilterThumbValue ChannelFilterThumb(double freqTenths, int multiple) {
  const double hz = freqTenths / 10.0;
  int m = ClampIndex(multiple, kFilterMultipleCount);
  if (m == 2) {
    if (hz < 1970.0) m = 1;
  } else if (m == 1) {
    if (hz > 3030.0) {
      m = 2;
    } else if (hz < 197.0) {
      m = 0;
    }
  } else if (hz > 303.0) {
    m = 1;
  }
  if (m == 2 && hz > 20600.0) return {m, kTopIndexAtX100};
  const uint32_t target = NonNegativeWhole(freqTenths / g_filterMultipleTable[m]);
  return {m, FindNearestIndex(g_eqFilterFreqTable, kChannelFilterFreqCount, target)};
}

int EffectHighPassThumb(double freqTenths) {
  return FindNearestIndex(g_eqFilterFreqTable, kEqFilterFreqCount, NonNegativeWhole(freqTenths));
}

int EffectLowPassThumb(double freqTenths) {
  return FindNearestIndex(g_effectLpfTable, kEffectLpfCount, NonNegativeWhole(freqTenths / 10.0));
}

bool FindDynamicsSlider(int id, DynamicsSlider* out) {
  for (const DynamicsBlock& b : kDynamicsBlocks) {
    const int field = id - b.idBase;
    if (field < 1 || field > 4) continue;
    if (out) {
      const int row = kDynamicsFieldRow[field] + (b.expander ? kExpanderRowOffset : 0);
      *out = {b.channel, field, row, b.levelOffset};
    }
    return true;
  }
  return false;
}

int DynamicsSliderId(int channel, bool expander, int field) {
  if (field < 1 || field > 4) return 0;
  for (const DynamicsBlock& b : kDynamicsBlocks) {
    if (b.channel == channel && b.expander == expander) return b.idBase + field;
  }
  return 0;
}

std::wstring DynamicsText(const DynamicsSlider& slider, int v) {
  switch (slider.field) {
    case 1: return DynamicsLevelText(v, slider.levelOffset);
    case 2: return AttackText(v);
    case 3: return ReleaseText(v);
    case 4: return RatioText(v);
  }
  return std::wstring();
}

uint16_t DynamicsFlagMask(const DynamicsSlider& slider) {
  return slider.rowOffset >= kExpanderRowOffset ? kFlagBit8 : 0;
}

const ToggleDesc* FindToggle(int id) { return FindById(kToggles, id); }

const ToggleDesc* Toggles(int* count) {
  if (count) *count = static_cast<int>(sizeof kToggles / sizeof kToggles[0]);
  return kToggles;
}

uint16_t ToggleValue(ToggleKind kind, uint16_t oldValue, bool checked) {
  switch (kind) {
    case K::kUnmuted8: return static_cast<uint16_t>((oldValue & 0x7F) | (checked ? 0 : kFlagBit8));
    case K::kUnmuted16:
      return static_cast<uint16_t>((oldValue & 0x7FFF) | (checked ? 0 : kMuteBit16));
    case K::kOn: return checked ? 1 : 0;
    case K::kEnable8: return static_cast<uint16_t>((oldValue & 0x7F) | (checked ? kFlagBit8 : 0));
    case K::kTapLevel: return checked ? kTapOnLevel : 0;
  }
  return oldValue;
}

bool ToggleChecked(ToggleKind kind, uint16_t value) {
  switch (kind) {
    case K::kUnmuted8: return (value & kFlagBit8) == 0;
    case K::kUnmuted16: return (value & kMuteBit16) == 0;
    case K::kOn:
    case K::kTapLevel: return value != 0;
    case K::kEnable8: return (value & kFlagBit8) != 0;
  }
  return false;
}

int EqPassTogglePage(int id) {
  if (id < 1150 || id > 1750 || id % 100 != 50) return -1;
  return PageOf(id);
}

RadioDesc DescribeRadio(int id) {
  RadioDesc r;
  if (id >= 19010 && id <= 19013) {
    r.kind = RadioKind::kInputPort;
    r.page = 0;
    r.value = id - 19010;
  } else if (id == 14500 || id == 14501) {
    r.kind = RadioKind::kWorkMode;
    r.page = 3;
    r.value = id - 14500;
  } else if (id == 14600 || id == 14601) {
    r.kind = RadioKind::kSingDisco;
    r.page = 3;
    r.value = id - 14600;
  } else if ((id >= 11700 && id <= 11702) || (id >= 12700 && id <= 12702) || id == 13700 ||
             id == 13701 || (id >= 14700 && id <= 14702) || (id >= 17700 && id <= 17702)) {
    r.kind = RadioKind::kSide;
    r.page = id / 1000 % 10 - 1;
    r.value = id % 10;
  } else {
    const int rest = id - kBandTypeBase;
    const int page = rest / kBandTypePageStride;
    const int within = rest % kBandTypePageStride;
    if (rest >= 0 && page < kPageCount && within / 10 < kMaxBands && within % 10 < kBandTypeCount) {
      r.kind = RadioKind::kBandType;
      r.page = page;
      r.band = within / 10;
      r.value = within % 10;
    }
  }
  return r;
}

uint16_t WorkModeValue(uint16_t workMode, bool automatic) {
  return static_cast<uint16_t>((workMode & 0x7F) | (automatic ? kFlagBit8 : 0));
}

uint16_t BankWorkModeValue(int bank, bool automatic) {
  return static_cast<uint16_t>((automatic ? kFlagBit8 : 0) | (bank == 1 ? 1 : 0));
}

uint16_t SingDiscoValue(uint16_t workMode, bool sing) {
  return static_cast<uint16_t>((workMode & kFlagBit8) | (sing ? 0 : 1));
}

bool IsDiscoMode(uint16_t workMode) { return (workMode & 0x7F) != 0; }
