// GDI+ decode time through the decoder (frames converted to premultiplied pixels) beside a bare
// GdipCreateBitmapFromStream + LockBits of the same bytes.
#include <windows.h>
#include <objidl.h>

#include <gdiplus.h>

#include <cstdio>
#include <vector>

#include "BenchClock.h"
#include "IImgDecoderFactory.h"
#include "ImageFixtures.h"
#include "RenderModule.h"

using namespace SWUI;

namespace {

using bench::NowMs;

// Milliseconds per decode through the decoder; frames checked once.
double DecoderMs(IImgDecoderFactory* decoders, std::vector<BYTE>& bytes, int rounds,
                 int* frames) {
  const double start = NowMs();
  for (int i = 0; i < rounds; ++i) {
    IImgX* img = nullptr;
    decoders->CreateImgX(&img);
    *frames = img->LoadFromMemory(bytes.data(), bytes.size());
    img->Release();
  }
  return (NowMs() - start) / rounds;
}

// Milliseconds per bare GDI+ decode of the first frame: stream, bitmap, LockBits, unlock.
double BareMs(const std::vector<BYTE>& bytes, int rounds) {
  using namespace Gdiplus::DllExports;
  const double start = NowMs();
  for (int i = 0; i < rounds; ++i) {
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, bytes.size());
    memcpy(reinterpret_cast<void*>(block), bytes.data(), bytes.size());
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(block, TRUE, &stream);
    Gdiplus::GpBitmap* bmp = nullptr;
    GdipCreateBitmapFromStream(stream, &bmp);
    stream->Release();
    UINT w = 0;
    UINT h = 0;
    GdipGetImageWidth(bmp, &w);
    GdipGetImageHeight(bmp, &h);
    Gdiplus::GpRect rc(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    Gdiplus::BitmapData data{};
    GdipBitmapLockBits(bmp, &rc, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data);
    GdipBitmapUnlockBits(bmp, &data);
    GdipDisposeImage(bmp);
  }
  return (NowMs() - start) / rounds;
}

void Report(const char* what, IImgDecoderFactory* decoders, std::vector<BYTE>& bytes,
            int rounds) {
  int frames = 0;
  DecoderMs(decoders, bytes, 2, &frames);  // warm-up
  BareMs(bytes, 2);
  const double ours = DecoderMs(decoders, bytes, rounds, &frames);
  const double bare = BareMs(bytes, rounds);
  printf("%-28s %6zu bytes  %d frame(s)  decoder %8.3f ms  bare %8.3f ms  ratio %5.2f\n", what,
         bytes.size(), frames, ours, bare, bare > 0 ? ours / bare : 0.0);
}

}  // namespace

int main() {
  IObjRef* obj = nullptr;
  if (!CreateImgDecoderFactoryByName(L"imgdecoder-gdip", &obj) || obj == nullptr) {
    printf("no GDI+ decoder\n");
    return 1;
  }
  auto* decoders = static_cast<IImgDecoderFactory*>(obj);

  const int size = 256;
  std::vector<DWORD> argb(size * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const DWORD a = static_cast<DWORD>((x + y) & 0xFF);
      argb[y * size + x] = (a << 24) | (static_cast<DWORD>(x) << 16) |
                           (static_cast<DWORD>(y) << 8) | static_cast<DWORD>((x ^ y) & 0xFF);
    }
  }
  std::vector<BYTE> png = fixtures::EncodePng(size, size, argb);
  std::vector<BYTE> gif = fixtures::MakeAnimatedGif(size, size, {10, 20, 30});
  if (png.empty()) {
    printf("PNG encoding failed\n");
    decoders->Release();
    return 1;
  }
  printf("GDI+ decode, milliseconds per image (decoder = frames premultiplied; bare = "
         "GdipCreateBitmapFromStream + LockBits of the first frame)\n");
  Report("PNG 256x256 RGBA", decoders, png, 40);
  Report("GIF 256x256, 3 frames", decoders, gif, 10);
  decoders->Release();
  return 0;
}
