// Colour-drawn skins: buttons, gradients, colour rectangles and shapes, by their pixels.
#include <doctest/doctest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "SkinRig.h"
#include "core/SColorizer.h"
#include "core/SSkinButton.h"
#include "core/SSkinGradation.h"
#include "core/SSkinShape.h"

using namespace SWUI;

namespace {

constexpr DWORD kRed = 0xFFFF0000u;  // raw pixel of 0xFF0000FF
constexpr DWORD kBlue = 0xFF0000FFu;  // raw pixel of 0xFFFF0000

// Selects a pen and a brush into the target and answers them, to see they come back.
struct Selected {
  Selected(IRenderTarget* rt) {
    rt->CreatePen(PS_SOLID, 0xFF00FF00, 3, &pen);
    rt->CreateSolidColorBrush(0xFF00FF00, &brush);
    rt->SelectObject(pen, nullptr);
    rt->SelectObject(brush, nullptr);
  }
  ~Selected() {
    pen->Release();
    brush->Release();
  }
  IPen* pen = nullptr;
  IBrush* brush = nullptr;
};

}  // namespace

TEST_CASE("a button is flat when its two colours are equal, a gradient with a border otherwise") {
  SkinRig t(40, 20);
  SAutoRefPtr<ISkinObj> skin = t.Make(
      L"<button name='b' colorUp='#ff0000' colorDown='#ff0000' colorBorder='#0000ff'"
      L" cornerRadius='0' colorUpHover='#ffffff' colorDownHover='#000000'/>");
  CHECK(skin->GetStates() == 4);
  CHECK_FALSE(skin->IgnoreState());
  CHECK(skin->Scale(150) == nullptr);
  const RECT rc = {0, 0, 40, 20};
  skin->Draw(t.Target(), &rc, SkinState_Normal);
  const RECT inside = {1, 1, 39, 19};
  CHECK(t.render.CountEqual(inside, kRed) == 38 * 18);  // no inset left out
  CHECK(t.Pixel(0, 0) == kBlue);
  CHECK(t.Pixel(39, 19) == kBlue);

  t.Clear();
  skin->Draw(t.Target(), &rc, SkinState_Hover);
  const DWORD top = t.Pixel(20, 1);
  const DWORD bottom = t.Pixel(20, 18);
  CHECK((top & 0xFF) > 0xE0u);     // near white
  CHECK((bottom & 0xFF) < 0x20u);  // near black
  CHECK(t.Pixel(0, 10) == kBlue);  // hover border not set: the normal one

  CHECK(t.Set(skin, L"colorUp", L"") == E_FAIL);
  CHECK(t.Set(skin, L"colorUpPush", L"rgba(1,2,3,4)") == S_OK);
  CHECK(SkinAs<SSkinButton>(skin)->GetColors().up[2] == 0x04030201u);
}

TEST_CASE("button corners: the default radius, a percent of the shorter side, the round clip") {
  SkinRig t(40, 20);
  SAutoRefPtr<ISkinObj> plain = t.Make(L"<button name='p' colorUp='#ff0000' colorDown='#ff0000'/>");
  const RECT rc = {0, 0, 40, 20};
  plain->Draw(t.Target(), &rc, 0);
  CHECK(t.Pixel(0, 0) == 0u);  // radius 2 rounds the corner pixel off
  CHECK(t.Pixel(3, 3) == kRed);

  t.Clear();
  SAutoRefPtr<ISkinObj> pill =
      t.Make(L"<button name='q' colorUp='#ff0000' colorDown='#ff0000' cornerPercent='0.5'/>");
  pill->Draw(t.Target(), &rc, 0);
  CHECK(t.Pixel(2, 2) == 0u);  // radius 10: far into the corner
  CHECK(t.Pixel(20, 10) == kRed);
  CHECK(t.Pixel(1, 10) != 0u);

  // A gradient with a radius above 2 is clipped to the round rectangle.
  t.Clear();
  SAutoRefPtr<ISkinObj> round = t.Make(
      L"<button name='r' colorUp='#ff0000' colorDown='#0000ff' cornerRadius='8'/>");
  round->Draw(t.Target(), &rc, 0);
  CHECK(t.Pixel(1, 1) == 0u);
  CHECK(t.Pixel(20, 10) != 0u);
  CHECK(t.render.SavePng(L"skin_button_round", 4));
}

