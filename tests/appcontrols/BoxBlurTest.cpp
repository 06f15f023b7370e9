// The box filter: which source block each destination pixel averages, what it leaves alone,
// and the inputs it refuses.
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "controls/BoxBlurPixels.h"

using namespace SWUI;

namespace {

// Source pixel (x, y): bytes 10x + y, 200 - x - y, x * y, alpha 0x11.
std::vector<BYTE> Source(int w, int h) {
  std::vector<BYTE> px(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      BYTE* p = &px[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<BYTE>(10 * x + y);
      p[1] = static_cast<BYTE>(200 - x - y);
      p[2] = static_cast<BYTE>(x * y);
      p[3] = 0x11;
    }
  }
  return px;
}

// A destination of w x h pixels, every byte 0xEE.
std::vector<BYTE> Dest(int w, int h) { return std::vector<BYTE>(static_cast<size_t>(w) * h * 4, 0xEE); }

DWORD PixelAt(const std::vector<BYTE>& px, int w, int x, int y) {
  const BYTE* p = &px[(static_cast<size_t>(y) * w + x) * 4];
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24);
}

BoxBlurArgs Args(int dw, int dh, int sw, int sh, int r, const std::vector<BYTE>& src,
                 std::vector<BYTE>& dest) {
  BoxBlurArgs a;
  a.destWidth = dw;
  a.destHeight = dh;
  a.srcWidth = sw;
  a.srcHeight = sh;
  a.blockSize = r;
  a.src = src.data();
  a.dest = dest.data();
  return a;
}

}  // namespace

TEST_CASE("block size 1 copies the covered area and keeps alpha and the last three lines") {
  const std::vector<BYTE> src = Source(6, 5);
  std::vector<BYTE> dest = Dest(6, 5);
  REQUIRE(BoxBlurPixels(Args(6, 5, 6, 5, 1, src, dest)));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      CAPTURE(x);
      CAPTURE(y);
      const bool covered = x <= 2 && y <= 1;
      const DWORD expected = covered ? (PixelAt(src, 6, x, y) & 0x00FFFFFFu) | 0xEE000000u
                                     : 0xEEEEEEEEu;
      CHECK(PixelAt(dest, 6, x, y) == expected);
    }
  }
}

TEST_CASE("block size 2 averages the block at (x+1)r-1, truncating") {
  const std::vector<BYTE> src = Source(5, 5);
  std::vector<BYTE> dest = Dest(5, 5);
  REQUIRE(BoxBlurPixels(Args(5, 5, 5, 5, 2, src, dest)));
  // Source columns and rows 3..4: bytes (33+34+43+44)/4 = 38, (194+193+193+192)/4 = 193,
  // (9+12+12+16)/4 = 12.
  CHECK(PixelAt(dest, 5, 1, 1) == 0xEE0CC126u);
  // (0,0) averages columns and rows 1..2: (11+12+21+22)/4 = 16, (198+197+197+196)/4 = 197,
  // (1+2+2+4)/4 = 2.
  CHECK(PixelAt(dest, 5, 0, 0) == 0xEE02C510u);
  CHECK(PixelAt(dest, 5, 2, 2) == 0xEEEEEEEEu);
  CHECK(PixelAt(dest, 5, 2, 0) == 0xEEEEEEEEu);
}

TEST_CASE("destinations under 4 x 4 stay as they are; 4 x 4 gets one pixel") {
  const std::vector<BYTE> src = Source(100, 100);
  struct Case {
    int w, h, written;
  };
  const Case cases[] = {{3, 100, 0}, {100, 3, 0}, {4, 4, 1}, {5, 4, 2}};
  for (const Case& c : cases) {
    CAPTURE(c.w);
    CAPTURE(c.h);
    std::vector<BYTE> dest = Dest(c.w, c.h);
    CHECK(BoxBlurPixels(Args(c.w, c.h, 100, 100, 1, src, dest)));
    int changed = 0;
    for (int y = 0; y < c.h; ++y) {
      for (int x = 0; x < c.w; ++x) changed += PixelAt(dest, c.w, x, y) != 0xEEEEEEEEu;
    }
    CHECK(changed == c.written);
  }
}

TEST_CASE("a block size below 1 or a source the blocks would overrun is refused") {
  // 6 x 6 with r 3 reads (6 - 2) * 3 - 1 = 11 columns and rows.
  const std::vector<BYTE> src = Source(11, 11);
  struct Case {
    int sw, sh, r;
    BOOL ok;
  };
  const Case cases[] = {{11, 11, 3, TRUE}, {10, 11, 3, FALSE}, {11, 10, 3, FALSE},
                        {11, 11, 0, FALSE}, {11, 11, -2, FALSE}};
  for (const Case& c : cases) {
    CAPTURE(c.sw);
    CAPTURE(c.sh);
    CAPTURE(c.r);
    std::vector<BYTE> dest = Dest(6, 6);
    CHECK(BoxBlurPixels(Args(6, 6, c.sw, c.sh, c.r, src, dest)) == c.ok);
    CHECK((dest == Dest(6, 6)) == !c.ok);
  }
  std::vector<BYTE> dest = Dest(6, 6);
  BoxBlurArgs none = Args(6, 6, 11, 11, 3, src, dest);
  none.src = nullptr;
  CHECK_FALSE(BoxBlurPixels(none));
  // The last block of the 11 x 11 source: columns and rows 8..10.
  REQUIRE(BoxBlurPixels(Args(6, 6, 11, 11, 3, src, dest)));
  CHECK((PixelAt(dest, 6, 2, 2) & 0xFF) == 10 * 9 + 9);
}
