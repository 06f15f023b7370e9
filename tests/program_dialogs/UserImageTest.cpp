// Image files from outside the program: each format the logo list takes decodes to its pixels,
// recognised by its bytes whatever the file is called; anything else, and anything declaring a
// size over the cap, is refused before it is decoded.
#include <doctest/doctest.h>

#include <cstdlib>
#include <string>

#include "GifWriter.h"
#include "PngFixtures.h"
#include "TestImages.h"
#include "UserImageDecoder.h"

namespace {

using Format = UserImageDecoder::Format;

const BYTE* Bytes(const std::string& s) { return reinterpret_cast<const BYTE*>(s.data()); }

// Every pixel within tolerance of one premultiplied 0xAARRGGBB value.
bool AllPixels(const UserImagePixels& image, uint32_t bgra, int tolerance) {
  for (size_t i = 0; i + 4 <= image.bgra.size(); i += 4) {
    for (int c = 0; c < 4; ++c) {
      const int want = static_cast<int>((bgra >> (8 * c)) & 0xFF);
      if (std::abs(image.bgra[i + c] - want) > tolerance) return false;
    }
  }
  return !image.bgra.empty();
}

}  // namespace

TEST_CASE("user images: PNG, BMP, JPEG and icons are recognised by their bytes and decoded") {
  const uint32_t half = fixtures::Premultiplied({0x33, 0x66, 0xCC, 0x80});
  struct Case {
    const char* what;
    std::string bytes;
    Format format;
    UINT width, height;
    uint32_t bgra;
    int tolerance;
  };
  const Case cases[] = {
      {"PNG", images::Png(5, 3, 0x3366CC), Format::kPng, 5, 3, 0xFF3366CC, 0},
      {"BMP", images::Bmp(5, 3, 0x3366CC), Format::kBmp, 5, 3, 0xFF3366CC, 0},
      {"JPEG", images::Jpeg(16, 8, 0x3366CC), Format::kJpeg, 16, 8, 0xFF3366CC, 6},
      {"icon, opaque", images::Ico(16, 16, 0x3366CC), Format::kIcon, 16, 16, 0xFF3366CC, 0},
      {"icon, half transparent", images::Ico(32, 32, 0x3366CC, 0x80), Format::kIcon, 32, 32,
       half, 0},
      {"icon holding a PNG", images::PngIco(24, 24, 0x3366CC), Format::kIcon, 24, 24, 0xFF3366CC,
       0},
      {"the side at the cap", images::Png(8192, 1, 0x3366CC), Format::kPng, 8192, 1, 0xFF3366CC,
       0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    CHECK(UserImageDecoder::Recognise(Bytes(c.bytes), c.bytes.size()) == c.format);
    UserImagePixels image;
    REQUIRE(UserImageDecoder::Decode(Bytes(c.bytes), c.bytes.size(), &image));
    CHECK(image.width == c.width);
    CHECK(image.height == c.height);
    CHECK(image.bgra.size() == static_cast<size_t>(c.width) * c.height * 4);
    CHECK(AllPixels(image, c.bgra, c.tolerance));
  }
}

TEST_CASE("user images: other formats, sizes over the cap and broken headers are refused") {
  const std::vector<uint8_t> gif = fixtures::StillGif();
  std::string noEntries = images::Ico(16, 16, 0x3366CC);
  noEntries[4] = 0;  // an icon directory of no images
  std::string outside = images::Ico(16, 16, 0x3366CC);
  outside[6 + 12 + 1] = 0x10;  // the image's offset far past the end
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"text", "just some text, not an image"},
      {"GIF", std::string(gif.begin(), gif.end())},
      {"a PNG signature alone", images::Png(4, 4, 0).substr(0, 8)},
      {"a PNG one pixel wider than the cap", images::Png(8193, 1, 0x3366CC)},
      {"a PNG of more pixels than the cap", images::Png(6000, 6000, 0x3366CC)},
      {"a BMP one pixel wider than the cap", images::Bmp(8193, 1, 0x3366CC)},
      {"a JPEG one pixel taller than the cap", images::Jpeg(1, 8193, 0x3366CC)},
      {"an icon of no images", noEntries},
      {"an icon whose image lies outside the file", outside},
      {"a BMP header alone", images::Bmp(4, 4, 0).substr(0, 20)},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    UserImagePixels image;
    image.width = 7;
    CHECK_FALSE(UserImageDecoder::Decode(Bytes(c.bytes), c.bytes.size(), &image));
    CHECK(image.width == 0);
    CHECK(image.bgra.empty());
  }
}
