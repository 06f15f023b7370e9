// Tab switch time of the tab control over two pages of 200 coloured elements each, in an
// 800 x 600 tree, each beside a bare baseline run in the same process:
// - plain: SetCurSel and the repaint of the tree, against hiding one plain element, showing
//   another and the same repaint;
// - animated (10 steps): SetCurSel, which paints both pages into the slider's picture, and
//   the 11 frames of the slide each with a repaint of the tree, against what such a slide
//   needs at least: two repaints of the bare tree and 11 blends of the page area from a
//   picture of twice its width. The 10 ms between frames is not counted: frames are driven
//   directly.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "BenchContainer.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "control/STabCtrl.h"
#include "core/SApplication.h"
#include "core/SWindow.h"

using namespace SWUI;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kPerPage = 200;
constexpr int kSteps = 10;
constexpr int kStrip = 30;  // the height of the tabs
constexpr double kBudgetMs = 400.0;

const wchar_t* const kColours[] = {L"#c04040", L"#40c040", L"#4040c0", L"#c0c040", L"#40c0c0"};

// A page's content: 200 coloured cells of 40 x 28 in rows of 20.
std::wstring PageContent() {
  std::wstring xml;
  for (int i = 0; i < kPerPage; ++i) {
    xml += L"<window pos='" + std::to_wstring(i % 20 * 40) + L"," + std::to_wstring(i / 20 * 28) +
           L",@38,@26' colorBkgnd='" + kColours[i % 5] + L"'/>";
  }
  return xml;
}

// The tab control with two pages, or the bare tree: two plain elements holding the same.
std::wstring TreeXml(bool tabs, int steps) {
  const std::wstring content = PageContent();
  if (!tabs) {
    const std::wstring pos = L"pos='0," + std::to_wstring(kStrip) + L",-0,-0'";
    return L"<root><window name='a' " + pos + L">" + content + L"</window><window name='b' " + pos +
           L" visible='0'>" + content + L"</window></root>";
  }
  return L"<root><tabctrl name='tab' tabSize='100," + std::to_wstring(kStrip) +
         L"' animateSteps='" + std::to_wstring(steps) + L"'><page title='one'>" + content +
         L"</page><page title='two'>" + content + L"</page></tabctrl></root>";
}

// What the host does after a switch: the tree repainted (the strip and the page area are
// nearly all of it).
void Repaint(SWindow* root, IRenderTarget* target) { root->RedrawRegion(target, nullptr); }

void Report(const char* what, const bench::Timing& t) {
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %6.2f\n", what, t.ours, t.bare,
         t.bare > 0 ? t.ours / t.bare : 0.0);
}

void Run(IRenderFactory* factory, IRenderTarget* target) {
  IRenderTarget* made = nullptr;
  factory->CreateRenderTarget(&made, 2 * kWidth, kHeight - kStrip);
  SAutoRefPtr<IRenderTarget> picture;
  picture.Attach(made);
  if (picture == nullptr) return;
  const RECT pageArea = {0, kStrip, kWidth, kHeight};
  bench::Tree plainTabs(TreeXml(true, 0), kWidth, kHeight);
  auto* plainTab = plainTabs.root->FindChildByName2<STabCtrl>(L"tab");
  bench::Tree animatedTabs(TreeXml(true, kSteps), kWidth, kHeight);
  auto* animatedTab = animatedTabs.root->FindChildByName2<STabCtrl>(L"tab");
  bench::Tree bare(TreeXml(false, 0), kWidth, kHeight);
  SWindow* a = bare.root->FindChildByName(L"a");
  SWindow* b = bare.root->FindChildByName(L"b");
  if (plainTab == nullptr || animatedTab == nullptr || a == nullptr || b == nullptr) {
    printf("the trees could not be built\n");
    return;
  }

  const bench::Timing plain = bench::BestOfAlternating(
      [&] {
        plainTab->SetCurSel(1 - plainTab->GetCurSel());
        Repaint(plainTabs.root, target);
      },
      [&] {
        const bool showA = !a->IsVisible(FALSE);
        a->SetVisible(showA, TRUE);
        b->SetVisible(!showA, TRUE);
        Repaint(bare.root, target);
      },
      kBudgetMs);
  Report("plain switch with repaint", plain);

  int frames = 0;
  const bench::Timing animated = bench::BestOfAlternating(
      [&] {
        animatedTab->SetCurSel(1 - animatedTab->GetCurSel());
        frames = 0;
        while (!animatedTabs.container.handlers.empty()) {
          animatedTabs.container.OnNextFrame();
          Repaint(animatedTabs.root, target);
          ++frames;
        }
      },
      [&] {
        Repaint(bare.root, target);
        Repaint(bare.root, target);
        for (int i = 0; i <= kSteps; ++i) {
          const int x = kWidth * i / kSteps;
          const RECT src = {x, 0, x + kWidth, kHeight - kStrip};
          target->AlphaBlend(&pageArea, picture, &src, 0xFF);
        }
      },
      kBudgetMs);
  printf("animated switch: %d frames\n", frames);
  Report("animated switch, 10 steps, with repaints", animated);
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  {
    SApplication app(factory, GetModuleHandleW(nullptr));
    IRenderTarget* made = nullptr;
    factory->CreateRenderTarget(&made, kWidth, kHeight);
    SAutoRefPtr<IRenderTarget> target;
    target.Attach(made);
    if (target == nullptr) return 1;
    Run(factory, target);
  }
  return 0;
}
