// Checks that the texts of a host window stay readable in its present colour scheme: each
// visible, enabled element that draws a text in its style's colour for its state, and each
// title of a tab control, is held against the colour most of its visible rectangle shows in
// the painted surface (what lies under the text); the contrast ratio of the two must reach
// 4.5:1.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "controls/ContrastRatio.h"

namespace SWUI {
class STabCtrl;
class SWindow;
}  // namespace SWUI

class SchemeContrast {
 public:
  static constexpr double kMinimum = kReadableContrast;

  // `where` prefixes every failure; the surface is the host's painted pixels (rows top down,
  // 0x??RRGGBB), its client coordinates those of the elements.
  SchemeContrast(std::string where, const DWORD* pixels, SIZE size)
      : where_(std::move(where)), pixels_(pixels), size_(size) {}

  void Check(SWUI::SWindow* root);

  const std::vector<std::string>& Failures() const { return failures_; }
  // How many texts were held against what lies under them.
  int Checked() const { return checked_; }

  // The contrast ratio (1 to 21) of two colours given as 0xRRGGBB, from their relative
  // luminances in sRGB.
  static double Ratio(DWORD rgbA, DWORD rgbB);

 private:
  void Walk(SWUI::SWindow* element, const RECT& visible);
  void CheckText(SWUI::SWindow* element, const RECT& visible);
  void CheckTabTitles(SWUI::STabCtrl* tabs, const RECT& visible);
  void CheckColor(SWUI::SWindow* element, COLORREF color, const RECT& visible);
  // The most frequent colour of the rectangle apart from pixels near `text`; false when the
  // rectangle holds none.
  bool Underneath(const RECT& rc, DWORD text, DWORD* under) const;

  std::string where_;
  const DWORD* pixels_;
  SIZE size_;
  std::vector<std::string> failures_;
  int checked_ = 0;
};
