#include "DecimalText.h"

namespace {

constexpr int kMaxScaleDigits = 9;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Appends one digit to a magnitude that saturates at the limit.
long long AddDigit(long long magnitude, wchar_t digit) {
  if (magnitude >= kDecimalLimit) return kDecimalLimit;
  const long long next = magnitude * 10 + (digit - L'0');
  return next < kDecimalLimit ? next : kDecimalLimit;
}

}  // namespace

bool ParseScaledDecimal(const std::wstring& text, int scaleDigits, long long* out) {
  if (scaleDigits < 0 || scaleDigits > kMaxScaleDigits) return false;
  size_t i = 0;
  size_t end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;

  bool negative = false;
  if (i < end && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';

  long long magnitude = 0;
  int digits = 0;
  int fractionTaken = 0;
  bool point = false;
  for (; i < end; ++i) {
    const wchar_t c = text[i];
    if (c == L'.' && !point) {
      point = true;
      continue;
    }
    if (!IsDigit(c)) return false;
    ++digits;
    if (!point) {
      magnitude = AddDigit(magnitude, c);
    } else if (fractionTaken < scaleDigits) {  // later fraction digits are truncated away
      magnitude = AddDigit(magnitude, c);
      ++fractionTaken;
    }
  }
  if (digits == 0) return false;
  for (; fractionTaken < scaleDigits; ++fractionTaken) magnitude = AddDigit(magnitude, L'0');
  if (out) *out = negative ? -magnitude : magnitude;
  return true;
}

std::wstring RemoveAll(std::wstring text, const std::wstring& unit) {
  if (unit.empty()) return text;
  for (size_t at = text.find(unit); at != std::wstring::npos; at = text.find(unit, at)) {
    text.erase(at, unit.size());
  }
  return text;
}
