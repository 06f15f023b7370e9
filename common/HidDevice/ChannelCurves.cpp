#include "HidDevice/ChannelCurves.h"

#include <algorithm>

#include "HidDevice/EqBandRecord.h"

namespace {

constexpr int kMaxCurveBands = 20;

// Where one curve's data sits in the parameter image. Byte offsets of the rows named in the
// comments; an effect curve has single frequency rows in place of filter blocks.
struct CurveLayout {
  int channel;
  int side;
  int bandsOffset;  // first EqBandRecord of the set
  int imageBands;   // records the image holds for the set
  int curveBands;   // records the curve uses
  int hpOffset;     // high-pass filter block, or the effect's high-pass frequency row
  int lpOffset;     // low-pass filter block, or the effect's low-pass frequency row
};

constexpr CurveLayout kLayouts[CChannelCurves::kCurveCount] = {
    // MusicEQInfo0mode, MusicL_HPF_Type, MusicL_LPF_Type
    {CChannelCurves::kMusic, 0, 610, 11, 11, 601, 605},
    // MusicREQInfo0mode, MusicR_HPF_Type, MusicR_LPF_Type
    {CChannelCurves::kMusic, 1, 700, 11, 11, 691, 695},
    // MicEQInfo0mode, MicHPF_Type, MicLPF_Type
    {CChannelCurves::kMic, 0, 17, 26, 20, 8, 12},
    // Mic2EQInfo0mode, Mic2HPF_Type, Mic2LPF_Type
    {CChannelCurves::kMic, 1, 217, 26, 20, 208, 212},
    // EchoEQInfo0mode, EchoHPF_FREQ, EchoLPF_FREQ
    {CChannelCurves::kEffect, 0, 427, 11, 5, 410, 411},
    // Rev_EQ0mode, ReverbHPF_FREQ, ReverbLPF_FREQ
    {CChannelCurves::kEffect, 1, 521, 11, 5, 508, 509},
    // MainEQInfo0mode, MainL_HPF_Type, MainL_LPF_Type
    {CChannelCurves::kMain, 0, 806, 11, 7, 797, 801},
    // MainREQInfo0mode, MainR_HPF_Type, MainR_LPF_Type
    {CChannelCurves::kMain, 1, 896, 11, 7, 887, 891},
    // SCCENEQInfo0mode, CenHPF, CenLPF
    {CChannelCurves::kCenter, 0, 1100, 11, 7, 1091, 1095},
    // SubEQInfo0mode, SubHPF, SubLPF
    {CChannelCurves::kSub, 0, 998, 11, 7, 989, 993},
    // SCSUREQInfo0mode, SurL_HPF_Type, SurL_LPF_TYPE
    {CChannelCurves::kSurround, 0, 1206, 11, 7, 1197, 1201},
    // SurR_EQ_INFO0mode, SurR_HPF_Type, SurR_LPF_TYPE
    {CChannelCurves::kSurround, 1, 1296, 11, 7, 1287, 1291},
};

bool ValidChannel(int channel) { return channel >= 0 && channel < CChannelCurves::kChannelCount; }

void ClampRange(int& first, int& last) {
  first = std::max(first, 0);
  last = std::min(last, CChannelCurves::kChannelCount - 1);
}

}  // namespace

int CChannelCurves::CurveIndex(int channel, int side) {
  for (int i = 0; i < kCurveCount; ++i) {
    if (kLayouts[i].channel == channel && kLayouts[i].side == side) return i;
  }
  return -1;
}

int CChannelCurves::CurveBandCount(int channel) {
  const int index = CurveIndex(channel, 0);
  return index < 0 ? 0 : kLayouts[index].curveBands;
}

EqCurveInfo* CChannelCurves::GetCurve(int index) {
  return index >= 0 && index < kCurveCount ? &m_curves[index] : nullptr;
}

const EqCurveInfo* CChannelCurves::GetCurve(int index) const {
  return index >= 0 && index < kCurveCount ? &m_curves[index] : nullptr;
}

EqCurveInfo* CChannelCurves::GetChannelCurve(int channel, int side) {
  return GetCurve(CurveIndex(channel, side));
}

