#include "controls/BoxBlurPixels.h"

#include <cstdint>

namespace SWUI {

namespace {

// The source extent the blocks of a destination extent read: (extent - 2) r - 1.
int64_t NeededSource(int destExtent, int r) {
  return (static_cast<int64_t>(destExtent) - 2) * r - 1;
}

}  // namespace

BOOL BoxBlurPixels(const BoxBlurArgs& a) {
  if (a.blockSize < 1) return FALSE;
  if (a.destWidth < 4 || a.destHeight < 4) return TRUE;
  if (a.src == nullptr || a.dest == nullptr) return FALSE;
  const int r = a.blockSize;
  if (a.srcWidth < NeededSource(a.destWidth, r) || a.srcHeight < NeededSource(a.destHeight, r)) {
    return FALSE;
  }
  const size_t srcStride = static_cast<size_t>(a.srcWidth) * 4;
  const size_t destStride = static_cast<size_t>(a.destWidth) * 4;
  const uint64_t area = static_cast<uint64_t>(r) * static_cast<uint64_t>(r);
  for (int y = 0; y <= a.destHeight - 4; ++y) {
    const size_t top = static_cast<size_t>(y + 1) * r - 1;
    BYTE* out = a.dest + y * destStride;
    for (int x = 0; x <= a.destWidth - 4; ++x, out += 4) {
      const size_t left = static_cast<size_t>(x + 1) * r - 1;
      uint64_t sum[3] = {0, 0, 0};
      for (int j = 0; j < r; ++j) {
        const BYTE* in = a.src + (top + j) * srcStride + left * 4;
        for (int i = 0; i < r; ++i, in += 4) {
          sum[0] += in[0];
          sum[1] += in[1];
          sum[2] += in[2];
        }
      }
      for (int c = 0; c < 3; ++c) out[c] = static_cast<BYTE>(sum[c] / area);
    }
  }
  return TRUE;
}

}  // namespace SWUI
