// Layout and paint of 500 standard controls (text, button, check box, radio box, slider bar and
// spin button in turn, each with its text or value and its built-in skins) against 500 bare
// "window" elements with "colorBkgnd" in the same places, in one 1024 x 768 memory target: a full
// layout pass (every element marked, as a new scale does) and a full repaint, each timed in
// alternating rounds beside the baseline.
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "core/SApplication.h"
#include "core/SWindow.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kColumns = 20;
constexpr int kCount = 500;
constexpr double kBudgetMs = 300.0;

// The text controls carry a text; the slider and the spin button a value.
const wchar_t* const kTags[] = {L"text",  L"button",    L"check",
                                L"radio", L"sliderbar", L"spinButton"};
constexpr int kKinds = 6;
constexpr int kTextKinds = 4;

// 500 elements in a grid of 50 x 30 cells: the controls, or bare coloured windows.
std::wstring GridXml(bool controls) {
  std::wstring xml = L"<root>";
  for (int i = 0; i < kCount; ++i) {
    const std::wstring pos = std::to_wstring(i % kColumns * 50 + 2) + L"," +
                             std::to_wstring(i / kColumns * 30 + 2) + L",@46,@26";
    if (controls) {
      const int kind = i % kKinds;
      const std::wstring tag = kTags[kind];
      if (kind < kTextKinds) {
        xml += L"<" + tag + L" pos='" + pos + L"'>Item " + std::to_wstring(i) + L"</" + tag + L">";
      } else {
        xml += L"<" + tag + L" pos='" + pos + L"' max='100' value='" + std::to_wstring(i % 101) +
               L"'/>";
      }
    } else {
      xml += L"<window pos='" + pos + L"' colorBkgnd='#c0c0c0'/>";
    }
  }
  return xml + L"</root>";
}

struct Tree {
  pugi::xml_document doc;
  SWindow* root = nullptr;

  explicit Tree(const std::wstring& xml) {
    doc.load_string(xml.c_str());
    root = new SWindow();
    root->InitFromXml(doc.first_child());
    root->OnRelayout(RECT{0, 0, kWidth, kHeight});
  }
  ~Tree() {
    root->DestroyWindow();
    SXmlMark::ClearMarks(doc);
  }
  void Layout() {
    root->SDispatchMessage(UM_SETSCALE, 100);
    root->UpdateLayout();
  }
};

void Report(const char* what, const bench::Timing& t) {
  printf("%-34s controls %8.3f ms   bare %8.3f ms   ratio %6.2f\n", what, t.ours, t.bare,
         t.bare > 0 ? t.ours / t.bare : 0.0);
}

int Run(IRenderFactory* factory) {
  SApplication app(factory, GetModuleHandleW(nullptr));
  if (!bench::LoadBuiltInResources(app, false)) {
    printf("the built-in skins did not load\n");
    return 1;
  }
  IRenderTarget* made = nullptr;
  factory->CreateRenderTarget(&made, kWidth, kHeight);
  SAutoRefPtr<IRenderTarget> target;
  target.Attach(made);
  if (target == nullptr) return 1;

  Tree controls(GridXml(true));
  Tree bare(GridXml(false));
  printf("500 controls (text, button, check, radio, slider, spin) against 500 bare windows\n");
  Report("full layout pass",
         bench::BestOfAlternating([&] { controls.Layout(); }, [&] { bare.Layout(); }, kBudgetMs));
  Report("full repaint",
         bench::BestOfAlternating([&] { controls.root->RedrawRegion(target, nullptr); },
                                  [&] { bare.root->RedrawRegion(target, nullptr); }, kBudgetMs));
  Report("layout + repaint", bench::BestOfAlternating(
                                 [&] {
                                   controls.Layout();
                                   controls.root->RedrawRegion(target, nullptr);
                                 },
                                 [&] {
                                   bare.Layout();
                                   bare.root->RedrawRegion(target, nullptr);
                                 },
                                 kBudgetMs));
  return 0;
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  return Run(factory);
}