TEST_CASE("button and gradient colours take a tint and lose it again exactly") {
  SkinRig t(4, 4);
  SAutoRefPtr<ISkinObj> skin = t.Make(L"<button name='b' colorUp='#c8c8c880'/>");
  auto* button = SkinAs<SSkinButton>(skin);
  const SSkinButton::Colors before = button->GetColors();
  skin->OnColorize(0xFFFF0000);
  const COLORREF up = button->GetColors().up[0];
  CHECK(up == SColorizer(0xFFFF0000).TintColor(0x80C8C8C8));
  CHECK((up >> 24) == 0x80u);                                     // alpha kept
  CHECK(button->GetColors().border[1] == 0x00FFFFFFu);            // "not set" stays unset
  skin->OnColorize(0xFF00FF00);
  CHECK(button->GetColors().down[0] == SColorizer(0xFF00FF00).TintColor(before.down[0]));
  skin->OnColorize(0);
  CHECK(memcmp(&button->GetColors(), &before, sizeof(before)) == 0);

  SAutoRefPtr<ISkinObj> grad =
      t.Make(L"<gradation name='g' colorFrom='#808080' colorTo='#404040' vertical='0'/>");
  auto* gradation = SkinAs<SSkinGradation>(grad);
  grad->OnColorize(0xFF0000FF);
  CHECK(gradation->GetColorFrom() == SColorizer(0xFF0000FF).TintColor(0xFF808080));
  grad->OnColorize(0);
  CHECK(gradation->GetColorTo() == 0xFF404040u);
  CHECK(grad->Scale(200) == nullptr);
}

TEST_CASE("a gradient skin fills its rectangle from one colour to the other") {
  SkinRig t(20, 4);
  SAutoRefPtr<ISkinObj> skin =
      t.Make(L"<gradation name='g' colorFrom='#000000' colorTo='#ffffff' vertical='0'/>");
  const RECT rc = {0, 0, 20, 4};
  skin->Draw(t.Target(), &rc, 0);
  CHECK((t.Pixel(0, 2) & 0xFF) < 0x10u);
  CHECK((t.Pixel(19, 2) & 0xFF) > 0xE0u);
  CHECK(t.Set(skin, L"colorTo", L"") == E_FAIL);
}

TEST_CASE("colour rectangles: states counted from the highest colour set") {
  SkinRig t(10, 10);
  SAutoRefPtr<ISkinObj> one = t.Make(L"<colorrect name='one' normal='#ff0000'/>");
  CHECK(one->GetStates() == 1);
  CHECK(one->IgnoreState());
  SAutoRefPtr<ISkinObj> three =
      t.Make(L"<colorrect name='three' normal='#ff0000' pushdown='#0000ff'"
             L" normalBorder='#0000ff' borderWidth='1'/>");
  CHECK(three->GetStates() == 3);
  CHECK_FALSE(three->IgnoreState());
  CHECK(three->Scale(150) == nullptr);

  const RECT rc = {0, 0, 10, 10};
  three->Draw(t.Target(), &rc, 2);
  CHECK(t.render.CountPixels([](DWORD p) { return p == kBlue; }) == 100);
  t.Clear();
  three->Draw(t.Target(), &rc, 1);  // hover not set: drawn as normal, with its border
  CHECK(t.Pixel(5, 5) == kRed);
  CHECK(t.Pixel(0, 5) == kBlue);
  CHECK(t.Pixel(9, 9) == kBlue);
  t.Clear();
  three->Draw(t.Target(), &rc, 4);
  CHECK(t.render.CountPixels([](DWORD p) { return p != 0; }) == 0);

  // The draw alpha scales the colour's own alpha: 0xFF x 0x80 >> 8.
  three->DrawWithAlpha(t.Target(), &rc, 2, 0x80);
  const DWORD half = t.Pixel(5, 5);
  CHECK((half >> 24) >= 0x7Eu);
  CHECK((half >> 24) <= 0x80u);
}

