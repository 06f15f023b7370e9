#include "HidDevice/EqTables.h"

// EQ band frequencies in 0.1 Hz, 36 steps per octave around 1 kHz (entry 204), each rounded to
// three significant digits; entries 24 and 81..84 are the device's own values.
constexpr uint32_t g_eqFreqTable[kEqFreqCount] = {
    197, 201, 205, 209, 213, 217, 221, 225, 230, 234, 239, 243,
    248, 253, 258, 263, 268, 273, 278, 284, 289, 295, 301, 307,
    313, 319, 325, 331, 338, 344, 351, 358, 365, 372, 379, 386,
    394, 401, 409, 417, 425, 434, 442, 451, 459, 468, 477, 487,
    496, 506, 516, 526, 536, 546, 557, 568, 579, 590, 601, 613,
    625, 637, 650, 662, 675, 688, 702, 715, 729, 743, 758, 772,
    787, 803, 818, 834, 850, 867, 884, 901, 919, 940, 950, 970,
    990, 1010, 1030, 1050, 1070, 1090, 1110, 1140, 1160, 1180, 1200, 1230,
    1250, 1270, 1300, 1320, 1350, 1380, 1400, 1430, 1460, 1490, 1520, 1540,
    1570, 1610, 1640, 1670, 1700, 1730, 1770, 1800, 1840, 1870, 1910, 1950,
    1980, 2020, 2060, 2100, 2140, 2180, 2230, 2270, 2310, 2360, 2410, 2450,
    2500, 2550, 2600, 2650, 2700, 2750, 2810, 2860, 2920, 2970, 3030, 3090,
    3150, 3210, 3270, 3340, 3400, 3470, 3540, 3600, 3670, 3750, 3820, 3890,
    3970, 4050, 4120, 4200, 4290, 4370, 4450, 4540, 4630, 4720, 4810, 4900,
    5000, 5100, 5200, 5300, 5400, 5510, 5610, 5720, 5830, 5950, 6060, 6180,
    6300, 6420, 6550, 6670, 6800, 6940, 7070, 7210, 7350, 7490, 7640, 7790,
    7940, 8090, 8250, 8410, 8570, 8740, 8910, 9080, 9260, 9440, 9620, 9810,
    10000, 10200, 10400, 10600, 10800, 11000, 11200, 11400, 11700, 11900, 12100, 12400,
    12600, 12800, 13100, 13300, 13600, 13900, 14100, 14400, 14700, 15000, 15300, 15600,
    15900, 16200, 16500, 16800, 17100, 17500, 17800, 18200, 18500, 18900, 19200, 19600,
    20000, 20400, 20800, 21200, 21600, 22000, 22400, 22900, 23300, 23800, 24200, 24700,
    25200, 25700, 26200, 26700, 27200, 27700, 28300, 28800, 29400, 30000, 30500, 31100,
    31700, 32400, 33000, 33600, 34300, 35000, 35600, 36300, 37000, 37800, 38500, 39200,
    40000, 40800, 41600, 42400, 43200, 44000, 44900, 45800, 46700, 47600, 48500, 49400,
    50400, 51400, 52400, 53400, 54400, 55500, 56600, 57700, 58800, 59900, 61100, 62300,
    63500, 64700, 66000, 67300, 68600, 69900, 71300, 72700, 74100, 75500, 77000, 78500,
    80000, 81600, 83100, 84800, 86400, 88100, 89800, 91500, 93300, 95100, 97000, 98900,
    101000, 103000, 105000, 107000, 109000, 111000, 113000, 115000, 118000, 120000, 122000, 125000,
    127000, 129000, 132000, 135000, 137000, 140000, 143000, 145000, 148000, 151000, 154000, 157000,
    160000, 163000, 166000, 170000, 173000, 176000, 180000, 183000, 187000, 190000, 194000, 198000,
    202000, 206000,
};

// Q x 100 as the device offers it; no closed rule.
const uint16_t g_eqQTable[kEqQCount] = {
    40, 42, 45, 47, 50, 53, 56, 59, 63, 67, 71, 75, 79, 84,
    89, 94, 100, 106, 112, 119, 126, 130, 140, 150, 160, 170, 180, 190,
    200, 210, 220, 240, 250, 270, 280, 300, 320, 340, 360, 380, 400, 420,
    450, 480, 500, 530, 570, 600, 630, 670, 710, 760, 800, 850, 900, 950,
    1010, 1070, 1130, 1200, 1270, 1350, 1400, 1500, 1600, 1700, 1800, 1900, 2000, 2100,
    2300, 2400, 2500, 2700, 2900, 3000, 3200, 3400, 3600, 3800, 4000, 4300, 4500, 4800,
    5100, 5400, 5700, 6000, 6400, 6800, 7200, 7600, 8100, 8500, 9100, 9600, 10200, 10800,
    11400, 12100, 12800,
};

// Filter block frequencies in 0.1 Hz (before the block's factor): entry 0 is 0, entries 1..205
// repeat band frequencies 0..204 (19.7 Hz .. 1 kHz). Derived from the band table at compile time
// so that the two can never disagree.
namespace {
struct FilterFreqs {
  uint32_t tenthsHz[kEqFilterFreqCount];
};
constexpr FilterFreqs MakeFilterFreqs() {
  FilterFreqs table{};
  for (int i = 1; i < kEqFilterFreqCount; ++i) table.tenthsHz[i] = g_eqFreqTable[i - 1];
  return table;
}
constexpr FilterFreqs kFilterFreqs = MakeFilterFreqs();
}  // namespace
const uint32_t (&g_eqFilterFreqTable)[kEqFilterFreqCount] = kFilterFreqs.tenthsHz;

// Low-pass corner frequencies in Hz of the echo and reverb filters.
const uint32_t g_effectLpfTable[kEffectLpfCount] = {
    5990, 6110, 6230, 6350, 6470, 6660, 6730, 6860, 6990, 7130, 7270, 7410,
    7550, 7700, 7850, 8000, 8160, 8310, 8480, 8640, 8810, 8980, 9150, 9330,
    9510, 9700, 9890, 10100, 10300, 10500, 10700, 10900, 11100, 11300, 11500, 11800,
    12000, 12200, 12500, 12700, 12900, 13200, 13500, 13700, 14000, 14300, 14500, 14800,
    15100, 15400, 15700, 16000, 16300, 16600, 17000, 17300, 17600, 18000, 18300, 18700,
    19000, 19400, 19800, 20200, 20600, 21000,
};

namespace {

// Index of the entry nearest to value in a rising table; the lower index on a tie. The whole
// table is searched, so the answer never depends on where a value falls between ranges.
template <typename T>
int NearestIn(const T* table, int count, uint32_t value) {
  if (table == nullptr || count <= 0) return -1;
  int lo = 0;
  int hi = count;  // first entry >= value lies in [lo, hi]
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (table[mid] < value) lo = mid + 1;
    else hi = mid;
  }
  if (lo == count) return count - 1;
  if (lo == 0 || table[lo] == value) return lo;
  const uint32_t below = value - table[lo - 1];
  const uint32_t above = table[lo] - value;
  return above < below ? lo : lo - 1;
}

}  // namespace

int FindNearestIndex(const uint32_t* table, int count, uint32_t value) {
  return NearestIn(table, count, value);
}

int FindNearestFreqIndex(uint32_t freq10) {
  return NearestIn(g_eqFreqTable, kEqFreqCount, freq10);
}

int FindNearestQIndex(uint32_t q100) { return NearestIn(g_eqQTable, kEqQCount, q100); }
