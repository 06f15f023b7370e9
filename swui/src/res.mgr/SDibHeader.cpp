#include "SDibHeader.h"

#include <algorithm>
#include <cstring>

namespace SWUI {

namespace {

template <class T>
T At(const BYTE* bytes, size_t offset) {
  T v;
  memcpy(&v, bytes + offset, sizeof(T));
  return v;
}

}  // namespace

bool SDibHeader::Read(const BYTE* bytes, size_t available) {
  if (bytes == nullptr || available < 4) return false;
  size = At<DWORD>(bytes, 0);
  if (size > available) return false;
  if (size == sizeof(BITMAPCOREHEADER)) {
    core = true;
    width = At<WORD>(bytes, 4);
    height = At<WORD>(bytes, 6);
    bitCount = At<WORD>(bytes, 10);
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
  width = At<LONG>(bytes, 4);
  height = At<LONG>(bytes, 8);
  bitCount = At<WORD>(bytes, 14);
  compression = At<DWORD>(bytes, 16);
  sizeImage = At<DWORD>(bytes, 20);
  clrUsed = At<DWORD>(bytes, 32);
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
