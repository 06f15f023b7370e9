// The value tables the channel pages show their controls with, beside the EQ tables of the
// device layer (HidDevice/EqTables.h: band frequencies, Q, filter frequencies, effect low-pass),
// which the pages use as they stand.
#pragma once
#include <cstdint>

#include "HidDevice/EqTables.h"

// Reverb time in ms: entry i is i x 62.5 truncated, 0 .. 5000.
constexpr int kReverbTimeCount = 81;
// Dynamics: attack in 0.1 ms, release as a multiple of the attack, ratio x 10.
constexpr int kAttackCount = 16;
constexpr int kReleaseCount = 8;
constexpr int kRatioCount = 41;
// The channel filters use the first entries of the filter frequency table (up to 303 Hz before
// the range factor); the echo and reverb high-pass use all of it.
constexpr int kChannelFilterFreqCount = 144;
// A filter block's range factor (its "Multiple" row) selects x1, x10 or x100.
constexpr int kFilterMultipleCount = 3;
// With the x100 range, entries above this one would pass 20.6 kHz (2060 x 100 / 10).
constexpr int kFilterTopIndexAtX100 = 123;

extern const uint16_t (&g_reverbTimeTable)[kReverbTimeCount];
extern const uint16_t g_attackTable[kAttackCount];
extern const uint16_t g_releaseTable[kReleaseCount];
extern const uint16_t g_ratioTable[kRatioCount];
extern const uint16_t g_filterMultipleTable[kFilterMultipleCount];

// An index read from an image or typed by a user, made safe for a table of `count` entries:
// negative gives 0, past the end the last entry.
int ClampIndex(int index, int count);
