#include "ImageFixtures.h"

#include <objidl.h>

#include <gdiplus.h>

#include <string>

#include "GifWriter.h"

namespace fixtures {

using namespace Gdiplus::DllExports;

std::vector<BYTE> MakeAnimatedGif(int width, int height, const std::vector<int>& delays) {
  std::vector<GifFrame> frames(delays.size());
  for (size_t f = 0; f < delays.size(); ++f) {
    frames[f].indices.assign(static_cast<size_t>(width) * height, static_cast<uint8_t>(f % 4));
    frames[f].delay = static_cast<uint16_t>(delays[f]);
  }
  return WriteGif(width, height, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}, frames);
}

std::vector<BYTE> EncodePng(int width, int height, const std::vector<DWORD>& argb) {
  std::vector<BYTE> out;
  UINT count = 0;
  UINT size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok) return out;
  std::vector<BYTE> list(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(list.data());
  if (GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return out;
  const CLSID* png = nullptr;
  for (UINT i = 0; i < count; ++i) {
    if (IsEqualGUID(codecs[i].FormatID, kPngFormat)) png = &codecs[i].Clsid;
  }
  if (png == nullptr) return out;
  Gdiplus::GpBitmap* bmp = nullptr;
  std::vector<DWORD> pixels = argb;
  if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                reinterpret_cast<BYTE*>(pixels.data()), &bmp) != Gdiplus::Ok) {
    return out;
  }
  IStream* stream = nullptr;
  if (SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
    if (GdipSaveImageToStream(bmp, stream, png, nullptr) == Gdiplus::Ok) {
      HGLOBAL mem = nullptr;
      STATSTG stat{};
      if (SUCCEEDED(GetHGlobalFromStream(stream, &mem)) &&
          SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME))) {
        const BYTE* p = static_cast<const BYTE*>(GlobalLock(mem));
        out.assign(p, p + stat.cbSize.LowPart);
        GlobalUnlock(mem);
      }
    }
    stream->Release();
  }
  GdipDisposeImage(bmp);
  return out;
}

}  // namespace fixtures
