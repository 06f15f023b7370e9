// The font description word FONTSTYLE and FontInfo, the key of a font: a UI definition's
// default font and every font of the font pool.
#pragma once
#include <windows.h>

#include <cstddef>

#include "base/SString.h"

namespace SWUI {

// Bits 0-7 character set, 8-15 weight / 4 (0: the weight follows the bold bit), 16 italic,
// 17 underline, 18 bold, 19 strike-out, 20-31 size in pixels. The setters keep every field
// inside its bits, so a large value never spills into its neighbour.
struct FONTSTYLE {
  static constexpr UINT kMaxWeightField = 0xFF;
  static constexpr int kMaxSize = 0xFFF;

  DWORD dwStyle = 0;

  FONTSTYLE() = default;
  explicit FONTSTYLE(DWORD style) : dwStyle(style) {}

  BYTE GetCharset() const { return static_cast<BYTE>(dwStyle & 0xFF); }
  UINT GetWeightField() const { return (dwStyle >> 8) & 0xFF; }
  bool IsItalic() const { return (dwStyle & (1u << 16)) != 0; }
  bool IsUnderline() const { return (dwStyle & (1u << 17)) != 0; }
  bool IsBold() const { return (dwStyle & (1u << 18)) != 0; }
  bool IsStrike() const { return (dwStyle & (1u << 19)) != 0; }
  int GetSize() const { return static_cast<int>(dwStyle >> 20); }

  // Values outside 0-255 are clamped.
  void SetCharset(int charset);
  // Clamped to 255.
  void SetWeightField(UINT field);
  void SetItalic(bool on) { SetBit(16, on); }
  void SetUnderline(bool on) { SetBit(17, on); }
  void SetBold(bool on) { SetBit(18, on); }
  void SetStrike(bool on) { SetBit(19, on); }
  // Clamped to 0-4095.
  void SetSize(int size);

  // The weight field of a font weight: (weight + 2) / 4, at most 255.
  static UINT WeightField(UINT weight);

 private:
  void SetBit(int bit, bool on) {
    if (on) {
      dwStyle |= 1u << bit;
    } else {
      dwStyle &= ~(1u << bit);
    }
  }
};

// A font: its style word, face, name (the key of the translator's font substitution) and the
// extra properties of its description as XML text (empty when none). Two fonts are the same
// only when all four are equal.
struct FontInfo {
  FONTSTYLE style;
  SStringW strFaceName;
  SStringW strName;
  SStringW strPropEx;

  bool operator==(const FontInfo& other) const {
    return style.dwStyle == other.style.dwStyle && strFaceName == other.strFaceName &&
           strName == other.strName && strPropEx == other.strPropEx;
  }
  bool operator!=(const FontInfo& other) const { return !(*this == other); }

  struct Hasher {
    size_t operator()(const FontInfo& info) const;
  };
};

}  // namespace SWUI
