// The render target's drawing operations by their pixels: bitmaps 1:1 and from other targets'
// surfaces, saved states, icons, strokes, raster operations, clipping of huge areas and the
// alpha backup at its edges.
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "IRenderFactory.h"
#include "RenderRig.h"
#include "base/AlphaChannelBackup.h"

using namespace SWUI;

namespace {

constexpr DWORD kRed = 0xFFFF0000u;    // raw pixel of opaque 0xFF0000FF
constexpr DWORD kBlue = 0xFF0000FFu;   // raw pixel of opaque 0xFFFF0000
constexpr DWORD kGreen = 0xFF00FF00u;  // raw pixel of opaque 0xFF00FF00

template <class T>
RefPtrAssign<T> Adopt(T* raw) {
  RefPtrAssign<T> p;
  p.Attach(raw);
  return p;
}

RefPtrAssign<IPen> SelectPen(RenderRig& t, COLORREF cr, int width, int style = PS_SOLID) {
  IPen* pen = nullptr;
  REQUIRE(t.Target()->CreatePen(style, cr, width, &pen) == S_OK);
  t.Target()->SelectObject(pen, nullptr);
  return Adopt(pen);
}

RefPtrAssign<IBrush> SelectBrush(RenderRig& t, COLORREF cr) {
  IBrush* brush = nullptr;
  REQUIRE(t.Target()->CreateSolidColorBrush(cr, &brush) == S_OK);
  t.Target()->SelectObject(brush, nullptr);
  return Adopt(brush);
}

LONG RefCount(IObjRef* obj) {
  obj->AddRef();
  return obj->Release();
}

bool IsRed(DWORD p) { return p == kRed; }
// Alpha 0x80 after a blend at half strength (GDI may round down by one).
bool IsHalf(DWORD p) { return (p >> 24) == 0x80 || (p >> 24) == 0x7F; }
// Opaque red blended at half strength: premultiplied, so red equals alpha.
bool IsHalfRed(DWORD p) { return IsHalf(p) && ((p >> 16) & 0xFF) == (p >> 24) && (p & 0xFFFF) == 0; }
bool IsBlue(DWORD p) { return p == kBlue; }
bool NotZero(DWORD p) { return p != 0; }

// An icon of 16 x 16 whose colour bitmap holds one raw pixel value throughout (alpha 0 in
// every pixel makes an icon without an alpha channel) and whose mask lets every pixel show.
HICON MakeIcon(DWORD pixel) {
  std::vector<DWORD> px(16 * 16, pixel);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = 16;
  bmi.bmiHeader.biHeight = -16;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP color = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  REQUIRE(color != nullptr);
  memcpy(bits, px.data(), px.size() * 4);
  std::vector<BYTE> zeros(2 * 16, 0);
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, zeros.data());
  ICONINFO info = {TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(color);
  DeleteObject(mask);
  REQUIRE(icon != nullptr);
  return icon;
}

}  // namespace

TEST_CASE("1:1 bitmap drawing reads only inside its source") {
  RenderRig t(10, 10);
  // Two cells of 4 x 2: red, then blue.
  std::vector<DWORD> px(8 * 2);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 8; ++x) px[y * 8 + x] = x < 4 ? kRed : kBlue;
  }
  RefPtrAssign<IBitmap> strip = t.MakeBitmap(8, 2, px.data());
  const RECT dest = {0, 0, 10, 10};

  SUBCASE("an offset source with a larger destination draws the rest of the bitmap") {
    REQUIRE(t.Target()->DrawBitmap(&dest, strip, 4, 0, 0xFF) == S_OK);
    CHECK(t.CountPixels(IsBlue) == 8);
    CHECK(t.CountPixels(IsRed) == 0);
    CHECK(t.Pixel(3, 1) == kBlue);
  }
  SUBCASE("a cell drawn at natural size does not bleed into the next cell") {
    const RECT cell = {0, 0, 4, 2};
    REQUIRE(t.Target()->DrawBitmapEx(&dest, strip, &cell, EM_NULL, 0xFF) == S_OK);
    CHECK(t.CountPixels(IsRed) == 8);
    CHECK(t.CountPixels(IsBlue) == 0);
  }
  SUBCASE("a negative offset leaves the destination's first columns alone") {
    REQUIRE(t.Target()->DrawBitmap(&dest, strip, -2, 0, 0xFF) == S_OK);
    CHECK(t.Pixel(1, 0) == 0u);
    CHECK(t.Pixel(2, 0) == kRed);
    CHECK(t.Pixel(9, 1) == kBlue);
    CHECK(t.CountPixels(IsRed) == 8);
    CHECK(t.CountPixels(IsBlue) == 8);
  }
  SUBCASE("an offset past the bitmap draws nothing and is no failure") {
    CHECK(t.Target()->DrawBitmap(&dest, strip, 8, 0, 0xFF) == S_OK);
    CHECK(t.CountPixels(NotZero) == 0);
  }
}

