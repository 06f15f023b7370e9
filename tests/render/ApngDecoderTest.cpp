// The PNG/APNG decoder: pixel formats, frame delays, composition and disposal, damaged
// animation layouts, and saving.
#include <doctest/doctest.h>
#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "DecoderRig.h"
#include "IBitmap.h"
#include "IRenderFactory.h"
#include "ImageFixtures.h"
#include "PngFixtures.h"

using namespace SWUI;
using fixtures::ApngFrame;
using fixtures::ApngFrameSpec;
using fixtures::ApngSpec;
using fixtures::Fill;
using fixtures::PngFormat;
using fixtures::Premultiplied;
using fixtures::Rgba;

namespace {

const Rgba kRed = {255, 0, 0, 255};
const Rgba kGreen = {0, 255, 0, 255};
const Rgba kBlue = {0, 0, 255, 255};
const Rgba kWhite = {255, 255, 255, 255};
const Rgba kClear = {0, 0, 0, 0};

int Load(IImgX* img, std::vector<BYTE> bytes) {
  return img->LoadFromMemory(bytes.data(), bytes.size());
}

// What a canvas of width x height looks like: every pixel premultiplied.
std::vector<uint32_t> Expect(UINT width, UINT height, Rgba fill) {
  return std::vector<uint32_t>(static_cast<size_t>(width) * height, Premultiplied(fill));
}

void Paint(std::vector<uint32_t>& px, UINT width, UINT x, UINT y, UINT w, UINT h, Rgba c) {
  for (UINT j = y; j < y + h; ++j) {
    for (UINT i = x; i < x + w; ++i) px[j * width + i] = Premultiplied(c);
  }
}

// A 5 x 3 image holding opaque, translucent and transparent pixels of several colours.
fixtures::PngImage Sampler() {
  fixtures::PngImage image = Fill(5, 3, kWhite);
  const Rgba colours[] = {{200, 100, 50, 128}, {255, 0, 0, 255}, {0, 0, 0, 0},      {10, 20, 30, 1},
                          {0, 255, 0, 64},     {9, 8, 7, 255},   {255, 255, 255, 0}};
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = colours[i % 7];
  return image;
}

std::vector<uint32_t> PremultipliedOf(const fixtures::PngImage& image) {
  std::vector<uint32_t> out;
  for (const Rgba& c : image.pixels) out.push_back(Premultiplied(c));
  return out;
}

// Rewrites one chunk's 4-byte field and its CRC.
void PatchChunk(std::vector<BYTE>& png, const char* type, int occurrence, size_t at, uint32_t v) {
  for (size_t pos = 8; pos + 12 <= png.size();) {
    const uint32_t length =
        (png[pos] << 24) | (png[pos + 1] << 16) | (png[pos + 2] << 8) | png[pos + 3];
    if (memcmp(&png[pos + 4], type, 4) == 0 && occurrence-- == 0) {
      for (int i = 0; i < 4; ++i) png[pos + 8 + at + i] = static_cast<BYTE>(v >> (24 - 8 * i));
      const uLong crc = crc32(0, &png[pos + 4], length + 4);
      for (int i = 0; i < 4; ++i)
        png[pos + 8 + length + i] = static_cast<BYTE>(crc >> (24 - 8 * i));
      return;
    }
    pos += 12 + length;
  }
  FAIL("no such chunk");
}

// Gives the first chunk of a type new contents, with its length and CRC.
void ReplaceChunkData(std::vector<BYTE>& png, const char* type, const std::vector<BYTE>& data) {
  for (size_t pos = 8; pos + 12 <= png.size();) {
    const uint32_t length =
        (png[pos] << 24) | (png[pos + 1] << 16) | (png[pos + 2] << 8) | png[pos + 3];
    if (memcmp(&png[pos + 4], type, 4) == 0) {
      std::vector<BYTE> chunk(12 + data.size());
      for (int i = 0; i < 4; ++i) {
        chunk[i] = static_cast<BYTE>(data.size() >> (24 - 8 * i));
        chunk[4 + i] = static_cast<BYTE>(type[i]);
      }
      std::copy(data.begin(), data.end(), chunk.begin() + 8);
      const uLong crc = crc32(0, chunk.data() + 4, static_cast<uInt>(data.size() + 4));
      for (int i = 0; i < 4; ++i)
        chunk[8 + data.size() + i] = static_cast<BYTE>(crc >> (24 - 8 * i));
      png.erase(png.begin() + pos, png.begin() + pos + 12 + length);
      png.insert(png.begin() + pos, chunk.begin(), chunk.end());
      return;
    }
    pos += 12 + length;
  }
  FAIL("no such chunk");
}

}  // namespace

