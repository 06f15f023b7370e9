#pragma once
// The device's EQ lookup tables and the searches that turn a value back into a table index.

#include <cstdint>

constexpr int kEqFreqCount = 362;        // band frequencies, 0.1 Hz, 19.7 Hz .. 20.6 kHz
constexpr int kEqQCount = 101;           // Q x 100, 0.40 .. 128.00
constexpr int kEqFilterFreqCount = 206;  // filter block frequencies, 0.1 Hz, entry 0 is 0
constexpr int kEffectLpfCount = 66;      // echo/reverb low-pass corners, Hz, 5.99 .. 21 kHz

extern const uint32_t g_eqFreqTable[kEqFreqCount];
extern const uint16_t g_eqQTable[kEqQCount];
extern const uint32_t (&g_eqFilterFreqTable)[kEqFilterFreqCount];
extern const uint32_t g_effectLpfTable[kEffectLpfCount];

// Index of the entry of a rising table nearest to value: an exact hit gives its own index,
// otherwise the closer neighbour, the lower index on a tie; below the first entry 0, above the
// last count-1. -1 for an empty table.
int FindNearestIndex(const uint32_t* table, int count, uint32_t value);
// The same over the band frequency table (value in 0.1 Hz) and the Q table (value Q x 100).
int FindNearestFreqIndex(uint32_t freq10);
int FindNearestQIndex(uint32_t q100);