TEST_CASE("a nine-patch narrower than its two side margins keeps parts of the sides") {
  RenderRig t(8, 2);
  // Columns 0-1 red, 2-3 blue; margins of 2 at both sides.
  std::vector<DWORD> px = {kRed, kRed, kBlue, kBlue, kRed, kRed, kBlue, kBlue};
  RefPtrAssign<IBitmap> src = t.MakeBitmap(4, 2, px.data());
  const RECT whole = {0, 0, 4, 2};
  const RECT margins = {2, 0, 2, 0};
  const RECT narrow = {0, 0, 3, 2};
  REQUIRE(t.Target()->DrawBitmap9Patch(&narrow, src, &whole, &margins, EM_STRETCH, 0xFF) ==
          S_OK);
  CHECK(t.Pixel(0, 0) == kRed);
  CHECK(t.Pixel(1, 1) == kRed);
  CHECK(t.Pixel(2, 0) == kBlue);  // the last column of the right part
  CHECK(t.Pixel(3, 0) == 0u);
  // Narrower than the left margin alone: only its first columns.
  const RECT tiny = {5, 0, 6, 2};
  REQUIRE(t.Target()->DrawBitmap9Patch(&tiny, src, &whole, &margins, EM_STRETCH, 0xFF) == S_OK);
  CHECK(t.Pixel(5, 0) == kRed);
  CHECK(t.Pixel(6, 0) == 0u);
}

TEST_CASE("another target's surface draws stretched, tiled, scaled and onto itself") {
  RenderRig t(8, 8);
  IRenderTarget* raw = nullptr;
  REQUIRE(t.Target()->CreateCompatibleRenderTarget(SIZE{2, 2}, &raw) == S_OK);
  RefPtrAssign<IRenderTarget> other = Adopt(raw);
  const RECT small = {0, 0, 2, 2};
  other->ClearRect(&small, 0xFF0000FF);
  auto* surface = static_cast<IBitmap*>(other->GetCurrentObject(OT_BITMAP));
  const RECT dest = {0, 0, 8, 8};

  REQUIRE(t.Target()->DrawBitmapEx(&dest, surface, &small, EM_STRETCH, 0xFF) == S_OK);
  CHECK(t.CountPixels(IsRed) == 64);
  t.Target()->ClearRect(&dest, 0);
  REQUIRE(t.Target()->DrawBitmapEx(&dest, surface, &small, EM_TILE, 0xFF) == S_OK);
  CHECK(t.CountPixels(IsRed) == 64);

  IBitmap* scaled = nullptr;
  REQUIRE(surface->Scale(&scaled, 4, 4, kHigh_FilterLevel) == S_OK);
  CHECK(static_cast<const DWORD*>(scaled->GetPixelBits())[15] == kRed);
  scaled->Release();

  // The target's own surface, copied onto another part of itself.
  t.Target()->ClearRect(&dest, 0);
  const RECT corner = {0, 0, 2, 2};
  t.Target()->ClearRect(&corner, 0xFFFF0000);
  const RECT farCorner = {6, 6, 8, 8};
  REQUIRE(t.Target()->DrawBitmapEx(&farCorner, t.Surface(), &corner, EM_NULL, 0xFF) == S_OK);
  CHECK(t.Pixel(7, 7) == kBlue);
}

