// Figures of the program's dialogs: each dialog from DoModal to its first paint (its handler's
// start-up, the layout's element tree and the first paint of the whole tree), beside a bare host
// dialog of the same size (a root of one colour, nothing in it), medians of alternating rounds.
// The framework starts as the program starts it (InitApp, no device present). Another dialog
// joins by one line in Figures().
#include <windows.h>
// After windows.h, which it needs.
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "BenchClock.h"
#include "CApplication.h"
#include "CCommonDlg.h"
#include "CDlgChangePwdEventHandler.h"
#include "CDlgDeviceModeEventHandler.h"
#include "CDlgLoginEventHandler.h"
#include "CDlgVolumeLimitEventHandler.h"
#include "core/SHostDialog.h"

namespace {

constexpr int kRounds = 15;

// A dialog that notes the end of its first paint and ends itself there.
template <class Base>
class TimedDialog : public Base {
 public:
  template <class... Args>
  explicit TimedDialog(Args&&... args) : Base(std::forward<Args>(args)...) {}

  double paintedAt = 0.0;

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override {
    const BOOL handled = Base::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
    if (msg == WM_PAINT && hWnd == this->m_hWnd && paintedAt == 0.0) {
      paintedAt = bench::NowMs();
      this->EndDialog(IDOK);
    }
    return handled;
  }
};

// Milliseconds from DoModal to the end of the first paint; negative when it never painted.
template <class Dialog>
double DoModalToFirstPaint(Dialog& dialog, HWND owner) {
  const double start = bench::NowMs();
  dialog.DoModal(owner);
  return dialog.paintedAt > 0.0 ? dialog.paintedAt - start : -1.0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One dialog: a round makes a fresh dialog and times it.
struct Entry {
  const char* name;
  const wchar_t* bareLayout;
  std::function<double(HWND)> ours;
};

template <class Handler>
Entry DialogEntry(const char* name, const wchar_t* layout, const wchar_t* bareLayout) {
  return {name, bareLayout, [layout](HWND owner) {
            TimedDialog<CCommonDlg<Handler>> dialog(layout);
            return DoModalToFirstPaint(dialog, owner);
          }};
}

double Bare(const wchar_t* layout, HWND owner) {
  TimedDialog<SWUI::SHostDialog> dialog(layout);
  return DoModalToFirstPaint(dialog, owner);
}

void Figures(HWND owner) {
  const std::vector<Entry> entries = {
      DialogEntry<CDlgLoginEventHandler>("login", L"LAYOUT:XML_LOGIN", L"LAYOUT:BARE_340x140"),
      DialogEntry<CDlgChangePwdEventHandler>("change password", L"XML_CHANGEPWD",
                                             L"LAYOUT:BARE_340x214"),
      DialogEntry<CDlgVolumeLimitEventHandler>("volume limit", L"LAYOUT:XML_VOLUMELIMIT",
                                               L"LAYOUT:BARE_340x290"),
      DialogEntry<CDlgDeviceModeEventHandler>("device mode (no device)", L"XML_DEVICEMODE",
                                              L"LAYOUT:BARE_350x150"),
  };
  for (const Entry& entry : entries) {
    std::vector<double> ours;
    std::vector<double> bare;
    // A first round of each outside the figures: caches and the first use of every skin.
    entry.ours(owner);
    Bare(entry.bareLayout, owner);
    for (int round = 0; round < kRounds; ++round) {
      ours.push_back(entry.ours(owner));
      bare.push_back(Bare(entry.bareLayout, owner));
    }
    if (*std::min_element(ours.begin(), ours.end()) < 0 ||
        *std::min_element(bare.begin(), bare.end()) < 0) {
      printf("%-28s a dialog did not paint\n", entry.name);
      continue;
    }
    const double o = Median(ours);
    const double b = Median(bare);
    printf("%-28s DoModal to first paint: ours %8.3f ms   bare %8.3f ms   ratio %6.2f\n",
           entry.name, o, b, b > 0 ? o / b : 0.0);
  }
}

}  // namespace

int wmain() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  OleInitialize(nullptr);
  ULONG_PTR gdiplus = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr) != Gdiplus::Ok) gdiplus = 0;

  CApplication& app = CApplication::Get();
  if (app.InitApp(instance)) {
    // The dialogs' owner, as the main window owns them in the program.
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                 nullptr, nullptr, instance, nullptr);
    printf("medians of %d rounds, each dialog against a bare host dialog of its size\n", kRounds);
    Figures(owner);
    DestroyWindow(owner);
    app.CleanupApp();
  } else {
    printf("InitApp failed\n");
  }
  CApplication::Destroy();

  if (gdiplus != 0) Gdiplus::GdiplusShutdown(gdiplus);
  OleUninitialize();
  return 0;
}