TEST_CASE("a still PNG of every pixel format arrives premultiplied, one frame, delay 0") {
  auto decoders = rig::Decoders(L"imgdecoder-png");
  const fixtures::PngImage image = Sampler();
  for (PngFormat format :
       {PngFormat::kRgba8, PngFormat::kRgba16, PngFormat::kPaletteTrns, PngFormat::kInterlaced}) {
    CAPTURE(static_cast<int>(format));
    auto img = rig::NewImage(decoders);
    REQUIRE(Load(img, fixtures::EncodePng(image, format)) == 1);
    CHECK(img->GetFrameCount() == 1);
    CHECK(img->GetFrame(1) == nullptr);
    CHECK(img->GetFrame(0)->GetDelay() == 0);
    CHECK(rig::FramePixels(img->GetFrame(0)) == PremultipliedOf(image));
  }
}

TEST_CASE("APNG frame delays are hundredths as written, saturating at 65535") {
  const struct {
    uint16_t num, den;
    int hundredths;
  } kDelays[] = {{1, 10, 10}, {50, 1000, 5},     {3, 25, 12},      {7, 0, 7},
                 {2, 100, 2}, {65535, 1, 65535}, {9999, 10, 65535}};
  ApngSpec spec;
  spec.width = spec.height = 1;
  for (const auto& d : kDelays) {
    ApngFrameSpec f = ApngFrame(Fill(1, 1, kRed));
    f.delayNum = d.num;
    f.delayDen = d.den;
    spec.frames.push_back(f);
  }
  auto img = rig::NewImage(rig::Decoders(L"imgdecoder-png"));
  REQUIRE(Load(img, fixtures::EncodeApng(spec)) == static_cast<int>(spec.frames.size()));
  for (size_t i = 0; i < spec.frames.size(); ++i) {
    CAPTURE(i);
    CHECK(img->GetFrame(static_cast<UINT>(i))->GetDelay() == kDelays[i].hundredths);
  }
}

TEST_CASE("OVER composes straight colour, rounded, and keeps an opaque canvas opaque") {
  const struct {
    Rgba canvas, frame, result;
  } kCases[] = {
      {kWhite, {0, 0, 0, 0}, kWhite},                    // alpha 0 changes nothing
      {kWhite, {10, 20, 30, 255}, {10, 20, 30, 255}},    // alpha 255 replaces
      {kClear, {255, 0, 0, 128}, {255, 0, 0, 128}},      // over nothing: the frame as it is
      {kWhite, {255, 0, 0, 128}, {255, 127, 127, 255}},  // over opaque: stays opaque
      {{0, 0, 255, 128}, {255, 0, 0, 128}, {170, 0, 85, 192}},
  };
  auto decoders = rig::Decoders(L"imgdecoder-png");
  for (const auto& c : kCases) {
    CAPTURE(int(c.frame.a));
    ApngSpec spec;
    spec.width = spec.height = 1;
    spec.frames = {ApngFrame(Fill(1, 1, c.canvas)), ApngFrame(Fill(1, 1, c.frame), 0, 0, 1),
                   ApngFrame(Fill(1, 1, c.frame), 0, 0, 1)};
    auto img = rig::NewImage(decoders);
    REQUIRE(Load(img, fixtures::EncodeApng(spec)) == 3);
    CHECK(rig::FramePixels(img->GetFrame(1)) == Expect(1, 1, c.result));
    if (c.frame.a == 0 || c.frame.a == 255) {
      CHECK(rig::FramePixels(img->GetFrame(2)) == Expect(1, 1, c.result));  // no drift
    }
  }
}