const EqCurveInfo* CChannelCurves::GetChannelCurve(int channel, int side) const {
  return GetCurve(CurveIndex(channel, side));
}

void CChannelCurves::LoadBands(const uint8_t* image, int curve, bool init) {
  const CurveLayout& layout = kLayouts[curve];
  EqBandInfo bands[kMaxCurveBands];
  DecodeEqBands(image + layout.bandsOffset, layout.curveBands, bands);
  if (init) {
    InitEqCurve(m_curves[curve], bands, layout.curveBands);
  } else {
    SetEqCurveBands(m_curves[curve], bands, layout.curveBands);
  }
}

void CChannelCurves::LoadHighPass(const uint8_t* image, int curve) {
  const CurveLayout& layout = kLayouts[curve];
  const EqBandInfo band = layout.channel == kEffect
                              ? DecodeEffectHighPass(image[layout.hpOffset])
                              : DecodeFilterBlock(image + layout.hpOffset, kHighPassDefaultShape,
                                                  true);
  SetEqCurveHighPass(m_curves[curve], band.shape, band.freq, band.gain, band.q);
}

void CChannelCurves::LoadLowPass(const uint8_t* image, int curve) {
  const CurveLayout& layout = kLayouts[curve];
  const EqBandInfo band = layout.channel == kEffect
                              ? DecodeEffectLowPass(image[layout.lpOffset])
                              : DecodeFilterBlock(image + layout.lpOffset, kLowPassDefaultShape,
                                                  false);
  SetEqCurveLowPass(m_curves[curve], band.shape, band.freq, band.gain, band.q);
}

bool CChannelCurves::InitCurves(const uint8_t* image) {
  if (image == nullptr) return false;
  for (int i = 0; i < kCurveCount; ++i) LoadBands(image, i, true);
  UpdateHighPassCurves(image, 0, kChannelCount - 1);
  UpdateLowPassCurves(image, 0, kChannelCount - 1);
  return std::all_of(std::begin(m_curves), std::end(m_curves),
                     [](const EqCurveInfo& c) { return !c.bands.empty(); });
}

void CChannelCurves::RefreshCurves(const uint8_t* image) {
  if (image == nullptr) return;
  for (int i = 0; i < kCurveCount; ++i) LoadBands(image, i, false);
  UpdateHighPassCurves(image, 0, kChannelCount - 1);
  UpdateLowPassCurves(image, 0, kChannelCount - 1);
}

bool CChannelCurves::UpdateEqBand(const uint8_t* image, int channel, int band) {
  if (image == nullptr || !ValidChannel(channel) || band < 0) return false;
  bool changed = false;
  for (int i = 0; i < kCurveCount; ++i) {
    const CurveLayout& layout = kLayouts[i];
    if (layout.channel != channel || band >= layout.curveBands) continue;
    const EqBandInfo info = DecodeEqBand(image + layout.bandsOffset + band * kEqBandRecordSize);
    if (SetEqCurveBand(m_curves[i], band, info) != 0) changed = true;
  }
  return changed;
}

void CChannelCurves::UpdateChannelCurves(const uint8_t* image, int channel) {
  if (image == nullptr || !ValidChannel(channel)) return;
  for (int i = 0; i < kCurveCount; ++i) {
    if (kLayouts[i].channel == channel) LoadBands(image, i, false);
  }
  UpdateHighPassCurves(image, channel, channel);
  UpdateLowPassCurves(image, channel, channel);
}

void CChannelCurves::UpdateHighPassCurves(const uint8_t* image, int first, int last) {
  if (image == nullptr) return;
  ClampRange(first, last);
  for (int i = 0; i < kCurveCount; ++i) {
    if (kLayouts[i].channel >= first && kLayouts[i].channel <= last) LoadHighPass(image, i);
  }
}

void CChannelCurves::UpdateLowPassCurves(const uint8_t* image, int first, int last) {
  if (image == nullptr) return;
  ClampRange(first, last);
  for (int i = 0; i < kCurveCount; ++i) {
    if (kLayouts[i].channel >= first && kLayouts[i].channel <= last) LoadLowPass(image, i);
  }
}
