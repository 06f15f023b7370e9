// Rectangles, sizes and points compared and printed in checks.
#pragma once
#include <windows.h>

#include <doctest/doctest.h>

#include <cstdio>

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
inline bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

namespace doctest {
template <>
struct StringMaker<RECT> {
  static String convert(const RECT& r) {
    char text[96];
    snprintf(text, sizeof(text), "{%ld,%ld,%ld,%ld}", static_cast<long>(r.left),
             static_cast<long>(r.top), static_cast<long>(r.right), static_cast<long>(r.bottom));
    return text;
  }
};
template <>
struct StringMaker<SIZE> {
  static String convert(const SIZE& s) {
    char text[64];
    snprintf(text, sizeof(text), "%ldx%ld", static_cast<long>(s.cx), static_cast<long>(s.cy));
    return text;
  }
};
template <>
struct StringMaker<POINT> {
  static String convert(const POINT& p) {
    char text[64];
    snprintf(text, sizeof(text), "(%ld,%ld)", static_cast<long>(p.x), static_cast<long>(p.y));
    return text;
  }
};
}  // namespace doctest
