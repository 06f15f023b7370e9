// The GDI+ decoder: frames, delays, premultiplication, saving, and failing loads.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "DecoderRig.h"
#include "IImgDecoderFactory.h"
#include "IRenderFactory.h"
#include "ImageFixtures.h"
#include "RefPtrAssign.h"
#include "RenderModule.h"

using namespace SWUI;

namespace {

RefPtrAssign<IImgDecoderFactory> MakeDecoders() { return rig::Decoders(L"imgdecoder-gdip"); }

RefPtrAssign<IImgX> MakeImage(IImgDecoderFactory* decoders) { return rig::NewImage(decoders); }

std::vector<BYTE> FramePixels(IImgFrame* frame) {
  const std::vector<uint32_t> words = rig::FramePixels(frame);
  const BYTE* bytes = reinterpret_cast<const BYTE*>(words.data());
  return std::vector<BYTE>(bytes, bytes + words.size() * 4);
}

}  // namespace

TEST_CASE("module names: the chooser knows all four decoders, other names leave the out pointer") {
  rig::ComSession com;
  IObjRef* const sentinel = reinterpret_cast<IObjRef*>(static_cast<uintptr_t>(0x1234));
  for (const wchar_t* name : {L"imgdecoder-bogus", L"", L"IMGDECODER-GDIP", L"imgdecoder-gdip ",
                              L"imgdecoder-PNG", L"imgdecoder-"}) {
    CAPTURE(std::wstring(name).size());
    IObjRef* out = sentinel;
    CHECK_FALSE(CreateImgDecoderFactoryByName(name, &out));
    CHECK(out == sentinel);
  }
  const struct {
    const wchar_t* module;
    const wchar_t* description;
  } kModules[] = {{L"imgdecoder-wic", L"wic"},
                  {L"imgdecoder-stb", L"stb"},
                  {L"imgdecoder-png", L"apng"},
                  {L"imgdecoder-gdip", L"gdi+"}};
  for (const auto& m : kModules) {
    CAPTURE(std::wstring(m.description).size());
    IObjRef* out = nullptr;
    REQUIRE(CreateImgDecoderFactoryByName(m.module, &out));
    REQUIRE(out != nullptr);
    auto* decoders = static_cast<IImgDecoderFactory*>(out);
    CHECK(std::wcscmp(decoders->GetDescription(), m.description) == 0);
    CHECK(decoders->Release() == 0);
  }
}

namespace {

struct WicAttempt {
  BOOL created = TRUE;
  IObjRef* out = reinterpret_cast<IObjRef*>(static_cast<uintptr_t>(0x1234));
};

DWORD WINAPI TryWicWithoutCom(void* p) {
  auto* attempt = static_cast<WicAttempt*>(p);
  attempt->created = CreateImgDecoderFactoryByName(L"imgdecoder-wic", &attempt->out);
  return 0;
}

}  // namespace

