#include "RenderRig.h"

#include <doctest/doctest.h>

#include <vector>

#include "IImgDecoderFactory.h"
#include "RenderModule.h"

using namespace SWUI;

namespace {

// {B96B3CAF-0728-11D3-9D7B-0000F81EF32E}
constexpr GUID kPngFormat = {0xb96b3caf, 0x0728, 0x11d3,
                             {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

std::wstring PngFolder() { return RenderRig::FolderBesideProgram(L"png"); }

// A premultiplied pixel over a light checkerboard, opaque.
DWORD OverChecker(DWORD px, int x, int y) {
  const DWORD back = ((x / 4 + y / 4) % 2) != 0 ? 0xCC : 0xFF;
  const DWORD a = px >> 24;
  DWORD out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const DWORD c = (px >> shift) & 0xFF;
    const DWORD v = c + back * (255 - a) / 255;
    out |= (v > 255 ? 255 : v) << shift;
  }
  return out;
}

}  // namespace

RenderRig::RenderRig(int width, int height) {
  IObjRef* obj = nullptr;
  REQUIRE(CreateRenderFactory_GDI(&obj));
  REQUIRE(obj != nullptr);
  factory_.Attach(static_cast<IRenderFactory*>(obj));
  IObjRef* decoders = nullptr;
  REQUIRE(CreateImgDecoderFactoryByName(L"imgdecoder-gdip", &decoders));
  factory_->SetImgDecoderFactory(static_cast<IImgDecoderFactory*>(decoders));
  decoders->Release();
  IRenderTarget* raw = nullptr;
  REQUIRE(factory_->CreateRenderTarget(&raw, width, height));
  REQUIRE(raw != nullptr);
  target_.Attach(raw);
}

IBitmap* RenderRig::Surface() const {
  return static_cast<IBitmap*>(target_->GetCurrentObject(OT_BITMAP));
}

int RenderRig::CountPixels(bool (*pred)(DWORD)) const {
  IBitmap* bmp = Surface();
  const auto* px = static_cast<const DWORD*>(bmp->GetPixelBits());
  if (px == nullptr) return 0;
  int n = 0;
  for (UINT i = 0; i < bmp->Width() * bmp->Height(); ++i) n += pred(px[i]) ? 1 : 0;
  return n;
}

int RenderRig::CountEqual(const RECT& rc, DWORD value) const {
  int n = 0;
  ForEachIn(rc, [&](DWORD p) { n += p == value ? 1 : 0; });
  return n;
}

int RenderRig::CountIn(const RECT& rc, bool (*pred)(DWORD)) const {
  int n = 0;
  ForEachIn(rc, [&](DWORD p) { n += pred(p) ? 1 : 0; });
  return n;
}

template <class F>
void RenderRig::ForEachIn(const RECT& rc, F f) const {
  IBitmap* bmp = Surface();
  const auto* px = static_cast<const DWORD*>(bmp->GetPixelBits());
  if (px == nullptr) return;
  const LONG w = static_cast<LONG>(bmp->Width());
  const LONG h = static_cast<LONG>(bmp->Height());
  for (LONG y = rc.top < 0 ? 0 : rc.top; y < rc.bottom && y < h; ++y) {
    for (LONG x = rc.left < 0 ? 0 : rc.left; x < rc.right && x < w; ++x) f(px[y * w + x]);
  }
}

RefPtrAssign<IBitmap> RenderRig::MakeBitmap(int width, int height, const DWORD* pixels) const {
  IBitmap* raw = nullptr;
  REQUIRE(factory_->CreateBitmap(&raw));
  RefPtrAssign<IBitmap> bmp;
  bmp.Attach(raw);
  REQUIRE(bmp->Init(width, height, pixels) == S_OK);
  return bmp;
}

RefPtrAssign<IBitmap> RenderRig::SolidBitmap(int width, int height, DWORD pixel) const {
  std::vector<DWORD> px(static_cast<size_t>(width) * height, pixel);
  return MakeBitmap(width, height, px.data());
}

std::wstring RenderRig::FolderBesideProgram(const std::wstring& relative) {
  wchar_t path[MAX_PATH] = {0};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  dir.resize(dir.rfind(L'\\') + 1);
  dir += relative;
  wchar_t full[MAX_PATH] = {0};
  if (GetFullPathNameW(dir.c_str(), MAX_PATH, full, nullptr) != 0) dir = full;
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

bool RenderRig::SavePng(const std::wstring& name, int zoom) const {
  return SavePng(Surface(), name, zoom);
}

bool RenderRig::SavePng(IBitmap* bitmap, const std::wstring& name, int zoom) {
  return SavePngFile(bitmap, PngFolder() + L"\\" + name + L".png", zoom);
}

bool RenderRig::SavePngFile(IBitmap* bitmap, const std::wstring& path, int zoom) {
  if (bitmap == nullptr || zoom < 1) return false;
  const int w = static_cast<int>(bitmap->Width());
  const int h = static_cast<int>(bitmap->Height());
  const auto* src = static_cast<const DWORD*>(bitmap->GetPixelBits());
  if (src == nullptr) return false;
  std::vector<DWORD> px(static_cast<size_t>(w) * zoom * h * zoom);
  for (int y = 0; y < h * zoom; ++y) {
    for (int x = 0; x < w * zoom; ++x) {
      px[static_cast<size_t>(y) * w * zoom + x] = OverChecker(src[(y / zoom) * w + x / zoom], x, y);
    }
  }
  IBitmap* raw = nullptr;
  if (!bitmap->GetRenderFactory()->CreateBitmap(&raw) || raw == nullptr) return false;
  RefPtrAssign<IBitmap> out;
  out.Attach(raw);
  if (out->Init(w * zoom, h * zoom, px.data()) != S_OK) return false;
  return out->Save(path.c_str(), &kPngFormat) == S_OK;
}
