#include "controls/SSkinGif.h"

#include <objidl.h>
#include <windows.h>

#include <gdiplus.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "IRenderFactory.h"
#include "core/SApplication.h"

namespace SWUI {

namespace {

using namespace Gdiplus::DllExports;
using Gdiplus::GpBitmap;

// {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}: the time dimension of animated images.
constexpr GUID kFrameDimensionTime = {
    0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
constexpr PROPID kPropertyTagFrameDelay = 0x5100;

// Owns a GDI+ bitmap.
class GpBitmapHolder {
 public:
  GpBitmapHolder() = default;
  ~GpBitmapHolder() {
    if (bitmap_ != nullptr) GdipDisposeImage(bitmap_);
  }
  GpBitmapHolder(const GpBitmapHolder&) = delete;
  GpBitmapHolder& operator=(const GpBitmapHolder&) = delete;
  GpBitmap* get() const { return bitmap_; }
  GpBitmap** out() { return &bitmap_; }

 private:
  GpBitmap* bitmap_ = nullptr;
};

IRenderFactory* RenderFactory() {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? app->GetRenderFactory() : nullptr;
}

// A new bitmap of the render layer holding width x height premultiplied pixels whose rows lie
// `stride` bytes apart; null on failure.
IBitmap* NewBitmap(IRenderFactory* factory, UINT width, UINT height, const BYTE* bits,
                   INT stride) {
  const size_t row = static_cast<size_t>(width) * 4;
  std::vector<BYTE> packed;
  if (stride != static_cast<INT>(row)) {
    packed.resize(row * height);
    for (UINT y = 0; y < height; ++y) {
      memcpy(packed.data() + y * row, bits + static_cast<ptrdiff_t>(y) * stride, row);
    }
    bits = packed.data();
  }
  IBitmap* bitmap = nullptr;
  if (!factory->CreateBitmap(&bitmap) || bitmap == nullptr) return nullptr;
  if (FAILED(bitmap->Init(static_cast<int>(width), static_cast<int>(height), bits))) {
    bitmap->Release();
    return nullptr;
  }
  return bitmap;
}

// The image's frame delays in hundredths of a second, one 32-bit value per frame; empty when
// the image has no delay property.
std::vector<UINT> FrameDelays(GpBitmap* image) {
  std::vector<UINT> delays;
  UINT size = 0;
  if (GdipGetPropertyItemSize(image, kPropertyTagFrameDelay, &size) != Gdiplus::Ok ||
      size < sizeof(Gdiplus::PropertyItem)) {
    return delays;
  }
  std::vector<BYTE> buffer(size);
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  if (GdipGetPropertyItem(image, kPropertyTagFrameDelay, size, item) != Gdiplus::Ok) {
    return delays;
  }
  // Only values inside the buffer GDI+ filled are read.
  const BYTE* value = static_cast<const BYTE*>(item->value);
  const BYTE* end = buffer.data() + size;
  if (value < buffer.data() || value > end) return delays;
  const size_t count = std::min<size_t>(item->length, end - value) / sizeof(UINT);
  delays.resize(count);
  memcpy(delays.data(), value, count * sizeof(UINT));
  return delays;
}

// The number of frames along the image's first frame dimension; 0 when it has none.
UINT FirstDimensionFrameCount(GpBitmap* image) {
  UINT dimensions = 0;
  if (GdipImageGetFrameDimensionsCount(image, &dimensions) != Gdiplus::Ok || dimensions == 0) {
    return 0;
  }
  std::vector<GUID> ids(dimensions);
  if (GdipImageGetFrameDimensionsList(image, ids.data(), dimensions) != Gdiplus::Ok) return 0;
  UINT count = 0;
  if (GdipImageGetFrameCount(image, &ids[0], &count) != Gdiplus::Ok) return 0;
  return count;
}

// The image's active frame locked in the premultiplied format and copied into a bitmap of
// the render layer; null when any step fails.
IBitmap* ReadActiveFrame(IRenderFactory* factory, GpBitmap* bitmap, UINT width, UINT height) {
  Gdiplus::GpRect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData data{};
  if (GdipBitmapLockBits(bitmap, &rect, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB,
                         &data) != Gdiplus::Ok) {
    return nullptr;
  }
  IBitmap* frame =
      NewBitmap(factory, width, height, static_cast<const BYTE*>(data.Scan0), data.Stride);
  GdipBitmapUnlockBits(bitmap, &data);
  return frame;
}

}  // namespace

int SSkinGif::LoadFrames(void* gpBitmap) {
  auto* image = static_cast<GpBitmap*>(gpBitmap);
  IRenderFactory* factory = RenderFactory();
  if (factory == nullptr) return 0;
  const UINT count = FirstDimensionFrameCount(image);
  UINT width = 0;
  UINT height = 0;
  if (count == 0 || GdipGetImageWidth(image, &width) != Gdiplus::Ok ||
      GdipGetImageHeight(image, &height) != Gdiplus::Ok || width == 0 || height == 0 ||
      static_cast<uint64_t>(width) * height * 4 > INT32_MAX) {
    return 0;
  }
  const std::vector<UINT> delays = FrameDelays(image);
  std::vector<Frame> frames(count);
  for (UINT i = 0; i < count; ++i) {
    // An image without a time dimension (a still picture) refuses the selection and keeps
    // showing its one frame.
    GdipImageSelectActiveFrame(image, &kFrameDimensionTime, i);
    frames[i].bitmap.Attach(ReadActiveFrame(factory, image, width, height));
    if (!frames[i].bitmap) return 0;
    // A delay list shorter than the frames gives the rest no delay.
    frames[i].delay = i < delays.size() ? delays[i] : 0;
  }
  return ReplaceFrames(std::move(frames));
}

int SSkinGif::LoadFromMemory(const void* buf, size_t len) {
  if (buf == nullptr || len == 0) return 0;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, len);
  if (block == nullptr) return 0;
  void* dst = GlobalLock(block);
  if (dst == nullptr) {
    GlobalFree(block);
    return 0;
  }
  memcpy(dst, buf, len);
  GlobalUnlock(block);
  IStream* stream = nullptr;
  // The stream frees the block when it is released.
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return 0;
  }
  int frames = 0;
  {
    GpBitmapHolder image;
    if (GdipCreateBitmapFromStream(stream, image.out()) == Gdiplus::Ok &&
        image.get() != nullptr) {
      frames = LoadFrames(image.get());
    }
  }
  stream->Release();
  return frames;
}

