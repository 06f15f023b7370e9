// The EQ lookup tables, the nearest-index searches and the decoding of band records and filter
// blocks.
#include <doctest/doctest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "HidDevice/EqBandRecord.h"
#include "HidDevice/EqTables.h"

namespace {

// Linear reference: nearest entry, lower index on a tie.
template <typename T>
int LinearNearest(const T* table, int count, uint32_t value) {
  int best = 0;
  for (int i = 1; i < count; ++i) {
    const long long d = std::llabs(static_cast<long long>(table[i]) - value);
    const long long b = std::llabs(static_cast<long long>(table[best]) - value);
    if (d < b) best = i;
  }
  return best;
}

uint32_t ThreeDigits(double x) {
  double scale = 1.0;
  while (x >= 1000.0) {
    x /= 10.0;
    scale *= 10.0;
  }
  return static_cast<uint32_t>(std::floor(x + 0.5) * scale);
}

}  // namespace

TEST_CASE("frequency table: 36 steps per octave at three digits, with the device's five exceptions") {
  CHECK(g_eqFreqTable[0] == 197);
  CHECK(g_eqFreqTable[20] == 289);
  CHECK(g_eqFreqTable[204] == 10000);
  CHECK(g_eqFreqTable[361] == 206000);
  for (int i = 0; i < kEqFreqCount; ++i) {
    CAPTURE(i);
    if (i == 81) CHECK(g_eqFreqTable[i] == 940);
    else if (i == 82) CHECK(g_eqFreqTable[i] == 950);
    else if (i == 83) CHECK(g_eqFreqTable[i] == 970);
    else if (i == 84) CHECK(g_eqFreqTable[i] == 990);
    else if (i == 24) CHECK(g_eqFreqTable[i] == 313);
    else REQUIRE(g_eqFreqTable[i] == ThreeDigits(10000.0 * std::pow(2.0, (i - 204) / 36.0)));
    if (i > 0) REQUIRE(g_eqFreqTable[i] > g_eqFreqTable[i - 1]);
  }
}

TEST_CASE("Q, filter and effect low-pass tables") {
  CHECK(g_eqQTable[0] == 40);
  CHECK(g_eqQTable[16] == 100);
  CHECK(g_eqQTable[100] == 12800);
  for (int i = 1; i < kEqQCount; ++i) REQUIRE(g_eqQTable[i] > g_eqQTable[i - 1]);
  CHECK(g_eqFilterFreqTable[0] == 0);
  for (int i = 1; i < kEqFilterFreqCount; ++i) REQUIRE(g_eqFilterFreqTable[i] == g_eqFreqTable[i - 1]);
  CHECK(g_eqFilterFreqTable[205] == 10000);
  CHECK(kEffectLpfCount == 66);
  CHECK(g_effectLpfTable[0] == 5990);
  CHECK(g_effectLpfTable[5] == 6660);
  CHECK(g_effectLpfTable[65] == 21000);
  for (int i = 1; i < kEffectLpfCount; ++i) REQUIRE(g_effectLpfTable[i] > g_effectLpfTable[i - 1]);
}

TEST_CASE("nearest frequency index: named cases and the whole range against a linear search") {
  const struct {
    uint32_t value;
    int index;
  } cases[] = {{10000, 204}, {200, 1}, {199, 0}, {995, 84}, {1000, 84}, {1001, 85},
               {991, 84},    {0, 0},   {197, 0}, {206000, 361}, {4000000000u, 361}};
  for (const auto& c : cases) {
    CAPTURE(c.value);
    CHECK(FindNearestFreqIndex(c.value) == c.index);
  }
  for (uint32_t v = 0; v <= 210000; ++v) {
    if (FindNearestFreqIndex(v) != LinearNearest(g_eqFreqTable, kEqFreqCount, v)) {
      FAIL("differs from a whole-table search at " << v);
    }
  }
}

TEST_CASE("nearest Q index and the general search") {
  CHECK(FindNearestQIndex(100) == 16);
  CHECK(FindNearestQIndex(41) == 0);  // tie 40/42 goes low
  CHECK(FindNearestQIndex(0) == 0);
  CHECK(FindNearestQIndex(99999) == 100);
  for (uint32_t v = 0; v <= 13000; ++v) {
    if (FindNearestQIndex(v) != LinearNearest(g_eqQTable, kEqQCount, v)) {
      FAIL("differs from a whole-table search at " << v);
    }
  }
  const uint32_t table[] = {10, 20, 40};
  CHECK(FindNearestIndex(table, 3, 30) == 1);
  CHECK(FindNearestIndex(table, 3, 31) == 2);
  CHECK(FindNearestIndex(table, 1, 500) == 0);
  CHECK(FindNearestIndex(table, 0, 5) == -1);
  CHECK(FindNearestIndex(nullptr, 3, 5) == -1);
}

