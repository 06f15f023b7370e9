#include "ParamTables.h"

namespace {

struct ReverbTimes {
  uint16_t ms[kReverbTimeCount];
};

constexpr ReverbTimes MakeReverbTimes() {
  ReverbTimes t{};
  for (int i = 0; i < kReverbTimeCount; ++i) t.ms[i] = static_cast<uint16_t>(i * 125 / 2);
  return t;
}
constexpr ReverbTimes kReverbTimes = MakeReverbTimes();
static_assert(kReverbTimes.ms[1] == 62 && kReverbTimes.ms[3] == 187 &&
                  kReverbTimes.ms[kReverbTimeCount - 1] == 5000,
              "reverb times rise by 62.5 ms, truncated, to 5 s");

}  // namespace

const uint16_t (&g_reverbTimeTable)[kReverbTimeCount] = kReverbTimes.ms;

const uint16_t g_attackTable[kAttackCount] = {5,   7,   10,  14,  20,  28,  40,  57,
                                              80,  110, 160, 230, 320, 450, 640, 900};

const uint16_t g_releaseTable[kReleaseCount] = {2, 4, 5, 8, 12, 16, 24, 32};

const uint16_t g_ratioTable[kRatioCount] = {
    10,  12,  14,  16,  18,  20,  24,  28,  32,  36,  40,  44,  48,  52,
    56,  60,  64,  68,  72,  76,  80,  84,  90,  96,  102, 108, 114, 120,
    130, 140, 150, 160, 170, 180, 190, 200, 220, 240, 260, 300, 1000,
};

const uint16_t g_filterMultipleTable[kFilterMultipleCount] = {1, 10, 100};

int ClampIndex(int index, int count) {
  if (count <= 0 || index < 0) return 0;
  return index < count ? index : count - 1;
}
