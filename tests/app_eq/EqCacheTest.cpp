// The editor draws its curves and handle discs once and reuses them: after a band is changed in
// the model and the editor refreshed, repainting only what it marked shows what a whole repaint
// shows, and that is what a new editor shows for the same model.
#include <vector>

#include "EqRig.h"

using namespace SWUI;

namespace {

std::vector<DWORD> Pixels(EqRig& eq) {
  const auto* bits = static_cast<const DWORD*>(eq.rig.render.Surface()->GetPixelBits());
  REQUIRE(bits != nullptr);
  return std::vector<DWORD>(bits, bits + kEqWidth * kEqHeight);
}

int Differences(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
  int count = 0;
  for (size_t i = 0; i < a.size(); ++i) count += a[i] != b[i] ? 1 : 0;
  return count;
}

// Paints again, over white, only the areas the editor marked since the marks were cleared.
void RepaintMarked(EqRig& eq) {
  IRenderTarget* target = eq.rig.render.Target();
  for (const RECT& rc : eq.rig.container.redraws) {
    target->PushClipRect(&rc, RGN_AND);
    target->ClearRect(&rc, 0xFFFFFFFF);
    eq.rig.root->RedrawRegion(target, nullptr);
    target->PopClip();
  }
}

// Four bands with a high-pass filter; band 1 selected, at the place given.
void Prepare(Model& model, const EqBandInfo& selected) {
  SetEqCurveHighPass(model.info, 1, 60, -12, 0.7);
  SetEqCurveBand(model.info, 1, selected);
}

}  // namespace

TEST_CASE("editor cache: a band changed in place shows as a new editor shows it") {
  const EqBandInfo before = Band(300, -6, 1.5);
  const EqBandInfo after = Band(2500, 9, 2.0);
  std::vector<DWORD> marked;
  std::vector<DWORD> whole;
  {
    EqRig eq(EditorXml(4));
    Model model({Band(100, 3), before, Band(5000, -3), Band(10000, 4)});
    Prepare(model, before);
    eq.editor->SetCurve(&model.info);
    eq.editor->ShowBandGuide();
    eq.Paint();
    eq.rig.container.redraws.clear();
    // As a drag frame does it: the model, then the editor refreshed.
    SetEqCurveBand(model.info, 1, after);
    eq.editor->Refresh();
    eq.editor->ShowBandGuide();
    CHECK_FALSE(eq.rig.container.redraws.empty());
    RepaintMarked(eq);
    marked = Pixels(eq);
    eq.Paint();
    whole = Pixels(eq);
    eq.editor->SetCurve(nullptr);
  }
  CHECK(Differences(marked, whole) == 0);

  EqRig eq(EditorXml(4));
  Model model({Band(100, 3), after, Band(5000, -3), Band(10000, 4)});
  Prepare(model, after);
  eq.editor->SetCurve(&model.info);
  eq.editor->ShowBandGuide();
  eq.Paint();
  CHECK(Differences(whole, Pixels(eq)) == 0);
  eq.editor->SetCurve(nullptr);
}
