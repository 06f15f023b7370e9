// Icon and cursor images under damage: null, or a handle the platform accepts. Cut short, an
// image may still give a handle only when the cut falls inside its mask.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "IconFixtures.h"
#include "SweepRig.h"
#include "res.mgr/SIconLoader.h"

using namespace SWUI;
using fixtures::IconImageSpec;

namespace {

// Every handle costs a dozen GDI calls, some 3 ms under Wine: the images are small and each
// case asks once, the requests taking turns.
const int kMutations = 2500;

// The handle is one GetIconInfo accepts; it is destroyed.
bool Accepted(HICON icon) {
  if (icon == nullptr) return true;
  ICONINFO ii{};
  const bool ok = GetIconInfo(icon, &ii) != FALSE && ii.hbmMask != nullptr;
  if (ii.hbmMask != nullptr) DeleteObject(ii.hbmMask);
  if (ii.hbmColor != nullptr) DeleteObject(ii.hbmColor);
  DestroyIcon(icon);
  return ok;
}

IconImageSpec Pattern(int size, int bitCount) {
  IconImageSpec s;
  s.width = s.height = size;
  s.bitCount = bitCount;
  for (int i = 0; i < size * size; ++i) {
    s.pixels.push_back(bitCount == 32   ? 0x80000000u | (i * 0x10203u)
                       : bitCount == 24 ? (i * 0x30201u) & 0xFFFFFF
                                        : static_cast<uint32_t>(i % (1 << bitCount)));
    s.mask.push_back(static_cast<BYTE>(i % 5 == 0));
  }
  if (bitCount <= 8) {
    for (int c = 0; c < (1 << bitCount) && c < 16; ++c) s.palette.push_back(c * 0x111111u);
  }
  return s;
}

// Asks the way the providers and callers do, request `turn` of: a size, the default size, the
// image's own size, a monochrome depth.
bool RequestAccepted(const std::string& bytes, BOOL cursor, unsigned turn) {
  const struct {
    int cx, cy;
    UINT flags;
  } kRequests[] = {{16, 16, 0}, {0, 0, LR_DEFAULTSIZE}, {0, 0, 0}, {20, 20, LR_MONOCHROME}};
  const auto& r = kRequests[turn % 4];
  return Accepted(SIconLoader::FromFileImage(reinterpret_cast<const BYTE*>(bytes.data()),
                                             bytes.size(), r.cx, r.cy, cursor, r.flags));
}

}  // namespace

TEST_CASE("icon sweep: file images give null or a handle the platform accepts") {
  IconImageSpec mono = Pattern(8, 1);
  mono.palette = {0x000000, 0xFFFFFF};
  const std::vector<IconImageSpec> images = {Pattern(8, 32), Pattern(12, 8), Pattern(6, 4), mono,
                                             Pattern(10, 24)};
  for (BOOL cursor : {FALSE, TRUE}) {
    CAPTURE(cursor);
    const std::string input = fixtures::MakeIconFile(images, cursor != FALSE);
    for (unsigned turn = 0; turn < 4; ++turn) {
      HICON whole = SIconLoader::FromFileImage(reinterpret_cast<const BYTE*>(input.data()),
                                               input.size(), 16, 16, cursor, 0);
      REQUIRE(whole != nullptr);
      REQUIRE(Accepted(whole));
      REQUIRE(RequestAccepted(input, cursor, turn));
    }
    unsigned turn = 0;
    const sweep::Result r = sweep::Run(
        cursor ? "cursor" : "icon", input, kMutations,
        [&](const std::string& bytes, bool) { return RequestAccepted(bytes, cursor, turn++); });
    CHECK_MESSAGE(r.failures == 0, "first failing case: ", r.firstFailure, ", seed ",
                  sweep::Seed());
  }
}

TEST_CASE("icon sweep: an image cut short gives a handle only when the cut is inside its mask") {
  for (int bitCount : {32, 8, 1}) {
    CAPTURE(bitCount);
    IconImageSpec spec = Pattern(12, bitCount);
    if (bitCount == 1) spec.palette = {0x000000, 0xFFFFFF};
    const std::string image = fixtures::IconImageBytes(spec);
    const size_t colours = bitCount <= 8 ? spec.palette.size() * 4 : 0;
    const size_t maskStart = 40 + colours + (12 * bitCount + 31) / 32 * 4 * 12;
    const sweep::Result r = sweep::Run(
        "icon image", image, kMutations / 3, [&](const std::string& bytes, bool truncated) {
          HICON icon = SIconLoader::FromBitmapInfo(reinterpret_cast<const BYTE*>(bytes.data()),
                                                   bytes.size(), 3, 4, TRUE, 0, 0, 0);
          if (truncated && (icon != nullptr) != (bytes.size() >= maskStart)) {
            Accepted(icon);
            return false;
          }
          return Accepted(icon);
        });
    CHECK_MESSAGE(r.failures == 0, "first failing case: ", r.firstFailure, ", seed ",
                  sweep::Seed());
  }
}
