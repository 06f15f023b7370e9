// The EQ editor by pixels: the grid exactly, the curves, the selected area and the handles
// within a pixel and a few levels (GDI+ on the target's DC here draws without anti-aliasing).
#include <cmath>
#include <algorithm>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "EqRig.h"
#include "controls/ContrastRatio.h"
#include "controls/GdipCanvas.h"

using namespace SWUI;

namespace {

constexpr DWORD kGreen = 0xFF00FF00;  // the default total colour, made opaque
constexpr DWORD kHandle = 0xFFE8553F;

// A channel of a colour blended over white at alpha a.
int OverWhite(int channel, int alpha) { return (channel * alpha + 255 * (255 - alpha) + 127) / 255; }

DWORD Rgb(int r, int g, int b) {
  return 0xFF000000u | static_cast<DWORD>(r) << 16 | static_cast<DWORD>(g) << 8 |
         static_cast<DWORD>(b);
}

int CountWhere(EqRig& eq, const RECT& rc, const std::function<bool(DWORD)>& pred) {
  int count = 0;
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) count += pred(eq.rig.Pixel(x, y)) ? 1 : 0;
  }
  return count;
}

// The first row from the top of the plot where column x is near the colour, -1 for none.
int FirstRowNear(EqRig& eq, int x, DWORD color, int tolerance) {
  for (int y = 0; y < kEqHeight; ++y) {
    if (Near(eq.rig.Pixel(x, y), color, tolerance)) return y;
  }
  return -1;
}

const RECT kAll = {0, 0, kEqWidth, kEqHeight};

// Out of the way of the curves they sit on.
void HideBandThumbs(EqRig& eq, int count) {
  for (int i = 0; i < count; ++i) eq.BandThumb(i)->SetVisible(FALSE, FALSE);
}

}  // namespace

TEST_CASE("editor paint: grid rows every 22 pixels, the 1 kHz line at x 370, labels aside") {
  EqRig eq;
  eq.Paint(L"eq-grid");
  for (int k = 0; k <= 12; ++k) {
    CAPTURE(k);
    CHECK(eq.rig.Pixel(200, 18 + 22 * k) == kGridColor);
    CHECK(eq.rig.Pixel(599, 18 + 22 * k) == kGridColor);  // up to client right - rdist
    if (k < 12) CHECK(eq.rig.Pixel(200, 19 + 22 * k) == kWhite);
  }
  CHECK(eq.rig.Pixel(370, 100) == kGridColor);
  CHECK(eq.rig.Pixel(369, 100) == kWhite);
  CHECK(eq.rig.Pixel(371, 100) == kWhite);
  CHECK(eq.rig.Pixel(38, 100) == kGridColor);   // the line of zeroXFreq at the plot's edge
  CHECK(eq.rig.Pixel(370, 17) == kWhite);       // lines start at the plot top
  CHECK(eq.rig.Pixel(370, 281) == kGridColor);  // and end at the plot bottom
  CHECK(eq.rig.Pixel(370, 283) == kWhite);

  auto inked = [](DWORD px) { return px != kWhite; };
  // "12dB" on row 0, nothing beside row 1 (9 dB is no multiple of 6), frequency labels below.
  CHECK(CountWhere(eq, RECT{2, 11, 36, 33}, inked) > 0);
  CHECK(CountWhere(eq, RECT{2, 36, 36, 54}, inked) == 0);
  CHECK(CountWhere(eq, RECT{350, 284, 400, 300}, inked) > 0);
  // Without a model there is no curve.
  CHECK(CountWhere(eq, kAll, [](DWORD px) { return Near(px, kGreen, 8); }) == 0);
}

TEST_CASE("editor paint: the total of a flat model runs along the 0 dB line") {
  EqRig eq;
  Model m(3);
  eq.editor->SetCurve(&m.info);
  HideBandThumbs(eq, 3);
  eq.Paint(L"eq-flat");
  for (int x : {60, 200, 371, 590}) {
    CAPTURE(x);
    const int y = FirstRowNear(eq, x, kGreen, 4);
    CHECK(y >= 105);
    CHECK(y <= 107);
  }
}

