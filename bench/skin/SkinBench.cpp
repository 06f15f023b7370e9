// Skin drawing, tinting and pool lookups, each beside a bare baseline run in the same
// process: nine-patch frames against the same nine AlphaBlend calls made directly, image-list
// states against one AlphaBlend, tints against a plain pass over the pixels, and pool lookups
// against a bare bitmap resample (cold) and a bare hash-map lookup (warm).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "IRenderFactory.h"
#include "RenderModule.h"
#include "core/SApplication.h"
#include "core/SColorizer.h"
#include "core/SSkinImgFrame.h"
#include "core/SSkinPool.h"
#include "core/SSkinPoolMgr.h"

using namespace SWUI;

namespace {

double NowMs() {
  static LARGE_INTEGER freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

// Runs body repeatedly for about budgetMs (at least once); answers calls per second.
template <class F>
double PerSecond(F body, double budgetMs = 400.0) {
  body();  // warm-up
  int calls = 0;
  const double start = NowMs();
  double elapsed = 0.0;
  do {
    body();
    ++calls;
    elapsed = NowMs() - start;
  } while (elapsed < budgetMs);
  return calls * 1000.0 / elapsed;
}

void Report(const char* what, double ours, double bare) {
  printf("%-44s ours %12.1f /s   bare %12.1f /s   ratio %5.2f\n", what, ours, bare,
         ours > 0 ? bare / ours : 0.0);
}

IBitmap* NewBitmap(IRenderFactory* factory, int w, int h, const std::vector<DWORD>& px) {
  IBitmap* bmp = nullptr;
  factory->CreateBitmap(&bmp);
  bmp->Init(w, h, px.data());
  return bmp;
}

// A frame image: opaque grey border, translucent blue inside, the kind a button skin holds.
std::vector<DWORD> FramePixels(int w, int h) {
  std::vector<DWORD> px(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool edge = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
      px[y * w + x] = edge ? 0xFF707070u : 0x80204080u;
    }
  }
  return px;
}

// The same nine parts a nine-patch draws, as direct AlphaBlend calls from a held source DC.
void BareNinePatch(HDC dst, HDC src, const RECT& d, int sw, int sh, int m) {
  const int xs[4] = {0, m, sw - m, sw};
  const int ys[4] = {0, m, sh - m, sh};
  const int xd[4] = {d.left, d.left + m, d.right - m, d.right};
  const int yd[4] = {d.top, d.top + m, d.bottom - m, d.bottom};
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      AlphaBlend(dst, xd[i], yd[j], xd[i + 1] - xd[i], yd[j + 1] - yd[j], src, xs[i], ys[j],
                 xs[i + 1] - xs[i], ys[j + 1] - ys[j], bf);
    }
  }
}

void NinePatch(IRenderFactory* factory, SApplication& app, int w, int h) {
  IRenderTarget* rt = nullptr;
  factory->CreateRenderTarget(&rt, w, h);
  IBitmap* image = NewBitmap(factory, 24, 24, FramePixels(24, 24));
  auto* frame = dynamic_cast<SSkinImgFrame*>(app.CreateSkinByName(L"imgframe"));
  frame->SetImage(image);
  frame->SetMargin(RECT{4, 4, 4, 4});
  const RECT dest = {0, 0, w, h};
  const double ours = PerSecond([&] { frame->Draw(rt, &dest, 0); });

  // The bare run: a 32-bit surface and the same source, both held across calls.
  void* bits = nullptr;
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HBITMAP surface = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dst = CreateCompatibleDC(nullptr);
  HGDIOBJ oldDst = SelectObject(dst, surface);
  bmi.bmiHeader.biWidth = 24;
  bmi.bmiHeader.biHeight = -24;
  HBITMAP source = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  const std::vector<DWORD> px = FramePixels(24, 24);
  memcpy(bits, px.data(), px.size() * 4);
  HDC src = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSrc = SelectObject(src, source);
  const double bare = PerSecond([&] { BareNinePatch(dst, src, dest, 24, 24, 4); });
  const std::string what = "nine-patch frame " + std::to_string(w) + "x" + std::to_string(h);
  Report(what.c_str(), ours, bare);

  SelectObject(src, oldSrc);
  DeleteDC(src);
  DeleteObject(source);
  SelectObject(dst, oldDst);
  DeleteDC(dst);
  DeleteObject(surface);
  frame->Release();
  image->Release();
  rt->Release();
}

void ImageListStates(IRenderFactory* factory, SApplication& app) {
  IRenderTarget* rt = nullptr;
  factory->CreateRenderTarget(&rt, 64, 64);
  IBitmap* image = NewBitmap(factory, 64, 16, FramePixels(64, 16));
  auto* list = dynamic_cast<SSkinImgList*>(app.CreateSkinByName(L"imglist"));
  list->SetImage(image);
  list->SetStates(4);
  const RECT dest = {8, 8, 24, 24};
  DWORD state = 0;
  const double ours = PerSecond([&] { list->Draw(rt, &dest, state++ & 3); });

  HDC dst = rt->GetDC(0);
  HDC src = CreateCompatibleDC(nullptr);
  IBitmap* copy = nullptr;
  image->Clone(&copy);  // a bitmap of our own to select: the skin's stays unselected
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP source = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  memcpy(bits, copy->GetPixelBits(), 64 * 16 * 4);
  HGDIOBJ old = SelectObject(src, source);
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  int cell = 0;
  const double bare = PerSecond(
      [&] { AlphaBlend(dst, 8, 8, 16, 16, src, (cell++ & 3) * 16, 0, 16, 16, bf); });
  Report("image-list state 16x16", ours, bare);
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(source);
  rt->ReleaseDC(dst);
  copy->Release();
  list->Release();
  image->Release();
  rt->Release();
}

