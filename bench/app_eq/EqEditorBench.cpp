// The EQ editor of the main window (600 x 300, 26 bands, high-pass and low-pass handles, the
// bandwidth guides, a selected band) beside a bare baseline run in the same process, one BitBlt
// of the 600 x 300 surface:
// - a full repaint of the editor;
// - one drag frame as the page logic runs it: the handle's move event, the band changed in the
//   model (SetEqCurveBand), the editor refreshed (Refresh) and what that invalidated repainted;
//   also as frames per second, with its model and its curves' drawing apart, and the curves
//   drawn straight into the surface without GDI+ for comparison (the editor keeps GDI+);
// - one second of a handle's pulse (100 frames of the 10 ms timeline), repainting only what the
//   frames that change the handle invalidate, against repainting the editor and the handle on
//   every frame.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "BenchContainer.h"
#include "BenchFactory.h"
#include "BenchClock.h"
#include "Eq/EqCurve.h"
#include "GdiplusSession.h"
#include "IBitmap.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "controls/EventThumbMoving.h"
#include "controls/SMoveThumb.h"
#include "controls/ZuEQ.h"
#include "controls/ZuEqCurve.h"
#include "controls/ZuEqGrid.h"
#include "core/SApplication.h"
#include "core/ISlotFunctor.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;
constexpr int kBands = 26;
constexpr int kFramesPerSecond = 100;  // the host's timeline ticks every 10 ms

void Report(const char* what, double ours, double bare) {
  printf("%-52s ours %9.4f ms   bare %9.4f ms   ratio %7.2f\n", what, ours, bare,
         bare > 0 ? ours / bare : 0.0);
}

// The best of a few timings (the machines are shared: the best is the least disturbed).
template <class F>
double Best(F body, double budgetMs, int rounds = 3) {
  double best = 1e300;
  for (int round = 0; round < rounds; ++round) {
    best = std::min(best, bench::MsPerCall(body, budgetMs));
  }
  return best;
}

// The host window's part as far as the editor needs it: the capture besides what the shared
// container keeps (the z-order and the area elements invalidated, painted by RepaintDirty).
class BenchHost : public bench::BenchContainer {
 public:
  SwndHandle OnGetSwndCapture() const override { return capture_; }
  BOOL OnReleaseSwndCapture() override {
    capture_ = 0;
    return TRUE;
  }
  SwndHandle OnSetSwndCapture(SwndHandle swnd) override {
    const SwndHandle old = capture_;
    capture_ = swnd;
    return old;
  }

 private:
  SwndHandle capture_ = 0;
};

// A subscriber made of a function.
class FnSlot : public ISlotFunctor {
 public:
  template <class F>
  explicit FnSlot(F fn) : fn_(fn) {}
  bool operator()(EventArgs* args) override { return fn_(args); }
  ISlotFunctor* Clone() const override { return new FnSlot(*this); }
  bool Equal(const ISlotFunctor& other) const override { return &other == this; }
  unsigned int GetSlotType() const override { return kSlotTypeGeneric; }

 private:
  std::function<bool(EventArgs*)> fn_;
};

std::wstring EditorXml() {
  std::wstring xml =
      L"<root><zueq name='eq' pos='0,0,-0,-0' ldist='38' tdist='18' rdist='0' bdist='16' "
      L"dbMax='12' dbMin='-24' nKedu='12' dbKeduVal='6' zeroXFreq='10'>"
      L"<zueqgrid name='grid' pos='0,0,-0,-0' colorBorder='#3a3f47' colorText='#8b939c' font='size:10'/>"
      L"<zueqcurve name='curve' pos='0,0,-0,-0' colorLine='#3fc46b' colorCurrLine='#3fa9f532'/>";
  for (int i = 0; i < kBands; ++i) {
    xml += L"<moveThumb name='b" + std::to_wstring(i) + L"' data='" + std::to_wstring(i) +
           L"' float='1' size='18,18' centerColor='#e8553fe6' colorText='#ffffff' font='size:10,bold:1'>" + std::to_wstring(i + 1) +
           L"</moveThumb>";
  }
  xml +=
      L"<moveThumb data='-1' float='1' size='40,18' canYMove='0' "
      L"centerColor='#8b939ce6'>[HPF]</moveThumb>"
      L"<moveThumb data='-2' float='1' size='40,18' canYMove='0' "
      L"centerColor='#8b939ce6'>[LPF]</moveThumb>"
      L"<moveThumb data='-5' float='1' size='20,17' canYMove='0'/>"
      L"<moveThumb data='-6' float='1' size='20,17' canYMove='0'/></zueq></root>";
  return xml;
}

