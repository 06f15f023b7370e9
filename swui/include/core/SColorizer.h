// Re-tinting colours and images: a tint colour gives each pixel its hue and saturation while
// the pixel keeps its lightness, at a strength taken from the tint's alpha byte. Works in an
// HSL space of one byte per component, the hue on a circle of 256 steps (42 per sixth, 85 per
// third, 170 for two thirds).
#pragma once
#include <windows.h>

namespace SWUI {

struct IBitmap;

class SColorizer {
 public:
  struct HSL {
    BYTE l;  // lightness
    BYTE s;  // saturation
    BYTE h;  // hue
  };

  // Integer conversion: L = ((max + min + 1) x 255) / 510; grey gives S 0 and H 170.
  static HSL RgbToHsl(BYTE r, BYTE g, BYTE b);
  // Floating-point conversion back (double precision throughout), channels truncated.
  static void HslToRgb(const HSL& hsl, BYTE* r, BYTE* g, BYTE* b);

  // The tint parameters of a colour 0xAABBGGRR: its hue and saturation, and the weight w of
  // the tint in 256ths: trunc(alpha / 255 x 256), or trunc(0.8 x 256) = 204 for alpha 0.
  explicit SColorizer(COLORREF tint);
  int Weight() const { return weight_; }

  // A premultiplied 0xAARRGGBB pixel (bytes B, G, R, A) tinted: transparent pixels unchanged;
  // others un-premultiplied, tinted and premultiplied again. With w 256 the pixel keeps its
  // own HSL lightness and takes the tint's hue and saturation; below, the tint is blended
  // over the pixel at w / 256 from the pixel's luma (306 R + 601 G + 117 B) >> 10.
  DWORD TintPixel(DWORD pixel) const;
  // A straight colour 0xAABBGGRR tinted the same way; it is not premultiplied, so the alpha
  // byte is kept and only a colour with alpha 0 (such as 0x00FFFFFF, "not set") is left alone.
  COLORREF TintColor(COLORREF cr) const;

  // Tints every pixel of a bitmap in place, each distinct pixel value converted once. False,
  // and the bitmap untouched, when it has no pixels.
  static bool TintBitmap(IBitmap* bitmap, COLORREF tint);

 private:
  // Tints straight channels in place.
  void TintChannels(BYTE* r, BYTE* g, BYTE* b) const;

  HSL tint_;
  int weight_;
};

}  // namespace SWUI
