// The tab strip's animated inserts, each beside a bare baseline run in the same process:
// - 7 inserts into an empty strip of 600 x 30 (each places the tab, lays the strip out and
//   starts every tab's slide), the strip made and destroyed around them, against 7 plain
//   elements made and placed with one Move each under a plain parent made and destroyed the
//   same way;
// - the slides of 7 tabs to their new slots (the strip resized, then the 20 frames of 200 ms
//   at 10 ms each), against 20 rounds of 7 Moves of plain elements along the same way.
// Frames are driven directly on a clock of the benchmark's own; nothing is painted.
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "BenchContainer.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "controls/SChromeTabCtrl.h"
#include "core/SApplication.h"

using namespace SWUI;

namespace {

constexpr int kTabs = 7;
constexpr int kDesired = 97;
constexpr int kHeight = 30;
constexpr DWORD kFrameMs = 10;
constexpr double kBudgetMs = 400.0;

void Report(const char* what, const bench::Timing& t) {
  printf("%-44s ours %9.4f ms   bare %9.4f ms   ratio %6.2f\n", what, t.ours, t.bare,
         t.bare > 0 ? t.ours / t.bare : 0.0);
}

template <class T>
T* AddChild(SWindow* parent, T* child, pugi::xml_node node, int width) {
  parent->InsertChild(child);
  child->InitFromXml(node);
  child->Move(0, 0, width, kHeight);
  return child;
}

// A plain element placed under parent.
SWindow* AddPlain(SWindow* parent, const RECT& rc) {
  auto* plain = new SWindow();
  parent->InsertChild(plain);
  plain->InitFromXml(pugi::xml_node());
  plain->Move(&rc);
  return plain;
}

// A tab's slot in a strip of that width.
RECT Slot(int i, int width) {
  const int size = width < kDesired * kTabs ? width / kTabs : kDesired;
  return RECT{i * size, 0, (i + 1) * size, kHeight};
}

void Run() {
  bench::Tree tree(L"<root/>", 800, 100);
  pugi::xml_document doc;
  doc.load_string(L"<strip tabDesiredSize='97'/>");
  const pugi::xml_node node = doc.first_child();
  DWORD now = 0;
  auto clock = [&now] { return now; };

  const bench::Timing inserts = bench::BestOfAlternating(
      [&] {
        auto* strip = AddChild(tree.root, new SChromeTabCtrl(), node, 600);
        strip->SetTickSource(clock);
        for (int i = 0; i < kTabs; ++i) strip->InsertTab(L"tab", -1);
        tree.root->DestroyChild(strip);
      },
      [&] {
        SWindow* parent = AddChild(tree.root, new SWindow(), node, 600);
        for (int i = 0; i < kTabs; ++i) AddPlain(parent, Slot(i, 600));
        tree.root->DestroyChild(parent);
      },
      kBudgetMs);
  Report("7 animated inserts / 7 elements and Moves", inserts);

  // The slides: the strip alternates between two widths, so every tab really moves.
  auto* strip = AddChild(tree.root, new SChromeTabCtrl(), node, 600);
  strip->SetTickSource(clock);
  for (int i = 0; i < kTabs; ++i) strip->InsertTab(L"tab", -1);
  SWindow* parent = AddChild(tree.root, new SWindow(), node, 600);
  std::vector<SWindow*> plain;
  for (int i = 0; i < kTabs; ++i) plain.push_back(AddPlain(parent, Slot(i, 600)));
  int width = 600;
  int frames = 0;
  int bareWidth = 600;
  const bench::Timing slides = bench::BestOfAlternating(
      [&] {
        width = width == 600 ? 400 : 600;
        strip->Move(0, 0, width, kHeight);
        frames = 0;
        for (bool running = true; running; ++frames) {
          now += kFrameMs;
          tree.container.OnNextFrame();
          running = false;
          for (int i = 0; i < kTabs; ++i) running = running || strip->GetTab(i)->IsRunning();
        }
      },
      [&] {
        const int from = bareWidth;
        bareWidth = bareWidth == 600 ? 400 : 600;
        for (int step = 1; step <= 20; ++step) {
          const int percent = step * 5;
          for (int i = 0; i < kTabs; ++i) {
            const RECT a = Slot(i, from);
            const RECT b = Slot(i, bareWidth);
            const RECT rc = {a.left + (b.left - a.left) * percent / 100, 0,
                             a.right + (b.right - a.right) * percent / 100, kHeight};
            plain[static_cast<size_t>(i)]->Move(&rc);
          }
        }
      },
      kBudgetMs);
  printf("slides: %d frames\n", frames);
  Report("slides of 7 tabs / 7 Moves per frame", slides);
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  {
    SApplication app(factory, GetModuleHandleW(nullptr));
    Run();
  }
  return 0;
}