void Tint(IRenderFactory* factory, const char* what, bool fewColours) {
  const int w = 1024, h = 768;
  std::vector<DWORD> px(static_cast<size_t>(w) * h);
  DWORD seed = 12345;
  for (size_t i = 0; i < px.size(); ++i) {
    seed = seed * 1103515245u + 12345u;
    px[i] = fewColours ? 0xFF000000u | ((i / 4096) % 16) * 0x0F0F0Fu : seed | 0xFF000000u;
  }
  IBitmap* bmp = NewBitmap(factory, w, h, px);
  // Both runs start from the untinted pixels every time.
  auto restore = [&] { memcpy(bmp->LockPixelBits(), px.data(), px.size() * 4); };
  const double ours = PerSecond([&] {
    restore();
    SColorizer::TintBitmap(bmp, 0xFF2050C0);
  }, 1500.0);
  const double bare = PerSecond([&] {
    restore();
    auto* p = static_cast<DWORD*>(bmp->LockPixelBits());
    for (size_t i = 0; i < px.size(); ++i) p[i] ^= 0x00FFFFFFu;
  });
  Report(what, ours, bare);
  bmp->Release();
}

void PoolLookups(IRenderFactory* factory, SApplication& app) {
  const int kSkins = 64;
  std::wstring xml = L"<skin>";
  for (int i = 0; i < kSkins; ++i) {
    xml += L"<imgframe name='skin" + std::to_wstring(i) + L"' states='4' margin='4,4,4,4'/>";
  }
  xml += L"</skin>";
  pugi::xml_document doc;
  doc.load_string(xml.c_str());
  IBitmap* image = NewBitmap(factory, 96, 24, FramePixels(96, 24));
  std::vector<SStringW> names;
  for (int i = 0; i < kSkins; ++i) names.push_back(SStringW(L"skin") + std::to_wstring(i).c_str());

  // Cold: every lookup makes and keeps a scaled copy, in a fresh pool each round.
  int calls = 0;
  double coldMs = 0.0;
  while (coldMs < 600.0) {
    auto* pool = new SSkinPool();
    pool->LoadSkins(doc.child(L"skin"));
    for (const SStringW& name : names) {
      dynamic_cast<SSkinImgList*>(pool->GetSkin(name, 100))->SetImage(image);
    }
    const double start = NowMs();
    for (const SStringW& name : names) pool->GetSkin(name, 150);
    coldMs += NowMs() - start;
    calls += kSkins;
    pool->Release();
  }
  const double cold = calls * 1000.0 / coldMs;
  // The bare run resamples the same image as often; the copies, like the pool's, are let go
  // outside the timing.
  int bareCalls = 0;
  double bareMs = 0.0;
  std::vector<IBitmap*> copies(kSkins);
  while (bareMs < 600.0) {
    const double start = NowMs();
    for (IBitmap*& copy : copies) image->Scale(&copy, 144, 36, kHigh_FilterLevel);
    bareMs += NowMs() - start;
    bareCalls += kSkins;
    for (IBitmap* copy : copies) copy->Release();
  }
  const double bareScale = bareCalls * 1000.0 / bareMs;
  Report("GetSkin cold (scaled copy made)", cold, bareScale);

  auto* pool = new SSkinPool();
  pool->LoadSkins(doc.child(L"skin"));
  for (const SStringW& name : names) pool->GetSkin(name, 150);
  size_t i = 0;
  const double warm = PerSecond([&] {
    for (int k = 0; k < 1000; ++k) pool->GetSkin(names[i++ % names.size()], 150);
  });
  std::unordered_map<std::wstring, void*> bareMap;
  for (const SStringW& name : names) bareMap[std::wstring(name.c_str()) + L"@150"] = pool;
  std::vector<std::wstring> keys;
  for (const SStringW& name : names) keys.push_back(std::wstring(name.c_str()) + L"@150");
  const double bareWarm = PerSecond([&] {
    for (int k = 0; k < 1000; ++k) bareMap.find(keys[i++ % keys.size()]);
  });
  Report("GetSkin warm (cached), x1000", warm, bareWarm);
  pool->Release();
  image->Release();
  (void)app;
}

}  // namespace

int main() {
  IObjRef* obj = nullptr;
  CreateRenderFactory_GDI(&obj);
  auto* factory = static_cast<IRenderFactory*>(obj);
  {
    SApplication app(factory, GetModuleHandleW(nullptr));
    printf("ratio = bare rate / ours (1.00: no overhead over the bare calls)\n");
    NinePatch(factory, app, 64, 64);
    NinePatch(factory, app, 1024, 768);
    ImageListStates(factory, app);
    Tint(factory, "tint 1024x768, 16 colours", true);
    Tint(factory, "tint 1024x768, all pixels distinct", false);
    PoolLookups(factory, app);
  }
  factory->Release();
  return 0;
}
