// Figures of the range controls in the built-in skins, each beside a bare baseline run in the
// same process: a layout pass and a full repaint of 500 controls (progress bars, slider bars,
// scroll bars, spin buttons and hot-key fields, 100 of each) against 500 bare "window"
// elements with a background colour at the same places; and 1,000 drag moves of a slider
// (each a new value and its event) against as many mouse moves sent to a bare element.
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "control/SSliderBar.h"
#include "core/SApplication.h"
#include "core/SWindow.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kColumns = 10;
constexpr int kControls = 500;
constexpr double kBudgetMs = 300.0;

void Report(const char* what, const bench::Timing& t) {
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %6.2f\n", what, t.ours, t.bare,
         t.bare > 0 ? t.ours / t.bare : 0.0);
}

// 500 elements in a grid of 10 columns, 100 x 28 each with a margin; the controls cycle
// through the five kinds, the bare tree is plain coloured windows.
std::wstring GridXml(bool bare) {
  static const wchar_t* const kControlsXml[] = {
      L"<progress value='40' showPercent='1' ",
      L"<sliderbar value='70' ",
      L"<scrollbar vertical='0' max='99' page='20' value='30' ",
      L"<spinButton ",
      L"<hotkey hotKey='0x53' combKey='2' ",
  };
  std::wstring xml = L"<root>";
  for (int i = 0; i < kControls; ++i) {
    const int x = (i % kColumns) * 102;
    const int y = (i / kColumns) * 15;
    const std::wstring pos =
        L"pos='" + std::to_wstring(x) + L"," + std::to_wstring(y) + L",@100,@14'";
    xml += bare ? L"<window colorBkgnd='#4040c0' " : kControlsXml[i % 5];
    xml += pos + L"/>";
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
  void Layout() const {
    root->SDispatchMessage(UM_SETSCALE, 100);
    root->UpdateLayout();
  }
};

void Run(IRenderTarget* target) {
  Tree controls(GridXml(false));
  Tree bare(GridXml(true));
  Report("500 controls: lay out, all dirty",
         bench::BestOfAlternating([&] { controls.Layout(); }, [&] { bare.Layout(); }, kBudgetMs));
  Report("500 controls: full repaint",
         bench::BestOfAlternating([&] { controls.root->RedrawRegion(target, nullptr); },
                                  [&] { bare.root->RedrawRegion(target, nullptr); }, kBudgetMs));

  // A slider 1,000 pixels long over 0..999 moves by one value per pixel.
  Tree drag(
      L"<root><sliderbar name='s' pos='0,0,@1010,@24' max='999' value='0'/>"
      L"<window name='w' pos='0,30,@100,@20'/></root>");
  auto* slider = static_cast<SSliderBar*>(drag.root->FindChildByName(L"s"));
  SWindow* plain = drag.root->FindChildByName(L"w");
  if (slider == nullptr || plain == nullptr) return;
  int events = 0;
  struct Counter : ISlotFunctor {
    int* n;
    explicit Counter(int* count) : n(count) {}
    bool operator()(EventArgs*) override {
      ++*n;
      return false;
    }
    ISlotFunctor* Clone() const override { return new Counter(n); }
    bool Equal(const ISlotFunctor& o) const override {
      auto* c = dynamic_cast<const Counter*>(&o);
      return c != nullptr && c->n == n;
    }
    unsigned int GetSlotType() const override { return kSlotTypeGeneric; }
  };
  slider->SubscribeEvent(17000, Counter(&events));
  const bench::Timing moves = bench::BestOfAlternating(
      [&] {
        slider->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 12));
        for (int x = 6; x < 1006; ++x) slider->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, 12));
        slider->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(1005, 12));
      },
      [&] {
        for (int x = 6; x < 1006; ++x) plain->SSendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, 40));
      },
      kBudgetMs);
  Report("slider: 1,000 drag moves", moves);
  printf("  (%d slider events in all runs)\n", events);
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  SApplication app(factory, GetModuleHandleW(nullptr));
  if (!bench::LoadBuiltInResources(app, false)) return 1;
  IRenderTarget* made = nullptr;
  factory->CreateRenderTarget(&made, kWidth, kHeight);
  SAutoRefPtr<IRenderTarget> target;
  target.Attach(made);
  if (target == nullptr) return 1;
  Run(target);
  return 0;
}
