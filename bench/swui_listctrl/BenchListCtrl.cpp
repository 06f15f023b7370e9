// Figures of a report list control of 10,000 rows x 4 columns of 90 px (400 x 400, rows 20
// high), each beside a baseline run in the same process: filling it against filling the
// system's report list view (LVS_REPORT) of the same size and columns; one paint of the tree
// (header, 19 rows, the bar) against printing the list view's client area into a memory DC
// (WM_PRINTCLIENT); 1,000 wheel steps of one row, each repainting the list through the host,
// against scrolling the list view by one row and printing it 1,000 times; 1,000 steps of a
// header divider drag (the event, the list's bars and the repaint) against 1,000 bare moves of
// the header element, and against the same moves each followed by the host's repaint.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchFactory.h"
#include "SurfaceHost.h"
#include "control/SHeaderCtrl.h"
#include "control/SListCtrl.h"
#include "core/SApplication.h"
#include "core/SWindow.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

constexpr int kRows = 10000;
constexpr int kColumns = 4;
constexpr int kColumnWidth = 90;
constexpr int kSteps = 1000;
constexpr int kFillRounds = 3;
constexpr int kWheelRounds = 3;
constexpr int kSize = 400;
constexpr int kRowHeight = 20;

void Report(const char* what, double ours, double bare) {
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %6.2f\n", what, ours, bare,
         bare > 0 ? ours / bare : 0.0);
}

std::wstring CellText(int row, int column) {
  return L"Row " + std::to_wstring(row) + L" cell " + std::to_wstring(column);
}

// The element tree: a list filling the surface, scrolled a row per wheel step.
struct Ours {
  bench::SurfaceHost host;
  pugi::xml_document doc;
  SWindow* root = nullptr;
  SListCtrl* list = nullptr;
  SHeaderCtrl* header = nullptr;

  explicit Ours(IRenderTarget* target) : host(target) {
    doc.load_string(
        L"<root><listctrl name='l' pos='0,0,-0,-0' scrollSpeed='20'>"
        L"<header name='h'/></listctrl></root>");
    root = new SWindow();
    root->SetContainer(&host);
    host.SetRoot(root);
    root->InitFromXml(doc.first_child());
    root->OnRelayout(RECT{0, 0, kSize, kSize});
    list = dynamic_cast<SListCtrl*>(root->FindChildByName(L"l"));
    header = dynamic_cast<SHeaderCtrl*>(root->FindChildByName(L"h"));
    if (list == nullptr) return;
    for (int c = 0; c < kColumns; ++c) list->InsertColumn(c, L"Column", kColumnWidth);
  }
  ~Ours() {
    root->DestroyWindow();
    SXmlMark::ClearMarks(doc);
  }
  Ours(const Ours&) = delete;
  Ours& operator=(const Ours&) = delete;

  void Fill() {
    for (int r = 0; r < kRows; ++r) {
      list->InsertItem(-1, CellText(r, 0).c_str());
      for (int c = 1; c < kColumns; ++c) list->SetSubItemText(r, c, CellText(r, c).c_str());
    }
  }
};

// The system's report list view in a hidden window, printed into a 32-bit memory DC.
struct Native {
  HWND parent = nullptr;
  HWND view = nullptr;
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  int rowHeight = 0;

  Native() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    if (!InitCommonControlsEx(&icc)) return;
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, kSize, kSize, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (parent == nullptr) return;
    view = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, kSize,
                           kSize, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (view == nullptr) return;
    for (int c = 0; c < kColumns; ++c) {
      wchar_t title[] = L"Column";
      LVCOLUMNW column = {};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = kColumnWidth;
      column.pszText = title;
      SendMessageW(view, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = kSize;
    bmi.bmiHeader.biHeight = -kSize;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc != nullptr && bitmap != nullptr) old = SelectObject(dc, bitmap);
  }
  ~Native() {
    if (old != nullptr) SelectObject(dc, old);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (dc != nullptr) DeleteDC(dc);
    if (parent != nullptr) DestroyWindow(parent);
  }
  Native(const Native&) = delete;
  Native& operator=(const Native&) = delete;

  bool Ready() const { return view != nullptr && old != nullptr; }

