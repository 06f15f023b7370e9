// The GDI render target and render objects: selection, clipping, pixels, and drawing that
// keeps the surface's alpha channel intact.
#include <doctest/doctest.h>
#include <windows.h>

#include <vector>

#include "IRenderFactory.h"
#include "RenderRig.h"

using namespace SWUI;


TEST_CASE("ClearRect writes the colour unblended; pixels outside the surface answer 0xFFFFFF") {
  RenderRig t(8, 8);
  const RECT rc = {2, 2, 6, 6};
  REQUIRE(t.Target()->ClearRect(&rc, 0x80102030) == S_OK);
  // 0xAABBGGRR in, raw B, G, R, A pixel (0xAARRGGBB) out.
  CHECK(t.Pixel(2, 2) == 0x80302010u);
  CHECK(t.Pixel(5, 5) == 0x80302010u);
  CHECK(t.Pixel(6, 6) == 0u);
  CHECK(t.CountPixels([](DWORD p) { return p != 0; }) == 16);

  CHECK(t.Target()->GetPixel(-1, 0) == 0xFFFFFFu);
  CHECK(t.Target()->SetPixel(8, 0, 0x12345678) == 0xFFFFFFu);
  CHECK(t.Target()->SetPixel(0, 0, 0x11223344) == 0u);
  CHECK(t.Pixel(0, 0) == 0x11223344u);

  // The viewport origin moves logical coordinates.
  t.Target()->SetViewportOrg(POINT{2, 2});
  CHECK(t.Pixel(0, 0) == 0x80302010u);
  CHECK(t.Target()->GetPixel(-3, 0) == 0xFFFFFFu);
}

TEST_CASE("a pushed clip limits drawing until it is popped") {
  RenderRig t(8, 8);
  const RECT clip = {0, 0, 4, 8};
  const RECT all = {0, 0, 8, 8};
  REQUIRE(t.Target()->PushClipRect(&clip, RGN_AND) == S_OK);
  t.Target()->ClearRect(&all, 0xFF0000FF);
  CHECK(t.Pixel(3, 0) == 0xFFFF0000u);
  CHECK(t.Pixel(4, 0) == 0u);
  IRegion* rgn = nullptr;
  REQUIRE(t.Target()->GetClipRegion(&rgn) == S_OK);
  RECT box{};
  rgn->GetRgnBox(&box);
  CHECK(box.right == 4);
  rgn->Release();
  t.Target()->PopClip();
  t.Target()->ClearRect(&all, 0xFF00FF00);
  CHECK(t.Pixel(7, 7) == 0xFF00FF00u);
}

