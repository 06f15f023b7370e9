#include "SDibHeader.h"

#include "core/SByteOrder.h"

#include <algorithm>

namespace SWUI {

bool SDibHeader::Read(const BYTE* bytes, size_t available) {
  if (bytes == nullptr || available < 4) return false;
  size = ReadLE32(bytes);
  if (size > available) return false;
  if (size == sizeof(BITMAPCOREHEADER)) {
    core = true;
    width = ReadLE16(bytes + 4);
    height = ReadLE16(bytes + 6);
    bitCount = ReadLE16(bytes + 10);
    compression = BI_RGB;
    sizeImage = 0;
    clrUsed = 0;
    return true;
  }
  if (size != sizeof(BITMAPINFOHEADER) && size != sizeof(BITMAPV4HEADER) &&
      size != sizeof(BITMAPV5HEADER)) {
    return false;
  }
  core = false;
  width = static_cast<int32_t>(ReadLE32(bytes + 4));
  height = static_cast<int32_t>(ReadLE32(bytes + 8));
  bitCount = ReadLE16(bytes + 14);
  compression = ReadLE32(bytes + 16);
  sizeImage = ReadLE32(bytes + 20);
  clrUsed = ReadLE32(bytes + 32);
  return true;
}

uint64_t SDibHeader::ColourCount() const {
  if (!core && clrUsed != 0) return std::min<DWORD>(clrUsed, 256);
  return bitCount <= 8 ? (1u << bitCount) : 0;
}

uint64_t SDibHeader::HeaderAndColours() const {
  if (core) return 12 + 3 * ColourCount();
  const uint64_t masks = size == sizeof(BITMAPINFOHEADER) && compression == BI_BITFIELDS ? 12 : 0;
  return std::max<uint64_t>(size, 40 + masks) + 4 * ColourCount();
}

uint64_t SDibHeader::RowBytes(uint64_t width, unsigned bitCount) {
  return (width * bitCount + 31) / 32 * 4;
}

}  // namespace SWUI