TEST_CASE("band records decode to frequency, gain and Q; indices past the tables clamp") {
  const uint8_t flat[7] = {0x01, 0x14, 0x00, 0xF0, 0x00, 0x10, 0x10};
  EqBandInfo b = DecodeEqBand(flat);
  CHECK(b.passKind == 1);
  CHECK(b.shape == 0);
  CHECK(b.freq == doctest::Approx(28.9));
  CHECK(b.gain == 0.0);
  CHECK(b.q == 1.0);
  CHECK(b.q2 == 1.0);

  const uint8_t lowest[7] = {0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x64};
  b = DecodeEqBand(lowest);
  CHECK(b.passKind == 2);
  CHECK(b.shape == 4);
  CHECK(b.freq == doctest::Approx(19.7));
  CHECK(b.gain == -24.0);
  CHECK(b.q == doctest::Approx(0.4));
  CHECK(b.q2 == 128.0);

  const uint8_t beyond[7] = {0x00, 0xFF, 0xFF, 0xE0, 0x01, 0xFF, 0x65};
  b = DecodeEqBand(beyond);
  CHECK(b.shape == 4);
  CHECK(b.freq == 20600.0);
  CHECK(b.gain == 24.0);
  CHECK(b.q == 128.0);
  CHECK(b.q2 == 128.0);
  const uint8_t justPast[7] = {0x01, 0x6A, 0x01, 0xF0, 0x00, 0x10, 0x10};  // index 362
  CHECK(DecodeEqBand(justPast).freq == 20600.0);
  const uint8_t hugeGain[7] = {0x01, 0xCC, 0x00, 0xFF, 0xFF, 0x10, 0x10};  // 65535 -> +24 dB
  CHECK(DecodeEqBand(hugeGain).gain == 24.0);

  EqBandInfo run[3];
  const uint8_t records[21] = {1, 20, 0, 0xF0, 0, 16, 16, 1, 204, 0, 0x2C, 1, 16, 16,
                               3, 0x69, 1, 0xB4, 0, 16, 16};
  DecodeEqBands(records, 3, run);
  CHECK(run[1].freq == 1000.0);
  CHECK(run[1].gain == doctest::Approx(6.0));
  CHECK(run[2].freq == doctest::Approx(20600.0));
  CHECK(run[2].passKind == 3);
  CHECK(run[2].gain == doctest::Approx(-6.0));
}

TEST_CASE("filter blocks: shape, slope and Q by type; frequency factor; low-pass floor") {
  const struct {
    uint8_t block[4];
    bool highPass;
    uint32_t shape;
    double slope;
    double q;
    double freq;
  } cases[] = {
      {{0, 205, 0, 0}, true, 2, -24.0, 1.0, 1000.0},
      {{1, 205, 1, 0}, true, 3, -24.0, 1.0, 10000.0},
      {{2, 21, 2, 0}, false, 1, -24.0, 1.0, 2890.0},
      {{3, 1, 0, 16}, true, 5, -12.0, 1.0, 19.7},
      {{4, 1, 0, 0}, true, 5, -24.0, 0.4, 19.7},
      {{4, 1, 0, 250}, true, 5, -24.0, 128.0, 19.7},
      {{9, 1, 0, 0}, true, kHighPassDefaultShape, -24.0, 1.0, 19.7},
      {{9, 1, 0, 0}, false, kLowPassDefaultShape, -24.0, 1.0, 19.7},
      {{2, 0, 0, 0}, false, 1, -24.0, 1.0, 10.0},  // a low-pass at 0 Hz sits at 10 Hz
      {{2, 0, 0, 0}, true, 1, -24.0, 1.0, 0.0},
      {{2, 240, 0, 0}, true, 1, -24.0, 1.0, 1000.0},  // past the table: last entry
      {{2, 205, 7, 0}, true, 1, -24.0, 1.0, 1000.0},  // unknown factor: x1
  };
  int n = 0;
  for (const auto& c : cases) {
    CAPTURE(n++);
    const uint32_t callerShape = c.highPass ? kHighPassDefaultShape : kLowPassDefaultShape;
    const EqBandInfo b = DecodeFilterBlock(c.block, callerShape, c.highPass);
    CHECK(b.passKind == (c.highPass ? 1u : 2u));
    CHECK(b.shape == c.shape);
    CHECK(b.gain == c.slope);
    CHECK(b.q == doctest::Approx(c.q));
    CHECK(b.q2 == 1.0);
    CHECK(b.freq == doctest::Approx(c.freq));
  }
}

TEST_CASE("effect filters: high-pass from the filter table, low-pass from its own table") {
  EqBandInfo hp = DecodeEffectHighPass(21);
  CHECK(hp.passKind == 1);
  CHECK(hp.shape == 1);
  CHECK(hp.gain == -12.0);
  CHECK(hp.q == 1.0);
  CHECK(hp.freq == doctest::Approx(28.9));
  CHECK(DecodeEffectHighPass(255).freq == 1000.0);
  EqBandInfo lp = DecodeEffectLowPass(5);
  CHECK(lp.passKind == 2);
  CHECK(lp.shape == 1);
  CHECK(lp.gain == -12.0);
  CHECK(lp.freq == 6660.0);
  CHECK(DecodeEffectLowPass(65).freq == 21000.0);
  CHECK(DecodeEffectLowPass(66).freq == 21000.0);
  CHECK(DecodeEffectLowPass(255).freq == 21000.0);
}
