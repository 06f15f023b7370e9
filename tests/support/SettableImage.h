// Test images the program's own controls could have made: any byte pattern, with every row a
// control sets brought into that control's range (its flag bit kept).
#pragma once
#include <cstdint>

#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamLimits.h"

inline void MakeSettable(uint8_t* image, int bytes) {
  for (int row = 0; row < kParamCount; ++row) {
    ParamLimit limit;
    const ParamDesc& d = g_ParamDesc[row];
    if (d.offset + d.bytes > bytes || !GetParamLimit(row, &limit)) continue;
    const uint16_t value = GetParam(image, row);
    const uint16_t below = static_cast<uint16_t>((value & ~limit.flagMask) % (limit.max + 1));
    SetImageParam(image, row, static_cast<uint16_t>((value & limit.flagMask) | below));
  }
}
