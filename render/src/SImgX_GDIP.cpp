#include "SImgX_GDIP.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "GdiplusFlat.h"
#include "TryNewArray.h"

namespace SWUI {

namespace {

// A frame that says no delay, or less than 110 ms, is shown for 100 ms.
int DelayFromHundredths(UINT hundredths) {
  if (hundredths < 11) hundredths = 10;
  return static_cast<int>(hundredths * 10);
}

// width x height x 4 as a byte count; 0 when it does not fit a size_t (or the image is empty).
size_t PixelBytes(UINT width, UINT height) {
  const uint64_t size = static_cast<uint64_t>(width) * height * 4;
  if (size == 0 || size > SIZE_MAX) return 0;
  return static_cast<size_t>(size);
}

// Locks a GDI+ bitmap in 32-bit ARGB and converts it into a new premultiplied block.
std::unique_ptr<BYTE[]> ReadPixels(gdip::GpBitmap* bitmap, UINT width, UINT height,
                                   BOOL premultiplied) {
  const size_t size = PixelBytes(width, height);
  if (size == 0) return nullptr;
  gdip::GpRect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  gdip::BitmapData data{};
  if (gdip::GdipBitmapLockBits(bitmap, &rect, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                               &data) != Gdiplus::Ok) {
    return nullptr;
  }
  std::unique_ptr<BYTE[]> pixels = TryNewArray<BYTE>(size);
  if (pixels) {
    const BYTE* src = static_cast<const BYTE*>(data.Scan0);
    for (UINT y = 0; y < height; ++y) {
      SImgX_GDIP::ConvertRow(src + static_cast<ptrdiff_t>(y) * data.Stride,
                             pixels.get() + static_cast<size_t>(y) * width * 4, width,
                             premultiplied);
    }
  }
  gdip::GdipBitmapUnlockBits(bitmap, &data);
  return pixels;
}

// The frame delay property of an animated image, in hundredths of a second; empty when the
// image has none.
std::vector<UINT> ReadFrameDelays(gdip::GpImage* image) {
  std::vector<UINT> delays;
  UINT size = 0;
  if (gdip::GdipGetPropertyItemSize(image, gdip::kPropertyTagFrameDelay, &size) != Gdiplus::Ok ||
      size < sizeof(gdip::PropertyItem)) {
    return delays;
  }
  std::unique_ptr<BYTE[]> buffer = TryNewArray<BYTE>(size);
  if (!buffer) return delays;
  auto* item = reinterpret_cast<gdip::PropertyItem*>(buffer.get());
  if (gdip::GdipGetPropertyItem(image, gdip::kPropertyTagFrameDelay, size, item) != Gdiplus::Ok ||
      item->value == nullptr) {
    return delays;
  }
  // The value must lie inside the buffer GDI+ filled.
  const BYTE* value = static_cast<const BYTE*>(item->value);
  if (value < buffer.get() || value > buffer.get() + size) return delays;
  const size_t room = buffer.get() + size - value;
  const size_t count = std::min<size_t>(item->length, room) / sizeof(UINT);
  delays.resize(count);
  memcpy(delays.data(), value, count * sizeof(UINT));
  return delays;
}

// Owns a GpBitmap.
struct GpBitmapHolder {
  gdip::GpBitmap* bitmap = nullptr;
  ~GpBitmapHolder() {
    if (bitmap != nullptr) gdip::GdipDisposeImage(bitmap);
  }
};

}  // namespace

SImgX_GDIP::SImgX_GDIP(BOOL bPremultiplied) : premultiplied_(bPremultiplied) {}

void SImgX_GDIP::ConvertRow(const BYTE* src, BYTE* dst, UINT width, BOOL bPremultiplied) {
  if (!bPremultiplied) {
    memcpy(dst, src, static_cast<size_t>(width) * 4);
    return;
  }
  for (UINT x = 0; x < width; ++x, src += 4, dst += 4) {
    const UINT a = src[3];
    if (a == 0) {
      dst[0] = dst[1] = dst[2] = dst[3] = 0;
      continue;
    }
    dst[0] = static_cast<BYTE>(src[0] * a / 255);
    dst[1] = static_cast<BYTE>(src[1] * a / 255);
    dst[2] = static_cast<BYTE>(src[2] * a / 255);
    dst[3] = static_cast<BYTE>(a);
  }
}

int SImgX_GDIP::LoadFromMemory(void* pBuf, size_t bufLen) {
  frames_.clear();
  if (pBuf == nullptr || bufLen == 0) return 0;
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, bufLen);
  if (block == nullptr) return 0;
  memcpy(reinterpret_cast<void*>(block), pBuf, bufLen);
  IStream* stream = nullptr;
  // The stream frees the block when it is released.
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return 0;
  }
  GpBitmapHolder holder;
  Gdiplus::GpStatus status = gdip::GdipCreateBitmapFromStream(stream, &holder.bitmap);
  stream->Release();
  if (status != Gdiplus::Ok || holder.bitmap == nullptr) return 0;
  return LoadFrames(holder.bitmap);
}

