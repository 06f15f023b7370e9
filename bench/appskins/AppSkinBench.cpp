// The application's skins beside bare baselines run in the same process: slim scroll-bar
// parts against the framework scroll-bar skin drawing the same part at the same size, and a
// 30-frame 256 x 256 GIF loaded by the GIF skin (through GDI+, and through the GDI+ decoder)
// against bare GDI+: a bitmap from a stream, then each frame selected and its pixels locked.
#include <objidl.h>
#include <windows.h>

#include <gdiplus.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "BenchClock.h"
#include "GdiplusSession.h"
#include "GifWriter.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "controls/SSkinGif.h"
#include "controls/SSkinNewScrollbar.h"
#include "controls/SSkinVScrollbar.h"
#include "controls/ZUSkinHScrollbar.h"
#include "core/SApplication.h"
#include "core/SSkinScrollbar.h"

using namespace SWUI;
using fixtures::GifFrame;
using fixtures::GdiplusSession;
using fixtures::WriteGif;

namespace {

void Report(const char* what, double ours, double bare) {
  printf("%-46s ours %9.4f ms   bare %9.4f ms   ratio %5.2f\n", what, ours, bare,
         bare > 0 ? ours / bare : 0.0);
}

// Ours against bare in alternating rounds, the best round of each.
template <class F, class G>
void Compare(const char* what, F ours, G bare, double budgetMs = 150.0) {
  const bench::Timing t = bench::BestOfAlternating(ours, bare, budgetMs);
  Report(what, t.ours, t.bare);
}

IBitmap* NewBitmap(IRenderFactory* factory, int w, int h) {
  std::vector<DWORD> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) px[y * w + x] = 0xFF000000u | ((x * 7) << 16) | ((y * 5) << 8) | 0x40;
  }
  IBitmap* bmp = nullptr;
  factory->CreateBitmap(&bmp);
  bmp->Init(w, h, px.data());
  return bmp;
}

template <class T>
T* NewSkin(const wchar_t* margin) {
  T* skin = new T();
  skin->SetAttribute(SStringW(L"margin"), SStringW(margin), TRUE);
  return skin;
}

// One bar part drawn 1000 times by a slim skin and by the framework skin (12-pixel cells).
void ScrollbarDraws(IRenderFactory* factory) {
  IRenderTarget* rt = nullptr;
  factory->CreateRenderTarget(&rt, 300, 300);
  IBitmap* grid = NewBitmap(factory, 9 * 12, 5 * 12);  // the framework skin's 9 x 5 cells
  IBitmap* vert = NewBitmap(factory, 3 * 12, 2 * 12);  // 3 states of 12 x 12 cells
  IBitmap* horz = NewBitmap(factory, 2 * 12, 3 * 12);
  SSkinScrollbar* base = NewSkin<SSkinScrollbar>(L"4");
  base->SetImage(grid);
  SSkinVScrollbar* v = NewSkin<SSkinVScrollbar>(L"4");
  v->SetStates(3);
  v->SetImage(vert);
  ZUSkinHScrollbar* h = NewSkin<ZUSkinHScrollbar>(L"4");
  h->SetStates(3);
  h->SetImage(horz);
  SSkinNewScrollbar* n = NewSkin<SSkinNewScrollbar>(L"4");
  n->SetStates(3);
  n->SetVertImage(vert);
  n->SetHorzImage(horz);

  const RECT vbar = {0, 0, 12, 280};
  const RECT hbar = {0, 0, 280, 12};
  auto draws = [&](ISkinObj* skin, const RECT& rc, DWORD state) {
    return [=] {
      for (int i = 0; i < 1000; ++i) skin->Draw(rt, &rc, state);
    };
  };
  const DWORD vthumb = SSkinScrollbar::MakeState(SB_THUMBTRACK, 1, TRUE);
  const DWORD hthumb = SSkinScrollbar::MakeState(SB_THUMBTRACK, 1, FALSE);
  const DWORD vrail = SSkinScrollbar::MakeState(SB_PAGEUP, 4, TRUE);
  Compare("1000 vscrollbar thumbs 12x280", draws(v, vbar, vthumb), draws(base, vbar, vthumb));
  Compare("1000 vscrollbar rails at rest 12x280", draws(v, vbar, vrail), draws(base, vbar, vrail));
  Compare("1000 zuhscrollbar thumbs 280x12", draws(h, hbar, hthumb), draws(base, hbar, hthumb));
  Compare("1000 newScrollbar thumbs 12x280", draws(n, vbar, vthumb), draws(base, vbar, vthumb));
  Compare("1000 newScrollbar thumbs 280x12", draws(n, hbar, hthumb), draws(base, hbar, hthumb));
  for (ISkinObj* skin : {static_cast<ISkinObj*>(base), static_cast<ISkinObj*>(v),
                         static_cast<ISkinObj*>(h), static_cast<ISkinObj*>(n)}) {
    skin->Release();
  }
  grid->Release();
  vert->Release();
  horz->Release();
  rt->Release();
}

