// What the tree benchmarks share: the texts of a tree of parents with children, the platform's
// tree-view control filled with them (painted by WM_PRINTCLIENT into a memory DC), the same
// items in a tree control (STreeCtrl), best-of rounds with an untimed setup, and a count of the
// dark (text) pixels of a paint.
#pragma once
#include <commctrl.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "IRenderTarget.h"
#include "control/STreeCtrl.h"

namespace bench {

struct TreeTexts {
  std::vector<std::wstring> parents;
  std::vector<std::wstring> children;  // the same for every parent

  TreeTexts(int parentCount, int childCount) {
    for (int i = 0; i < parentCount; ++i) parents.push_back(L"Parent " + std::to_wstring(i));
    for (int j = 0; j < childCount; ++j) children.push_back(L"Child item " + std::to_wstring(j));
  }
};

// The platform's tree-view of a given size, and a memory DC it prints its client area into.
// It stays hidden, as the framework's trees paint nothing until asked: a shown one repaints
// while it fills (under Wine that took 80 s for 10,100 items).
class NativeTree {
 public:
  NativeTree(int width, int height) : width_(width), height_(height) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    if (!InitCommonControlsEx(&icc)) return;
    hwnd_ = CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0,
                            width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dc_ != nullptr && bitmap_ != nullptr) old_ = SelectObject(dc_, bitmap_);
  }
  ~NativeTree() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  }
  NativeTree(const NativeTree&) = delete;
  NativeTree& operator=(const NativeTree&) = delete;

  bool Ready() const { return hwnd_ != nullptr && old_ != nullptr; }

  void Clear() {
    SendMessageW(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    parents_.clear();
  }
  // Every parent expanded.
  void Fill(const TreeTexts& texts) {
    for (const std::wstring& parent : texts.parents) {
      HTREEITEM h = Insert(TVI_ROOT, parent);
      parents_.push_back(h);
      for (const std::wstring& child : texts.children) Insert(h, child);
    }
  }
  void ExpandAll(UINT code) {
    for (HTREEITEM h : parents_) {
      SendMessageW(hwnd_, TVM_EXPAND, code, reinterpret_cast<LPARAM>(h));
    }
  }
  void Paint() {
    const RECT all = {0, 0, width_, height_};
    FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SendMessageW(hwnd_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT | PRF_ERASEBKGND);
  }
  void Scroll(UINT code) { SendMessageW(hwnd_, WM_VSCROLL, MAKEWPARAM(code, 0), 0); }
  int ScrollPos() const { return GetScrollPos(hwnd_, SB_VERT); }
  int VisibleRows() const { return static_cast<int>(SendMessageW(hwnd_, TVM_GETCOUNT, 0, 0)); }

 private:
  HTREEITEM Insert(HTREEITEM parent, const std::wstring& text) {
    TVINSERTSTRUCTW is = {};
    is.hParent = parent;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_STATE;
    is.item.state = TVIS_EXPANDED;
    is.item.stateMask = TVIS_EXPANDED;
    is.item.pszText = const_cast<LPWSTR>(text.c_str());
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(hwnd_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&is)));
  }

  int width_;
  int height_;
  HWND hwnd_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::vector<HTREEITEM> parents_;
};

// The same items in a tree control.
struct TreeCtrlFill {
  SWUI::STreeCtrl* tree = nullptr;
  std::vector<SWUI::HSTREEITEM> parents;

  void Fill(const TreeTexts& texts) {
    parents.clear();
    for (const std::wstring& parent : texts.parents) {
      SWUI::HSTREEITEM h = tree->InsertItem(parent.c_str());
      parents.push_back(h);
      for (const std::wstring& child : texts.children) tree->InsertItem(child.c_str(), h);
    }
  }
  void ExpandAll(UINT code) {
    for (SWUI::HSTREEITEM h : parents) tree->Expand(h, code);
  }
};

// Best of `rounds` of an untimed setup followed by a timed body, ours and bare alternating.
template <class SetupOurs, class Ours, class SetupBare, class Bare>
Timing BestOfRounds(int rounds, SetupOurs setupOurs, Ours ours, SetupBare setupBare, Bare bare) {
  Timing best = {1e300, 1e300};
  for (int round = 0; round < rounds; ++round) {
    setupOurs();
    double start = NowMs();
    ours();
    best.ours = std::min(best.ours, NowMs() - start);
    setupBare();
    start = NowMs();
    bare();
    best.bare = std::min(best.bare, NowMs() - start);
  }
  return best;
}

// Pixels of text (or toggles) in a width x height paint.
inline int DarkPixels(SWUI::IRenderTarget* target, int width, int height) {
  int dark = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if ((target->GetPixel(x, y) & 0xFF) < 0x80) ++dark;
    }
  }
  return dark;
}

}  // namespace bench
