// Opening and closing a combo box of 100 items (no slide), beside a bare baseline run in the
// same process: a native tool popup of the same size made, shown, given the capture and
// destroyed. Both drain the queue afterwards, so the popup's paints are counted.
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

#include "BenchFactory.h"
#include "BenchClock.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "control/SComboBox.h"
#include "core/SApplication.h"
#include "core/SHostWnd.h"
#include "core/SMessageLoop.h"

using namespace SWUI;

namespace {

constexpr int kItems = 100;
constexpr double kBudgetMs = 400.0;

std::wstring Layout() {
  std::wstring xml =
      L"<SWUI width='300' height='80'><root colorBkgnd='#ffffff'>"
      L"<combobox name='c' pos='10,10,@200,@24' curSel='0' animateTime='0'><items>";
  for (int i = 0; i < kItems; ++i) xml += L"<item text='item " + std::to_wstring(i) + L"'/>";
  return xml + L"</items></combobox></root></SWUI>";
}

void Drain(SMessageLoop* loop) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (loop != nullptr && loop->PreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Run(SApplication& app) {
  pugi::xml_document doc;
  SHostWnd host;
  if (!bench::OpenHost(host, doc, Layout().c_str())) {
    printf("the host could not be made\n");
    return;
  }
  auto* combo = host.GetRoot()->FindChildByName2<SComboBox>(L"c");
  if (combo == nullptr) return;
  SMessageLoop* loop = app.GetMsgLoop();
  Drain(loop);
  const int height = combo->GetListBoxHeight();

  const bench::Timing t = bench::BestOfAlternating(
      [&] {
        combo->DropDown();
        Drain(loop);
        combo->CloseUp();
        Drain(loop);
      },
      [&] {
        HWND popup =
            CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP, 60, 84, 200,
                            height, host.m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowPos(popup, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        SetCapture(popup);
        Drain(loop);
        DestroyWindow(popup);
        Drain(loop);
      },
      kBudgetMs);
  printf(
      "combo open+close, %d items, popup %d px: ours %8.3f ms   bare popup %8.3f ms   ratio "
      "%6.2f\n",
      kItems, height, t.ours, t.bare, t.bare > 0 ? t.ours / t.bare : 0.0);
  host.DestroyWindow();
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  {
    SApplication app(factory, GetModuleHandleW(nullptr));
    Run(app);
  }
  return 0;
}
