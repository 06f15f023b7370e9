// Figures of the tile view beside the list view, run in the same process: 100,000 items in a
// view of 200 x 400 each, the tiles 56 x 36 with a margin of 4 (three a row beside the bar, ten
// rows on screen), the list's rows 20 high: one paint, and 1,000 wheel steps each repainted.
// The panels each view made are printed too.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "BenchClock.h"
#include "BenchFactory.h"
#include "BenchViews.h"
#include "control/SListView.h"
#include "control/STileView.h"
#include "core/SHostWnd.h"

using namespace SWUI;

namespace bench_views {

namespace {

constexpr int kItems = 100000;
constexpr int kSteps = 1000;
constexpr int kRounds = 3;

// 1,000 wheel steps down from the top, each repainted; the best of the rounds.
double WheelSteps(SListView* view, HWND host) {
  double best = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    view->OnScroll(TRUE, SB_TOP, 0);
    ::UpdateWindow(host);
    const double start = bench::NowMs();
    for (int i = 0; i < kSteps; ++i) {
      view->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                         MAKELPARAM(50, 50));
      ::UpdateWindow(host);
    }
    best = std::min(best, bench::NowMs() - start);
  }
  return best;
}

}  // namespace

void BenchTiles() {
  pugi::xml_document tileDoc;
  pugi::xml_document listDoc;
  SHostWnd tileHost;
  SHostWnd listHost;
  if (!bench::OpenHost(tileHost, tileDoc,
                       L"<SWUI width='200' height='400'><root colorBkgnd='#ffffff'>"
                       L"<tileview name='tv' pos='0,0,-0,-0' marginSize='4'>"
                       L"<template itemWidth='56' itemHeight='36'>"
                       L"<text pos='2,0,-0,-0' align='left'/></template></tileview>"
                       L"</root></SWUI>") ||
      !bench::OpenHost(listHost, listDoc,
                       L"<SWUI width='200' height='400'><root colorBkgnd='#ffffff'>"
                       L"<listview name='lv' pos='0,0,-0,-0'><template itemHeight='20'>"
                       L"<text pos='4,0,-0,-0' align='left'/></template></listview>"
                       L"</root></SWUI>")) {
    printf("tiles: the hosts could not be made\n");
    return;
  }
  auto* tiles = tileHost.GetRoot()->FindChildByName2<STileView>(L"tv");
  auto* list = listHost.GetRoot()->FindChildByName2<SListView>(L"lv");
  if (tiles == nullptr || list == nullptr) {
    printf("tiles: the views could not be made\n");
    return;
  }
  Drain();
  SAutoRefPtr<ListAdapter> tileAdapter;
  tileAdapter.Attach(new ListAdapter(kItems, 1));
  SAutoRefPtr<ListAdapter> listAdapter;
  listAdapter.Attach(new ListAdapter(kItems, 1));
  if (!tiles->SetAdapter(tileAdapter) || !list->SetAdapter(listAdapter)) {
    printf("tiles: an adapter was refused\n");
    return;
  }
  ::UpdateWindow(tileHost.m_hWnd);
  ::UpdateWindow(listHost.m_hWnd);

  const bench::Timing paint = bench::BestOfAlternating(
      [&] { tileHost.GetRoot()->RedrawRegion(tileHost.GetMemRenderTarget(), nullptr); },
      [&] { listHost.GetRoot()->RedrawRegion(listHost.GetMemRenderTarget(), nullptr); },
      200.0);
  bench::Report("tiles: one paint, vs list view", paint.ours, paint.bare);
  const int onScreen = tiles->GetVisibleCount();

  const double wheelTiles = WheelSteps(tiles, tileHost.m_hWnd);
  const double wheelList = WheelSteps(list, listHost.m_hWnd);
  if (tiles->GetScrollPos(TRUE) == 0 || list->GetScrollPos(TRUE) == 0) {
    printf("tiles: the wheel steps did not scroll: %d and %d\n", tiles->GetScrollPos(TRUE),
           list->GetScrollPos(TRUE));
    return;
  }
  bench::Report("tiles: 1,000 wheel steps, each repainted", wheelTiles, wheelList);
  printf("tiles: %d per row, %d on screen, %d panels made; the list view made %d\n",
         tiles->GetTileLocator()->GetCountInRow(), onScreen, tileAdapter->panelsMade,
         listAdapter->panelsMade);
  tiles->SetAdapter(nullptr);
  list->SetAdapter(nullptr);
}

}  // namespace bench_views
