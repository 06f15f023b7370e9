// Figures of a hosted ActiveX control beside a bare baseline run in the same process: 1,000
// paints of a 200 x 100 element hosting the windowless test control (its view object fills
// the element with one colour, drawn with the surface's alpha kept) against 1,000 paints of a
// plain element of the same size filling the same colour as its background. A third line
// times the alpha kept around the control's drawing (backup and restore of the element's
// pixels) alone against the same plain fill, which is most of the difference.
#include <ole2.h>
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

#include "AxTestControl.h"
#include "BenchClock.h"
#include "BenchFactory.h"
#include "IRenderFactory.h"
#include "base/AlphaChannelBackup.h"
#include "control/SActiveX.h"
#include "core/SApplication.h"

using namespace SWUI;

namespace {

constexpr int kPaints = 1000;
constexpr int kWidth = 200;
constexpr int kHeight = 100;

std::wstring GuidText(REFGUID guid) {
  wchar_t text[64];
  return StringFromGUID2(guid, text, 64) > 0 ? std::wstring(text) : std::wstring();
}

// One element under a root of its own, laid out over the whole surface.
struct Tree {
  pugi::xml_document doc;
  SWindow* root = nullptr;

  explicit Tree(const std::wstring& element) {
    doc.load_string((L"<root>" + element + L"</root>").c_str());
    root = new SWindow();
    root->InitFromXml(doc.first_child());
    root->OnRelayout(RECT{0, 0, kWidth, kHeight});
  }
  ~Tree() { root->DestroyWindow(); }
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;

  SWindow* First() const { return root->GetWindow(GSW_FIRSTCHILD); }
};

// The test control's class object, registered for this process while the object lives.
struct ControlClass {
  IClassFactory* factory = nullptr;
  DWORD cookie = 0;
  bool ok = false;

  ControlClass() {
    ok = SUCCEEDED(AxTestClassObject(kClsidAxWindowless, IID_IClassFactory,
                                     reinterpret_cast<void**>(&factory))) &&
         SUCCEEDED(CoRegisterClassObject(kClsidAxWindowless, factory, CLSCTX_INPROC_SERVER,
                                         REGCLS_MULTIPLEUSE, &cookie));
  }
  ~ControlClass() {
    if (cookie != 0) CoRevokeClassObject(cookie);
    if (factory != nullptr) factory->Release();
  }
  ControlClass(const ControlClass&) = delete;
  ControlClass& operator=(const ControlClass&) = delete;
};

int Run(IRenderFactory* factory) {
  IRenderTarget* made = nullptr;
  factory->CreateRenderTarget(&made, kWidth, kHeight);
  SAutoRefPtr<IRenderTarget> target;
  target.Attach(made);
  if (target == nullptr) return 1;

  const std::wstring size = L"pos='0,0,@" + std::to_wstring(kWidth) + L",@" +
                            std::to_wstring(kHeight) + L"'";
  Tree hosted(L"<activex " + size + L" clsID='" + GuidText(kClsidAxWindowless) + L"'/>");
  Tree plain(L"<window " + size + L" colorBkgnd='#2060a0'/>");
  auto* ax = static_cast<SActiveX*>(hosted.First());
  if (ax == nullptr || ax->GetIUnknown() == nullptr) {
    printf("the test control was not created\n");
    return 1;
  }
  const RECT all = {0, 0, kWidth, kHeight};
  auto paints = [&](SWindow* root) {
    for (int i = 0; i < kPaints; ++i) {
      target->ClearRect(&all, 0xFFFFFFFF);
      root->RedrawRegion(target, nullptr);
    }
  };
  const bench::Timing t =
      bench::BestOfAlternating([&] { paints(hosted.root); }, [&] { paints(plain.root); }, 1000.0);
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %6.2f\n",
         "1,000 paints of 200x100 (bare: plain fill)", t.ours, t.bare,
         t.bare > 0 ? t.ours / t.bare : 0.0);
  printf("  (one paint: hosted %.2f us, plain %.2f us)\n", t.ours * 1000.0 / kPaints,
         t.bare * 1000.0 / kPaints);

  const bench::Timing alpha = bench::BestOfAlternating(
      [&] {
        HDC dc = target->GetDC(0);
        for (int i = 0; i < kPaints; ++i) {
          AlphaChannelBackup backup = {};
          if (BackupAlphaChannel(dc, &all, &backup)) RestoreAlphaChannel(&backup);
        }
        target->ReleaseDC(dc);
      },
      [&] { paints(plain.root); }, 1000.0);
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %6.2f\n",
         "1,000 alpha keeps alone (bare: plain fill)", alpha.ours, alpha.bare,
         alpha.bare > 0 ? alpha.ours / alpha.bare : 0.0);
  return 0;
}

}  // namespace

int main() {
  if (FAILED(OleInitialize(nullptr))) return 1;
  int result = 1;
  {
    SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
    ControlClass controlClass;
    if (factory != nullptr && controlClass.ok) {
      SApplication app(factory, GetModuleHandleW(nullptr));
      result = Run(factory);
    }
  }
  OleUninitialize();
  return result;
}