TEST_CASE("a pop brings back the objects, text colour and origin of its push") {
  RenderRig t(16, 16);
  IRenderTarget* rt = t.Target();
  RefPtrAssign<IPen> outer = SelectPen(t, 0xFF0000FF, 1);
  IPen* const outerPen = outer;
  rt->SetTextColor(0x80123456);
  rt->SetViewportOrg(POINT{1, 1});
  const RECT all = {-1, -1, 15, 15};
  REQUIRE(rt->PushClipRect(&all, RGN_AND) == S_OK);
  const LONG held = RefCount(outer);
  RefPtrAssign<IPen> inner = SelectPen(t, 0xFF00FF00, 1);
  rt->SetTextColor(0xFF000000);
  rt->OffsetViewportOrg(3, 3, nullptr);
  outer = nullptr;  // the saved state keeps the outer pen alive
  CHECK(held >= 2);

  REQUIRE(rt->PopClip() == S_OK);
  IPen* current = static_cast<IPen*>(rt->GetCurrentObject(OT_PEN));
  CHECK(current == outerPen);
  CHECK(rt->GetTextColor() == 0x80123456u);
  POINT org{};
  rt->GetViewportOrg(&org);
  CHECK(org.x == 1);
  CHECK(org.y == 1);
  // And the device context draws with what the target reports.
  const RECT box = {0, 0, 4, 4};
  REQUIRE(rt->DrawRectangle(&box) == S_OK);
  CHECK(t.Pixel(0, 0) == 0x00FF0000u);  // red outline, the surface's alpha kept

  SUBCASE("RestoreClip to a cookie unwinds every later save") {
    int first = 0;
    REQUIRE(rt->SaveClip(&first) == S_OK);
    rt->SetTextColor(0xFF111111);
    rt->SaveClip(nullptr);
    rt->SetTextColor(0xFF222222);
    REQUIRE(rt->RestoreClip(first) == S_OK);
    CHECK(rt->GetTextColor() == 0x80123456u);
    // Nothing is left to pop: the clip is the whole surface again.
    RECT clip{};
    rt->GetClipBox(&clip);
    CHECK(clip.right - clip.left == 16);
  }
}

TEST_CASE("a push given nothing still saves, so its pop keeps the outer clip") {
  RenderRig t(8, 8);
  const RECT left = {0, 0, 4, 8};
  const RECT all = {0, 0, 8, 8};
  REQUIRE(t.Target()->PushClipRect(&left, RGN_AND) == S_OK);
  CHECK(t.Target()->PushClipRect(nullptr, RGN_AND) == E_INVALIDARG);
  t.Target()->PopClip();
  CHECK(t.Target()->PushClipRegion(nullptr, RGN_AND) == E_INVALIDARG);
  t.Target()->PopClip();
  t.Target()->ClearRect(&all, 0xFF0000FF);
  CHECK(t.CountPixels(IsRed) == 32);
  t.Target()->PopClip();
}

TEST_CASE("icons without an alpha channel keep the surface's alpha over their whole size") {
  RenderRig t(20, 20);
  const RECT all = {0, 0, 20, 20};
  t.Target()->ClearRect(&all, 0x40000000);

  HICON plain = MakeIcon(0x000000FF);  // blue, no alpha anywhere
  REQUIRE(t.Target()->DrawIconEx(2, 2, plain, 0, 0, DI_NORMAL) == S_OK);
  const RECT area = {2, 2, 18, 18};
  CHECK(t.CountEqual(area, 0x400000FFu) == 256);
  CHECK(t.Pixel(1, 1) == 0x40000000u);
  DestroyIcon(plain);

  t.Target()->ClearRect(&all, 0x40000000);
  HICON alpha = MakeIcon(kBlue);  // opaque blue with its own alpha
  REQUIRE(t.Target()->DrawIconEx(2, 2, alpha, 0, 0, DI_NORMAL) == S_OK);
  CHECK(t.CountEqual(area, kBlue) == 256);
  DestroyIcon(alpha);
  CHECK(t.Target()->DrawIconEx(0, 0, nullptr, 0, 0, DI_NORMAL) == E_INVALIDARG);
}

