// The whole editor as the main window shows it, against a stored image of it: the curves are
// anti-aliased, so their edges may stand a pixel aside and a few levels off; everything else
// (grid, labels, handles and their numbers) must match as closely.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "EqRig.h"
#include "RenderRig.h"

using namespace SWUI;

namespace {

// Handle colours as the main window gives them (#rrggbbaa).
const wchar_t* const kCenterColors[26] = {
    L"#e8553fe6", L"#f08c2ee6", L"#e9c23ae6", L"#9ccc3ce6", L"#3fc46be6", L"#34c6b0e6",
    L"#3fa9f5e6", L"#5b7cf0e6", L"#8f67eae6", L"#c45fd8e6", L"#e45a9ce6", L"#d95f5fe6",
    L"#f2a25ce6", L"#d8d65ae6", L"#7fd86ae6", L"#4fd6a0e6", L"#4cc8e6e6", L"#6ea0f5e6",
    L"#9e8cf2e6", L"#d08ee8e6", L"#f08fb8e6", L"#c9a27ae6", L"#a8b86ae6", L"#6ab89ae6",
    L"#7aa8c8e6", L"#b0a0d0e6"};

std::wstring MainWindowEditorXml() {
  std::wstring xml =
      L"<root><zueq name='eq' pos='0,0,-0,-0' ldist='38' tdist='18' rdist='0' bdist='16' "
      L"dbMax='12' dbMin='-24' nKedu='12' dbKeduVal='6' zeroXFreq='10'>"
      L"<zueqgrid name='grid' pos='0,0,-0,-0' colorBorder='#3a3f47' colorText='#8b939c' "
      L"font='size:10'/>"
      L"<zueqcurve name='curve' pos='0,0,-0,-0' colorLine='#3fc46b' colorCurrLine='#3fa9f532' "
      L"lineWidth='2'/>";
  for (int i = 0; i < 26; ++i) {
    wchar_t node[200];
    swprintf(node, 200,
             L"<moveThumb name='b%d' data='%d' float='1' size='18,18' centerColor='%ls' "
             L"colorText='#ffffff' font='size:10,bold:1'>%d</moveThumb>",
             i, i, kCenterColors[i], i + 1);
    xml += node;
  }
  xml +=
      L"<moveThumb name='hp' data='-1' float='1' size='40,18' canYMove='0' "
      L"centerColor='#28313ce6' colorText='#ffffff' font='size:10'>[HPF]</moveThumb>"
      L"<moveThumb name='lp' data='-2' float='1' size='40,18' canYMove='0' "
      L"centerColor='#28313ce6' colorText='#ffffff' font='size:10'>[LPF]</moveThumb>"
      L"<moveThumb name='gl' data='-5' float='1' size='20,17' canYMove='0'/>"
      L"<moveThumb name='gr' data='-6' float='1' size='20,17' canYMove='0'/>"
      L"</zueq></root>";
  return xml;
}

// Whether the pixel of `a` at (x, y) has a pixel of `b` within one pixel and four levels.
bool HasNear(const DWORD* a, const DWORD* b, int w, int h, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx;
      const int ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
      if (Near(a[y * w + x], b[ny * w + nx], 4)) return true;
    }
  }
  return false;
}

// Pixels of either image with no counterpart in the other within the tolerance.
int Mismatches(const DWORD* a, const DWORD* b, int w, int h) {
  int count = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (!HasNear(a, b, w, h, x, y) || !HasNear(b, a, w, h, x, y)) ++count;
    }
  }
  return count;
}

// The stored image, a PNG resource of the test program.
RefPtrAssign<IBitmap> LoadReference(const RenderRig& render) {
  HRSRC res = FindResourceW(nullptr, L"EQ_EDITOR_REFERENCE", L"PNG");
  REQUIRE(res != nullptr);
  HGLOBAL data = LoadResource(nullptr, res);
  REQUIRE(data != nullptr);
  RefPtrAssign<IBitmap> bmp = render.MakeBitmap(1, 1);
  REQUIRE(bmp->LoadFromMemory(static_cast<const BYTE*>(LockResource(data)),
                              SizeofResource(nullptr, res)) == S_OK);
  return bmp;
}

}  // namespace

TEST_CASE("editor reference: 26 bands, both filters, a selected band, as stored") {
  EqRig eq(MainWindowEditorXml());
  std::vector<EqBandInfo> bands;
  for (int i = 0; i < 26; ++i) {
    bands.push_back(Band(25 * std::pow(10, i * 2.9 / 26), i % 5 * 2 - 4, 1.0 + (i % 3) * 0.5));
  }
  EqCurveInfo model;
  REQUIRE(InitEqCurve(model, bands.data(), 26));
  SetEqCurveHighPass(model, 1, 40, -12, 0.7);
  SetEqCurveLowPass(model, 1, 16000, -12, 0.7);
  SetEqCurveBand(model, 8, bands[8]);  // the selected band (+2 dB)
  eq.editor->SetCurve(&model);
  eq.editor->ShowBandGuide();
  eq.rig.Paint();
  // TEVARO_WRITE_REFERENCE=1 writes what was drawn (beside the test program) to store anew.
  if (getenv("TEVARO_WRITE_REFERENCE") != nullptr) {
    eq.rig.render.SavePng(L"eq_editor_reference", 1);
  }

  RefPtrAssign<IBitmap> reference = LoadReference(eq.rig.render);
  REQUIRE(reference->Width() == static_cast<UINT>(kEqWidth));
  REQUIRE(reference->Height() == static_cast<UINT>(kEqHeight));
  const auto* drawn = static_cast<const DWORD*>(eq.rig.render.Surface()->GetPixelBits());
  const auto* stored = static_cast<const DWORD*>(reference->GetPixelBits());
  REQUIRE(drawn != nullptr);
  REQUIRE(stored != nullptr);
  const int mismatches = Mismatches(drawn, stored, kEqWidth, kEqHeight);
  if (mismatches != 0) eq.rig.render.SavePng(L"eq_editor_drawn", 1);
  CHECK(mismatches == 0);

  eq.editor->SetCurve(nullptr);
  FreeEqCurve(model);
}