TEST_CASE("the WIC decoder cannot be made on a thread without COM") {
  WicAttempt result;
  HANDLE thread = CreateThread(nullptr, 0, TryWicWithoutCom, &result, 0, nullptr);
  REQUIRE(thread != nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  CHECK_FALSE(result.created);
  CHECK(result.out == reinterpret_cast<IObjRef*>(static_cast<uintptr_t>(0x1234)));
}

TEST_CASE("an animated GIF gives one frame per step, delays in ms of at least 100") {
  auto decoders = MakeDecoders();
  auto img = MakeImage(decoders);
  std::vector<BYTE> gif = fixtures::MakeAnimatedGif(4, 3, {0, 5, 20});
  REQUIRE(img->LoadFromMemory(gif.data(), gif.size()) == 3);
  CHECK(img->GetFrameCount() == 3);
  const int expected[3] = {100, 100, 200};
  // Palette colours red, green, blue as premultiplied B, G, R, A.
  const DWORD colours[3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
  for (UINT i = 0; i < 3; ++i) {
    CAPTURE(i);
    IImgFrame* frame = img->GetFrame(i);
    REQUIRE(frame != nullptr);
    CHECK(frame->GetDelay() == expected[i]);
    UINT w = 0;
    UINT h = 0;
    REQUIRE(frame->GetSize(&w, &h));
    CHECK(w == 4);
    CHECK(h == 3);
    std::vector<BYTE> px = FramePixels(frame);
    DWORD first;
    memcpy(&first, px.data(), 4);
    CHECK(first == colours[i]);
  }
  CHECK(img->GetFrame(3) == nullptr);
}

TEST_CASE("a still PNG gives one premultiplied frame with delay 0") {
  fixtures::GdiplusSession gdiplus;
  auto decoders = MakeDecoders();
  auto img = MakeImage(decoders);
  // 0xAARRGGBB straight: (B,G,R,A) = (200,100,50,128); a transparent coloured pixel; an opaque
  // one.
  const std::vector<DWORD> argb = {0x803264C8u, 0x00FF8040u, 0xFF102030u};
  std::vector<BYTE> png = fixtures::EncodePng(3, 1, argb);
  REQUIRE_FALSE(png.empty());
  REQUIRE(img->LoadFromMemory(png.data(), png.size()) == 1);
  IImgFrame* frame = img->GetFrame(0);
  REQUIRE(frame != nullptr);
  CHECK(frame->GetDelay() == 0);
  std::vector<BYTE> px = FramePixels(frame);
  const std::vector<BYTE> expected = {100, 50, 25, 128, 0, 0, 0, 0, 0x30, 0x20, 0x10, 0xFF};
  CHECK(px == expected);

  SUBCASE("CopyPixels refuses a buffer of any other size and copies nothing") {
    std::vector<BYTE> small(11, 0xAB);
    CHECK_FALSE(frame->CopyPixels(nullptr, 12, 11, small.data()));
    CHECK(small == std::vector<BYTE>(11, 0xAB));
    std::vector<BYTE> big(13, 0xAB);
    CHECK_FALSE(frame->CopyPixels(nullptr, 12, 13, big.data()));
  }
  SUBCASE("a second load that fails leaves no frame behind") {
    const char junk[] = "this is not an image";
    CHECK(img->LoadFromMemory(const_cast<char*>(junk), sizeof(junk)) == 0);
    CHECK(img->GetFrameCount() == 0);
    CHECK(img->GetFrame(0) == nullptr);
  }
}

TEST_CASE("loads GDI+ cannot open give no frame") {
  auto decoders = MakeDecoders();
  auto img = MakeImage(decoders);
  BYTE junk[64] = {0x89, 'P', 'N', 'G'};
  CHECK(img->LoadFromMemory(junk, sizeof(junk)) == 0);
  CHECK(img->LoadFromMemory(nullptr, 0) == 0);
  CHECK(img->LoadFromFileW(L"C:\\no\\such\\file.png") == 0);
  CHECK(img->GetFrameCount() == 0);
  CHECK(img->GetFrame(0) == nullptr);
}

TEST_CASE("LoadFromFileA converts through the ANSI code page and refuses names too long") {
  fixtures::GdiplusSession gdiplus;
  auto decoders = MakeDecoders();
  auto img = MakeImage(decoders);
  std::vector<BYTE> png = fixtures::EncodePng(2, 2, std::vector<DWORD>(4, 0xFF00FF00u));
  REQUIRE_FALSE(png.empty());
  const std::wstring wide = fixtures::TempPath(L"ansi.png");
  REQUIRE(fixtures::WriteFileBytes(wide, png.data(), png.size()));
  const std::string narrow(wide.begin(), wide.end());  // the temp path is plain ASCII here
  CHECK(img->LoadFromFileA(narrow.c_str()) == 1);
  DeleteFileW(wide.c_str());

  const std::string longName = "C:\\" + std::string(300, 'a') + ".png";
  CHECK(img->LoadFromFileA(longName.c_str()) == 0);
  CHECK(img->GetFrameCount() == 1);  // a name that does not convert does not touch the image
  CHECK(img->LoadFromFileA(nullptr) == 0);
}