EqBandInfo Band(int i) {
  EqBandInfo band;
  band.shape = 0;
  band.freq = 25.0 * std::pow(10.0, i * 2.9 / kBands);  // 25 Hz .. about 20 kHz
  band.gain = (i % 5) * 2.0 - 4.0;
  band.q = 1.0 + (i % 3) * 0.5;
  return band;
}

// A curve drawn straight into a 32-bit surface without GDI+, as a measure of what the curves
// would cost that way: each column gets the span between the heights of the curve where it
// enters and leaves it, two pixels thick, blended in the pen's colour with its ends' fractions
// as coverage.
void DirectCurve(IBitmap* surface, const EqPlotGeometry& g, const std::vector<double>& values,
                 DWORD color) {
  auto* bits = static_cast<DWORD*>(surface->LockPixelBits());
  if (bits == nullptr) return;
  const int width = static_cast<int>(surface->Width());
  const RECT plot = g.PlotRect();
  auto yAt = [&](double i) {
    const int k = std::min(std::max(static_cast<int>(i), 0), kEqCurvePoints - 1);
    const double y = g.ZeroLineY() - values[k] * g.yScale;
    return std::fmin(std::fmax(y, static_cast<double>(plot.top)),
                     static_cast<double>(plot.bottom - 1));
  };
  auto blend = [&](DWORD* px, int coverage) {
    const DWORD inv = 255 - coverage;
    DWORD out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const DWORD c = ((color >> shift & 0xFF) * coverage + (*px >> shift & 0xFF) * inv) / 255;
      out |= c << shift;
    }
    *px = out;
  };
  for (int x = plot.left; x < plot.right; ++x) {
    const double from = (x - plot.left) / g.pointStep;
    const double to = (x + 1 - plot.left) / g.pointStep;
    double top = std::fmin(yAt(from), yAt(to)) - 1.0;
    double bottom = std::fmax(yAt(from), yAt(to)) + 1.0;
    top = std::fmax(top, static_cast<double>(plot.top));
    bottom = std::fmin(bottom, static_cast<double>(plot.bottom - 1));
    const int first = static_cast<int>(top);
    const int last = static_cast<int>(bottom);
    for (int y = first; y <= last; ++y) {
      int coverage = 255;
      if (y == first) coverage = static_cast<int>((1.0 - (top - first)) * 255);
      if (y == last) coverage = static_cast<int>((bottom - last) * 255);
      blend(&bits[y * width + x], coverage);
    }
  }
  surface->UnlockPixelBits(bits);
}

// Where a drag frame goes, and the curves drawn without GDI+ for comparison.
void DragFrameParts(ZuEQ* editor, EqCurveInfo& model, IRenderTarget* surface, double blit) {
  SWindow* curve = editor->FindChildByName(L"curve");
  EqBandInfo band = model.bands[7];
  int step = 0;
  auto changeModel = [&] {
    band.gain = (step++ % 2) == 0 ? 3.0 : -3.0;
    SetEqCurveBand(model, 7, band);
  };
  const double modelMs = Best(changeModel, 300);
  Report("  of which the model (one band's responses)", modelMs, blit);
  const double layer = Best(
      [&] {
        changeModel();
        curve->SSendMessage(WM_PAINT, reinterpret_cast<WPARAM>(surface));
      },
      300);
  Report("  of which the curves drawn again (GDI+), less the model", layer - modelMs, blit);
  auto* bitmap = static_cast<IBitmap*>(surface->GetCurrentObject(OT_BITMAP));
  if (bitmap == nullptr) return;
  const EqPlotGeometry& g = editor->Geometry();
  const double direct = Best([&] { DirectCurve(bitmap, g, model.curve, 0x3FC46B); }, 300);
  Report("the total curve drawn straight, without GDI+", direct, blit);
  const double directFrame = Best(
      [&] {
        changeModel();
        DirectCurve(bitmap, g, model.curve, 0x3FC46B);
        DirectCurve(bitmap, g, model.bands[7].response, 0x3FA9F5);
      },
      300);
  Report("  a drag frame's model and curves that way", directFrame, blit);
}

