// Figures of the adapter list view, each beside a bare baseline run in the same process:
//
// - A list view of 100,000 rows of 20 px, 200 x 400, in a host window, against the system's
//   list-view control in virtual mode (report view, one column, 100,000 items whose texts come
//   from LVN_GETDISPINFO) painted by WM_PRINTCLIENT into a memory DC: setting the adapter
//   against setting the item count, one paint, 1,000 wheel steps (each repainted) against
//   1,000 scrolls by a row (each printed), and End against showing the last item. The panels
//   the view made and the rows it asked the adapter for are printed too.
// - The variable-height locator with 100,000 rows of mixed heights against a prefix-sum array
//   with binary search: every height set, then 100,000 random offsets of rows and rows at
//   offsets.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <pugixml.hpp>
#include <random>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchFactory.h"
#include "base/TObjRefImpl.h"
#include "control/ILvAdapter.h"
#include "control/SListView.h"
#include "control/SListViewItemLocatorFlex.h"
#include "core/SApplication.h"
#include "core/SHostWnd.h"

using namespace SWUI;

namespace {

constexpr int kRows = 100000;
constexpr int kSteps = 1000;
constexpr int kWidth = 200;
constexpr int kHeight = 400;
constexpr int kRounds = 3;
constexpr int kQueries = 100000;

void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// 100,000 rows of one text each; it counts what the view asks.
class BenchAdapter : public TObjRefImpl<ILvAdapter> {
 public:
  int getViewCalls = 0;
  int panelsMade = 0;

  void RegisterObserver(ILvDataSetObserver*) override {}
  void UnregisterObserver(ILvDataSetObserver*) override {}
  int GetCount() override { return kRows; }
  void GetView(int position, SWindow* pItem, pugi::xml_node xmlTemplate) override {
    ++getViewCalls;
    if (pItem->GetChildrenCount() == 0) {
      pItem->InitFromXml(xmlTemplate);
      ++panelsMade;
    }
    wchar_t text[32];
    swprintf(text, 32, L"Item number %d", position);
    pItem->GetChild(1)->SetWindowText(text);
  }
  int GetItemViewType(int, DWORD) override { return 0; }
  int GetViewTypeCount() override { return 1; }
  SIZE GetViewDesiredSize(int, SWindow*, LPCRECT rc) override { return SIZE{rc->right, 20}; }
  bool IsEmpty() override { return false; }
  ULONG_PTR GetItemData(int) override { return 0; }
  SStringW GetItemDesc(int) override { return SStringW(); }
  void InitByTemplate(pugi::xml_node) override {}
};

// ---- the system's list view in virtual mode ------------------------------------------------

LRESULT CALLBACK NativeParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NOTIFY) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
    if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT)) {
      swprintf(info->item.pszText, info->item.cchTextMax, L"Item number %d", info->item.iItem);
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

struct NativeList {
  HWND parent = nullptr;
  HWND list = nullptr;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;

  bool Make() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    if (!InitCommonControlsEx(&icc)) return false;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = NativeParentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BenchListViewParent";
    if (!RegisterClassW(&wc)) return false;
    parent = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 400, 50, kWidth, kHeight,
                             nullptr, nullptr, wc.hInstance, nullptr);
    if (parent == nullptr) return false;
    list = CreateWindowExW(0, WC_LISTVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER,
                           0, 0, kWidth, kHeight, parent, nullptr, wc.hInstance, nullptr);
    if (list == nullptr) return false;
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = kWidth;
    if (SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)) < 0) {
      return false;
    }
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    if (dc == nullptr || bitmap == nullptr) return false;
    old = SelectObject(dc, bitmap);
    ShowWindow(parent, SW_SHOWNOACTIVATE);
    return true;
  }
  ~NativeList() {
    if (dc != nullptr) {
      SelectObject(dc, old);
      DeleteDC(dc);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (parent != nullptr) DestroyWindow(parent);
  }
  void SetCount(int count) { SendMessageW(list, LVM_SETITEMCOUNT, count, 0); }
  void Print() {
    SendMessageW(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  }
  int TopIndex() { return static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0)); }
};

// ---- the list view ------------------------------------------------------------------------

