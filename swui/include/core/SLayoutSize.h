// A length with a unit, used by layouts, skins and element attributes. Three values of the
// float are special: wrap content (-1), match parent (-2) and not set (-3).
#pragma once

namespace SWUI {

enum SLayoutSizeUnit {
  px = 0,   // device pixels, never scaled
  dp = 1,   // scaled by the window's scale
  dip = 2,  // same as dp
  sp = 3,   // scaled like dp (text sizes)
};

class SLayoutSize {
 public:
  static constexpr float kWrapContent = -1.0f;
  static constexpr float kMatchParent = -2.0f;
  static constexpr float kInvalid = -3.0f;

  SLayoutSize() = default;
  SLayoutSize(float value, SLayoutSizeUnit unit) : fSize(value), unit(unit) {}

  void SetMatchParent() { fSize = kMatchParent; }
  void SetWrapContent() { fSize = kWrapContent; }
  void SetInvalid() { fSize = kInvalid; }
  void SetSize(float value, SLayoutSizeUnit newUnit) {
    fSize = value;
    unit = newUnit;
  }

  bool IsMatchParent() const;
  bool IsWrapContent() const;
  bool IsValid() const;
  bool IsZero() const;
  bool IsSpecifiedSize() const { return fSize >= 0.0f; }

  // Pixels at a scale in percent (100 = none): match parent -2, wrap content -1, px truncated,
  // other units floor(value * scale / 100 + 0.5) in float arithmetic; results beyond int
  // saturate at INT_MAX / INT_MIN.
  int toPixelSize(int scale) const;

  // Reads a number with an optional unit suffix ("12", "12px", "12dp", "12dip", "12sp", any
  // case); an unknown suffix counts as px and text without a leading number gives 0, as do
  // "inf" and "nan"; a number beyond float range saturates. Null or empty text leaves the size
  // unchanged.
  void parseString(const wchar_t* text);
  static SLayoutSize fromString(const wchar_t* text);

  float fSize = 0.0f;
  SLayoutSizeUnit unit = px;
};

}  // namespace SWUI