TEST_CASE("editor paint: a selected band's peak, its filled area, the second total") {
  EqRig eq;
  Model m(3);
  REQUIRE(SetEqCurveBand(m.info, 0, Band(1000, 6, 1.0)) == 1);
  eq.editor->SetCurve(&m.info);
  HideBandThumbs(eq, 3);
  eq.Paint(L"eq-selected");
  const int peak = FirstRowNear(eq, 371, kGreen, 4);
  CHECK(peak >= 61);
  CHECK(peak <= 63);
  // Inside the area: white under 0x3C3C3C at alpha 50.
  const int fill = OverWhite(0x3C, 50);
  CHECK(Near(eq.rig.Pixel(380, 95), Rgb(fill, fill, fill), 4));
  CHECK(eq.rig.Pixel(380, 120) == kWhite);  // a band's area ends at its 0 dB line

  SetEqCurveHighPass2(m.info, 1, 1000, -12, 0.7);
  eq.editor->Refresh();
  eq.Paint(L"eq-second");
  const DWORD second = Rgb(OverWhite(0xC5, 0xC8), OverWhite(0xC5, 0xC8), OverWhite(0x12, 0xC8));
  CHECK(CountWhere(eq, kAll, [&](DWORD px) { return Near(px, second, 8); }) > 100);
}

TEST_CASE("editor paint: a handle is graded from its centre colour to the rim colour") {
  EqRig eq;
  Model m{Band(1000, 0)};
  eq.editor->SetCurve(&m.info);
  eq.BandThumb(0)->SetWindowText(L"");
  eq.Paint(L"eq-handle");
  CHECK(Near(eq.rig.Pixel(371, 106), kHandle, 4));
  // Near the edge the rim colour shows, lighter than the centre: red 0xE8 + 0x39 saturates
  // at 0xFF (wrapping would give 0x21, a dark rim), green and blue rise.
  const DWORD edge = eq.rig.Pixel(364, 106);
  CHECK(((edge >> 16) & 0xFF) >= 0xE8);
  CHECK(((edge >> 8) & 0xFF) > 0x55);
  CHECK((edge & 0xFF) > 0x3F);
  // Nothing outside the handle: a move would leave it behind.
  CHECK(eq.rig.Pixel(361, 106) != kHandle);
  CHECK(eq.rig.Pixel(380, 106) != kHandle);
  CHECK(eq.rig.Pixel(371, 115) != kHandle);
}

TEST_CASE("editor paint: a handle's rim is round, nothing drawn outside its circle") {
  // Band handles and a filter handle, each painted and then hidden: outside the ellipse (by a
  // pixel of soft edge) the editor must look as it does without the handle, well inside it
  // the handle covers everything.
  EqRig eq;
  Model m{Band(1000, 0)};
  eq.editor->SetCurve(&m.info);
  for (const wchar_t* name : {L"b0", L"hp"}) {
    CAPTURE(std::string(name, name + wcslen(name)));
    SMoveThumb* thumb = eq.Thumb(name);
    thumb->SetWindowText(L"");
    thumb->SetAttribute(SStringW(L"centerColor"), SStringW(L"#28313ce6"), FALSE);
    thumb->SetVisible(TRUE, TRUE);
    eq.Paint();
    const RECT rc = thumb->GetWindowRect();
    RECT around = rc;
    InflateRect(&around, 3, 3);
    std::vector<DWORD> with;
    for (int y = around.top; y < around.bottom; ++y) {
      for (int x = around.left; x < around.right; ++x) with.push_back(eq.rig.Pixel(x, y));
    }
    thumb->SetVisible(FALSE, TRUE);
    eq.Paint();
    const double cx = (rc.left + rc.right) / 2.0, cy = (rc.top + rc.bottom) / 2.0;
    const double rx = (rc.right - rc.left) / 2.0, ry = (rc.bottom - rc.top) / 2.0;
    int outside = 0, uncovered = 0;
    size_t i = 0;
    for (int y = around.top; y < around.bottom; ++y) {
      for (int x = around.left; x < around.right; ++x, ++i) {
        // Distance from the ellipse in pixels, near enough for a slim ring.
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        const double out = (std::sqrt(dx * dx + dy * dy) - 1.0) * std::min(rx, ry);
        const bool changed = with[i] != eq.rig.Pixel(x, y);
        if (out > 0.75 && changed) ++outside;
        if (out < -1.5 && !changed) ++uncovered;
      }
    }
    CHECK(outside == 0);
    CHECK(uncovered == 0);
  }
}

