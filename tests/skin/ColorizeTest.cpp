// Colourising: the 8-bit HSL conversions, tint weights, pixels, colours and whole bitmaps.
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "RenderRig.h"
#include "core/SColorizer.h"

using namespace SWUI;

TEST_CASE("RGB to HSL on the 256-step hue circle") {
  struct Case {
    BYTE r, g, b;
    int l, s, h;
  };
  const Case cases[] = {
      {128, 128, 128, 128, 0, 170},  // grey: no saturation, hue 170
      {0, 0, 0, 0, 0, 170},
      {255, 255, 255, 255, 0, 170},
      {255, 0, 0, 128, 255, 0},  // red
      {0, 255, 0, 128, 255, 85},  // green
      {0, 0, 255, 128, 255, 170},  // blue
      {255, 0, 255, 128, 255, 214},  // magenta: red is the maximum, 0 - 42 wraps
      {128, 64, 64, 96, 85, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.r);
    CAPTURE(c.g);
    CAPTURE(c.b);
    const SColorizer::HSL hsl = SColorizer::RgbToHsl(c.r, c.g, c.b);
    CHECK(hsl.l == c.l);
    CHECK(hsl.s == c.s);
    CHECK(hsl.h == c.h);
  }
}

namespace {

// The conversion back truncates: allow the one step that a product like 255 x (1 / 255)
// loses.
bool Within1(int a, int b) { return a - b <= 1 && b - a <= 1; }

}  // namespace

TEST_CASE("HSL to RGB returns the primaries and greys") {
  struct Case {
    BYTE l, s, h;
    BYTE r, g, b;
  };
  const Case cases[] = {
      {128, 255, 0, 255, 0, 0},    {128, 255, 85, 0, 255, 0}, {128, 255, 170, 0, 0, 255},
      {100, 0, 12, 100, 100, 100}, {255, 255, 40, 255, 255, 255},
  };
  for (const Case& c : cases) {
    CAPTURE(c.h);
    BYTE r, g, b;
    SColorizer::HslToRgb({c.l, c.s, c.h}, &r, &g, &b);
    CHECK(Within1(r, c.r));
    CHECK(Within1(g, c.g));
    CHECK(Within1(b, c.b));
  }
}

TEST_CASE("tint weights, pixels and colours") {
  CHECK(SColorizer(0x000000FF).Weight() == 204);  // alpha 0 means strength 0.8
  CHECK(SColorizer(0xFF0000FF).Weight() == 256);
  CHECK(SColorizer(0x800000FF).Weight() == 128);

  const SColorizer red(0xFF0000FF);
  CHECK(red.TintPixel(0) == 0u);                    // transparent stays all zero
  CHECK(red.TintPixel(0x00123456u) == 0x00123456u);  // any alpha-0 pixel stays as it is
  // Full strength: grey takes red's hue and saturation and keeps its lightness.
  const DWORD tinted = red.TintPixel(0xFF808080u);
  const SColorizer::HSL hsl = SColorizer::RgbToHsl((tinted >> 16) & 0xFF, (tinted >> 8) & 0xFF,
                                                   tinted & 0xFF);
  CHECK(hsl.h == 0);
  CHECK(hsl.s == 255);
  CHECK(hsl.l == SColorizer::RgbToHsl(0x80, 0x80, 0x80).l);
  // A half-transparent premultiplied pixel is tinted straight and stays premultiplied.
  const DWORD half = red.TintPixel(0x80404040u);
  CHECK((half >> 24) == 0x80u);
  CHECK(((half >> 16) & 0xFF) <= 0x80u);
  CHECK((half & 0xFF) < ((half >> 16) & 0xFF));

  // Straight colours are not premultiplied: alpha 128 with a channel of 200 must not
  // overflow, and "not set" (white, alpha 0) stays unset.
  const COLORREF blue = SColorizer(0xFFFF0000).TintColor(0x80C8C8C8);
  CHECK((blue >> 24) == 0x80u);
  CHECK(GetBValue(blue) > GetRValue(blue));
  CHECK(GetBValue(blue) >= 0xC8 - 2);
  CHECK(SColorizer(0xFFFF0000).TintColor(0x00FFFFFF) == 0x00FFFFFFu);

  // Weight 204: red at the grey's luma 128, blended 204/256 over the grey.
  CHECK(SColorizer(0x000000FF).TintPixel(0xFF808080u) == 0xFFE51A1Au);
}

TEST_CASE("a bitmap is tinted in place; without pixels it is refused") {
  RenderRig rig(1, 1);
  std::vector<DWORD> px = {0xFF808080u, 0u, 0xFF808080u, 0x80404040u};
  RefPtrAssign<IBitmap> bmp = rig.MakeBitmap(2, 2, px.data());
  REQUIRE(SColorizer::TintBitmap(bmp, 0xFF0000FF));
  const auto* out = static_cast<const DWORD*>(bmp->GetPixelBits());
  const SColorizer red(0xFF0000FF);
  CHECK(out[0] == red.TintPixel(0xFF808080u));
  CHECK(out[1] == 0u);
  CHECK(out[2] == out[0]);
  CHECK(out[3] == red.TintPixel(0x80404040u));

  IBitmap* empty = nullptr;
  REQUIRE(rig.Factory()->CreateBitmap(&empty));
  CHECK_FALSE(SColorizer::TintBitmap(empty, 0xFF0000FF));
  CHECK_FALSE(SColorizer::TintBitmap(nullptr, 0xFF0000FF));
  empty->Release();
}