TEST_CASE("fills and clears cover only what shows, however large the rectangle") {
  RenderRig t(8, 8);
  const RECT huge = {-20000, -20000, 20000, 20000};
  REQUIRE(t.Target()->FillSolidRect(&huge, 0xFF0000FF) == S_OK);
  CHECK(t.CountPixels(IsRed) == 64);
  REQUIRE(t.Target()->ClearRect(&huge, 0xFFFF0000) == S_OK);
  CHECK(t.CountPixels(IsBlue) == 64);

  const RECT clip = {2, 2, 6, 6};
  t.Target()->PushClipRect(&clip, RGN_AND);
  RefPtrAssign<IBrush> brush = SelectBrush(t, 0xFF0000FF);
  REQUIRE(t.Target()->FillRectangle(&huge) == S_OK);
  REQUIRE(t.Target()->FillSolidEllipse(&huge, 0xFF0000FF) == S_OK);
  t.Target()->PopClip();
  CHECK(t.CountPixels(IsRed) == 16);
  CHECK(t.Pixel(2, 2) == kRed);

  // Wholly outside: nothing, and no failure.
  const RECT away = {100, 100, 120, 120};
  CHECK(t.Target()->FillSolidRect(&away, 0xFF00FF00) == S_OK);
  CHECK(t.Target()->ClearRect(&away, 0xFF00FF00) == S_OK);
  CHECK(t.CountPixels([](DWORD p) { return p == kGreen; }) == 0);
}

