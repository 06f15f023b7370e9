#include "Eq/EqResponseKernel.h"

#ifndef __SSE2__
#error "The EQ response kernel evaluates two axis points at a time with SSE2 (build with -msse2)."
#endif

#include <emmintrin.h>

#include <cmath>

namespace {

static_assert(kEqCurvePoints % 2 == 0, "the kernel walks the axis two points at a time");

// The logarithm splits x into 2^e x m with m in [1, 2); m rounded to kLogIndexBits fraction bits
// is a table centre c, and log m = log c + log(1 + r) with r = (m - c) / c, |r| <= 2^-(bits+1),
// whose series converges after five terms to far below a double's precision. The centre of
// m = 1 is 1 itself, so a ratio of exactly 1 (a unity filter) gives exactly 0 dB.
constexpr int kLogIndexBits = 8;
constexpr int kLogTableSize = (1 << kLogIndexBits) + 1;  // centres 1, 1 + 2^-8, ..., 2
constexpr int kMantissaBits = 52;
constexpr double kDbPerOctave = 3.0102999566398119521;  // 10 log10(2)
constexpr double kDbPerNeper = 4.3429448190325182765;   // 10 / ln(10)

struct LogEntry {
  double centre;    // 1 + k / 2^kLogIndexBits: exactly representable
  double inverse;   // 1 / centre
  double decibels;  // 10 log10(centre)
};

struct KernelTables {
  alignas(16) double cos1[kEqCurvePoints];
  alignas(16) double sin1[kEqCurvePoints];
  alignas(16) double cos2[kEqCurvePoints];
  alignas(16) double sin2[kEqCurvePoints];
  LogEntry logs[kLogTableSize];

  KernelTables() {
    const double unbuilt[kEqCurvePoints] = {};
    SetAxis(unbuilt);
    for (int k = 0; k < kLogTableSize; ++k) {
      LogEntry& entry = logs[k];
      entry.centre = 1.0 + static_cast<double>(k) / (1 << kLogIndexBits);
      entry.inverse = 1.0 / entry.centre;
      entry.decibels = 10.0 * std::log10(entry.centre);
    }
  }

