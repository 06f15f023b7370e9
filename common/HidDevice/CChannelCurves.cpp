#include "HidDevice/CChannelCurves.h"

#include <algorithm>

#include "HidDevice/EqBandRecord.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"

namespace {

constexpr int kMaxCurveBands = 20;

// Where one curve's data sits in the parameter table: the first band record of its set, and its
// filter blocks (for the effect curves, the single frequency rows that stand in for them).
struct CurveLayout {
  int channel;
  int side;
  int bandsRow;    // first row (mode) of the set's first EqBandRecord
  int curveBands;  // records the curve uses (the image may hold more)
  int hpRow;       // high-pass filter block (type row) or the effect's high-pass frequency row
  int lpRow;       // low-pass filter block (type row) or the effect's low-pass frequency row
};

using C = CChannelCurves;
namespace R = ParamRow;

constexpr CurveLayout kLayouts[C::kCurveCount] = {
    {C::kMusic, 0, R::MusicEQInfo0mode, 11, R::MusicL_HPF_Type, R::MusicL_LPF_Type},
    {C::kMusic, 1, R::MusicREQInfo0mode, 11, R::MusicR_HPF_Type, R::MusicR_LPF_Type},
    {C::kMic, 0, R::MicEQInfo0mode, 20, R::MicHPF_Type, R::MicLPF_Type},
    {C::kMic, 1, R::Mic2EQInfo0mode, 20, R::Mic2HPF_Type, R::Mic2LPF_Type},
    {C::kEffect, 0, R::EchoEQInfo0mode, 5, R::EchoHPF_FREQ, R::EchoLPF_FREQ},
    {C::kEffect, 1, R::Rev_EQ0mode, 5, R::ReverbHPF_FREQ, R::ReverbLPF_FREQ},
    {C::kMain, 0, R::MainEQInfo0mode, 7, R::MainL_HPF_Type, R::MainL_LPF_Type},
    {C::kMain, 1, R::MainREQInfo0mode, 7, R::MainR_HPF_Type, R::MainR_LPF_Type},
    {C::kCenter, 0, R::SCCENEQInfo0mode, 7, R::CenHPF, R::CenLPF},
    {C::kSub, 0, R::SubEQInfo0mode, 7, R::SubHPF, R::SubLPF},
    {C::kSurround, 0, R::SCSUREQInfo0mode, 7, R::SurL_HPF_Type, R::SurL_LPF_TYPE},
    {C::kSurround, 1, R::SurR_EQ_INFO0mode, 7, R::SurR_HPF_Type, R::SurR_LPF_TYPE},
};

const uint8_t* RowBytes(const uint8_t* image, int row) { return image + g_ParamDesc[row].offset; }

const uint8_t* BandRecord(const uint8_t* image, const CurveLayout& layout, int band) {
  return RowBytes(image, layout.bandsRow) + band * kEqBandRecordSize;
}

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
  DecodeEqBands(BandRecord(image, layout, 0), layout.curveBands, bands);
  if (init) {
    InitEqCurve(m_curves[curve], bands, layout.curveBands);
  } else {
    SetEqCurveBands(m_curves[curve], bands, layout.curveBands);
  }
}

void CChannelCurves::LoadHighPass(const uint8_t* image, int curve) {
  const CurveLayout& layout = kLayouts[curve];
  const EqBandInfo band = layout.channel == kEffect
                              ? DecodeEffectHighPass(*RowBytes(image, layout.hpRow))
                              : DecodeFilterBlock(RowBytes(image, layout.hpRow), kHighPassDefaultShape,
                                                  true);
  SetEqCurveHighPass(m_curves[curve], band.shape, band.freq, band.gain, band.q);
}

void CChannelCurves::LoadLowPass(const uint8_t* image, int curve) {
  const CurveLayout& layout = kLayouts[curve];
  const EqBandInfo band = layout.channel == kEffect
                              ? DecodeEffectLowPass(*RowBytes(image, layout.lpRow))
                              : DecodeFilterBlock(RowBytes(image, layout.lpRow), kLowPassDefaultShape,
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
    const EqBandInfo info = DecodeEqBand(BandRecord(image, layout, band));
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
  LoadFilters(image, first, last, &CChannelCurves::LoadHighPass);
}

void CChannelCurves::UpdateLowPassCurves(const uint8_t* image, int first, int last) {
  LoadFilters(image, first, last, &CChannelCurves::LoadLowPass);
}

void CChannelCurves::LoadFilters(const uint8_t* image, int first, int last, FilterLoader load) {
  if (image == nullptr) return;
  ClampRange(first, last);
  for (int i = 0; i < kCurveCount; ++i) {
    if (kLayouts[i].channel >= first && kLayouts[i].channel <= last) (this->*load)(image, i);
  }
}