// 30 frames of 256 x 256 over a 256-colour palette, each frame a shifted diagonal pattern.
std::vector<uint8_t> BenchGif() {
  std::vector<uint32_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = (i << 16) | ((255 - i) << 8) | ((i * 3) & 0xFF);
  std::vector<GifFrame> frames(30);
  for (int f = 0; f < 30; ++f) {
    frames[f].delay = static_cast<uint16_t>(5 + f % 3);
    frames[f].indices.resize(256 * 256);
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) frames[f].indices[y * 256 + x] = static_cast<uint8_t>(x + y + f * 8);
    }
  }
  return WriteGif(256, 256, palette, frames);
}

// What the GIF skin does at the least with GDI+: a bitmap from a stream on the bytes, then
// every frame selected and its pixels locked in the premultiplied format.
int BareGdiplusFrames(const std::vector<uint8_t>& bytes) {
  using namespace Gdiplus::DllExports;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  IStream* stream = nullptr;
  CreateStreamOnHGlobal(block, TRUE, &stream);
  Gdiplus::GpBitmap* bitmap = nullptr;
  int frames = 0;
  if (GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok) {
    static const GUID kTime = {
        0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
    UINT count = 0;
    GdipImageGetFrameCount(bitmap, &kTime, &count);
    Gdiplus::GpRect rect(0, 0, 256, 256);
    for (UINT i = 0; i < count; ++i) {
      GdipImageSelectActiveFrame(bitmap, &kTime, i);
      Gdiplus::BitmapData data{};
      if (GdipBitmapLockBits(bitmap, &rect, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB,
                             &data) == Gdiplus::Ok) {
        GdipBitmapUnlockBits(bitmap, &data);
        ++frames;
      }
    }
    GdipDisposeImage(bitmap);
  }
  stream->Release();
  return frames;
}

void GifLoads(IRenderFactory* factory) {
  const std::vector<uint8_t> bytes = BenchGif();
  printf("GIF of 30 frames 256x256: %u bytes\n", static_cast<unsigned>(bytes.size()));
  SSkinGif* gif = new SSkinGif();
  int ours = 0;
  int decoded = 0;
  int bareFrames = 0;
  IImgDecoderFactory* decoders = factory->GetImgDecoderFactory();
  auto bare = [&] { bareFrames = BareGdiplusFrames(bytes); };
  Compare("GIF skin load (GDI+)", [&] { ours = gif->LoadFromMemory(bytes.data(), bytes.size()); },
          bare, 1000.0);
  Compare("GIF skin load (GDI+ decoder)",
          [&] { decoded = gif->LoadFromMemoryWith(decoders, bytes.data(), bytes.size()); }, bare,
          1000.0);
  printf("frames: skin %d, decoder path %d, bare %d\n", ours, decoded, bareFrames);
  gif->Release();
}

}  // namespace

int main() {
  GdiplusSession gdiplus;
  IObjRef* obj = nullptr;
  CreateRenderFactory_GDI(&obj);
  auto* factory = static_cast<IRenderFactory*>(obj);
  IObjRef* decoders = nullptr;
  CreateImgDecoderFactoryByName(L"imgdecoder-gdip", &decoders);
  factory->SetImgDecoderFactory(static_cast<IImgDecoderFactory*>(decoders));
  decoders->Release();
  {
    SApplication app(factory, GetModuleHandleW(nullptr));
    printf("ratio = ours / bare (1.00: no overhead over the bare calls)\n");
    ScrollbarDraws(factory);
    GifLoads(factory);
  }
  factory->Release();
  return 0;
}