  // The double angle comes from the single one, exactly as a point-by-point evaluation of the
  // transfer function computes it, so numerators and denominators come out the same to the bit.
  void SetAxis(const double* axis) {
    for (int i = 0; i < kEqCurvePoints; ++i) {
      const double c = std::cos(axis[i]);
      const double s = std::sin(axis[i]);
      cos1[i] = c;
      sin1[i] = s;
      cos2[i] = 2.0 * c * c - 1.0;
      sin2[i] = 2.0 * s * c;
    }
  }
};

KernelTables& Tables() {
  static KernelTables tables;
  return tables;
}

// 10 log10 of two positive, finite, normal values.
__m128d DecibelsOfNormals(__m128d x, const LogEntry* logs) {
  const __m128i bits = _mm_castpd_si128(x);
  // The mantissa's top kLogIndexBits + 1 bits, rounded to kLogIndexBits.
  const int fieldMask = (1 << (kLogIndexBits + 1)) - 1;
  const __m128i field = _mm_and_si128(_mm_srli_epi64(bits, kMantissaBits - kLogIndexBits - 1),
                                      _mm_set_epi32(0, fieldMask, 0, fieldMask));
  const __m128i index = _mm_srli_epi64(_mm_add_epi64(field, _mm_set_epi32(0, 1, 0, 1)), 1);
  const LogEntry& lo = logs[_mm_cvtsi128_si32(index)];
  const LogEntry& hi = logs[_mm_cvtsi128_si32(_mm_srli_si128(index, 8))];

  // The biased exponent, made a double by placing it in the mantissa of 2^52.
  const __m128d twoTo52 = _mm_set1_pd(4503599627370496.0);
  const __m128d biased =
      _mm_castsi128_pd(_mm_or_si128(_mm_srli_epi64(bits, kMantissaBits), _mm_castpd_si128(twoTo52)));
  const __m128d exponent = _mm_sub_pd(biased, _mm_set1_pd(4503599627370496.0 + 1023.0));

  const __m128d mantissaMask = _mm_castsi128_pd(_mm_set_epi32(0x000FFFFF, -1, 0x000FFFFF, -1));
  const __m128d m = _mm_or_pd(_mm_and_pd(x, mantissaMask), _mm_set1_pd(1.0));
  // m and its centre lie within a factor of 2 of each other, so their difference is exact.
  const __m128d r = _mm_mul_pd(_mm_sub_pd(m, _mm_set_pd(hi.centre, lo.centre)),
                               _mm_set_pd(hi.inverse, lo.inverse));
  // log(1 + r) = r + r^2 (-1/2 + r/3) + r^4 (-1/4 + r/5); the next term is below 1e-17. Grouped
  // in pairs, the terms do not wait on one another as a nested evaluation's would.
  const __m128d r2 = _mm_mul_pd(r, r);
  const __m128d low = _mm_add_pd(_mm_set1_pd(-1.0 / 2.0), _mm_mul_pd(r, _mm_set1_pd(1.0 / 3.0)));
  const __m128d high = _mm_add_pd(_mm_set1_pd(-1.0 / 4.0), _mm_mul_pd(r, _mm_set1_pd(1.0 / 5.0)));
  const __m128d series = _mm_add_pd(r, _mm_mul_pd(r2, _mm_add_pd(low, _mm_mul_pd(r2, high))));

  const __m128d whole = _mm_add_pd(_mm_mul_pd(exponent, _mm_set1_pd(kDbPerOctave)),
                                   _mm_set_pd(hi.decibels, lo.decibels));
  return _mm_add_pd(whole, _mm_mul_pd(series, _mm_set1_pd(kDbPerNeper)));
}

// 10 log10 of two ratios, handing anything but positive normal values to the C library.
__m128d Decibels(__m128d x, const LogEntry* logs) {
  const __m128d normal = _mm_and_pd(_mm_cmpge_pd(x, _mm_set1_pd(2.2250738585072014e-308)),
                                    _mm_cmple_pd(x, _mm_set1_pd(1.7976931348623157e308)));
  if (_mm_movemask_pd(normal) == 3) return DecibelsOfNormals(x, logs);
  double lanes[2];
  _mm_storeu_pd(lanes, x);
  return _mm_set_pd(10.0 * std::log10(lanes[1]), 10.0 * std::log10(lanes[0]));
}

// |c0 + c1 e^-jw + c2 e^-2jw|^2 at two points; the imaginary part's sign does not matter.
__m128d SquaredMagnitude(__m128d c0, __m128d c1, __m128d c2, __m128d cos1, __m128d sin1,
                         __m128d cos2, __m128d sin2) {
  const __m128d re = _mm_add_pd(_mm_add_pd(c0, _mm_mul_pd(c1, cos1)), _mm_mul_pd(c2, cos2));
  const __m128d im = _mm_add_pd(_mm_mul_pd(c1, sin1), _mm_mul_pd(c2, sin2));
  return _mm_add_pd(_mm_mul_pd(re, re), _mm_mul_pd(im, im));
}

}  // namespace

void PrepareEqResponseTables(const double* axis) { Tables().SetAxis(axis); }

void EvalEqBiquadDb(const EqBiquad& biquad, double scale, double* out) {
  const KernelTables& t = Tables();
  const __m128d b0 = _mm_set1_pd(biquad.b0), b1 = _mm_set1_pd(biquad.b1),
                b2 = _mm_set1_pd(biquad.b2);
  const __m128d a0 = _mm_set1_pd(biquad.a0), a1 = _mm_set1_pd(biquad.a1),
                a2 = _mm_set1_pd(biquad.a2);
  // Ratios first, decibels in a second pass: each pass's chain of dependent steps stays short
  // enough for several points to be under way at once.
  for (int i = 0; i < kEqCurvePoints; i += 2) {
    const __m128d cos1 = _mm_load_pd(t.cos1 + i);
    const __m128d sin1 = _mm_load_pd(t.sin1 + i);
    const __m128d cos2 = _mm_load_pd(t.cos2 + i);
    const __m128d sin2 = _mm_load_pd(t.sin2 + i);
    const __m128d ratio = _mm_div_pd(SquaredMagnitude(b0, b1, b2, cos1, sin1, cos2, sin2),
                                     SquaredMagnitude(a0, a1, a2, cos1, sin1, cos2, sin2));
    _mm_storeu_pd(out + i, ratio);
  }
  const __m128d factor = _mm_set1_pd(scale);
  for (int i = 0; i < kEqCurvePoints; i += 2)
    _mm_storeu_pd(out + i, _mm_mul_pd(Decibels(_mm_loadu_pd(out + i), t.logs), factor));
}
