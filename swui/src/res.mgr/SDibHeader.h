// The sizes of a device-independent bitmap, read from its header and checked in 64 bits, as
// icon images and bitmap files in packages need them before their bits are touched.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace SWUI {

class SDibHeader {
 public:
  // Reads the header at bytes: false unless at least its own size is available and that size
  // is 12 (core header), 40, 108 or 124.
  bool Read(const BYTE* bytes, size_t available);

  // Colour table entries: the used-colours field (at most 256) or, when it is 0 (and always
  // for a core header), 2^bit count up to 8 bits and none above.
  uint64_t ColourCount() const;
  // The header with its colour table, and for a 40-byte BI_BITFIELDS header its three masks.
  uint64_t HeaderAndColours() const;
  // Bytes of rows pixels: ((width x bit count + 31) / 32) x 4 per row.
  uint64_t BitsBytes(uint64_t rows) const { return RowBytes(width, bitCount) * rows; }
  static uint64_t RowBytes(uint64_t width, unsigned bitCount);

  DWORD size = 0;
  bool core = false;
  int64_t width = 0;
  int64_t height = 0;
  WORD bitCount = 0;
  DWORD compression = BI_RGB;
  DWORD sizeImage = 0;
  DWORD clrUsed = 0;
};

}  // namespace SWUI
