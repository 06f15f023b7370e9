#pragma once
// Decoding of the EQ bytes of the parameter image: 7-byte band records and 4-byte filter blocks
// become the band parameters of the curve model. Table indices beyond the tables clamp to the
// last entry and gains above +24 dB to +24 dB; the image bytes themselves are never changed.

#include <cstdint>

#include "Eq/EqCurve.h"

// Band record: mode (1 peaking, else shelf), u16 LE frequency index, u16 LE gain (dB x 10 + 240),
// Q index, second Q index.
constexpr int kEqBandRecordSize = 7;
// Table rows of one band record: mode, frequency, gain, Q, second Q.
constexpr int kEqBandRecordRows = 5;
// Filter block: type, frequency index, frequency factor (0 x1, 1 x10, 2 x100), Q index.
constexpr int kFilterBlockSize = 4;

// Shape a filter block of unknown type gets in a high-pass and in a low-pass call.
constexpr uint32_t kHighPassDefaultShape = 1;
constexpr uint32_t kLowPassDefaultShape = 0;

EqBandInfo DecodeEqBand(const uint8_t* record);
// Decodes count consecutive records starting at first into out[0..count-1].
void DecodeEqBands(const uint8_t* first, int count, EqBandInfo* out);
// The band for a channel's high-pass (highPass true) or low-pass slot; callerShape is the shape
// that a block of unknown type gets.
EqBandInfo DecodeFilterBlock(const uint8_t* block, uint32_t callerShape, bool highPass);
// The effect channel's filters: a high-pass from a filter frequency index, a low-pass from an
// index of the effect low-pass table.
EqBandInfo DecodeEffectHighPass(uint8_t filterFreqIndex);
EqBandInfo DecodeEffectLowPass(uint8_t lowPassIndex);