TEST_CASE("strokes and fills keep to their geometry") {
  RenderRig t(24, 24);
  IRenderTarget* rt = t.Target();

  SUBCASE("a rectangle fill covers the whole rectangle") {
    RefPtrAssign<IBrush> brush = SelectBrush(t, 0xFF0000FF);
    const RECT rc = {2, 2, 12, 12};
    REQUIRE(rt->FillRectangle(&rc) == S_OK);
    CHECK(t.CountEqual(rc, kRed) == 100);
    CHECK(t.CountPixels(IsRed) == 100);
  }
  SUBCASE("a wide round-rectangle outline keeps its outer half") {
    RefPtrAssign<IPen> pen = SelectPen(t, 0xFF0000FF, 4);
    const RECT rc = {6, 6, 18, 18};
    REQUIRE(rt->DrawRoundRect(&rc, POINT{2, 2}) == S_OK);
    CHECK(t.Pixel(4, 12) == kRed);  // outside the rectangle, inside the pen
    CHECK(t.Pixel(12, 12) == 0u);   // no fill
  }
  SUBCASE("an ellipse outline does not fill with the selected brush") {
    RefPtrAssign<IBrush> brush = SelectBrush(t, 0xFF00FF00);
    RefPtrAssign<IPen> pen = SelectPen(t, 0xFF0000FF, 1);
    const RECT rc = {2, 2, 22, 22};
    REQUIRE(rt->DrawEllipse(&rc) == S_OK);
    CHECK(t.Pixel(12, 12) == 0u);
    CHECK(t.Pixel(2, 12) == kRed);
    CHECK(t.CountPixels([](DWORD p) { return p == kGreen; }) == 0);
  }
  SUBCASE("a wide rectangle outline is deflated into its rectangle") {
    RefPtrAssign<IPen> pen = SelectPen(t, 0xFF0000FF, 4);
    const RECT all = {0, 0, 24, 24};
    rt->ClearRect(&all, 0x80000000);
    const RECT rc = {4, 4, 20, 20};
    REQUIRE(rt->DrawRectangle(&rc) == S_OK);
    CHECK(t.Pixel(4, 10) == 0x80FF0000u);  // colour changed, alpha kept
    CHECK(t.Pixel(3, 10) == 0x80000000u);
    CHECK(t.Pixel(12, 12) == 0x80000000u);
  }
  SUBCASE("arcs, pies and polylines draw through the pen's alpha") {
    RefPtrAssign<IPen> pen = SelectPen(t, 0x800000FF, 1);
    const RECT rc = {2, 2, 22, 22};
    REQUIRE(rt->DrawArc(&rc, 0.0f, 90.0f, FALSE) == S_OK);
    // The quarter from 3 o'clock towards 6 o'clock (y grows downwards).
    const RECT lowerRight = {12, 12, 24, 24};
    const RECT upperLeft = {0, 0, 12, 12};
    CHECK(t.CountIn(lowerRight, NotZero) > 10);
    CHECK(t.CountIn(upperLeft, NotZero) == 0);
    const int drawn = t.CountPixels(NotZero);
    CHECK(t.CountPixels([](DWORD p) { return p != 0 && !IsHalf(p); }) == 0);
    REQUIRE(rt->DrawArc(&rc, 180.0f, 90.0f, TRUE) == S_OK);  // with the two radii
    CHECK(t.Pixel(12, 7) != 0u);                             // on the vertical radius
    CHECK(t.CountPixels(NotZero) > drawn);

    const RECT all = {0, 0, 24, 24};
    rt->ClearRect(&all, 0);
    POINT line[3] = {{1, 1}, {20, 1}, {20, 20}};
    REQUIRE(rt->DrawLines(line, 3) == S_OK);
    CHECK(IsHalfRed(t.Pixel(10, 1)));
    CHECK(IsHalfRed(t.Pixel(20, 10)));
    CHECK(t.Pixel(10, 10) == 0u);
  }
  SUBCASE("a filled pie takes the brush, not the pen") {
    RefPtrAssign<IPen> pen = SelectPen(t, 0xFF00FF00, 1);
    RefPtrAssign<IBrush> brush = SelectBrush(t, 0xFF0000FF);
    const RECT rc = {2, 2, 22, 22};
    REQUIRE(rt->FillArc(&rc, 0.0f, 90.0f) == S_OK);
    CHECK(t.Pixel(15, 15) == kRed);
    CHECK(t.Pixel(8, 8) == 0u);
    CHECK(t.CountPixels([](DWORD p) { return p == kGreen; }) == 0);
  }
}

TEST_CASE("text colour alpha reaches the glyphs") {
  RenderRig t(40, 24);
  t.Target()->SetTextColor(0x800000FF);
  REQUIRE(t.Target()->TextOut(2, 2, L"WM", -1) == S_OK);
  CHECK(t.CountPixels(NotZero) > 0);
  CHECK(t.CountPixels([](DWORD p) { return (p >> 24) > 0x80; }) == 0);
}

TEST_CASE("raster operations and blends between targets") {
  RenderRig t(8, 8);
  IRenderTarget* rt = t.Target();
  IRenderTarget* raw = nullptr;
  REQUIRE(rt->CreateCompatibleRenderTarget(SIZE{8, 8}, &raw) == S_OK);
  RefPtrAssign<IRenderTarget> src = Adopt(raw);
  const RECT all = {0, 0, 8, 8};
  src->ClearRect(&all, 0x800000FF);  // straight values: red 0xFF at alpha 0x80

  REQUIRE(rt->BitBlt(&all, src, 0, 0, SRCCOPY) == S_OK);
  CHECK(t.Pixel(3, 3) == 0x80FF0000u);  // a plain copy takes the alpha too

  rt->ClearRect(&all, 0x40000000);
  REQUIRE(rt->BitBlt(&all, src, 0, 0, SRCINVERT) == S_OK);
  CHECK(t.Pixel(3, 3) == 0x40FF0000u);  // other operations change colour only

  rt->ClearRect(&all, 0);
  src->ClearRect(&all, 0xFF0000FF);
  const RECT half = {0, 0, 4, 4};
  REQUIRE(rt->AlphaBlend(&all, src, &half, 0x80) == S_OK);
  CHECK(IsHalfRed(t.Pixel(5, 5)));

  SUBCASE("InvertRect inverts colour and keeps the alpha") {
    rt->ClearRect(&all, 0x80000000);
    const RECT rc = {2, 2, 6, 6};
    REQUIRE(rt->InvertRect(&rc) == S_OK);
    CHECK(t.CountEqual(rc, 0x80FFFFFFu) == 16);
    CHECK(t.Pixel(6, 6) == 0x80000000u);
  }
}