TEST_CASE("disposal: BACKGROUND clears only the frame's area, PREVIOUS restores what was before") {
  auto decoders = rig::Decoders(L"imgdecoder-png");
  SUBCASE("BACKGROUND") {
    ApngSpec spec;
    spec.width = spec.height = 4;
    spec.frames = {ApngFrame(Fill(4, 4, kRed)), ApngFrame(Fill(2, 2, kGreen), 1, 1, 0, 1),
                   ApngFrame(Fill(1, 1, kBlue), 0, 0, 1)};
    auto img = rig::NewImage(decoders);
    REQUIRE(Load(img, fixtures::EncodeApng(spec)) == 3);
    std::vector<uint32_t> shown = Expect(4, 4, kRed);
    Paint(shown, 4, 1, 1, 2, 2, kGreen);
    CHECK(rig::FramePixels(img->GetFrame(1)) == shown);
    Paint(shown, 4, 1, 1, 2, 2, kClear);
    Paint(shown, 4, 0, 0, 1, 1, kBlue);
    CHECK(rig::FramePixels(img->GetFrame(2)) == shown);
  }
  SUBCASE("PREVIOUS after a BACKGROUND frame restores the cleared canvas, not the frame before") {
    ApngSpec spec;
    spec.width = spec.height = 3;
    spec.frames = {ApngFrame(Fill(3, 3, kRed), 0, 0, 0, 1),
                   ApngFrame(Fill(3, 3, kGreen), 0, 0, 0, 2),
                   ApngFrame(Fill(1, 1, kBlue), 2, 2, 1)};
    auto img = rig::NewImage(decoders);
    REQUIRE(Load(img, fixtures::EncodeApng(spec)) == 3);
    CHECK(rig::FramePixels(img->GetFrame(1)) == Expect(3, 3, kGreen));
    std::vector<uint32_t> shown = Expect(3, 3, kClear);
    Paint(shown, 3, 2, 2, 1, 1, kBlue);
    CHECK(rig::FramePixels(img->GetFrame(2)) == shown);
  }
  SUBCASE("PREVIOUS on the first frame clears") {
    ApngSpec spec;
    spec.width = spec.height = 2;
    spec.frames = {ApngFrame(Fill(2, 2, kRed), 0, 0, 0, 2), ApngFrame(Fill(1, 1, kBlue), 0, 0, 1)};
    auto img = rig::NewImage(decoders);
    REQUIRE(Load(img, fixtures::EncodeApng(spec)) == 2);
    std::vector<uint32_t> shown = Expect(2, 2, kClear);
    Paint(shown, 2, 0, 0, 1, 1, kBlue);
    CHECK(rig::FramePixels(img->GetFrame(1)) == shown);
  }
}

TEST_CASE("an image before the first frame control is no frame") {
  ApngSpec spec;
  spec.width = spec.height = 2;
  spec.hiddenDefault = Fill(2, 2, {255, 255, 0, 255});
  spec.frames = {ApngFrame(Fill(1, 1, kBlue), 1, 1)};
  auto img = rig::NewImage(rig::Decoders(L"imgdecoder-png"));
  REQUIRE(Load(img, fixtures::EncodeApng(spec)) == 1);
  std::vector<uint32_t> shown = Expect(2, 2, kClear);
  Paint(shown, 2, 1, 1, 1, 1, kBlue);
  CHECK(rig::FramePixels(img->GetFrame(0)) == shown);
}

TEST_CASE("animations in palette, 16-bit and interlaced formats compose the same") {
  for (PngFormat format : {PngFormat::kPaletteTrns, PngFormat::kRgba16, PngFormat::kInterlaced}) {
    CAPTURE(static_cast<int>(format));
    ApngSpec spec;
    spec.width = 5;
    spec.height = 3;
    spec.format = format;
    fixtures::PngImage sampler = Sampler();
    spec.frames = {ApngFrame(sampler), ApngFrame(Fill(2, 1, {0, 0, 255, 128}), 3, 2, 0)};
    auto img = rig::NewImage(rig::Decoders(L"imgdecoder-png"));
    REQUIRE(Load(img, fixtures::EncodeApng(spec)) == 2);
    CHECK(rig::FramePixels(img->GetFrame(0)) == PremultipliedOf(sampler));
    std::vector<uint32_t> shown = PremultipliedOf(sampler);
    Paint(shown, 5, 3, 2, 2, 1, {0, 0, 255, 128});
    CHECK(rig::FramePixels(img->GetFrame(1)) == shown);
  }
}

