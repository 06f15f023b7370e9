#include "core/SColorizer.h"

#include <algorithm>

#include "IBitmap.h"
#include "core/SCmnMap.h"

namespace SWUI {

namespace {

BYTE Clamp255(int v) { return static_cast<BYTE>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// One channel of the HSL to RGB conversion; x in degrees, brought into 0..360 first.
double HueToChannel(double p, double q, double x) {
  if (x < 0.0) x += 360.0;
  if (x > 360.0) x -= 360.0;
  if (x < 60.0) return p + (q - p) * x / 60.0;
  if (x < 180.0) return q;
  if (x < 240.0) return p + (q - p) * (240.0 - x) / 60.0;
  return p;
}

}  // namespace

SColorizer::HSL SColorizer::RgbToHsl(BYTE r, BYTE g, BYTE b) {
  const int mx = std::max({r, g, b});
  const int mn = std::min({r, g, b});
  HSL hsl;
  hsl.l = static_cast<BYTE>(((mx + mn + 1) * 255) / 510);
  if (mx == mn) {
    hsl.s = 0;
    hsl.h = 170;
    return hsl;
  }
  const int d = mx - mn;
  const int sum = hsl.l <= 127 ? mx + mn : 510 - mx - mn;
  hsl.s = static_cast<BYTE>((d * 255 + sum / 2) / sum);
  const int rd = ((mx - r) * 42 + d / 2) / d;
  const int gd = ((mx - g) * 42 + d / 2) / d;
  const int bd = ((mx - b) * 42 + d / 2) / d;
  int h;
  if (r == mx) {
    h = bd - gd;
  } else if (g == mx) {
    h = 85 + rd - bd;
  } else {
    h = 170 + gd - rd;
  }
  hsl.h = static_cast<BYTE>(h & 0xFF);
  return hsl;
}

void SColorizer::HslToRgb(const HSL& hsl, BYTE* r, BYTE* g, BYTE* b) {
  const double l = hsl.l / 255.0;
  const double s = hsl.s / 255.0;
  const double h = hsl.h * 360.0 / 255.0;
  if (hsl.s == 0) {
    *r = *g = *b = static_cast<BYTE>(l * 255.0);
    return;
  }
  const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
  const double p = 2.0 * l - q;
  *r = Clamp255(static_cast<int>(255.0 * HueToChannel(p, q, h + 120.0)));
  *g = Clamp255(static_cast<int>(255.0 * HueToChannel(p, q, h)));
  *b = Clamp255(static_cast<int>(255.0 * HueToChannel(p, q, h - 120.0)));
}

SColorizer::SColorizer(COLORREF tint)
    : tint_(RgbToHsl(GetRValue(tint), GetGValue(tint), GetBValue(tint))) {
  const BYTE alpha = static_cast<BYTE>(tint >> 24);
  const double strength = alpha != 0 ? alpha / 255.0 : 0.8;
  weight_ = static_cast<int>(strength * 256.0);
}

void SColorizer::TintChannels(BYTE* r, BYTE* g, BYTE* b) const {
  if (weight_ == 256) {
    HSL hsl = RgbToHsl(*r, *g, *b);
    hsl.h = tint_.h;
    hsl.s = tint_.s;
    HslToRgb(hsl, r, g, b);
    return;
  }
  const HSL lit = {static_cast<BYTE>((*r * 306 + *g * 601 + *b * 117) >> 10), tint_.s, tint_.h};
  BYTE nr, ng, nb;
  HslToRgb(lit, &nr, &ng, &nb);
  const int keep = 256 - weight_;
  *r = static_cast<BYTE>((nr * weight_ + *r * keep) >> 8);
  *g = static_cast<BYTE>((ng * weight_ + *g * keep) >> 8);
  *b = static_cast<BYTE>((nb * weight_ + *b * keep) >> 8);
}

DWORD SColorizer::TintPixel(DWORD pixel) const {
  const int a = static_cast<int>(pixel >> 24);
  if (a == 0) return pixel;
  int ch[3] = {static_cast<int>(pixel & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
               static_cast<int>((pixel >> 16) & 0xFF)};  // b, g, r
  // A channel above its alpha is no valid premultiplied value: clamp rather than overflow.
  if (a < 255) {
    for (int& c : ch) c = std::min(255, c * 255 / a);
  }
  BYTE b = static_cast<BYTE>(ch[0]), g = static_cast<BYTE>(ch[1]), r = static_cast<BYTE>(ch[2]);
  TintChannels(&r, &g, &b);
  ch[0] = b;
  ch[1] = g;
  ch[2] = r;
  if (a < 255) {
    for (int& c : ch) c = c * a / 255;
  }
  return (static_cast<DWORD>(a) << 24) | (static_cast<DWORD>(ch[2]) << 16) |
         (static_cast<DWORD>(ch[1]) << 8) | static_cast<DWORD>(ch[0]);
}

COLORREF SColorizer::TintColor(COLORREF cr) const {
  if ((cr >> 24) == 0) return cr;
  BYTE r = GetRValue(cr), g = GetGValue(cr), b = GetBValue(cr);
  TintChannels(&r, &g, &b);
  return (cr & 0xFF000000u) | (static_cast<COLORREF>(b) << 16) |
         (static_cast<COLORREF>(g) << 8) | r;
}

bool SColorizer::TintBitmap(IBitmap* bitmap, COLORREF tint) {
  if (bitmap == nullptr) return false;
  auto* px = static_cast<DWORD*>(bitmap->LockPixelBits());
  if (px == nullptr) return false;
  const SColorizer colorizer(tint);
  // Skin images hold few distinct values: each is converted once for this call.
  SCmnMap<DWORD, DWORD> done(17, 1024);
  const size_t count = static_cast<size_t>(bitmap->Width()) * bitmap->Height();
  for (size_t i = 0; i < count; ++i) {
    DWORD tinted;
    if (!done.Lookup(px[i], tinted)) {
      tinted = colorizer.TintPixel(px[i]);
      done.SetAt(px[i], tinted);
    }
    px[i] = tinted;
  }
  bitmap->UnlockPixelBits(px);
  return true;
}

}  // namespace SWUI