void Run(IRenderTarget* surface, IRenderTarget* copy) {
  BenchHost host;
  SWindow* root = new SWindow();
  root->SetContainer(&host);
  host.SetRoot(root);
  pugi::xml_document doc;
  doc.load_string(EditorXml().c_str());
  root->InitFromXml(doc.first_child());
  const RECT full = {0, 0, kWidth, kHeight};
  root->OnRelayout(full);
  auto* editor = static_cast<ZuEQ*>(root->FindChildByName(L"eq"));

  std::vector<EqBandInfo> bands;
  for (int i = 0; i < kBands; ++i) bands.push_back(Band(i));
  EqCurveInfo model;
  InitEqCurve(model, bands.data(), kBands);
  SetEqCurveHighPass(model, 1, 40, -12, 0.7);
  SetEqCurveLowPass(model, 1, 16000, -12, 0.7);
  SetEqCurveBand(model, 7, bands[7]);  // the selected band
  editor->SetCurve(&model);
  editor->ShowBandGuide();

  const double blit = Best([&] { copy->BitBlt(&full, surface, 0, 0, SRCCOPY); }, 300);
  const double paint = Best([&] { root->RedrawRegion(surface, nullptr); }, 600);
  Report("full repaint of the editor vs one BitBlt", paint, blit);
  // Where a full repaint goes: the grid, the curves, one band handle.
  auto paintOne = [&](SWindow* wnd) {
    return Best(
        [&] { wnd->SSendMessage(WM_PAINT, reinterpret_cast<WPARAM>(surface)); }, 200);
  };
  Report("  of which the grid", paintOne(root->FindChildByName(L"grid")), blit);
  Report("  of which the curves", paintOne(root->FindChildByName(L"curve")), blit);
  Report("  of which one band handle (of 26)", paintOne(editor->GetBandThumb(0)), blit);

  // A drag of band 7's handle, one pixel right and up per frame, back and forth.
  SMoveThumb* thumb = editor->GetBandThumb(7);
  thumb->SubscribeEvent(EventThumbMoving::EventID, FnSlot([&](EventArgs* e) {
                          auto* evt = static_cast<EventThumbMoving*>(e);
                          const RECT rc = thumb->GetWindowRect();
                          const int cx = evt->newLeft + (rc.right - rc.left) / 2;
                          const int cy = evt->newTop + (rc.bottom - rc.top) / 2;
                          EqBandInfo band = model.bands[7];
                          band.freq = editor->FreqAtX(cx);
                          band.gain = editor->GainAtY(cy);
                          SetEqCurveBand(model, 7, band);
                          editor->Refresh();
                          return true;
                        }));
  host.RepaintDirty(surface);
  RECT rc = thumb->GetWindowRect();
  const POINT grab = {rc.left + 9, rc.top + 9};
  thumb->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
  host.RepaintDirty(surface);
  int step = 0;
  const double drag = Best(
      [&] {
        const int d = (step++ % 40) < 20 ? 1 : -1;
        const RECT now = thumb->GetWindowRect();
        thumb->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON,
                            MAKELPARAM(now.left + 9 + d, now.top + 9 - d));
        host.RepaintDirty(surface);
      },
      600);
  thumb->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(grab.x, grab.y));
  host.RepaintDirty(surface);
  Report("one drag frame (event, band, Refresh, repaint)", drag, blit);
  printf("%-52s %9.1f frames per second\n", "  drag frames", drag > 0 ? 1000.0 / drag : 0.0);
  DragFrameParts(editor, model, surface, blit);

  // One second of the pulse.
  SMoveThumb* pulsing = editor->GetBandThumb(3);
  pulsing->StartPulse();
  const double onChange = Best(
      [&] {
        for (int frame = 0; frame < kFramesPerSecond; ++frame) {
          pulsing->OnNextFrame();
          host.RepaintDirty(surface);
        }
      },
      600);
  const double everyFrame = Best(
      [&] {
        for (int frame = 0; frame < kFramesPerSecond; ++frame) {
          pulsing->OnNextFrame();
          editor->Invalidate();
          pulsing->Invalidate();
          host.RepaintDirty(surface);
        }
      },
      600, 1);  // seconds a call: one round
  pulsing->StopPulse();
  Report("a pulse second, repainted on change vs one BitBlt", onChange, blit);
  Report("a pulse second, repainted every frame vs one BitBlt", everyFrame, blit);
  Report("a pulse second, on change vs every frame", onChange, everyFrame);

  editor->SetCurve(nullptr);
  root->DestroyWindow();
  SXmlMark::ClearMarks(doc);
  FreeEqCurve(model);
}

}  // namespace

int main() {
  fixtures::GdiplusSession gdiplus;
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  {
    SApplication app(factory, GetModuleHandleW(nullptr));
    app.TplRegisterFactory<ZuEQ>();
    app.TplRegisterFactory<ZuEqGrid>();
    app.TplRegisterFactory<ZuEqCurve>();
    app.TplRegisterFactory<SMoveThumb>();
    IRenderTarget* made = nullptr;
    factory->CreateRenderTarget(&made, kWidth, kHeight);
    SAutoRefPtr<IRenderTarget> surface;
    surface.Attach(made);
    made = nullptr;
    factory->CreateRenderTarget(&made, kWidth, kHeight);
    SAutoRefPtr<IRenderTarget> copy;
    copy.Attach(made);
    if (surface == nullptr || copy == nullptr) return 1;
    Run(surface, copy);
  }
  return 0;
}
