#include "Eq/EqCurve.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "Eq/EqResponseKernel.h"

double g_eqFreqAxis[kEqCurvePoints];
double g_eqAxisMinFreq = -1.0;

namespace {

constexpr double kTwoPi = 6.28318530717958;
constexpr double kPi = 3.14159265358979323846;
constexpr double kSampleRate = 48000.0;
constexpr double kHalfRate = 24000.0;

// Frequency windows of the filter slots: outside them a slot stays flat and unselected.
constexpr double kFilterMinFreq = 10.0;
constexpr double kHighPassMaxFreq = 21000.0;
constexpr double kLowPassMaxFreq = 20600.0;

enum FilterSlot { kSlotHighPass = 0, kSlotLowPass = 1, kSlotHighPass2 = 2, kSlotLowPass2 = 3 };

bool IsInitialised(const EqCurveInfo& model) { return !model.bands.empty(); }

bool IsAxisBuilt() { return g_eqAxisMinFreq >= 0.0; }

bool InWindow(double freq, double maxFreq) {
  return freq >= kFilterMinFreq && freq <= maxFreq;
}

void CopyBandFields(EqBandInfo& dst, const EqBandInfo& src) {
  dst.passKind = src.passKind;
  dst.shape = src.shape;
  dst.freq = src.freq;
  dst.gain = src.gain;
  dst.q = src.q;
  dst.q2 = src.q2;
}

void ZeroResponse(EqBandInfo& band) { std::fill(band.response.begin(), band.response.end(), 0.0); }

// Coefficients, a cleared response, then the response itself once the axis exists.
void ComputeRecord(EqBandInfo& band) {
  CalcEqBandCoefs(band);
  ZeroResponse(band);
  if (IsAxisBuilt()) CalcEqBandResponse(band);
}

void SetNormalised(EqBandInfo& band, double b0, double b1, double b2, double a1, double a2,
                   double d) {
  band.a0 = 1.0;
  band.b0 = b0 / d;
  band.b1 = b1 / d;
  band.b2 = b2 / d;
  band.a1 = a1 / d;
  band.a2 = a2 / d;
}

void CalcPeaking(EqBandInfo& band, double s, double c) {
  const double a = std::pow(10.0, band.gain / 40.0);
  const double alpha = s / (2.0 * band.q);
  SetNormalised(band, 1.0 + alpha * a, -2.0 * c, 1.0 - alpha * a, -2.0 * c, 1.0 - alpha / a,
                1.0 + alpha / a);
}

void CalcPassFilter(EqBandInfo& band, double c, double alpha) {
  const double d = 1.0 + alpha;
  if (band.passKind == 1) {
    SetNormalised(band, (1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, -2.0 * c, 1.0 - alpha, d);
  } else if (band.passKind == 2) {
    SetNormalised(band, (1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, -2.0 * c, 1.0 - alpha, d);
  }
}

void CalcShelf(EqBandInfo& band, double s, double c) {
  band.a0 = band.b0 = 1.0;
  band.a1 = band.a2 = band.b1 = band.b2 = 0.0;
  const double a = std::pow(10.0, band.gain / 40.0);
  const double beta = std::sqrt(2.0 * a) / band.q2;
  if (band.passKind == 2) {  // low shelf
    const double d = (a + 1.0) + (a - 1.0) * c + beta * s;
    SetNormalised(band, a * ((a + 1.0) - (a - 1.0) * c + beta * s),
                  2.0 * a * ((a - 1.0) - (a + 1.0) * c),
                  a * ((a + 1.0) - (a - 1.0) * c - beta * s),
                  -2.0 * ((a - 1.0) + (a + 1.0) * c), (a + 1.0) + (a - 1.0) * c - beta * s, d);
  } else if (band.passKind == 3) {  // high shelf
    const double d = (a + 1.0) - (a - 1.0) * c + beta * s;
    SetNormalised(band, a * ((a + 1.0) + (a - 1.0) * c + beta * s),
                  -2.0 * a * ((a - 1.0) + (a + 1.0) * c),
                  a * ((a + 1.0) + (a - 1.0) * c - beta * s),
                  2.0 * ((a - 1.0) - (a + 1.0) * c), (a + 1.0) - (a - 1.0) * c - beta * s, d);
  }
}

bool IsPassShape(uint32_t shape) { return shape == 1 || shape == 2 || shape == 3 || shape == 5; }

// Stores a filter slot's band, computes it inside computeMax and selects it inside selectMax.
void SetFilterSlot(EqCurveInfo& model, FilterSlot which, uint32_t passKind, uint32_t shape,
                   double freq, double slope, double q, double computeMax, double selectMax) {
  if (!IsInitialised(model)) return;
  const int slot = model.nBands + which;
  switch (which) {
    case kSlotHighPass: model.hpIndex = slot; break;
    case kSlotLowPass: model.lpIndex = slot; break;
    case kSlotHighPass2: model.hp2Index = slot; break;
    case kSlotLowPass2: model.lp2Index = slot; break;
  }
  EqBandInfo& rec = model.bands[slot];
  rec.passKind = passKind;
  rec.shape = shape;
  rec.freq = freq;
  rec.gain = slope;
  rec.q = q;
  rec.q2 = 1.0;
  ZeroResponse(rec);
  if (InWindow(freq, computeMax) && !IsEqGainFlat(slope)) ComputeRecord(rec);
  SumEqCurves(model);
  model.selected = InWindow(freq, selectMax) ? slot : -1;
}

// Separate arrays by construction: a record's response is never a total.
void AddResponse(double* __restrict total, const double* __restrict response) {
  for (int i = 0; i < kEqCurvePoints; ++i) total[i] += response[i];
}

// A filter slot without an index adds nothing to the totals.
constexpr double kNoResponse[kEqCurvePoints] = {};

const double* SlotResponse(const EqCurveInfo& model, int index) {
  return index >= 0 ? model.bands[index].response.data() : kNoResponse;
}

}  // namespace

bool IsEqGainFlat(double gain) { return gain > -0.01 && gain < 0.01; }

void InitEqFreqAxis(double fmin) {
  fmin = std::min(std::max(fmin, 10.0), 20.0);
  g_eqAxisMinFreq = fmin;
  const double l0 = std::log10(fmin * kPi / kHalfRate);
  const double step = (std::log10(kPi) - l0) * 0.0009765625;
  double l = l0;
  for (int i = 0; i < kEqCurvePoints; ++i) {
    g_eqFreqAxis[i] = std::pow(10.0, l);
    l += step;
  }
  PrepareEqResponseTables(g_eqFreqAxis);
}

void CalcEqBandCoefs(EqBandInfo& band) {
  const double w = kTwoPi * band.freq / kSampleRate;
  const double s = std::sin(w);
  const double c = std::cos(w);
  switch (band.shape) {
    case 0: CalcPeaking(band, s, c); break;
    case 1: CalcPassFilter(band, c, s / std::sqrt(2.0)); break;
    case 2: CalcPassFilter(band, c, s / (2.0 / std::sqrt(3.0))); break;
    case 3: CalcPassFilter(band, c, s / 1.718); break;
    case 4: CalcShelf(band, s, c); break;
    case 5: CalcPassFilter(band, c, s / (2.0 * band.q)); break;
    default: break;  // unknown shapes keep their coefficients
  }
}

void CalcEqBandResponse(EqBandInfo& band) {
  if (band.gain > -0.001 && band.gain < 0.001) return;
  if (band.response.size() != static_cast<size_t>(kEqCurvePoints)) return;
  const double scale = IsPassShape(band.shape) ? band.gain / -12.0 : 1.0;
  EvalEqBiquadDb({band.b0, band.b1, band.b2, band.a0, band.a1, band.a2}, scale,
                 band.response.data());
}

void SumEqCurves(EqCurveInfo& model) {
  if (!IsAxisBuilt() || !IsInitialised(model)) return;
  // The regular bands are added up in `curve` band by band, each response walked once; every
  // point still sums its bands in band order, then the filter slots go onto the totals. A flat
  // band's response is all zeros, so it is left out.
  double* total = model.curve.data();
  std::fill(total, total + kEqCurvePoints, 0.0);
  for (int b = 0; b < model.nBands; ++b) {
    const EqBandInfo& band = model.bands[b];
    if (!IsEqGainFlat(band.gain)) AddResponse(total, band.response.data());
  }
  const bool second = model.hp2Index >= 0 || model.lp2Index >= 0;
  const double* hp = SlotResponse(model, model.hpIndex);
  const double* lp = SlotResponse(model, model.lpIndex);
  const double* hp2 = SlotResponse(model, model.hp2Index);
  const double* lp2 = SlotResponse(model, model.lp2Index);
  double maxDb = 0.0;
  for (int i = 0; i < kEqCurvePoints; ++i) {
    const double s = total[i];
    if (second) {
      model.curve2[i] = s + hp2[i] + lp2[i];
      maxDb = std::max(maxDb, model.curve2[i]);
    }
    total[i] = s + hp[i] + lp[i];
    maxDb = std::max(maxDb, total[i]);
  }
  model.maxDb = maxDb;
}

bool InitEqCurve(EqCurveInfo& model, const EqBandInfo* bands, int n) {
  if (n < 0 || (n > 0 && bands == nullptr)) return false;
  FreeEqCurve(model);
  try {
    model.nBands = n;
    model.selected = -1;
    model.bands.resize(static_cast<size_t>(n) + 4);
    model.curve.assign(kEqCurvePoints, 0.0);
    model.curve2.assign(kEqCurvePoints, 0.0);
    for (EqBandInfo& rec : model.bands) rec.response.assign(kEqCurvePoints, 0.0);
  } catch (const std::bad_alloc&) {
    // A half-built curve would later index missing arrays: leave it empty instead.
    FreeEqCurve(model);
    return false;
  }
  for (int i = 0; i < n; ++i) {
    EqBandInfo& rec = model.bands[i];
    CopyBandFields(rec, bands[i]);
    if (!IsEqGainFlat(rec.gain)) ComputeRecord(rec);
  }
  SumEqCurves(model);
  return true;
}

int SetEqCurveBand(EqCurveInfo& model, int i, const EqBandInfo& band) {
  if (!IsInitialised(model) || i < 0 || i >= model.nBands) return 0;
  EqBandInfo& rec = model.bands[i];
  const double oldGain = rec.gain;
  CopyBandFields(rec, band);
  model.selected = -1;
  ZeroResponse(rec);
  if (IsEqGainFlat(rec.gain)) {
    if (IsEqGainFlat(oldGain)) return 0;
    SumEqCurves(model);
    return 1;
  }
  ComputeRecord(rec);
  model.selected = i;
  SumEqCurves(model);
  return 1;
}

bool SetEqCurveBands(EqCurveInfo& model, const EqBandInfo* bands, int n) {
  if (!IsInitialised(model) || n != model.nBands || (n > 0 && bands == nullptr)) return false;
  model.selected = -1;
  std::fill(model.curve.begin(), model.curve.end(), 0.0);
  std::fill(model.curve2.begin(), model.curve2.end(), 0.0);
  for (int i = 0; i < n; ++i) {
    EqBandInfo& rec = model.bands[i];
    CopyBandFields(rec, bands[i]);
    ZeroResponse(rec);
    if (!IsEqGainFlat(rec.gain)) ComputeRecord(rec);
  }
  SumEqCurves(model);
  return true;
}

void SetEqCurveHighPass(EqCurveInfo& model, uint32_t shape, double freq, double slope, double q) {
  SetFilterSlot(model, kSlotHighPass, 1, shape, freq, slope, q, kHighPassMaxFreq,
                kHighPassMaxFreq);
}

void SetEqCurveLowPass(EqCurveInfo& model, uint32_t shape, double freq, double slope, double q) {
  SetFilterSlot(model, kSlotLowPass, 2, shape, freq, slope, q, kLowPassMaxFreq, kLowPassMaxFreq);
}

void SetEqCurveHighPass2(EqCurveInfo& model, uint32_t shape, double freq, double slope, double q) {
  SetFilterSlot(model, kSlotHighPass2, 1, shape, freq, slope, q, kHighPassMaxFreq,
                kLowPassMaxFreq);
}

void SetEqCurveLowPass2(EqCurveInfo& model, uint32_t shape, double freq, double slope, double q) {
  SetFilterSlot(model, kSlotLowPass2, 2, shape, freq, slope, q, kHighPassMaxFreq,
                kLowPassMaxFreq);
}

void RebuildEqCurve(EqCurveInfo& model, double lowestFreq) {
  // The axis comes first: the first model the editor is given may well be an empty one.
  if (!IsAxisBuilt()) InitEqFreqAxis(lowestFreq);
  if (!IsInitialised(model)) return;
  for (int i = 0; i < model.nBands; ++i) {
    if (!IsEqGainFlat(model.bands[i].gain)) ComputeRecord(model.bands[i]);
  }
  const struct {
    int index;
    double maxFreq;
  } slots[] = {{model.hpIndex, kHighPassMaxFreq},
               {model.lpIndex, kLowPassMaxFreq},
               {model.hp2Index, kHighPassMaxFreq},
               {model.lp2Index, kLowPassMaxFreq}};
  for (const auto& slot : slots) {
    if (slot.index < 0) continue;
    EqBandInfo& rec = model.bands[slot.index];
    if (InWindow(rec.freq, slot.maxFreq) && !IsEqGainFlat(rec.gain)) ComputeRecord(rec);
  }
  SumEqCurves(model);
}

void FreeEqCurve(EqCurveInfo& model) { model = EqCurveInfo(); }
