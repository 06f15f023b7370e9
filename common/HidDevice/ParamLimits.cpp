#include "HidDevice/ParamLimits.h"

#include "HidDevice/CChannelCurves.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/EqBandRecord.h"
#include "HidDevice/EqTables.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"

namespace {

using namespace ParamRow;

constexpr uint16_t kNoLimit = 0xFFFF;
constexpr uint16_t kFlag8 = 0x80;
constexpr uint16_t kFlag16 = 0x8000;

// Slider tops of the channel pages and dialogs.
constexpr uint16_t kMainVolumeTop = 84;
constexpr uint16_t kEffectVolumeTop = 70;
constexpr uint16_t kPercentTop = 100;
constexpr uint16_t kPitchLevelTop = 240;
constexpr uint16_t kInputGainTop = 18;
constexpr uint16_t kFeedbackTop = 16;
constexpr uint16_t kDelayTop = 200;
constexpr uint16_t kEchoDelayTop = 1000;
constexpr uint16_t kReverbTimeTop = 80;
constexpr uint16_t kChannelFilterFreqTop = 143;
constexpr uint16_t kFilterQTop = 23;
constexpr uint16_t kFilterTypeTop = 4;      // five filter types
constexpr uint16_t kFilterMultipleTop = 2;  // x1, x10, x100
constexpr uint16_t kLinkModeTop = 2;        // left, right, both
constexpr uint16_t kInputPortTop = 3;       // four input port radios
constexpr uint16_t kSwitchTop = 1;
// Dynamics sliders: attack, release, threshold (wide for music and the expander), ratio.
constexpr uint16_t kAttackTop = 15;
constexpr uint16_t kReleaseTop = 7;
constexpr uint16_t kWideThresholdTop = 87;
constexpr uint16_t kThresholdTop = 34;
constexpr uint16_t kRatioTop = 40;
// EQ band fields: type radios 0..3, the frequency table, gain -24..+12 dB in 0.1 dB, the Q
// spin of a band-pass band and of a shelf.
constexpr uint16_t kBandTypeTop = 3;
constexpr uint16_t kBandGainTop = 360;
constexpr uint16_t kBandQTop = kEqQCount - 1;
constexpr uint16_t kShelfQTop = 28;

struct Table {
  ParamLimit rows[kParamCount];
};

void Set(Table& t, int row, uint16_t max, uint16_t flagMask = 0) {
  if (IsParamRow(row)) t.rows[row] = {flagMask, max};
}

void SetRun(Table& t, int first, int last, uint16_t max, uint16_t flagMask = 0) {
  for (int row = first; row <= last; ++row) Set(t, row, max, flagMask);
}

void SetFixedSliders(Table& t) {
  Set(t, Musicvolume, kMainVolumeTop);
  Set(t, Micvolume, kMainVolumeTop);
  Set(t, Effectvolume, kEffectVolumeTop);
  for (int row : {Music_Pitch_Vol, Mic_Pitch_Vol, MicA_Vol, MicB_Vol}) Set(t, row, kPercentTop);
  for (int row : {Music_Pitch_Level, Mic_Pitch_Level}) Set(t, row, kPitchLevelTop);
  // One gain slider shows the row of the chosen input port.
  SetRun(t, Sys_Music_AIN1Gain, Sys_Music_SPDIFGain, kInputGainTop);
  Set(t, SysMusicInPort_Gain, kInputPortTop);
  // The feedback slider reaches further than its combo box.
  Set(t, MicFeedBackMode, kFeedbackTop);

  // The effect filters' handles on the EQ editor reach the whole of their tables, further than
  // the sliders.
  for (int row : {EchoHPF_FREQ, ReverbHPF_FREQ}) Set(t, row, kEqFilterFreqCount - 1);
  for (int row : {EchoLPF_FREQ, ReverbLPF_FREQ}) Set(t, row, kEffectLpfCount - 1);
  for (int row : {EchoEFFLevel, EchoDirectLevel, ReverbLevel, Reverb_DrectLevel}) {
    Set(t, row, kPercentTop, kFlag8);
  }
  for (int row : {EchoPre_Delay, ReverbPre_Delay}) Set(t, row, kDelayTop);
  Set(t, EchoDelay, kEchoDelayTop);
  // The taps' levels also have switches, which set 0 or 50.
  for (int row :
       {EchoRepeat, EchoPreDelay_R, EchoDelay_R, EchoTap1Time, EchoTap2Time, EchoTap3Time,
        EchoTap1Level, EchoTap2Level, EchoTap3Level, RevBandWidth, RevEarlyReflection, RevRomSize,
        RevDiffProcedure, RevTimbre0, RevTimbre1, RevTimbre2, RevTimbre3, RevTimbre4, RevTimbre5}) {
    Set(t, row, kPercentTop);
  }
  Set(t, ReverbTime, kReverbTimeTop);

  // Output mixes: four levels with a mute bit each, then the delays.
  for (int row :
       {Main_MU, Main_MI, Main_Echo, Main_Rev, SCCEN_MU, SCCEN_MI, SCCEN_Echo, SCCEN_Rev,
        SubMusic_Mix, SubMic_Mix, Sub_Echo, Sub_Rev, SCSUR_MU, SCSUR_MI, SCSUR_Echo, SCSUR_Rev}) {
    Set(t, row, kPercentTop, kFlag16);
  }
  for (int row : {MainDelay_L, MainDelay_R, SCCENDelay, SubDelay, SCSURDelay_L, SCSURDelay_R}) {
    Set(t, row, kDelayTop);
  }
}

void SetSwitches(Table& t) {
  for (int row : {MainMute_L, MainMute_R, SCCENMute, SubMute, SCSURMute_L, SCSURMute_R}) {
    Set(t, row, kSwitchTop);
  }
  // Auto in bit 7, the bank (sing 0, disco 1) below it.
  for (int row : {MainWorkMode, SubWorkMode, SCWorkMode, Sur_WorkMode}) Set(t, row, 1, kFlag8);
  // The volume limit dialog: start and limit volume of music, mic and effect.
  SetRun(t, SysMusicStartVolume, SysMicLimterVolume, kMainVolumeTop);
  SetRun(t, SysEffStartVolume, SysEffLimterVolume, kEffectVolumeTop);
}

void SetFilterBlock(Table& t, int typeRow) {
  if (typeRow < 0) return;
  Set(t, typeRow, kFilterTypeTop);
  Set(t, typeRow + 1, kChannelFilterFreqTop);
  Set(t, typeRow + 2, kFilterMultipleTop);
  Set(t, typeRow + 3, kFilterQTop);
}

// AT, RT, LU, Ratio; the mic's expander follows its compressor with the on bit in its AT row.
void SetDynamicsBlock(Table& t, int atRow, uint16_t thresholdTop, uint16_t atFlag = 0) {
  if (atRow < 0) return;
  Set(t, atRow, kAttackTop, atFlag);
  Set(t, atRow + 1, kReleaseTop);
  Set(t, atRow + 2, thresholdTop);
  Set(t, atRow + 3, kRatioTop);
}

// The band-select row before the set holds the selected band with the EQ pass bit; each shown
// band's record holds its type, frequency index, gain and both Q indices.
void SetEqSet(Table& t, int firstRow, int bands) {
  if (firstRow < 1 || bands <= 0) return;
  Set(t, firstRow - 1, static_cast<uint16_t>(bands - 1), kFlag8);
  for (int band = 0; band < bands; ++band) {
    const int row = firstRow + band * kEqBandRecordRows;
    Set(t, row, kBandTypeTop);
    Set(t, row + 1, kEqFreqCount - 1);
    Set(t, row + 2, kBandGainTop);
    Set(t, row + 3, kBandQTop);
    Set(t, row + 4, kShelfQTop);
  }
}

void SetChannel(Table& t, int channel) {
  const int linkRow = CDeviceController::GetChannelLinkRow(channel);
  if (linkRow >= 0) Set(t, linkRow, kLinkModeTop);
  int left = -1, right = -1;
  CDeviceController::GetChannelHpfRows(channel, &left, &right);
  SetFilterBlock(t, left);
  SetFilterBlock(t, right);
  left = right = -1;
  CDeviceController::GetChannelLpfRows(channel, &left, &right);
  SetFilterBlock(t, left);
  SetFilterBlock(t, right);
  left = right = -1;
  CDeviceController::GetChannelDynamicsRows(channel, &left, &right);
  const bool music = channel == CDeviceController::kMusic;
  const bool mic = channel == CDeviceController::kMic;
  for (int block : {left, right}) {
    SetDynamicsBlock(t, block, music ? kWideThresholdTop : kThresholdTop);
    if (mic && block >= 0) SetDynamicsBlock(t, block + 4, kWideThresholdTop, kFlag8);
  }
  left = right = -1;
  CDeviceController::GetChannelEqRows(channel, &left, &right);
  const int bands = CChannelCurves::CurveBandCount(channel);
  SetEqSet(t, left, bands);
  SetEqSet(t, right, bands);
}

Table BuildTable() {
  Table t;
  for (ParamLimit& limit : t.rows) limit = {0, kNoLimit};
  SetFixedSliders(t);
  SetSwitches(t);
  for (int channel = 0; channel < CDeviceController::kChannelCount; ++channel) {
    SetChannel(t, channel);
  }
  return t;
}

const Table& Limits() {
  static const Table table = BuildTable();
  return table;
}

}  // namespace

bool GetParamLimit(int row, ParamLimit* out) {
  if (!IsParamRow(row)) return false;
  const ParamLimit& limit = Limits().rows[row];
  if (limit.max == kNoLimit) return false;
  if (out) *out = limit;
  return true;
}

bool IsSettableParamValue(int row, uint16_t value) {
  ParamLimit limit;
  if (!GetParamLimit(row, &limit)) return true;
  return (value & ~limit.flagMask & 0xFFFF) <= limit.max;
}

int FindUnsettableParam(const uint8_t* image, int bytes) {
  if (!image) return -1;
  for (int row = 0; row < kParamCount; ++row) {
    const ParamDesc& d = g_ParamDesc[row];
    if (d.offset + d.bytes > bytes) break;
    if (!IsSettableParamValue(row, GetParam(image, row))) return row;
  }
  return -1;
}