TEST_CASE("selection leaves no released handle in the device context") {
  RenderRig t(4, 4);
  IRenderTarget* rt = t.Target();
  HDC dc = rt->GetDC(0);

  IRenderObj* old = reinterpret_cast<IRenderObj*>(1);
  CHECK(rt->SelectDefaultObject(OT_BRUSH, &old) == S_FALSE);
  CHECK(old == nullptr);
  old = reinterpret_cast<IRenderObj*>(1);
  CHECK(rt->SelectDefaultObject(OT_RGN, &old) == E_INVALIDARG);
  CHECK(old == nullptr);

  RefPtrAssign<IBitmap> surface = t.SolidBitmap(4, 4, kRed);
  rt->SelectObject(surface, nullptr);
  HGDIOBJ surfaceHandle = ::GetCurrentObject(dc, OBJ_BITMAP);
  IBitmap* empty = nullptr;
  REQUIRE(t.Factory()->CreateBitmap(&empty));
  surface = nullptr;  // the target holds the last reference
  REQUIRE(rt->SelectObject(empty, nullptr) == S_OK);
  empty->Release();
  CHECK(::GetCurrentObject(dc, OBJ_BITMAP) != surfaceHandle);
  CHECK(rt->GetPixel(0, 0) == 0xFFFFFFu);  // nothing to read from an empty bitmap
  const RECT all = {0, 0, 4, 4};
  CHECK(rt->FillSolidRect(&all, 0xFF0000FF) == S_OK);  // and nothing to draw into
  rt->ReleaseDC(dc);
}

TEST_CASE("Resize remakes the surface empty; a 0 x 0 target draws nothing and fails nowhere") {
  RenderRig t(4, 4);
  IRenderTarget* rt = t.Target();
  const RECT all = {0, 0, 4, 4};
  rt->ClearRect(&all, 0xFF0000FF);
  REQUIRE(rt->Resize(SIZE{6, 3}) == S_OK);
  CHECK(t.Surface()->Width() == 6u);
  CHECK(t.Surface()->Height() == 3u);
  CHECK(t.CountPixels(NotZero) == 0);
  const RECT wide = {0, 0, 6, 3};
  rt->ClearRect(&wide, 0xFF0000FF);
  CHECK(t.CountPixels(IsRed) == 18);

  RenderRig zero(0, 0);
  IRenderTarget* z = zero.Target();
  CHECK(zero.Surface()->Width() == 0u);
  RefPtrAssign<IPen> pen = SelectPen(zero, 0xFF0000FF, 1);
  RefPtrAssign<IBrush> brush = SelectBrush(zero, 0xFF0000FF);
  const RECT rc = {0, 0, 10, 10};
  POINT pts[2] = {{0, 0}, {5, 5}};
  CHECK(z->FillSolidRect(&rc, 0xFF0000FF) == S_OK);
  CHECK(z->ClearRect(&rc, 0xFF0000FF) == S_OK);
  CHECK(z->DrawRectangle(&rc) == S_OK);
  CHECK(z->DrawEllipse(&rc) == S_OK);
  CHECK(z->FillRoundRect(&rc, POINT{2, 2}) == S_OK);
  CHECK(z->DrawLines(pts, 2) == S_OK);
  CHECK(z->TextOut(0, 0, L"x", -1) == S_OK);
  CHECK(z->GradientFill(&rc, TRUE, 0xFF000000, 0xFFFFFFFF, 0x80) == S_OK);
  CHECK(z->GetPixel(0, 0) == 0xFFFFFFu);
  CHECK(z->SetPixel(0, 0, 1) == 0xFFFFFFu);
}

