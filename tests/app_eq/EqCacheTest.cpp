// The editor draws its grid, curves and handle discs once and reuses them: after a band is
// changed in the model and the editor refreshed, repainting only what it marked shows what a
// whole repaint shows, and that is what a new editor shows for the same model; the grid is drawn
// again exactly when what it is drawn from changed.
#include <functional>
#include <string>
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

namespace {

std::wstring Replaced(std::wstring text, const std::wstring& from, const std::wstring& to) {
  const size_t at = text.find(from);
  REQUIRE(at != std::wstring::npos);
  return text.replace(at, from.size(), to);
}

// What a new editor of that layout shows.
std::vector<DWORD> FreshPixels(const std::wstring& xml) {
  EqRig eq(xml);
  eq.Paint();
  return Pixels(eq);
}

}  // namespace

TEST_CASE("editor grid: copied while nothing changed, drawn again when its look or ground does") {
  const std::wstring xml = EditorXml(0);
  EqRig eq(xml);
  auto* grid = dynamic_cast<ZuEqGrid*>(eq.rig.Find(L"grid"));
  REQUIRE(grid != nullptr);
  eq.Paint();
  const std::vector<DWORD> first = Pixels(eq);
  CHECK(first == FreshPixels(xml));
  const int drawn = grid->DrawCount();

  // A whole repaint and a repaint of an area across lines and a label copy the grid.
  eq.Paint();
  CHECK(Pixels(eq) == first);
  eq.rig.container.redraws = {RECT{340, 250, 420, 300}};
  RepaintMarked(eq);
  CHECK(Pixels(eq) == first);
  CHECK(grid->DrawCount() == drawn);

  // Each change on an editor whose grid is kept; it must show what a new editor made with the
  // change shows (a font set after loading is not the font loaded, so that one is only seen to
  // change the picture).
  struct Change {
    const char* what;
    const wchar_t* element;
    const wchar_t* name;
    const wchar_t* value;
    std::wstring from, to;  // the same change made in a new editor's layout, if comparable
  };
  const Change changes[] = {
      {"line colour", L"grid", L"colorBorder", L"#c03020", L"colorBorder='#808080'",
       L"colorBorder='#c03020'"},
      {"label colour", L"grid", L"colorText", L"#2060c0", L"colorText='#404040'",
       L"colorText='#2060c0'"},
      {"font", L"grid", L"font", L"size:14", L"", L""},
      {"scale of the rows", L"eq", L"dbMax", L"24", L"dbMax='12'", L"dbMax='24'"},
      {"margin", L"eq", L"ldist", L"50", L"ldist='38'", L"ldist='50'"},
      {"ground beneath", L"eq", L"colorBkgnd", L"#e0f0e0", L"<zueq name='eq'",
       L"<zueq colorBkgnd='#e0f0e0' name='eq'"},
  };
  for (const Change& change : changes) {
    const std::string what = change.what;
    CAPTURE(what);
    EqRig kept(xml);
    auto* keptGrid = dynamic_cast<ZuEqGrid*>(kept.rig.Find(L"grid"));
    REQUIRE(keptGrid != nullptr);
    kept.Paint();
    kept.Paint();
    REQUIRE(keptGrid->DrawCount() == 1);
    kept.rig.Find(change.element)
        ->SetAttribute(SStringW(change.name), SStringW(change.value), FALSE);
    kept.Paint();
    CHECK(keptGrid->DrawCount() == 2);
    const std::vector<DWORD> shown = Pixels(kept);
    CHECK(Differences(shown, first) > 0);
    if (!change.from.empty())
      CHECK(Differences(shown, FreshPixels(Replaced(xml, change.from, change.to))) == 0);
    kept.Paint();
    CHECK(keptGrid->DrawCount() == 2);
    CHECK(Pixels(kept) == shown);
  }
}