TEST_CASE("drawing through the alpha layer and the alpha backup keeps the surface's alpha") {
  RenderRig t(16, 16);
  const RECT all = {0, 0, 16, 16};

  SUBCASE("a half-transparent fill blends at half strength and leaves other pixels alone") {
    t.Target()->ClearRect(&all, 0xFF000000);  // opaque black
    const RECT rc = {4, 4, 8, 8};
    REQUIRE(t.Target()->FillSolidRect(&rc, 0x80FFFFFF) == S_OK);
    const DWORD inside = t.Pixel(5, 5);
    CHECK((inside >> 24) == 0xFFu);
    CHECK((inside & 0xFF) >= 0x7E);
    CHECK((inside & 0xFF) <= 0x81);
    CHECK(t.Pixel(3, 3) == 0xFF000000u);
    CHECK(t.Pixel(8, 8) == 0xFF000000u);
  }
  SUBCASE("a translucent gradient shows at its alpha, an opaque one is drawn directly") {
    const RECT rc = {0, 0, 16, 4};
    REQUIRE(t.Target()->GradientFill(&rc, FALSE, 0xFFFFFFFF, 0xFFFFFFFF, 0x80) == S_OK);
    const DWORD half = t.Pixel(8, 1);
    CHECK((half >> 24) >= 0x7F);
    CHECK((half >> 24) <= 0x80);
    const RECT below = {0, 8, 16, 12};
    REQUIRE(t.Target()->GradientFill(&below, TRUE, 0xFF0000FF, 0xFF0000FF, 0xFF) == S_OK);
    CHECK((t.Pixel(8, 9) & 0x00FFFFFFu) == 0x00FF0000u);
  }
  SUBCASE("opaque text on a transparent surface is opaque where drawn, untouched elsewhere") {
    REQUIRE(t.Target()->TextOut(0, 0, L"W", -1) == S_OK);
    const int drawn = t.CountPixels([](DWORD p) { return p != 0; });
    CHECK(drawn > 0);
    CHECK(t.CountPixels([](DWORD p) { return p != 0 && (p >> 24) != 0xFF; }) == 0);
  }
  SUBCASE("an empty text draws nothing; measuring draws nothing") {
    RECT rc = {0, 0, 16, 16};
    CHECK(t.Target()->DrawText(L"W", 0, &rc, 0) == S_OK);
    RECT calc = {0, 0, 0, 0};
    CHECK(t.Target()->DrawText(L"WW", 2, &calc, DT_CALCRECT | DT_SINGLELINE) == S_OK);
    CHECK(calc.right > 0);
    CHECK(t.CountPixels([](DWORD p) { return p != 0; }) == 0);
  }
  SUBCASE("solid ellipses and round rectangles fill in their colour with no outline") {
    IPen* pen = nullptr;
    REQUIRE(t.Target()->CreatePen(PS_SOLID, 0xFFFF0000, 1, &pen) == S_OK);  // blue: must not show
    t.Target()->SelectObject(pen, nullptr);
    pen->Release();
    const DWORD red = 0xFFFF0000u;  // raw pixel of 0xFF0000FF
    REQUIRE(t.Target()->FillSolidEllipse(&all, 0xFF0000FF) == S_OK);
    CHECK(t.Pixel(8, 8) == red);
    CHECK(t.Pixel(0, 8) == red);
    CHECK(t.Pixel(0, 0) == 0u);  // outside the ellipse
    t.Target()->ClearRect(&all, 0);
    REQUIRE(t.Target()->FillSolidRoundRect(&all, POINT{4, 4}, 0xFF0000FF) == S_OK);
    CHECK(t.Pixel(8, 8) == red);
    CHECK(t.Pixel(0, 8) == red);
    CHECK(t.Pixel(0, 0) == 0u);  // cut by the 8 x 8 corner ellipse
    CHECK(t.CountPixels([](DWORD p) { return p != 0 && p != 0xFFFF0000u; }) == 0);
  }
  SUBCASE("a rectangle outline changes colour only, its right and bottom edge included") {
    t.Target()->ClearRect(&all, 0x40000000);
    IPen* pen = nullptr;
    REQUIRE(t.Target()->CreatePen(PS_SOLID, 0xFF0000FF, 1, &pen) == S_OK);
    t.Target()->SelectObject(pen, nullptr);
    pen->Release();
    const RECT rc = {2, 2, 10, 10};
    REQUIRE(t.Target()->DrawRectangle(&rc) == S_OK);
    CHECK(t.Pixel(2, 2) == 0x40FF0000u);
    CHECK(t.Pixel(9, 9) == 0x40FF0000u);
    CHECK(t.CountPixels([](DWORD p) { return (p >> 24) != 0x40; }) == 0);
  }
}

TEST_CASE("object selection hands out references and refuses what has no default") {
  RenderRig t(4, 4);
  IRenderObj* defPen = t.Target()->GetCurrentObject(OT_PEN);
  IPen* pen = nullptr;
  REQUIRE(t.Target()->CreatePen(PS_SOLID, 0xFF00FF00, 2, &pen) == S_OK);
  CHECK(pen->GetRenderFactory() == t.Factory());
  IRenderObj* old = nullptr;
  REQUIRE(t.Target()->SelectObject(pen, &old) == S_OK);
  CHECK(old == defPen);
  CHECK(pen->Release() == 1);  // the target holds the other reference
  IRenderObj* back = nullptr;
  REQUIRE(t.Target()->SelectDefaultObject(OT_PEN, &back) == S_OK);
  CHECK(back == static_cast<IRenderObj*>(pen));
  CHECK(back->Release() == 0);
  old->Release();

  IRegion* rgn = nullptr;
  REQUIRE(t.Target()->CreateRegion(&rgn) == S_OK);
  CHECK(t.Target()->SelectObject(rgn, nullptr) == S_OK);
  CHECK(t.Target()->GetCurrentObject(OT_RGN) == nullptr);
  rgn->Release();
  CHECK(t.Target()->QueryInterface(IID_IUnknown, nullptr) == E_NOINTERFACE);
  CHECK(t.Target()->Reserved59(nullptr, 0, 0) == E_NOTIMPL);
}

