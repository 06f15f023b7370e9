#include "core/SLayoutSize.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cwchar>
#include <cwctype>

namespace SWUI {

namespace {

constexpr float kTolerance = 1e-8f;

bool NearlyEqual(float a, float b) { return std::fabs(a - b) < kTolerance; }

// Whether text ends with the lower-case suffix, ignoring the case of A-Z in text.
bool EndsWithNoCase(const wchar_t* text, size_t len, const wchar_t* suffix) {
  size_t n = wcslen(suffix);
  if (len < n) return false;
  const wchar_t* tail = text + len - n;
  for (size_t i = 0; i < n; ++i) {
    wchar_t c = tail[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

SLayoutSizeUnit UnitOf(const wchar_t* text) {
  size_t len = wcslen(text);
  // "dip" is the one three-letter unit; it is tested first so that it does not read as px.
  if (EndsWithNoCase(text, len, L"dip")) return dip;
  if (EndsWithNoCase(text, len, L"dp")) return dp;
  if (EndsWithNoCase(text, len, L"sp")) return sp;
  return px;
}

// A pixel count beyond int saturates instead of wrapping to INT_MIN.
int SaturateToInt(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0f) return INT_MAX;
  if (value <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(value);
}

// The leading number of text; "inf", "nan" and the like count as no number (0), and a finite
// number beyond float range saturates to the largest float.
float LeadingNumber(const wchar_t* text) {
  double value = wcstod(text, nullptr);
  if (!std::isfinite(value)) return 0.0f;
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

}  // namespace

bool SLayoutSize::IsMatchParent() const { return NearlyEqual(fSize, kMatchParent); }

bool SLayoutSize::IsWrapContent() const { return NearlyEqual(fSize, kWrapContent); }

bool SLayoutSize::IsValid() const { return !NearlyEqual(fSize, kInvalid); }

bool SLayoutSize::IsZero() const { return NearlyEqual(fSize, 0.0f); }

int SLayoutSize::toPixelSize(int scale) const {
  if (IsMatchParent()) return -2;
  if (IsWrapContent()) return -1;
  if (unit == px) return SaturateToInt(fSize);
  // Each step is rounded to float so that the result is the same on every build.
  float product = fSize * static_cast<float>(scale);
  float quotient = product / 100.0f;
  float sum = quotient + 0.5f;
  return SaturateToInt(std::floor(sum));
}

void SLayoutSize::parseString(const wchar_t* text) {
  if (text == nullptr || text[0] == L'\0') return;
  unit = UnitOf(text);
  fSize = LeadingNumber(text);
}

SLayoutSize SLayoutSize::fromString(const wchar_t* text) {
  SLayoutSize size;
  size.parseString(text);
  return size;
}

}  // namespace SWUI