  void Fill() {
    for (int r = 0; r < kRows; ++r) {
      std::wstring text = CellText(r, 0);
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.iItem = r;
      item.pszText = &text[0];
      SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
      for (int c = 1; c < kColumns; ++c) {
        text = CellText(r, c);
        item.iSubItem = c;
        item.pszText = &text[0];
        SendMessageW(view, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
      }
    }
    RECT rc = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(view, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
    rowHeight = rc.bottom - rc.top;
  }
  void Print() {
    SendMessageW(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  }
  int TopIndex() const { return static_cast<int>(SendMessageW(view, LVM_GETTOPINDEX, 0, 0)); }
};

}  // namespace

int main() {
  SAutoRefPtr<IRenderFactory> factory = bench::GdiRenderFactory();
  if (factory == nullptr) return 1;
  SApplication app(factory, GetModuleHandleW(nullptr));
  if (!bench::LoadBuiltInResources(app, true)) return 1;
  IRenderTarget* made = nullptr;
  factory->CreateRenderTarget(&made, kSize, kSize);
  SAutoRefPtr<IRenderTarget> target;
  target.Attach(made);
  if (target == nullptr) return 1;

  Ours ours(target);
  Native native;
  if (ours.list == nullptr || ours.header == nullptr || !ours.host.Ready() || !native.Ready()) {
    printf("the list control or the system's list view could not be made\n");
    return 1;
  }

  // Fill.
  double fillOurs = 1e300;
  double fillBare = 1e300;
  for (int round = 0; round < kFillRounds; ++round) {
    ours.list->DeleteAllItems();
    ours.host.UpdateWindow();
    double start = bench::NowMs();
    ours.Fill();
    fillOurs = std::min(fillOurs, bench::NowMs() - start);
    SendMessageW(native.view, LVM_DELETEALLITEMS, 0, 0);
    start = bench::NowMs();
    native.Fill();
    fillBare = std::min(fillBare, bench::NowMs() - start);
  }
  ours.host.UpdateWindow();
  Report("fill 10,000 rows x 4 columns", fillOurs, fillBare);

  // One paint.
  const bench::Timing paint = bench::BestOfAlternating(
      [&] { ours.root->RedrawRegion(target, nullptr); }, [&] { native.Print(); }, 150.0);
  Report("one paint (header, rows, bar)", paint.ours, paint.bare);

  // 1,000 wheel steps of one row each, painted every step.
  double wheelOurs = 1e300;
  double wheelBare = 1e300;
  for (int round = 0; round < kWheelRounds; ++round) {
    ours.list->OnScroll(TRUE, SB_TOP, 0);
    ours.host.UpdateWindow();
    double start = bench::NowMs();
    for (int i = 0; i < kSteps; ++i) {
      ours.list->SSendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                              MAKELPARAM(50, 50));
    }
    ours.host.UpdateWindow();
    wheelOurs = std::min(wheelOurs, bench::NowMs() - start);
    SendMessageW(native.view, LVM_ENSUREVISIBLE, 0, FALSE);
    start = bench::NowMs();
    for (int i = 0; i < kSteps; ++i) {
      SendMessageW(native.view, LVM_SCROLL, 0, native.rowHeight);
      native.Print();
    }
    wheelBare = std::min(wheelBare, bench::NowMs() - start);
  }
  if (ours.list->GetScrollOrigin().y != kSteps * kRowHeight || native.TopIndex() != kSteps) {
    printf("wheel steps did not scroll: origin %ld, top row %d\n", ours.list->GetScrollOrigin().y,
           native.TopIndex());
    return 1;
  }
  Report("1,000 wheel steps", wheelOurs, wheelBare);

  // 1,000 divider steps of the first column, against 1,000 bare moves of the header.
  const RECT rcHeader = ours.header->GetWindowRect();
  const int divider = rcHeader.left + kColumnWidth - 2;
  const int y = (rcHeader.top + rcHeader.bottom) / 2;
  auto dragDivider = [&] {
    ours.header->SSendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(divider, y));
    for (int i = 0; i < kSteps; ++i) {
      ours.header->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(divider + (i % 40) - 20, y));
    }
    ours.header->SSendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(divider, y));
    ours.header->SSendMessage(WM_LBUTTONUP, 0, MAKELPARAM(divider, y));
  };
  auto moveHeader = [&](bool repaint) {
    RECT rc = rcHeader;
    for (int i = 0; i < kSteps; ++i) {
      rc.right = rcHeader.right + (i % 40) - 20;
      ours.header->Move(&rc);
      if (repaint) ours.host.UpdateWindow();
    }
    ours.header->Move(&rcHeader);
  };
  const bench::Timing divide = bench::BestOfAlternating(
      dragDivider, [&] { moveHeader(false); }, 150.0, 3);
  if (ours.header->GetItemWidth(0) != kColumnWidth) {
    printf("the divider drag did not come back: width %d\n", ours.header->GetItemWidth(0));
    return 1;
  }
  Report("1,000 header divider steps", divide.ours, divide.bare);
  // The same moves with the host's repaint after each, as every divider step has.
  const bench::Timing repainted = bench::BestOfAlternating(
      dragDivider, [&] { moveHeader(true); }, 150.0, 3);
  Report("  against moves repainted each", repainted.ours, repainted.bare);
  return 0;
}