TEST_CASE("animations whose layout does not hold give no frame") {
  ApngSpec good;
  good.width = good.height = 4;
  good.frames = {ApngFrame(Fill(4, 4, kRed)), ApngFrame(Fill(2, 2, kBlue), 2, 2)};
  auto decoders = rig::Decoders(L"imgdecoder-png");
  REQUIRE(Load(rig::NewImage(decoders), fixtures::EncodeApng(good)) == 2);

  struct Case {
    const char* what;
    std::vector<BYTE> bytes;
  };
  std::vector<Case> cases;
  ApngSpec spec = good;
  spec.frames[1].x = 3;  // 3 + 2 > 4
  cases.push_back({"frame past the canvas's right edge", fixtures::EncodeApng(spec)});
  spec = good;
  spec.frames[1].y = 0xFFFFFFFFu;  // wraps in 32 bits
  cases.push_back({"frame offset that wraps", fixtures::EncodeApng(spec)});
  spec = good;
  spec.declaredFrames = 3;
  cases.push_back({"fewer frames than declared", fixtures::EncodeApng(spec)});
  spec.declaredFrames = 1;
  cases.push_back({"more frames than declared", fixtures::EncodeApng(spec)});
  spec.declaredFrames = 0;
  cases.push_back({"zero frames declared", fixtures::EncodeApng(spec)});
  spec = good;
  spec.frames[0] = ApngFrame(Fill(3, 3, kRed));
  cases.push_back({"image data frame smaller than the canvas", fixtures::EncodeApng(spec)});
  std::vector<BYTE> bytes = fixtures::EncodeApng(good);
  PatchChunk(bytes, "fcTL", 1, 0, 7);
  cases.push_back({"sequence number out of order", bytes});
  // The still fallback is never decoded, so a large canvas costs only its image data: 17
  // frames of 1 x 1 on 64 x 64 decode, on 2048 x 2048 (17 x 16 MB) they pass the cap.
  ApngSpec tiny;
  tiny.width = tiny.height = 1;
  tiny.hiddenDefault = Fill(1, 1, kRed);
  tiny.frames.assign(17, ApngFrame(Fill(1, 1, kBlue)));
  bytes = fixtures::EncodeApng(tiny);
  PatchChunk(bytes, "IHDR", 0, 0, 64);
  PatchChunk(bytes, "IHDR", 0, 4, 64);
  REQUIRE(Load(rig::NewImage(decoders), bytes) == 0);  // image data too short for the canvas
  ReplaceChunkData(bytes, "IDAT", std::vector<BYTE>(16 * 1024 + 16, 0x55));
  REQUIRE(Load(rig::NewImage(decoders), bytes) == 17);
  PatchChunk(bytes, "IHDR", 0, 0, 2048);
  PatchChunk(bytes, "IHDR", 0, 4, 2048);
  cases.push_back({"frames beyond the pixel cap", bytes});
  bytes = fixtures::EncodeApng(good);
  bytes[bytes.size() - 13] ^= 1;  // the CRC of the last fdAT
  cases.push_back({"a damaged CRC", bytes});
  cases.push_back({"not a PNG", std::vector<BYTE>(64, 'x')});

  for (const Case& c : cases) {
    CAPTURE(c.what);
    auto img = rig::NewImage(decoders);
    CHECK(Load(img, c.bytes) == 0);
    CHECK(img->GetFrameCount() == 0);
    CHECK(img->GetFrame(0) == nullptr);
  }
}

TEST_CASE("saving writes straight RGBA that reloads exactly for opaque pixels") {
  IObjRef* obj = nullptr;
  REQUIRE(CreateRenderFactory_GDI(&obj));
  RefPtrAssign<IRenderFactory> factory;
  factory.Attach(static_cast<IRenderFactory*>(obj));
  auto decoders = rig::Decoders(L"imgdecoder-png");
  IBitmap* raw = nullptr;
  REQUIRE(factory->CreateBitmap(&raw));
  RefPtrAssign<IBitmap> bitmap;
  bitmap.Attach(raw);
  // Premultiplied B, G, R, A: opaque colours and one transparent pixel.
  const std::vector<uint32_t> bits = {0xFF102030u, 0xFFFFFFFFu, 0x00000000u,
                                      0xFF000000u, 0xFF0000FFu, 0xFFABCDEFu};
  REQUIRE(bitmap->Init(3, 2, bits.data()) == S_OK);
  const std::wstring path = fixtures::TempPath(L"saved.png");
  REQUIRE(decoders->SaveImage(bitmap, path.c_str(), nullptr) == S_OK);
  const uint32_t* after = static_cast<const uint32_t*>(bitmap->GetPixelBits());
  CHECK(std::vector<uint32_t>(after, after + 6) == bits);  // the bitmap keeps its pixels

  auto img = rig::NewImage(decoders);
  REQUIRE(img->LoadFromFileW(path.c_str()) == 1);
  CHECK(rig::FramePixels(img->GetFrame(0)) == bits);
  DeleteFileW(path.c_str());

  CHECK(decoders->SaveImage(nullptr, path.c_str(), nullptr) == E_INVALIDARG);
  CHECK(decoders->SaveImage(bitmap, L"C:\\no\\such\\folder\\x.png", nullptr) == E_FAIL);
  CHECK(img->LoadFromFileW(L"C:\\no\\such\\file.png") == 0);
  CHECK(img->GetFrameCount() == 0);
}
