// The GDI render factory and what it makes, with and without a decoder factory.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "IImgDecoderFactory.h"
#include "IRenderFactory.h"
#include "ImageFixtures.h"
#include "RefPtrAssign.h"
#include "RenderModule.h"

using namespace SWUI;

namespace {

RefPtrAssign<IRenderFactory> MakeFactory() {
  IObjRef* obj = nullptr;
  REQUIRE(CreateRenderFactoryModule(&obj));
  REQUIRE(obj != nullptr);
  RefPtrAssign<IRenderFactory> factory;
  factory.Attach(static_cast<IRenderFactory*>(obj));
  return factory;
}

IImgDecoderFactory* NewDecoders() {
  IObjRef* obj = nullptr;
  REQUIRE(CreateImgDecoderFactoryByName(L"imgdecoder-gdip", &obj));
  REQUIRE(obj != nullptr);
  return static_cast<IImgDecoderFactory*>(obj);
}

LONG RefCount(IObjRef* obj) {
  obj->AddRef();
  return obj->Release();
}

}  // namespace

TEST_CASE("a factory without a decoder factory makes targets, fonts, regions and empty bitmaps") {
  auto factory = MakeFactory();
  CHECK(factory->GetImgDecoderFactory() == nullptr);

  IRenderTarget* rt = nullptr;
  REQUIRE(factory->CreateRenderTarget(&rt, 8, 6));
  REQUIRE(rt != nullptr);
  auto* surface = static_cast<IBitmap*>(rt->GetCurrentObject(OT_BITMAP));
  REQUIRE(surface != nullptr);
  CHECK(surface->Width() == 8);
  CHECK(surface->Height() == 6);
  CHECK(surface->GetRenderFactory() == factory.Get());
  const BYTE* bits = static_cast<const BYTE*>(surface->GetPixelBits());
  REQUIRE(bits != nullptr);
  CHECK(std::vector<BYTE>(bits, bits + 8 * 6 * 4) == std::vector<BYTE>(8 * 6 * 4, 0));
  CHECK(rt->GetTextColor() == 0xFF000000u);
  CHECK(rt->GetCurrentObject(OT_PEN) != nullptr);
  CHECK(rt->GetCurrentObject(OT_BRUSH) != nullptr);
  CHECK(rt->GetCurrentObject(OT_FONT) != nullptr);
  CHECK(rt->SelectDefaultObject(OT_PEN, nullptr) == S_FALSE);
  CHECK(rt->SelectDefaultObject(OT_RGN, nullptr) == E_INVALIDARG);
  CHECK(rt->Release() == 0);

  LOGFONTW lf{};
  lf.lfHeight = -12;
  lf.lfWeight = 700;
  wcscpy(lf.lfFaceName, L"Tahoma");
  IFont* font = nullptr;
  REQUIRE(factory->CreateFont(&font, lf));
  REQUIRE(font != nullptr);
  CHECK(font->ObjectType() == OT_FONT);
  CHECK(font->IsClass(L"font"));
  CHECK_FALSE(font->IsClass(L"Font"));
  CHECK(std::wcscmp(font->GetObjectClass(), L"font") == 0);
  CHECK(font->GetObjectType() == -1);
  CHECK(font->TextSize() == -12);
  CHECK(font->IsBold());
  CHECK(std::wcscmp(font->FamilyName(), L"Tahoma") == 0);
  CHECK(font->SetAttribute("any", "1", FALSE) == E_FAIL);
  CHECK(font->Release() == 0);

  IRegion* rgn = nullptr;
  REQUIRE(factory->CreateRegion(&rgn));
  REQUIRE(rgn != nullptr);
  CHECK(rgn->ObjectType() == OT_RGN);
  CHECK(rgn->IsEmpty());
  const RECT rc = {2, 3, 10, 9};
  rgn->CombineRect(&rc, RGN_OR);
  CHECK(rgn->PtInRegion(2, 3));
  CHECK_FALSE(rgn->PtInRegion(10, 9));
  CHECK(rgn->Release() == 0);

  IBitmap* bmp = nullptr;
  REQUIRE(factory->CreateBitmap(&bmp));
  REQUIRE(bmp != nullptr);
  CHECK(bmp->ObjectType() == OT_BITMAP);
  CHECK(bmp->Width() == 0);
  CHECK(bmp->GetPixelBits() == nullptr);
  SUBCASE("loading and saving need a decoder factory and fail cleanly without one") {
    const BYTE data[4] = {1, 2, 3, 4};
    CHECK(bmp->LoadFromMemory(data, sizeof(data)) == E_FAIL);
    CHECK(bmp->LoadFromFile(L"C:\\nothing.png") == E_FAIL);
    REQUIRE(bmp->Init(2, 2, nullptr) == S_OK);
    CHECK(bmp->Save(fixtures::TempPath(L"never.png").c_str(), &fixtures::kPngFormat) == E_FAIL);
    CHECK(GetFileAttributesW(fixtures::TempPath(L"never.png").c_str()) ==
          INVALID_FILE_ATTRIBUTES);
  }
  CHECK(bmp->Release() == 0);

  CHECK_FALSE(factory->Reserved9(nullptr));
  CHECK_FALSE(factory->Reserved10(nullptr, nullptr));
  CHECK_FALSE(factory->Reserved11(nullptr));
}

