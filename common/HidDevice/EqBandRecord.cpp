#include "HidDevice/EqBandRecord.h"

#include "HidDevice/EqTables.h"

namespace {

constexpr uint8_t kPeakingMode = 1;
constexpr uint32_t kPeakingShape = 0;
constexpr uint32_t kShelfShape = 4;
constexpr uint32_t kQShape = 5;
constexpr uint32_t kHighPassKind = 1;
constexpr uint32_t kLowPassKind = 2;
constexpr double kLowPassZeroFreq = 10.0;  // a low-pass at 0 Hz means its lowest corner

constexpr int kMaxGainValue = 480;  // +24 dB; larger values overflow the shelf and peak formulas

int Clamp(int index, int count) { return index < count ? index : count - 1; }

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

double BandFreqHz(int index) { return g_eqFreqTable[Clamp(index, kEqFreqCount)] / 10.0; }

double FilterFreqHz(int index) {
  return g_eqFilterFreqTable[Clamp(index, kEqFilterFreqCount)] / 10.0;
}

double QValue(int index) { return g_eqQTable[Clamp(index, kEqQCount)] / 100.0; }

double FrequencyFactor(uint8_t multiple) {
  switch (multiple) {
    case 1: return 10.0;
    case 2: return 100.0;
    default: return 1.0;
  }
}

EqBandInfo PassBand(bool highPass, uint32_t shape, double freq, double slope, double q) {
  EqBandInfo band;
  band.passKind = highPass ? kHighPassKind : kLowPassKind;
  band.shape = shape;
  band.freq = freq;
  band.gain = slope;
  band.q = q;
  band.q2 = 1.0;
  return band;
}

}  // namespace

EqBandInfo DecodeEqBand(const uint8_t* record) {
  EqBandInfo band;
  band.passKind = record[0];
  band.shape = record[0] == kPeakingMode ? kPeakingShape : kShelfShape;
  band.freq = BandFreqHz(ReadU16(record + 1));
  band.gain = Clamp(ReadU16(record + 3), kMaxGainValue + 1) / 10.0 - 24.0;
  band.q = QValue(record[5]);
  band.q2 = QValue(record[6]);
  return band;
}

void DecodeEqBands(const uint8_t* first, int count, EqBandInfo* out) {
  for (int i = 0; i < count; ++i) out[i] = DecodeEqBand(first + i * kEqBandRecordSize);
}

EqBandInfo DecodeFilterBlock(const uint8_t* block, uint32_t callerShape, bool highPass) {
  uint32_t shape = callerShape;
  double slope = -24.0;
  double q = 1.0;
  switch (block[0]) {
    case 0: shape = 2; break;
    case 1: shape = 3; break;
    case 2: shape = 1; break;
    case 3: shape = kQShape; slope = -12.0; q = QValue(block[3]); break;
    case 4: shape = kQShape; q = QValue(block[3]); break;
    default: break;
  }
  double freq = FilterFreqHz(block[1]) * FrequencyFactor(block[2]);
  if (!highPass && freq == 0.0) freq = kLowPassZeroFreq;
  return PassBand(highPass, shape, freq, slope, q);
}

EqBandInfo DecodeEffectHighPass(uint8_t filterFreqIndex) {
  return PassBand(true, 1, FilterFreqHz(filterFreqIndex), -12.0, 1.0);
}

EqBandInfo DecodeEffectLowPass(uint8_t lowPassIndex) {
  return PassBand(false, 1, g_effectLpfTable[Clamp(lowPassIndex, kEffectLpfCount)], -12.0, 1.0);
}
