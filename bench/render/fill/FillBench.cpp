// Render-target fills per second beside bare GDI on a memory device context holding a 32-bit
// DIB section of the same size: FillSolidRect against FillRect with a ready brush (opaque,
// translucent, and opaque under a clip with a hole in it), FillSolidEllipse against Ellipse
// and a short DrawText against DrawTextW. The ratio is how many times longer ours takes.
#include <windows.h>

#include <cstdio>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "base/SAutoRefPtr.h"

using namespace SWUI;

namespace {

constexpr int kSize = 512;
constexpr double kBudgetMs = 200.0;

void Report(const char* what, const bench::Timing& t) {
  printf("%-40s ours %11.0f /s   bare %11.0f /s   ratio %6.2f\n", what, 1000.0 / t.ours,
         1000.0 / t.bare, t.bare > 0 ? t.ours / t.bare : 0.0);
}

// A memory device context with a 32-bit top-down DIB section: the bare baseline's surface.
struct BareSurface {
  HDC dc = nullptr;
  HBITMAP bmp = nullptr;
  HGDIOBJ old = nullptr;

  BareSurface() {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = kSize;
    bmi.bmiHeader.biHeight = -kSize;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bmp = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc != nullptr && bmp != nullptr) old = SelectObject(dc, bmp);
    SetBkMode(dc, TRANSPARENT);
  }
  ~BareSurface() {
    if (old != nullptr) SelectObject(dc, old);
    if (bmp != nullptr) DeleteObject(bmp);
    if (dc != nullptr) DeleteDC(dc);
  }
  bool Ready() const { return old != nullptr; }
};

void FillRects(IRenderTarget* rt, const BareSurface& bare, HBRUSH brush, const char* label,
               int side, COLORREF cr) {
  const RECT rc = {10, 10, 10 + side, 10 + side};
  Report(label, bench::BestOfAlternating([&] { rt->FillSolidRect(&rc, cr); },
                                         [&] { FillRect(bare.dc, &rc, brush); }, kBudgetMs));
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  IRenderTarget* made = nullptr;
  factory->CreateRenderTarget(&made, kSize, kSize);
  SAutoRefPtr<IRenderTarget> rt;
  rt.Attach(made);
  BareSurface bare;
  HBRUSH brush = CreateSolidBrush(RGB(0x40, 0x80, 0xC0));
  if (rt == nullptr || !bare.Ready() || brush == nullptr) {
    printf("no surface\n");
    return 1;
  }
  printf("Render target calls per second on a %d x %d surface (bare = plain GDI on a DIB "
         "section)\n",
         kSize, kSize);
  FillRects(rt, bare, brush, "FillSolidRect 16x16 opaque", 16, 0xFFC08040);
  FillRects(rt, bare, brush, "FillSolidRect 200x200 opaque", 200, 0xFFC08040);
  FillRects(rt, bare, brush, "FillSolidRect 16x16 alpha 128", 16, 0x80C08040);
  FillRects(rt, bare, brush, "FillSolidRect 200x200 alpha 128", 200, 0x80C08040);

  // A frame: the whole surface clipped with a hole cut out, as a border is drawn.
  const RECT hole = {40, 40, 170, 170};
  rt->SaveClip(nullptr);
  rt->ExcludeClipRect(&hole);
  const int saved = SaveDC(bare.dc);
  ExcludeClipRect(bare.dc, hole.left, hole.top, hole.right, hole.bottom);
  FillRects(rt, bare, brush, "FillSolidRect 200x200 opaque, holed clip", 200, 0xFFC08040);
  RestoreDC(bare.dc, saved);
  rt->PopClip();

  for (int side : {16, 200}) {
    const RECT rc = {10, 10, 10 + side, 10 + side};
    char label[64];
    snprintf(label, sizeof(label), "FillSolidEllipse %dx%d opaque", side, side);
    Report(label, bench::BestOfAlternating(
                      [&] { rt->FillSolidEllipse(&rc, 0xFFC08040); },
                      [&] {
                        HGDIOBJ oldBrush = SelectObject(bare.dc, brush);
                        HGDIOBJ oldPen = SelectObject(bare.dc, GetStockObject(NULL_PEN));
                        Ellipse(bare.dc, rc.left, rc.top, rc.right, rc.bottom);
                        SelectObject(bare.dc, oldPen);
                        SelectObject(bare.dc, oldBrush);
                      },
                      kBudgetMs));
  }
  IPen* pen = nullptr;
  rt->CreatePen(PS_SOLID, 0xFFC08040, 1, &pen);
  rt->SelectObject(pen, nullptr);
  pen->Release();
  HPEN barePen = CreatePen(PS_SOLID, 1, RGB(0x40, 0x80, 0xC0));
  for (int side : {16, 200}) {
    const RECT rc = {10, 10, 10 + side, 10 + side};
    char label[64];
    snprintf(label, sizeof(label), "DrawRectangle %dx%d, pen 1", side, side);
    Report(label, bench::BestOfAlternating(
                      [&] { rt->DrawRectangle(&rc); },
                      [&] {
                        HGDIOBJ oldPen = SelectObject(bare.dc, barePen);
                        HGDIOBJ oldBrush = SelectObject(bare.dc, GetStockObject(NULL_BRUSH));
                        Rectangle(bare.dc, rc.left, rc.top, rc.right - 1, rc.bottom - 1);
                        SelectObject(bare.dc, oldBrush);
                        SelectObject(bare.dc, oldPen);
                      },
                      kBudgetMs));
  }
  DeleteObject(barePen);
  RECT textRc = {10, 10, 200, 40};
  Report("DrawText \"Volume\" in 190x30", bench::BestOfAlternating(
                                             [&] { rt->DrawText(L"Volume", 6, &textRc, 0); },
                                             [&] { DrawTextW(bare.dc, L"Volume", 6, &textRc, 0); },
                                             kBudgetMs));
  DeleteObject(brush);
  return 0;
}
