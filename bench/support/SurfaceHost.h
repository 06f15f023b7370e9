// A host window's part for element benchmarks that paint: its memory surface is lent out as it
// is, and the repaints the elements ask for (of themselves, or of an area of the host) wait
// until the tree asks the host to update, as a host window's invalid region waits for its
// paint. The capture is recorded, so elements that drag with the mouse work as in a host.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

#include "BenchContainer.h"
#include "core/SWindow.h"

namespace bench {

class SurfaceHost : public BenchContainer {
 public:
  explicit SurfaceHost(SWUI::IRenderTarget* surface) : surface_(surface) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SwuiBenchSurfaceHost";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~SurfaceHost() { DestroyWindow(hwnd_); }
  SurfaceHost(const SurfaceHost&) = delete;
  SurfaceHost& operator=(const SurfaceHost&) = delete;

  bool Ready() const { return hwnd_ != nullptr; }

  HWND GetHostHwnd() override { return hwnd_; }
  SWUI::IRenderTarget* OnGetRenderTarget(const RECT&, DWORD) override {
    surface_->AddRef();
    return surface_;
  }
  void OnReleaseRenderTarget(SWUI::IRenderTarget* pRT, const RECT&, DWORD) override {
    pRT->Release();
  }
  // Elements that repaint themselves alone posted UM_UPDATESWND; then what blends with the
  // area below is repainted from the root.
  BOOL UpdateWindow() override {
    std::vector<SWUI::SwndHandle> pending;
    pending.swap(pending_);
    for (SWUI::SwndHandle swnd : pending) {
      if (SWUI::SWindow* wnd = SWUI::SWindow::GetSwndFromHandle(swnd)) wnd->Update();
    }
    RepaintDirty(surface_);
    return TRUE;
  }
  SWUI::SwndHandle OnGetSwndCapture() const override { return capture_; }
  SWUI::SwndHandle OnSetSwndCapture(SWUI::SwndHandle swnd) override {
    const SWUI::SwndHandle old = capture_;
    capture_ = swnd;
    return old;
  }
  BOOL OnReleaseSwndCapture() override {
    capture_ = 0;
    return TRUE;
  }
  // No timeline drives this host's elements.
  BOOL RegisterTimelineHandler(SWUI::ITimelineHandler*) override { return FALSE; }
  BOOL UnregisterTimelineHandler(SWUI::ITimelineHandler*) override { return FALSE; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SurfaceHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && msg == SWUI::UM_UPDATESWND) {
      const auto swnd = static_cast<SWUI::SwndHandle>(wParam);
      auto& pending = self->pending_;
      if (std::find(pending.begin(), pending.end(), swnd) == pending.end()) pending.push_back(swnd);
      return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  SWUI::IRenderTarget* surface_;
  HWND hwnd_ = nullptr;
  std::vector<SWUI::SwndHandle> pending_;
  SWUI::SwndHandle capture_ = 0;
};

}  // namespace bench