TEST_CASE("the alpha backup saves only 32-bit pixels on the bitmap") {
  HDC dc = CreateCompatibleDC(nullptr);
  REQUIRE(dc != nullptr);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = 8;
  bmi.bmiHeader.biHeight = -8;
  bmi.bmiHeader.biPlanes = 1;
  void* bits = nullptr;

  SUBCASE("a 24-bit bitmap gets no backup and the restore does nothing") {
    bmi.bmiHeader.biBitCount = 24;
    HBITMAP bmp = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    AlphaChannelBackup backup{};
    const RECT rc = {0, 0, 4, 4};
    CHECK_FALSE(BackupAlphaChannel(dc, &rc, &backup));
    CHECK(backup.saved == nullptr);
    RestoreAlphaChannel(&backup);
    SelectObject(dc, old);
    DeleteObject(bmp);
  }
  SUBCASE("edges: clipped at the right and bottom, nothing for an area off the bitmap") {
    bmi.bmiHeader.biBitCount = 32;
    HBITMAP bmp = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    auto* px = static_cast<DWORD*>(bits);
    for (int i = 0; i < 64; ++i) px[i] = 0x7F000000u;

    AlphaChannelBackup backup{};
    const RECT past = {5, 5, 12, 12};
    REQUIRE(BackupAlphaChannel(dc, &past, &backup));
    CHECK(backup.saved != nullptr);
    CHECK(backup.rc.right == 8);
    CHECK(backup.rc.bottom == 8);
    for (int i = 0; i < 64; ++i) px[i] = 0x00112233u;
    RestoreAlphaChannel(&backup);
    CHECK(px[7 * 8 + 7] == 0x7F112233u);
    CHECK(px[5 * 8 + 5] == 0x7F112233u);
    CHECK(px[4 * 8 + 4] == 0x00112233u);

    const RECT before = {-10, -10, -2, -2};
    REQUIRE(BackupAlphaChannel(dc, &before, &backup));
    CHECK(backup.saved == nullptr);
    RestoreAlphaChannel(&backup);
    SelectObject(dc, old);
    DeleteObject(bmp);
  }
  DeleteDC(dc);
}

TEST_CASE("a sampler of strokes and fills, written for review") {
  RenderRig t(120, 60);
  IRenderTarget* rt = t.Target();
  const RECT all = {0, 0, 120, 60};
  rt->ClearRect(&all, 0xFFFFFFFF);
  RefPtrAssign<IPen> pen = SelectPen(t, 0xFF804000, 4);
  RefPtrAssign<IBrush> brush = SelectBrush(t, 0xFF40C0FF);
  const RECT a = {6, 6, 34, 34};
  rt->FillRoundRect(&a, POINT{10, 10});
  rt->DrawRoundRect(&a, POINT{5, 5});
  const RECT b = {44, 6, 72, 34};
  rt->DrawEllipse(&b);
  const RECT c = {82, 6, 110, 34};
  rt->FillArc(&c, 30.0f, 240.0f);
  rt->DrawArc(&c, 30.0f, 240.0f, FALSE);
  RefPtrAssign<IPen> thin = SelectPen(t, 0x800000FF, 2);
  POINT zigzag[5] = {{6, 50}, {30, 40}, {54, 56}, {78, 40}, {110, 52}};
  rt->DrawLines(zigzag, 5);
  rt->SetTextColor(0xFF000000);
  rt->TextOut(40, 38, L"Aa", -1);
  CHECK(t.SavePng(L"render_sampler", 3));
}
