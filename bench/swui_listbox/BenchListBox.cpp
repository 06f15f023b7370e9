// Figures of a list box of 10,000 items (200 x 400, rows 20 high), each beside a bare baseline
// run in the same process: filling it with AddString against storing the same texts in a
// vector; one paint of the tree (21 rows and the scroll bar) against filling and drawing those
// rows and the bar straight into the target; 1,000 wheel steps (each scrolls one line, draws
// the bar at once and repaints the list through the host) against drawing the shown rows and
// the bar 1,000 times.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "SurfaceHost.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "control/SListBox.h"
#include "core/SApplication.h"
#include "core/SWindow.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

constexpr int kItems = 10000;
constexpr int kSteps = 1000;
constexpr int kRounds = 5;
constexpr int kWheelRounds = 3;  // each takes seconds: text drawing dominates
constexpr int kWidth = 200;
constexpr int kHeight = 400;
constexpr int kRowHeight = 20;
constexpr int kBarWidth = 16;


std::vector<std::wstring> ItemTexts() {
  std::vector<std::wstring> texts;
  texts.reserve(kItems);
  for (int i = 0; i < kItems; ++i) texts.push_back(L"Item number " + std::to_wstring(i));
  return texts;
}

// The rows a list of kHeight shows from a pixel offset, and the bar, drawn by hand.
void DrawBare(IRenderTarget* target, const std::vector<std::wstring>& texts, int offset) {
  const RECT all = {0, 0, kWidth, kHeight};
  target->FillSolidRect(&all, 0xFFFFFFFF);
  const int first = offset / kRowHeight;
  for (int i = first; i < first + kHeight / kRowHeight + 1 && i < kItems; ++i) {
    RECT row = {0, i * kRowHeight - offset, kWidth - kBarWidth, (i + 1) * kRowHeight - offset};
    if (i & 1) target->FillSolidRect(&row, 0xFFF0F0F0);
    target->DrawText(texts[i].c_str(), static_cast<int>(texts[i].size()), &row,
                     DT_SINGLELINE | DT_VCENTER);
  }
  const RECT rail = {kWidth - kBarWidth, kBarWidth, kWidth, kHeight - kBarWidth};
  target->FillSolidRect(&rail, 0xFFE0E0E0);
  const RECT thumb = {kWidth - kBarWidth, kBarWidth + 10, kWidth, kBarWidth + 28};
  target->FillSolidRect(&thumb, 0xFFA0A0A0);
}

struct Bench {
  SApplication& app;
  IRenderTarget* target;
  bench::SurfaceHost host;
  SWindow* root = nullptr;
  SListBox* list = nullptr;
  pugi::xml_document doc;

  Bench(SApplication& a, IRenderTarget* t) : app(a), target(t), host(t) {
    doc.load_string(L"<root><listbox name='lb' pos='0,0,-0,-0' itemHeight='20' "
                    L"colorItemBkgnd2='#f0f0f0'/></root>");
    root = new SWindow();
    root->SetContainer(&host);
    host.SetRoot(root);
    root->InitFromXml(doc.first_child());
    root->OnRelayout(RECT{0, 0, kWidth, kHeight});
    list = dynamic_cast<SListBox*>(root->FindChildByName(L"lb"));
  }
  ~Bench() {
    root->DestroyWindow();
    SXmlMark::ClearMarks(doc);
  }
  Bench(const Bench&) = delete;
  Bench& operator=(const Bench&) = delete;
};

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  SApplication app(factory, GetModuleHandleW(nullptr));
  if (!bench::LoadBuiltInResources(app, true)) return 1;

  SAutoRefPtr<IRenderTarget> target = bench::NewRenderTarget(factory, kWidth, kHeight);
  if (target == nullptr) return 1;

  const std::vector<std::wstring> texts = ItemTexts();
  Bench bench(app, target);
  if (bench.list == nullptr || !bench.host.Ready()) return 1;
  SListBox* list = bench.list;

  // Fill.
  double fillOurs = 1e300;
  double fillBare = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    list->DeleteAll();
    bench.host.UpdateWindow();
    double start = bench::NowMs();
    for (const std::wstring& text : texts) list->AddString(text.c_str());
    fillOurs = std::min(fillOurs, bench::NowMs() - start);
    start = bench::NowMs();
    std::vector<SStringW> bare;
    for (const std::wstring& text : texts) bare.push_back(SStringW(text.c_str()));
    fillBare = std::min(fillBare, bench::NowMs() - start);
  }
  bench.host.UpdateWindow();
  bench::Report("fill 10,000 items", fillOurs, fillBare);

  // One paint of the whole tree.
  const bench::Timing paint = bench::BestOfAlternating(
      [&] { bench.root->RedrawRegion(target, nullptr); }, [&] { DrawBare(target, texts, 0); },
      150.0);
  bench::Report("one paint (21 rows and the bar)", paint.ours, paint.bare);

  // 1,000 wheel steps down from the top.
  double wheelOurs = 1e300;
  double wheelBare = 1e300;
  for (int round = 0; round < kWheelRounds; ++round) {
    list->SetViewOrigin(POINT{0, 0});
    bench.host.UpdateWindow();
    double start = bench::NowMs();
    for (int i = 0; i < kSteps; ++i) {
      list->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                         MAKELPARAM(50, 50));
    }
    bench.host.UpdateWindow();
    wheelOurs = std::min(wheelOurs, bench::NowMs() - start);
    start = bench::NowMs();
    for (int i = 0; i < kSteps; ++i) DrawBare(target, texts, (i + 1) * 10);
    wheelBare = std::min(wheelBare, bench::NowMs() - start);
  }
  if (list->GetViewOrigin().y != kSteps * 10) {
    printf("wheel steps did not scroll: origin %ld\n", list->GetViewOrigin().y);
    return 1;
  }
  bench::Report("1,000 wheel steps", wheelOurs, wheelBare);

  return 0;
}