TEST_CASE("the factory holds exactly one reference to its decoder factory") {
  IImgDecoderFactory* decoders = NewDecoders();
  {
    auto factory = MakeFactory();
    factory->SetImgDecoderFactory(decoders);
    factory->SetImgDecoderFactory(decoders);
    CHECK(factory->GetImgDecoderFactory() == decoders);
    CHECK(RefCount(decoders) == 2);
    factory->SetImgDecoderFactory(nullptr);
    CHECK(factory->GetImgDecoderFactory() == nullptr);
    CHECK(RefCount(decoders) == 1);
    factory->SetImgDecoderFactory(decoders);
  }
  // The factory's last release let go of its reference.
  CHECK(RefCount(decoders) == 1);
  CHECK(decoders->Release() == 0);
}

TEST_CASE("bitmaps load, save and reload through the decoder factory") {
  auto factory = MakeFactory();
  IImgDecoderFactory* decoders = NewDecoders();
  factory->SetImgDecoderFactory(decoders);
  decoders->Release();

  RefPtrAssign<IBitmap> bmp;
  {
    IBitmap* raw = nullptr;
    REQUIRE(factory->CreateBitmap(&raw));
    bmp.Attach(raw);
  }
  // Opaque pixels in a pattern that a row or channel mix-up would break.
  const int w = 5;
  const int h = 3;
  std::vector<DWORD> px(w * h);
  for (int i = 0; i < w * h; ++i) px[i] = 0xFF000000u | (i * 0x0B1D07u & 0x00FFFFFFu);
  REQUIRE(bmp->Init(w, h, px.data()) == S_OK);

  SUBCASE("a PNG saved and reloaded round-trips an opaque image") {
    const std::wstring path = fixtures::TempPath(L"roundtrip.png");
    REQUIRE(bmp->Save(path.c_str(), &fixtures::kPngFormat) == S_OK);
    RefPtrAssign<IBitmap> back;
    IBitmap* raw = nullptr;
    REQUIRE(factory->CreateBitmap(&raw));
    back.Attach(raw);
    CHECK(back->LoadFromFile(path.c_str()) == S_OK);
    DeleteFileW(path.c_str());
    REQUIRE(back->Width() == static_cast<UINT>(w));
    REQUIRE(back->Height() == static_cast<UINT>(h));
    const DWORD* got = static_cast<const DWORD*>(back->GetPixelBits());
    CHECK(std::vector<DWORD>(got, got + w * h) == px);
  }
  SUBCASE("a format no encoder writes gives E_FAIL and writes nothing") {
    const GUID unknown = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    const std::wstring path = fixtures::TempPath(L"unknown.img");
    CHECK(bmp->Save(path.c_str(), &unknown) == E_FAIL);
    CHECK(GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES);
    CHECK(decoders->SaveImage(nullptr, path.c_str(), &fixtures::kPngFormat) == E_INVALIDARG);
  }
  SUBCASE("a load that finds no frame keeps the previous pixels") {
    const BYTE junk[16] = {};
    CHECK(bmp->LoadFromMemory(junk, sizeof(junk)) == S_FALSE);
    CHECK(bmp->Width() == static_cast<UINT>(w));
    const DWORD* got = static_cast<const DWORD*>(bmp->GetPixelBits());
    CHECK(std::vector<DWORD>(got, got + w * h) == px);
  }
  SUBCASE("an animated image keeps only its first frame") {
    std::vector<BYTE> gif = fixtures::MakeAnimatedGif(2, 2, {10, 10});
    CHECK(bmp->LoadFromMemory(gif.data(), gif.size()) == S_OK);
    CHECK(bmp->Width() == 2);
    CHECK(*static_cast<const DWORD*>(bmp->GetPixelBits()) == 0xFFFF0000u);
  }
  SUBCASE("Clone and a scale to the same size give independent copies") {
    IBitmap* copy = nullptr;
    REQUIRE(bmp->Scale2(&copy, 100, kHigh_FilterLevel) == S_OK);
    REQUIRE(copy != nullptr);
    CHECK(copy != bmp.Get());
    static_cast<DWORD*>(copy->LockPixelBits())[0] = 0;
    CHECK(static_cast<const DWORD*>(bmp->GetPixelBits())[0] == px[0]);
    copy->Release();
    IBitmap* scaled = nullptr;
    REQUIRE(bmp->Scale(&scaled, 10, 6, kNone_FilterLevel) == S_OK);
    REQUIRE(scaled != nullptr);
    CHECK(scaled->Width() == 10);
    CHECK(scaled->Height() == 6);
    scaled->Release();
  }
}
