#include "FillPixels.h"

#include <emmintrin.h>

namespace SWUI {

void FillPixels(DWORD* p, int count, DWORD value) {
  if (count < 4) {
    for (int i = 0; i < count; ++i) p[i] = value;
    return;
  }
  const __m128i four = _mm_set1_epi32(static_cast<int>(value));
  DWORD* const end = p + count;
  for (; end - p >= 16; p += 16) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 4), four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 8), four);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 12), four);
  }
  for (; end - p >= 4; p += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
  // The last few pixels: one store that overlaps pixels already written.
  if (p < end) _mm_storeu_si128(reinterpret_cast<__m128i*>(end - 4), four);
}

}  // namespace SWUI