TEST_CASE("editor paint: a selected filter's area stands on the plot bottom") {
  EqRig eq;
  Model m(3);
  SetEqCurveHighPass(m.info, 1, 1000, -12, 0.7);
  REQUIRE(m.info.selected == 3);
  eq.editor->SetCurve(&m.info);
  eq.Paint(L"eq-filter");
  const int fill = OverWhite(0x3C, 50);
  CHECK(Near(eq.rig.Pixel(500, 250), Rgb(fill, fill, fill), 4));
  CHECK(Near(eq.rig.Pixel(500, 120), Rgb(fill, fill, fill), 4));
  CHECK(eq.rig.Pixel(500, 283) == kWhite);  // nothing below the plot
}

TEST_CASE("editor paint: curves far below the plot stay inside the editor") {
  EqRig eq(EditorXml(26, L"0,0,@600,@300"), 600, 400);
  Model m(3);
  SetEqCurveHighPass(m.info, 1, 2000, -24, 0.7);  // some -200 dB at the left edge
  eq.editor->SetCurve(&m.info);
  eq.Paint(L"eq-below");
  CHECK(CountWhere(eq, RECT{0, 300, 600, 400}, [](DWORD px) { return px != kWhite; }) == 0);
  CHECK(CountWhere(eq, RECT{0, 0, 600, 300}, [](DWORD px) { return Near(px, kGreen, 4); }) > 200);
}

TEST_CASE("editor paint: the main window's editor with 26 bands and both filters") {
  EqRig eq;
  std::vector<EqBandInfo> bands;
  for (int i = 0; i < 26; ++i) bands.push_back(Band(25 * std::pow(10, i * 2.9 / 26), i % 5 * 2 - 4));
  EqCurveInfo model;
  REQUIRE(InitEqCurve(model, bands.data(), 26));
  SetEqCurveHighPass(model, 1, 40, -12, 0.7);
  SetEqCurveLowPass(model, 1, 16000, -12, 0.7);
  SetEqCurveBand(model, 7, bands[7]);
  eq.editor->SetCurve(&model);
  eq.editor->ShowBandGuide();
  eq.Paint(L"eq-editor");
  // Every band handle shows its centre colour at its band.
  const EqPlotGeometry& g = eq.editor->Geometry();
  int centred = 0;
  for (int i = 0; i < 26; ++i) {
    const POINT c = EqRig::Center(eq.BandThumb(i));
    centred += c.x == g.XAtFreq(bands[i].freq) && c.y == g.YAtGain(bands[i].gain) ? 1 : 0;
  }
  CHECK(centred == 26);
  eq.editor->SetCurve(nullptr);
  FreeEqCurve(model);
}

TEST_CASE("editor paint: an empty plot draws nothing") {
  EqRig eq(EditorXml(), 600, 40);
  Model m{Band(1000, 6)};
  eq.editor->SetCurve(&m.info);
  eq.Paint(L"eq-empty");
  CHECK(CountWhere(eq, RECT{40, 0, 600, 40}, [](DWORD px) { return px != kWhite; }) == 0);
}