int SSkinGif::LoadFromFile(LPCWSTR path) {
  if (path == nullptr) return 0;
  GpBitmapHolder image;
  if (GdipCreateBitmapFromFile(path, image.out()) != Gdiplus::Ok || image.get() == nullptr) {
    return 0;
  }
  return LoadFrames(image.get());
}

int SSkinGif::LoadFrom(IImgX* image, LPCWSTR decoderDescription) {
  IRenderFactory* factory = RenderFactory();
  if (image == nullptr || factory == nullptr) return 0;
  const bool hundredths = decoderDescription != nullptr && lstrcmpiW(decoderDescription, L"apng") == 0;
  const UINT count = image->GetFrameCount();
  if (count == 0) return 0;
  std::vector<Frame> frames(count);
  for (UINT i = 0; i < count; ++i) {
    IImgFrame* source = image->GetFrame(i);
    if (source == nullptr) return 0;
    IBitmap* bitmap = nullptr;
    if (!factory->CreateBitmap(&bitmap) || bitmap == nullptr) return 0;
    frames[i].bitmap.Attach(bitmap);
    if (FAILED(bitmap->InitFromFrame(source))) return 0;
    const int delay = source->GetDelay() > 0 ? source->GetDelay() : 0;
    frames[i].delay = static_cast<UINT>(hundredths ? delay : delay / 10);
  }
  return ReplaceFrames(std::move(frames));
}

int SSkinGif::LoadFromMemoryWith(IImgDecoderFactory* decoders, const void* buf, size_t len) {
  IImgX* image = nullptr;
  if (decoders == nullptr || buf == nullptr || !decoders->CreateImgX(&image) || image == nullptr) {
    return 0;
  }
  // The decoder only reads the bytes.
  const int decoded = image->LoadFromMemory(const_cast<void*>(buf), len);
  const int frames = decoded > 0 ? LoadFrom(image, decoders->GetDescription()) : 0;
  image->Release();
  return frames;
}

int SSkinGif::LoadFromFileWith(IImgDecoderFactory* decoders, LPCWSTR path) {
  IImgX* image = nullptr;
  if (decoders == nullptr || path == nullptr || !decoders->CreateImgX(&image) || image == nullptr) {
    return 0;
  }
  const int decoded = image->LoadFromFileW(path);
  const int frames = decoded > 0 ? LoadFrom(image, decoders->GetDescription()) : 0;
  image->Release();
  return frames;
}

int SSkinGif::LoadFromResource(const SStringW& ref) {
  SApplication* app = SApplication::getSingletonPtr();
  if (app == nullptr) return 0;
  SStringW type;
  SStringW name;
  SplitResRef(ref, SStringW(L"gif"), &type, &name);
  const size_t size = app->GetRawBufferSize(type, name);
  if (size == 0) return 0;
  std::vector<BYTE> bytes(size);
  if (!app->GetRawBuffer(type, name, bytes.data(), size)) return 0;
  return LoadFromMemory(bytes.data(), size);
}

void SSkinGif::LoadPending() {
  SStringW src;
  std::swap(src, pendingSrc_);
  LoadFromResource(src);
}

HRESULT SSkinGif::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  if (!P::IsName(name, L"src")) return SSkinAni::SetAttribute(name, value, bLoading);
  // A source still waiting comes first: should the new one not load, its frames stay.
  GetFrameCount();
  pendingSrc_ = value;
  SetPending(true);
  return AfterAttribute(name, value, bLoading, S_FALSE);
}

}  // namespace SWUI