TEST_CASE("bitmaps draw 1:1, tiled, and as nine-patches") {
  RenderRig t(10, 10);
  IBitmap* src = nullptr;
  REQUIRE(t.Factory()->CreateBitmap(&src));
  std::vector<DWORD> px(16, 0xFF0000FFu);  // opaque blue
  REQUIRE(src->Init(4, 4, px.data()) == S_OK);
  const RECT dest = {0, 0, 10, 10};
  const RECT whole = {0, 0, 4, 4};

  SUBCASE("tiling fills the destination, clipped at its edges") {
    REQUIRE(t.Target()->DrawBitmapEx(&dest, src, &whole, EM_TILE, 0xFF) == S_OK);
    CHECK(t.CountPixels([](DWORD p) { return p == 0xFF0000FFu; }) == 100);
  }
  SUBCASE("1:1 drawing copies no more than the bitmap holds") {
    REQUIRE(t.Target()->DrawBitmap(&dest, src, 0, 0, 0xFF) == S_OK);
    CHECK(t.CountPixels([](DWORD p) { return p == 0xFF0000FFu; }) == 16);
  }
  SUBCASE("margins wider than the source draw nothing") {
    const RECT margins = {3, 0, 3, 0};
    CHECK(t.Target()->DrawBitmap9Patch(&dest, src, &whole, &margins, EM_STRETCH, 0xFF) == S_FALSE);
    CHECK(t.CountPixels([](DWORD p) { return p != 0; }) == 0);
    const RECT fit = {1, 1, 1, 1};
    CHECK(t.Target()->DrawBitmap9Patch(&dest, src, &whole, &fit, EM_STRETCH, 0xFF) == S_OK);
    CHECK(t.CountPixels([](DWORD p) { return p == 0xFF0000FFu; }) == 100);
  }
  src->Release();
}

TEST_CASE("regions, fonts and bitmaps keep their own rules") {
  RenderRig t(2, 2);
  IRegion* a = nullptr;
  IRegion* b = nullptr;
  REQUIRE(t.Factory()->CreateRegion(&a));
  REQUIRE(t.Factory()->CreateRegion(&b));
  const RECT big = {0, 0, 10, 10};
  const RECT left = {0, 0, 5, 10};
  const RECT line = {0, 3, 10, 3};
  a->CombineRect(&big, RGN_COPY);
  CHECK(a->PtInRegion(9, 9));
  b->CombineRect(&left, RGN_OR);
  a->CombineRgn(b, RGN_DIFF);
  CHECK_FALSE(a->PtInRegion(1, 1));
  CHECK(a->PtInRegion(6, 1));
  a->CombineRgn(b, RGN_COPY);
  CHECK(a->PtInRegion(1, 1));
  CHECK_FALSE(a->PtInRegion(6, 1));
  a->CombineEllipse(&big, RGN_COPY);
  CHECK_FALSE(a->PtInRegion(0, 0));
  CHECK(a->PtInRegion(5, 5));
  a->Clear();
  CHECK(a->IsEmpty());
  b->CombineRect(&line, RGN_COPY);
  CHECK(b->IsEmpty());
  a->Release();
  b->Release();

  for (LONG weight : {600L, 700L, 800L}) {
    LOGFONTW lf{};
    lf.lfHeight = 12;
    lf.lfWeight = weight;
    IFont* font = nullptr;
    REQUIRE(t.Factory()->CreateFont(&font, lf));
    CHECK(font->IsBold() == (weight == 700 ? TRUE : FALSE));
    lf.lfHeight = 30;
    CHECK(font->UpdateFont(&lf));
    CHECK(font->TextSize() == 30);
    font->Release();
  }

  IBitmap* bmp = nullptr;
  REQUIRE(t.Factory()->CreateBitmap(&bmp));
  CHECK(bmp->Init(0, 5, nullptr) == E_OUTOFMEMORY);
  CHECK(bmp->Init(0x10000, 0x10000, nullptr) == E_OUTOFMEMORY);  // width x height x 4 overflows
  CHECK(bmp->GetPixelBits() == nullptr);
  bmp->Release();
}
