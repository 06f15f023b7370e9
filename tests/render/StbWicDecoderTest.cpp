// The stb_image and WIC decoders, and one pixel table that all four decoders must agree on.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "DecoderRig.h"
#include "ImageFixtures.h"
#include "PngFixtures.h"

using namespace SWUI;
using fixtures::Rgba;

namespace {

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<BYTE>*>(context);
  out->insert(out->end(), static_cast<BYTE*>(data), static_cast<BYTE*>(data) + size);
}

// A 30 x 40 opaque image whose every pixel tells where it is: red x x 8, green y x 6.
fixtures::PngImage Gradient() {
  fixtures::PngImage image = fixtures::Fill(30, 40, {0, 0, 0x40, 255});
  for (UINT y = 0; y < 40; ++y) {
    for (UINT x = 0; x < 30; ++x) {
      image.pixels[y * 30 + x].r = static_cast<BYTE>(x * 8);
      image.pixels[y * 30 + x].g = static_cast<BYTE>(y * 6);
    }
  }
  return image;
}

}  // namespace

TEST_CASE("one pixel table decodes alike through the PNG, stb, WIC and GDI+ decoders") {
  rig::ComSession com;
  fixtures::GdiplusSession gdiplus;
  fixtures::PngImage image = fixtures::Fill(6, 1, {0, 0, 0, 0});
  image.pixels = {{200, 100, 50, 128}, {64, 128, 255, 0}, {0x10, 0x20, 0x30, 255},
                  {255, 0, 0, 128},    {0, 255, 0, 64},   {255, 255, 255, 255}};
  std::vector<BYTE> png = fixtures::EncodePng(image);
  std::vector<uint32_t> expected;
  for (const Rgba& c : image.pixels) expected.push_back(fixtures::Premultiplied(c));
  for (const wchar_t* module :
       {L"imgdecoder-png", L"imgdecoder-stb", L"imgdecoder-wic", L"imgdecoder-gdip"}) {
    CAPTURE(std::string(module, module + wcslen(module)));
    auto img = rig::NewImage(rig::Decoders(module));
    REQUIRE(img->LoadFromMemory(png.data(), png.size()) == 1);
    CHECK(img->GetFrame(0)->GetDelay() == 0);
    CHECK(rig::FramePixels(img->GetFrame(0)) == expected);
  }
}

TEST_CASE("stb: a one-component JPEG arrives as opaque gray; frame copies need the exact size") {
  const int w = 8;
  const int h = 8;
  std::vector<BYTE> gray(w * h, 0x80);
  std::vector<BYTE> jpeg;
  REQUIRE(stbi_write_jpg_to_func(AppendBytes, &jpeg, w, h, 1, gray.data(), 100));
  auto decoders = rig::Decoders(L"imgdecoder-stb");
  auto img = rig::NewImage(decoders);
  REQUIRE(img->LoadFromMemory(jpeg.data(), jpeg.size()) == 1);
  IImgFrame* frame = img->GetFrame(0);
  CHECK(frame->GetDelay() == 0);
  CHECK(img->GetFrame(1) == nullptr);
  for (uint32_t px : rig::FramePixels(frame)) {
    CHECK((px >> 24) == 0xFF);
    CHECK((px & 0xFF) == ((px >> 8) & 0xFF));
    CHECK((px & 0xFF) == ((px >> 16) & 0xFF));
  }
  std::vector<BYTE> shortBuffer(w * h * 4 - 1, 0xAB);
  CHECK_FALSE(
      frame->CopyPixels(nullptr, w * 4, static_cast<UINT>(shortBuffer.size()), shortBuffer.data()));
  CHECK(shortBuffer == std::vector<BYTE>(w * h * 4 - 1, 0xAB));

  CHECK(img->LoadFromFileW(L"C:\\no\\such\\file.jpg") == 0);
  CHECK(img->GetFrameCount() == 0);
  CHECK(img->LoadFromMemory(nullptr, 10) == 0);
  CHECK(decoders->SaveImage(nullptr, L"x.png", nullptr) == E_NOTIMPL);
}

TEST_CASE("WIC: rectangles, frames of a GIF, and images that outlive their bytes") {
  rig::ComSession com;
  auto decoders = rig::Decoders(L"imgdecoder-wic");
  CHECK(decoders->SaveImage(nullptr, L"x.png", nullptr) == E_FAIL);

  SUBCASE("a rectangle (10,10,20,30) copies the 10 x 20 block at (10,10)") {
    const fixtures::PngImage gradient = Gradient();
    auto img = rig::NewImage(decoders);
    // The encoded bytes are gone before any pixel is asked for.
    {
      std::unique_ptr<std::vector<BYTE>> png(new std::vector<BYTE>(fixtures::EncodePng(gradient)));
      REQUIRE(img->LoadFromMemory(png->data(), png->size()) == 1);
      std::fill(png->begin(), png->end(), 0);
    }
    IImgFrame* frame = img->GetFrame(0);
    const RECT rc = {10, 10, 20, 30};
    std::vector<uint32_t> block(10 * 20);
    REQUIRE(frame->CopyPixels(&rc, 10 * 4, static_cast<UINT>(block.size() * 4),
                              reinterpret_cast<BYTE*>(block.data())));
    for (UINT y = 0; y < 20; ++y) {
      for (UINT x = 0; x < 10; ++x) {
        CAPTURE(x);
        CAPTURE(y);
        CHECK(block[y * 10 + x] ==
              fixtures::Premultiplied(gradient.pixels[(y + 10) * 30 + x + 10]));
      }
    }
    std::vector<uint32_t> tooSmall(10 * 20 - 1);
    CHECK_FALSE(frame->CopyPixels(&rc, 10 * 4, static_cast<UINT>(tooSmall.size() * 4),
                                  reinterpret_cast<BYTE*>(tooSmall.data())));
  }
  SUBCASE("a three-frame GIF gives three frames, each with delay 0") {
    std::vector<BYTE> gif = fixtures::MakeAnimatedGif(4, 3, {0, 5, 20});
    auto img = rig::NewImage(decoders);
    REQUIRE(img->LoadFromMemory(gif.data(), gif.size()) == 3);
    const uint32_t colours[3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    for (UINT i = 0; i < 3; ++i) {
      CAPTURE(i);
      CHECK(img->GetFrame(i)->GetDelay() == 0);
      CHECK(rig::FramePixels(img->GetFrame(i)) == std::vector<uint32_t>(12, colours[i]));
    }
    CHECK(img->GetFrame(3) == nullptr);
  }
  SUBCASE("an image outlives its decoder factory and fails cleanly on junk") {
    auto img = rig::NewImage(decoders);
    decoders = nullptr;
    std::vector<BYTE> png = fixtures::EncodePng(fixtures::Fill(2, 2, {1, 2, 3, 255}));
    REQUIRE(img->LoadFromMemory(png.data(), png.size()) == 1);
    CHECK(rig::FramePixels(img->GetFrame(0)) == std::vector<uint32_t>(4, 0xFF010203u));
    std::vector<BYTE> junk(100, 'j');
    CHECK(img->LoadFromMemory(junk.data(), junk.size()) == 0);
    CHECK(img->GetFrame(0) == nullptr);
    CHECK(img->LoadFromFileW(L"C:\\no\\such\\file.png") == 0);
  }
}
