// Numbers typed by the user, read exactly: "0.58" is 58 hundredths, never 57.999... .
#pragma once
#include <string>

// Magnitude at which a scaled value saturates: far beyond any table, far below overflow.
constexpr long long kDecimalLimit = 1000000000000000LL;

// Reads `text` as a plain decimal number: spaces or tabs around it, an optional sign, digits
// with at most one point and at least one digit (".5" and "5." are numbers); no exponent, no
// digit grouping, nothing else. Gives the number times 10^scaleDigits (0 .. 9), truncated toward
// zero and saturated at +-kDecimalLimit. False, with *out unchanged, when the text is no number.
bool ParseScaledDecimal(const std::wstring& text, int scaleDigits, long long* out);

// The text with every occurrence of `unit` removed ("3.4dB" -> "3.4").
std::wstring RemoveAll(std::wstring text, const std::wstring& unit);