void BenchList() {
  pugi::xml_document doc;
  SHostWnd host;
  if (!bench::OpenHost(host, doc,
                       L"<SWUI width='200' height='400'><root colorBkgnd='#ffffff'>"
                       L"<listview name='lv' pos='0,0,-0,-0'><template itemHeight='20'>"
                       L"<text name='t' pos='4,0,-0,-0' align='left'/></template></listview>"
                       L"</root></SWUI>")) {
    printf("the host could not be made\n");
    return;
  }
  auto* view = host.GetRoot()->FindChildByName2<SListView>(L"lv");
  NativeList native;
  if (view == nullptr || !native.Make()) {
    printf("the views could not be made\n");
    return;
  }
  Drain();
  SAutoRefPtr<BenchAdapter> adapter;
  adapter.Attach(new BenchAdapter());
  IRenderTarget* surface = host.GetMemRenderTarget();
  const auto repaint = [&] { ::UpdateWindow(host.m_hWnd); };

  double setOurs = 1e300;
  double setBare = 1e300;
  int madeBySet = 0;
  int askedBySet = 0;
  for (int round = 0; round < kRounds; ++round) {
    view->SetAdapter(nullptr);
    native.SetCount(0);
    madeBySet = adapter->panelsMade;
    askedBySet = adapter->getViewCalls;
    double start = bench::NowMs();
    view->SetAdapter(adapter);
    setOurs = std::min(setOurs, bench::NowMs() - start);
    madeBySet = adapter->panelsMade - madeBySet;
    askedBySet = adapter->getViewCalls - askedBySet;
    start = bench::NowMs();
    native.SetCount(kRows);
    setBare = std::min(setBare, bench::NowMs() - start);
  }
  repaint();
  bench::Report("set the adapter (100,000 rows)", setOurs, setBare);

  const bench::Timing paint = bench::BestOfAlternating(
      [&] { host.GetRoot()->RedrawRegion(surface, nullptr); }, [&] { native.Print(); }, 200.0);
  bench::Report("one paint (20 rows and the bar)", paint.ours, paint.bare);

  double wheelOurs = 1e300;
  double wheelBare = 1e300;
  const int panelsBefore = adapter->panelsMade;
  const int viewsBefore = adapter->getViewCalls;
  for (int round = 0; round < kRounds; ++round) {
    view->OnScroll(TRUE, SB_TOP, 0);
    SendMessageW(native.list, LVM_ENSUREVISIBLE, 0, FALSE);
    repaint();
    double start = bench::NowMs();
    for (int i = 0; i < kSteps; ++i) {
      view->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                         MAKELPARAM(50, 50));
      repaint();
    }
    wheelOurs = std::min(wheelOurs, bench::NowMs() - start);
    start = bench::NowMs();
    for (int i = 0; i < kSteps; ++i) {
      SendMessageW(native.list, LVM_SCROLL, 0, 20);
      native.Print();
    }
    wheelBare = std::min(wheelBare, bench::NowMs() - start);
  }
  if (view->GetScrollPos(TRUE) != kSteps * 20 || native.TopIndex() == 0) {
    printf("the wheel steps did not scroll: %d, top %d\n", view->GetScrollPos(TRUE),
           native.TopIndex());
    return;
  }
  bench::Report("1,000 wheel steps, each repainted", wheelOurs, wheelBare);
  const int wheelViews = (adapter->getViewCalls - viewsBefore) / kRounds;

  double endOurs = 1e300;
  double endBare = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    view->OnScroll(TRUE, SB_TOP, 0);
    SendMessageW(native.list, LVM_ENSUREVISIBLE, 0, FALSE);
    repaint();
    double start = bench::NowMs();
    view->SSendMessage(WM_KEYDOWN, VK_END);
    repaint();
    endOurs = std::min(endOurs, bench::NowMs() - start);
    start = bench::NowMs();
    SendMessageW(native.list, LVM_ENSUREVISIBLE, kRows - 1, FALSE);
    native.Print();
    endBare = std::min(endBare, bench::NowMs() - start);
  }
  bench::Report("End (to the last row)", endOurs, endBare);
  printf("panels made: %d by SetAdapter, %d more by all scrolling; rows asked for: %d by "
         "SetAdapter, %d per 1,000 wheel steps\n",
         madeBySet, adapter->panelsMade - panelsBefore, askedBySet, wheelViews);
  view->SetAdapter(nullptr);
}

// ---- the flexible locator ------------------------------------------------------------------

class CountOnly : public BenchAdapter {};

void BenchFlex() {
  std::mt19937 random(28);
  std::uniform_int_distribution<int> height(10, 60);
  std::vector<int> heights(kRows);
  for (int& h : heights) h = height(random);
  std::uniform_int_distribution<int> row(0, kRows - 1);
  std::vector<int> rows(kQueries);
  for (int& r : rows) r = row(random);

  SAutoRefPtr<CountOnly> adapter;
  adapter.Attach(new CountOnly());
  SAutoRefPtr<SListViewItemLocatorFlex> locator;
  locator.Attach(new SListViewItemLocatorFlex(SLayoutSize(30, px), SLayoutSize(0, px)));
  std::vector<int> tops(kRows + 1);

  const bench::Timing set = bench::BestOfAlternating(
      [&] {
        locator->SetAdapter(adapter);
        for (int i = 0; i < kRows; ++i) locator->SetItemHeight(i, heights[i]);
      },
      [&] {
        for (int i = 0; i < kRows; ++i) tops[i + 1] = tops[i] + heights[i];
      },
      300.0);
  bench::Report("flex: set 100,000 heights", set.ours, set.bare);
  const int total = locator->GetTotalHeight();
  if (total != tops[kRows]) {
    printf("the totals differ: %d and %d\n", total, tops[kRows]);
    return;
  }
  std::uniform_int_distribution<int> offset(0, total - 1);
  std::vector<int> offsets(kQueries);
  for (int& y : offsets) y = offset(random);

  long long sinkOurs = 0;
  long long sinkBare = 0;
  const bench::Timing toOffset = bench::BestOfAlternating(
      [&] {
        for (int r : rows) sinkOurs += locator->Item2Position(r);
      },
      [&] {
        for (int r : rows) sinkBare += tops[r];
      },
      300.0);
  bench::Report("flex: 100,000 random Item2Position", toOffset.ours, toOffset.bare);
  const bench::Timing toRow = bench::BestOfAlternating(
      [&] {
        for (int y : offsets) sinkOurs += locator->Position2Item(y);
      },
      [&] {
        // The first row whose bottom is at or below y: a boundary belongs to the upper row.
        for (int y : offsets) {
          sinkBare += std::max<long long>(
              std::lower_bound(tops.begin() + 1, tops.end(), y) - tops.begin() - 1, 0);
        }
      },
      300.0);
  bench::Report("flex: 100,000 random Position2Item", toRow.ours, toRow.bare);
  if (sinkOurs == 0 || sinkBare == 0) printf("nothing was read\n");
}

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  SApplication app(factory, GetModuleHandleW(nullptr));
  if (!bench::LoadBuiltInResources(app, true)) return 1;
  BenchList();
  BenchFlex();
  return 0;
}
