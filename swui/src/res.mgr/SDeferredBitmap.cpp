#include "res.mgr/SDeferredBitmap.h"

#include <cstring>
#include <memory>

#include "IBitmapSource.h"
#include "IRenderFactory.h"
#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"
#include "res.mgr/SResImageLoaders.h"

namespace SWUI {

namespace {

class FunctionSource : public TObjRefImpl<IBitmapSource> {
 public:
  explicit FunctionSource(std::function<HRESULT(IBitmap*)> make) : make_(std::move(make)) {}
  HRESULT MakePixels(IBitmap* pBitmap) override { return make_(pBitmap); }

 private:
  std::function<HRESULT(IBitmap*)> make_;
};

DWORD BigEndian(const BYTE* p) {
  return static_cast<DWORD>(p[0]) << 24 | static_cast<DWORD>(p[1]) << 16 |
         static_cast<DWORD>(p[2]) << 8 | p[3];
}

}  // namespace

IBitmap* NewDeferredBitmap(IRenderFactory* factory, int width, int height,
                           std::function<HRESULT(IBitmap*)> make) {
  IBitmap* bitmap = nullptr;
  if (factory == nullptr || width <= 0 || height <= 0 || !factory->CreateBitmap(&bitmap) ||
      bitmap == nullptr) {
    return nullptr;
  }
  auto* source = new FunctionSource(std::move(make));
  const HRESULT hr = bitmap->InitDeferred(width, height, source);
  source->Release();
  if (FAILED(hr)) {
    bitmap->Release();
    return nullptr;
  }
  return bitmap;
}

bool PeekPngSize(const void* data, size_t size, SIZE* out) {
  static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const auto* p = static_cast<const BYTE*>(data);
  if (p == nullptr || size < 24 || memcmp(p, kSignature, 8) != 0 ||
      memcmp(p + 12, "IHDR", 4) != 0) {
    return false;
  }
  const DWORD width = BigEndian(p + 16);
  const DWORD height = BigEndian(p + 20);
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  out->cx = static_cast<LONG>(width);
  out->cy = static_cast<LONG>(height);
  return true;
}

IBitmap* DeferredImageFromBytes(IRenderFactory* factory, std::vector<BYTE> bytes) {
  SIZE size;
  if (!PeekPngSize(bytes.data(), bytes.size(), &size)) {
    return LoadBitmapFromMemory(factory, bytes.data(), bytes.size());
  }
  auto held = std::make_shared<std::vector<BYTE>>(std::move(bytes));
  return NewDeferredBitmap(factory, size.cx, size.cy, [held](IBitmap* bitmap) {
    const HRESULT hr = bitmap->LoadFromMemory(held->data(), held->size());
    // The encoded bytes are not needed again.
    std::vector<BYTE>().swap(*held);
    return hr == S_OK ? S_OK : E_FAIL;
  });
}

IBitmap* DeferredResample(IBitmap* image, int width, int height) {
  if (image == nullptr) return nullptr;
  SAutoRefPtr<IBitmap> from(image);
  return NewDeferredBitmap(image->GetRenderFactory(), width, height, [from](IBitmap* bitmap) {
    IBitmap* made = nullptr;
    if (FAILED(from->Scale(&made, static_cast<int>(bitmap->Width()),
                           static_cast<int>(bitmap->Height()), kHigh_FilterLevel)) ||
        made == nullptr) {
      return E_FAIL;
    }
    SAutoRefPtr<IBitmap> holder;
    holder.Attach(made);
    return bitmap->Init(static_cast<int>(made->Width()), static_cast<int>(made->Height()),
                        made->GetPixelBits());
  });
}

}  // namespace SWUI