int SImgX_GDIP::LoadFromFileW(LPCWSTR pszFileName) {
  frames_.clear();
  if (pszFileName == nullptr) return 0;
  GpBitmapHolder holder;
  if (gdip::GdipCreateBitmapFromFile(pszFileName, &holder.bitmap) != Gdiplus::Ok ||
      holder.bitmap == nullptr) {
    return 0;
  }
  return LoadFrames(holder.bitmap);
}

int SImgX_GDIP::LoadFrames(void* gpBitmap) {
  auto* bitmap = static_cast<gdip::GpBitmap*>(gpBitmap);
  UINT count = 0;
  if (gdip::GdipImageGetFrameCount(bitmap, &gdip::kFrameDimensionTime, &count) != Gdiplus::Ok ||
      count == 0) {
    count = 1;
  }
  UINT width = 0;
  UINT height = 0;
  if (gdip::GdipGetImageWidth(bitmap, &width) != Gdiplus::Ok ||
      gdip::GdipGetImageHeight(bitmap, &height) != Gdiplus::Ok || PixelBytes(width, height) == 0) {
    return 0;
  }

  std::vector<SImgFrame_GDIP> frames(count);
  if (count == 1) {
    std::unique_ptr<BYTE[]> pixels = ReadPixels(bitmap, width, height, premultiplied_);
    if (!pixels) return 0;
    frames[0].Attach(width, height, std::move(pixels), 0);
  } else {
    const std::vector<UINT> delays = ReadFrameDelays(bitmap);
    GpBitmapHolder work;
    if (gdip::GdipCreateBitmapFromScan0(static_cast<INT>(width), static_cast<INT>(height), 0,
                                        PixelFormat32bppARGB, nullptr,
                                        &work.bitmap) != Gdiplus::Ok) {
      return 0;
    }
    for (UINT i = 0; i < count; ++i) {
      if (gdip::GdipImageSelectActiveFrame(bitmap, &gdip::kFrameDimensionTime, i) !=
          Gdiplus::Ok) {
        return 0;
      }
      gdip::GpGraphics* graphics = nullptr;
      if (gdip::GdipGetImageGraphicsContext(work.bitmap, &graphics) != Gdiplus::Ok) return 0;
      const bool drawn =
          gdip::GdipGraphicsClear(graphics, 0) == Gdiplus::Ok &&
          gdip::GdipDrawImageRectI(graphics, bitmap, 0, 0, static_cast<INT>(width),
                                   static_cast<INT>(height)) == Gdiplus::Ok;
      gdip::GdipDeleteGraphics(graphics);
      if (!drawn) return 0;
      // Frames beyond the end of the delay list are shown for the default time.
      const int delay = DelayFromHundredths(i < delays.size() ? delays[i] : 0);
      std::unique_ptr<BYTE[]> pixels = ReadPixels(work.bitmap, width, height, premultiplied_);
      if (!pixels) return 0;
      frames[i].Attach(width, height, std::move(pixels), delay);
    }
  }
  frames_ = std::move(frames);
  return static_cast<int>(frames_.size());
}

UINT SImgX_GDIP::GetFrameCount() { return static_cast<UINT>(frames_.size()); }

IImgFrame* SImgX_GDIP::GetFrame(UINT iFrame) {
  if (iFrame >= frames_.size()) return nullptr;
  return &frames_[iFrame];
}

}  // namespace SWUI