TEST_CASE("shapes: fills, strokes and rings, with the target's pen and brush given back") {
  SkinRig t(40, 40);
  IRenderTarget* rt = t.Target();
  Selected selected(rt);
  const RECT rc = {0, 0, 40, 40};

  SUBCASE("an oval fill shows no outline of the selected pen") {
    SAutoRefPtr<ISkinObj> oval =
        t.Make(L"<shape name='o' shape='oval'><solid color='#ff0000'/></shape>");
    oval->Draw(rt, &rc, 0);
    CHECK(t.Pixel(20, 20) == kRed);
    CHECK(t.Pixel(0, 20) == kRed);
    CHECK(t.Pixel(2, 2) == 0u);
    CHECK(t.render.CountPixels([](DWORD p) { return p != 0 && p != kRed; }) == 0);
  }
  SUBCASE("a rectangle with round corners and a stroke kept inside it") {
    SAutoRefPtr<ISkinObj> box = t.Make(
        L"<shape name='b'><solid color='#ff0000'/><corners radius='6'/>"
        L"<stroke width='4' color='#0000ff'/></shape>");
    box->Draw(rt, &rc, 0);
    CHECK(t.Pixel(20, 1) == kBlue);
    CHECK(t.Pixel(20, 20) == kRed);
    CHECK(t.Pixel(0, 0) == 0u);
    SAutoRefPtr<ISkinObj> square = t.Make(
        L"<shape name='s'><stroke width='4' color='#0000ff'/></shape>");
    t.Clear();
    square->Draw(rt, &rc, 0);
    CHECK(t.Pixel(0, 20) == 0x000000FFu);  // a rectangle outline keeps the surface's alpha
    CHECK(t.Pixel(3, 20) == 0x000000FFu);
    CHECK(t.Pixel(4, 20) == 0u);
  }
  SUBCASE("a ring of a full turn is a whole circle, of no turn nothing") {
    auto ring = [&](const wchar_t* start, const wchar_t* sweep) {
      t.Clear();
      t.Make((std::wstring(L"<shape name='r' shape='ring'><stroke width='2' color='#0000ff'/>") +
              L"<ring startAngle='" + start + L"' sweepAngle='" + sweep + L"'/></shape>")
                 .c_str())
          ->Draw(rt, &rc, 0);
    };
    ring(L"90", L"360");
    CHECK(t.Pixel(1, 20) == kBlue);
    CHECK(t.Pixel(38, 20) == kBlue);
    CHECK(t.Pixel(20, 1) == kBlue);
    CHECK(t.Pixel(20, 38) == kBlue);
    CHECK(t.Pixel(20, 20) == 0u);
    ring(L"90", L"0");
    CHECK(t.render.CountPixels([](DWORD p) { return p != 0; }) == 0);
    ring(L"0", L"180");
    CHECK(t.Pixel(20, 38) == kBlue);  // the lower half
    CHECK(t.Pixel(20, 1) == 0u);
  }
  CHECK(rt->GetCurrentObject(OT_PEN) == selected.pen);
  CHECK(rt->GetCurrentObject(OT_BRUSH) == selected.brush);
}

TEST_CASE("shape parts: sizes at the skin's scale, refused words and counts, shared copies") {
  SkinRig t(4, 4);
  SAutoRefPtr<ISkinObj> skin = t.Make(
      L"<shape name='s' shape='oval' scale='150'><size width='20dp' height='10'/>"
      L"<gradient type='radial' startColor='#ff0000'/><solid color='#00ff00'/></shape>");
  CHECK(skin->GetSkinSize().cx == 30);
  CHECK(skin->GetSkinSize().cy == 10);  // px does not scale
  CHECK(skin->IgnoreState());
  CHECK(t.Set(skin, L"shape", L"Oval") == E_FAIL);
  CHECK(t.Set(skin, L"shape", L"ring") == S_OK);

  SAutoRefPtr<ISkinObj> copy;
  copy.Attach(skin->Scale(200));
  REQUIRE(copy);
  CHECK(copy->GetSkinSize().cx == 40);
  CHECK(copy->GetScale() == 200);

  SSkinShape::SStroke stroke;
  CHECK(stroke.SetAttribute(SStringW(L"style"), SStringW(L"dashDot"), FALSE) == S_OK);
  CHECK(stroke.style == PS_DASHDOT);
  CHECK(stroke.SetAttribute(SStringW(L"style"), SStringW(L"DashDot"), FALSE) == E_FAIL);
  CHECK(stroke.SetAttribute(SStringW(L"color"), SStringW(L""), FALSE) == E_FAIL);
  SSkinShape::SCornerSize corners;
  CHECK(corners.SetAttribute(SStringW(L"radius"), SStringW(L"1,2,3"), FALSE) == E_INVALIDARG);
  CHECK(corners.SetAttribute(SStringW(L"radius"), SStringW(L"3dp,5"), FALSE) == S_OK);
  CHECK(corners.radiusX.toPixelSize(200) == 6);
  CHECK(corners.radiusY.toPixelSize(200) == 5);
  SSkinShape::SGradient gradient;
  CHECK(gradient.SetAttribute(SStringW(L"type"), SStringW(L"sweep"), FALSE) == S_OK);
  CHECK(gradient.type == SSkinShape::SGradient::kSweep);
  CHECK(gradient.SetAttribute(SStringW(L"type"), SStringW(L"conic"), FALSE) == E_FAIL);
  CHECK(gradient.SetAttribute(SStringW(L"other"), SStringW(L"1"), FALSE) == E_FAIL);
}
