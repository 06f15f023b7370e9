// Figures of the multi-column view beside the list control (SListCtrl), run in the same
// process: 10,000 rows x 5 columns of 70 px, rows 20 high, in a view of 400 x 400 each. One
// paint (header, rows, bar), and a drag of the first column's divider over 100 steps, each
// step repainted: the view lays every visible row's columns out again, the list control its
// own rows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "BenchClock.h"
#include "BenchFactory.h"
#include "BenchViews.h"
#include "control/SHeaderCtrl.h"
#include "control/SListCtrl.h"
#include "control/SMCListView.h"
#include "core/SHostWnd.h"

using namespace SWUI;

namespace bench_views {

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 5;
constexpr int kColumnWidth = 70;
constexpr int kDragSteps = 100;

// The divider right of the first caption pressed, moved kDragSteps times (each step
// repainted) and released where it started.
void DragDivider(SHeaderCtrl* header, HWND host) {
  const RECT rc = header->GetWindowRect();
  const int x = rc.left + kColumnWidth - 2;
  const int y = (rc.top + rc.bottom) / 2;
  header->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  for (int i = 0; i < kDragSteps; ++i) {
    header->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + (i % 40) - 20, y));
    ::UpdateWindow(host);
  }
  header->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
  header->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ::UpdateWindow(host);
}

}  // namespace

void BenchMultiColumn() {
  std::wstring cells;
  for (int c = 0; c < kColumns; ++c) {
    cells += L"<text name='col" + std::to_wstring(c) + L"' align='left'/>";
  }
  const std::wstring mcLayout =
      L"<SWUI width='400' height='400'><root colorBkgnd='#ffffff'>"
      L"<mclistview name='mc' pos='0,0,-0,-0'><header name='h'/>"
      L"<template itemHeight='20'>" + cells + L"</template></mclistview></root></SWUI>";
  pugi::xml_document mcDoc;
  pugi::xml_document lcDoc;
  SHostWnd mcHost;
  SHostWnd lcHost;
  if (!bench::OpenHost(mcHost, mcDoc, mcLayout.c_str()) ||
      !bench::OpenHost(lcHost, lcDoc,
                       L"<SWUI width='400' height='400'><root colorBkgnd='#ffffff'>"
                       L"<listctrl name='lc' pos='0,0,-0,-0'><header name='h'/></listctrl>"
                       L"</root></SWUI>")) {
    printf("columns: the hosts could not be made\n");
    return;
  }
  auto* view = mcHost.GetRoot()->FindChildByName2<SMCListView>(L"mc");
  auto* control = lcHost.GetRoot()->FindChildByName2<SListCtrl>(L"lc");
  if (view == nullptr || view->GetHeaderCtrl() == nullptr || control == nullptr) {
    printf("columns: the views could not be made\n");
    return;
  }
  Drain();
  for (int c = 0; c < kColumns; ++c) {
    view->InsertColumn(c, L"Column", static_cast<float>(kColumnWidth));
    control->InsertColumn(c, L"Column", kColumnWidth);
  }
  SAutoRefPtr<ColumnAdapter> adapter;
  adapter.Attach(new ColumnAdapter(kRows, kColumns));
  if (!view->SetAdapter(adapter)) {
    printf("columns: the adapter was refused\n");
    return;
  }
  wchar_t text[32];
  for (int r = 0; r < kRows; ++r) {
    swprintf(text, 32, L"Item number %d", r);
    control->InsertItem(-1, text);
    for (int c = 1; c < kColumns; ++c) control->SetSubItemText(r, c, text);
  }
  ::UpdateWindow(mcHost.m_hWnd);
  ::UpdateWindow(lcHost.m_hWnd);

  const bench::Timing paint = bench::BestOfAlternating(
      [&] { mcHost.GetRoot()->RedrawRegion(mcHost.GetMemRenderTarget(), nullptr); },
      [&] { lcHost.GetRoot()->RedrawRegion(lcHost.GetMemRenderTarget(), nullptr); }, 200.0);
  bench::Report("columns: one paint, vs list control", paint.ours, paint.bare);

  SHeaderCtrl* controlHeader = lcHost.GetRoot()->FindChildByName2<SHeaderCtrl>(L"h");
  if (controlHeader == nullptr) {
    printf("columns: the list control has no header\n");
    return;
  }
  const int builtBefore = adapter->getViewCalls;
  const bench::Timing drag = bench::BestOfAlternating(
      [&] { DragDivider(view->GetHeaderCtrl(), mcHost.m_hWnd); },
      [&] { DragDivider(controlHeader, lcHost.m_hWnd); }, 200.0, 3);
  if (view->GetHeaderCtrl()->GetItemWidth(0) != kColumnWidth ||
      controlHeader->GetItemWidth(0) != kColumnWidth) {
    printf("columns: the divider drags did not come back: %d and %d\n",
           view->GetHeaderCtrl()->GetItemWidth(0), controlHeader->GetItemWidth(0));
    return;
  }
  bench::Report("columns: 100 divider steps, each repainted", drag.ours, drag.bare);
  printf("columns: %d rows on screen, %d panels made, %d rows built by the drags\n",
         view->GetVisibleCount(), adapter->panelsMade, adapter->getViewCalls - builtBefore);
  view->SetAdapter(nullptr);
}

}  // namespace bench_views