TEST_CASE("editor paint: a handle's label reads at 4.5:1 on every band colour of the program") {
  // The main window's 26 band colours and its filter handles' dark one, under white labels.
  const COLORREF centres[] = {
      0xE8553F, 0xF08C2E, 0xE9C23A, 0x9CCC3C, 0x3FC46B, 0x34C6B0, 0x3FA9F5, 0x5B7CF0, 0x8F67EA,
      0xC45FD8, 0xE45A9C, 0xD95F5F, 0xF2A25C, 0xD8D65A, 0x7FD86A, 0x4FD6A0, 0x4CC8E6, 0x6EA0F5,
      0x9E8CF2, 0xD08EE8, 0xF08FB8, 0xC9A27A, 0xA8B86A, 0x6AB89A, 0x7AA8C8, 0xB0A0D0, 0x28313C};
  for (COLORREF rgb : centres) {
    // Written 0xRRGGBB above; a COLORREF holds red lowest.
    const COLORREF centre = 0xE6000000u | RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    const COLORREF label = SMoveThumb::ReadableOn(centre, 0xFFFFFFFF);
    CAPTURE(rgb);
    CHECK((label >> 24) == 0xFF);
    CHECK(ContrastRatio(label, centre) >= 4.5);
  }
  // A label that reads already keeps its colour.
  CHECK(SMoveThumb::ReadableOn(0xE628313C, 0xFFFFFFFF) == 0xFFFFFFFF);
}

TEST_CASE("editor paint: the rim colour adds 0x39 to each channel and saturates") {
  struct Case {
    COLORREF center;
    COLORREF rim;
  };
  // Colours as the framework keeps them: red in the low byte, alpha on top.
  const Case cases[] = {
      {0xE63F55E8, 0xE6788EFF},  // the layout's handle 1 (#e8553f): red saturates
      {0xE63CCC9C, 0xE675FFD5},  // handle 4 (#9ccc3c): green saturates
      {0x00302010, 0x00695949},  // dark: plain addition, alpha 0 kept
      {0xFFFFFFFF, 0xFFFFFFFF},  // white stays white
      {0x80C6C7C5, 0x80FFFFFE},  // just below and at the edge
  };
  for (const Case& c : cases) {
    CAPTURE(c.center);
    CHECK(GdipCanvas::RimColor(c.center) == c.rim);
  }
}

TEST_CASE("editor paint: both filters at the ends of the axis draw nothing outside the plot") {
  EqRig eq;
  Model m(3);
  // The high-pass at 20 Hz and the low-pass at 19.8 kHz: their skirts fall far below -24 dB
  // at both ends of the axis; the low-pass, changed last, is the selected area.
  SetEqCurveHighPass(m.info, 1, 20, -24, 0.7);
  SetEqCurveLowPass(m.info, 1, 19800, -24, 0.7);
  eq.editor->SetCurve(&m.info);
  // Only the curves: no grid, no handles.
  eq.rig.Find(L"grid")->SetVisible(FALSE, FALSE);
  for (SWindow* child = eq.editor->GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    if (dynamic_cast<SMoveThumb*>(child) != nullptr) child->SetVisible(FALSE, FALSE);
  }
  eq.Paint(L"eq-filters-at-ends");
  const RECT plot = eq.editor->Geometry().PlotRect();
  CHECK(plot.left == 38);
  CHECK(plot.top == 18);
  CHECK(plot.right == kEqWidth);
  CHECK(plot.bottom == 18 + 12 * 22 + 1);
  int inside = 0;
  int outside = 0;
  for (int y = 0; y < kEqHeight; ++y) {
    for (int x = 0; x < kEqWidth; ++x) {
      if (eq.rig.Pixel(x, y) == kWhite) continue;
      const POINT pt = {x, y};
      (PtInRect(&plot, pt) ? inside : outside) += 1;
    }
  }
  CHECK(outside == 0);
  // The curves are there: both skirts reach the plot's bottom.
  CHECK(inside > 1000);
  const auto green = [](DWORD px) { return Near(px, kGreen, 8); };
  CHECK(CountWhere(eq, RECT{38, plot.bottom - 2, 60, plot.bottom}, green) > 0);
  CHECK(CountWhere(eq, RECT{560, plot.bottom - 2, kEqWidth, plot.bottom}, green) > 0);
}
