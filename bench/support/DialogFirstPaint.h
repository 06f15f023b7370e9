// Dialogs from DoModal to the end of their first paint (window creation, the handler's start,
// the element tree, the first paint of the whole tree), against a bare host dialog of the same
// size: medians of alternating runs, after one run of each outside the figures. For programs
// that link the framework.
//
//   bench::CompareFirstPaint<CCommonDlg<CDlgLoginEventHandler>>(
//       "login: DoModal to paint", L"LAYOUT:XML_LOGIN", L"LAYOUT:BARE_340x140");
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchClock.h"
#include "core/SHostDialog.h"

namespace bench {

// A dialog that ends itself once its first paint is done, noting when.
template <class Base>
class FirstPaint : public Base {
 public:
  explicit FirstPaint(LPCWSTR layout) : Base(layout) {}
  double paintedAt = 0.0;

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override {
    const BOOL handled = Base::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
    if (msg == WM_PAINT && mapId == 0 && hWnd == this->m_hWnd && paintedAt == 0.0) {
      paintedAt = NowMs();
      this->EndDialog(IDCANCEL);
    }
    return handled;
  }
};

// Milliseconds from DoModal to the end of the first paint; negative when it never painted.
template <class Dialog>
double OpenToPaint(LPCWSTR layout) {
  FirstPaint<Dialog> dlg(layout);
  const double start = NowMs();
  dlg.DoModal(nullptr);
  return dlg.paintedAt > 0.0 ? dlg.paintedAt - start : -1.0;
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Prints the medians of `runs` alternating runs of the dialog and of the bare one.
template <class Dialog>
void CompareFirstPaint(const char* what, LPCWSTR layout, LPCWSTR bareLayout, int runs = 15) {
  OpenToPaint<Dialog>(layout);
  OpenToPaint<SWUI::SHostDialog>(bareLayout);
  std::vector<double> ours;
  std::vector<double> bare;
  for (int i = 0; i < runs; ++i) {
    ours.push_back(OpenToPaint<Dialog>(layout));
    bare.push_back(OpenToPaint<SWUI::SHostDialog>(bareLayout));
  }
  if (*std::min_element(ours.begin(), ours.end()) < 0.0 ||
      *std::min_element(bare.begin(), bare.end()) < 0.0) {
    printf("%-44s a dialog did not paint\n", what);
    return;
  }
  const double o = Median(ours);
  const double b = Median(bare);
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %7.2f\n", what, o, b, o / b);
}

}  // namespace bench
