// The contrast ratio of two colours (1 to 21), from their relative luminances in sRGB: texts
// and labels are held to 4.5:1 against what lies under them.
//
//   if (ContrastRatio(text, ground) < kReadableContrast) ...
#pragma once
#include <windows.h>

constexpr double kReadableContrast = 4.5;

// Colours as COLORREF (red lowest); the alpha byte is not read.
double ContrastRatio(COLORREF a, COLORREF b);
