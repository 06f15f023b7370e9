#include "res.mgr/SResImageLoaders.h"

#include <utility>
#include <vector>

#include "IBitmap.h"
#include "IImgDecoderFactory.h"
#include "IImgX.h"
#include "IRenderFactory.h"
#include "core/SApplication.h"
#include "res.mgr/SDeferredBitmap.h"
#include "res.mgr/SResFile.h"

namespace SWUI {

namespace {

IRenderFactory* CurrentRenderFactory() {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? app->GetRenderFactory() : nullptr;
}

IBitmap* NewBitmap(IRenderFactory* factory) {
  IBitmap* bitmap = nullptr;
  if (factory == nullptr || !factory->CreateBitmap(&bitmap)) return nullptr;
  return bitmap;
}

IImgX* NewImgX(IRenderFactory* factory) {
  if (factory == nullptr) return nullptr;
  IImgDecoderFactory* decoders = factory->GetImgDecoderFactory();
  IImgX* img = nullptr;
  if (decoders == nullptr || !decoders->CreateImgX(&img)) return nullptr;
  return img;
}

// A decoder that finds no frame answers S_FALSE: that is no image either, so only S_OK keeps
// the bitmap.
IBitmap* KeepIfLoaded(IBitmap* bitmap, HRESULT hr) {
  if (hr == S_OK) return bitmap;
  bitmap->Release();
  return nullptr;
}

IImgX* KeepIfFrames(IImgX* img, int frames) {
  if (frames > 0) return img;
  img->Release();
  return nullptr;
}

}  // namespace

IBitmap* LoadBitmapFromMemory(IRenderFactory* factory, const void* data, size_t size) {
  if (data == nullptr || size == 0) return nullptr;
  IBitmap* bitmap = NewBitmap(factory);
  if (bitmap == nullptr) return nullptr;
  return KeepIfLoaded(bitmap, bitmap->LoadFromMemory(static_cast<const BYTE*>(data), size));
}

IImgX* LoadImgXFromMemory(IRenderFactory* factory, const void* data, size_t size) {
  if (data == nullptr || size == 0) return nullptr;
  IImgX* img = NewImgX(factory);
  if (img == nullptr) return nullptr;
  return KeepIfFrames(img, img->LoadFromMemory(const_cast<void*>(data), size));
}

IBitmap* LoadBitmapFromMemory(const void* data, size_t size) {
  return LoadBitmapFromMemory(CurrentRenderFactory(), data, size);
}

IImgX* LoadImgXFromMemory(const void* data, size_t size) {
  return LoadImgXFromMemory(CurrentRenderFactory(), data, size);
}

IBitmap* LoadBitmapFromFile(LPCWSTR path) {
  if (path == nullptr || *path == 0) return nullptr;
  IBitmap* bitmap = NewBitmap(CurrentRenderFactory());
  if (bitmap == nullptr) return nullptr;
  return KeepIfLoaded(bitmap, bitmap->LoadFromFile(path));
}

IImgX* LoadImgXFromFile(LPCWSTR path) {
  if (path == nullptr || *path == 0) return nullptr;
  IImgX* img = NewImgX(CurrentRenderFactory());
  if (img == nullptr) return nullptr;
  return KeepIfFrames(img, img->LoadFromFileW(path));
}

IBitmap* DeferredBitmapFromMemory(IRenderFactory* factory, const void* data, size_t size) {
  if (factory == nullptr || data == nullptr || size == 0) return nullptr;
  const BYTE* bytes = static_cast<const BYTE*>(data);
  return DeferredImageFromBytes(factory, std::vector<BYTE>(bytes, bytes + size));
}

IBitmap* DeferredBitmapFromMemory(const void* data, size_t size) {
  return DeferredBitmapFromMemory(CurrentRenderFactory(), data, size);
}

IBitmap* DeferredBitmapFromFile(LPCWSTR path) {
  if (path == nullptr || *path == 0) return nullptr;
  IRenderFactory* factory = CurrentRenderFactory();
  const size_t size = SResFile::GetSize(path);
  if (factory == nullptr || size == 0) return nullptr;
  std::vector<BYTE> bytes(size);
  if (!SResFile::Read(path, bytes.data(), size)) return nullptr;
  return DeferredImageFromBytes(factory, std::move(bytes));
}

}  // namespace SWUI
