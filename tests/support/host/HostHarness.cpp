#include "HostHarness.h"

#include <cstdlib>

#include "core/SMessageLoop.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

LPARAM PointParam(POINT pt) { return MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)); }

LPARAM KeyParam(UINT vk, bool up) {
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  LPARAM lParam = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
  if (up) lParam |= (1u << 30) | (1u << 31);
  return lParam;
}

}  // namespace

// ---- HostHarness -------------------------------------------------------------------------

HostHarness::HostHarness(bool systemResources)
    : render(1, 1), app(render.Factory(), GetModuleHandleW(nullptr), L"SwuiHostHarness") {
  if (systemResources) LoadSystemResources(app);
}

HostHarness::~HostHarness() {
  host.reset();
  Drain();
  sawQuit_ = false;
  SXmlMark::ClearMarks(doc_);
  if (printDC_ != nullptr) {
    SelectObject(printDC_, printOld_);
    DeleteObject(printBitmap_);
    DeleteDC(printDC_);
  }
}

DebugOutputCapture& HostHarness::CaptureLog() {
  if (log_ == nullptr) log_.reset(new DebugOutputCapture());
  return *log_;
}

TestHostWnd& HostHarness::Open(const wchar_t* layoutXml, const HostOptions& options) {
  REQUIRE(doc_.load_string(layoutXml));
  pugi::xml_node layout = doc_.child(L"SWUI");
  REQUIRE_MESSAGE(layout, "the layout text has no SWUI element");
  host.reset(new TestHostWnd());
  REQUIRE(host->CreateEx(nullptr, options.style, options.exStyle, options.pos.x, options.pos.y, 1,
                         1) != nullptr);
  REQUIRE(host->InitFromXml(layout, options.width, options.height));
  if (options.show) {
    SetWindowPos(host->m_hWnd, HWND_TOP, options.pos.x, options.pos.y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  Drain();
  Paint();
  return *host;
}

void HostHarness::Close() {
  if (host != nullptr && host->m_hWnd != nullptr) host->DestroyWindow();
  Drain();
}

SWindow* HostHarness::Find(LPCWSTR name) const {
  REQUIRE(host != nullptr);
  SWindow* found = host->GetRoot()->FindChildByName(name);
  REQUIRE_MESSAGE(found != nullptr, "no element of that name");
  return found;
}

POINT HostHarness::CenterOf(LPCWSTR name) const {
  const RECT rc = RectOf(name);
  return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

POINT HostHarness::ToScreen(POINT client) const {
  ClientToScreen(Hwnd(), &client);
  return client;
}

// ---- pixels ------------------------------------------------------------------------------

bool HostHarness::NearRgb(DWORD a, DWORD b) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
        2) {
      return false;
    }
  }
  return true;
}

void HostHarness::Paint() {
  REQUIRE(host != nullptr);
  RECT rc;
  GetClientRect(Hwnd(), &rc);
  if (printDC_ == nullptr || printSize_.cx != rc.right || printSize_.cy != rc.bottom) {
    if (printDC_ != nullptr) {
      SelectObject(printDC_, printOld_);
      DeleteObject(printBitmap_);
      DeleteDC(printDC_);
    }
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = rc.right > 0 ? rc.right : 1;
    bmi.bmiHeader.biHeight = -(rc.bottom > 0 ? rc.bottom : 1);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    printDC_ = CreateCompatibleDC(nullptr);
    printBitmap_ = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    REQUIRE(printBitmap_ != nullptr);
    printOld_ = SelectObject(printDC_, printBitmap_);
    printBits_ = static_cast<DWORD*>(bits);
    printSize_ = SIZE{rc.right, rc.bottom};
  }
  SendMessageW(Hwnd(), WM_PRINT, reinterpret_cast<WPARAM>(printDC_), PRF_CLIENT);
  GdiFlush();
}

DWORD HostHarness::Pixel(int x, int y) const {
  REQUIRE(host != nullptr);
  REQUIRE(host->GetMemRenderTarget() != nullptr);
  return host->GetMemRenderTarget()->GetPixel(x, y);
}

DWORD HostHarness::PrintedRgb(int x, int y) const {
  REQUIRE(printBits_ != nullptr);
  REQUIRE(x >= 0);
  REQUIRE(y >= 0);
  REQUIRE(x < printSize_.cx);
  REQUIRE(y < printSize_.cy);
  return printBits_[y * printSize_.cx + x] & 0xFFFFFF;
}

int HostHarness::CountRgb(const RECT& rc, DWORD rgb) const {
  REQUIRE(host != nullptr);
  IRenderTarget* rt = host->GetMemRenderTarget();
  REQUIRE(rt != nullptr);
  int count = 0;
  for (int y = rc.top; y < rc.bottom; ++y) {
    for (int x = rc.left; x < rc.right; ++x) {
      if ((rt->GetPixel(x, y) & 0xFFFFFF) == rgb) ++count;
    }
  }
  return count;
}

int HostHarness::CountUnshown(SHostWnd& other, const RECT& rc) {
  IRenderTarget* rt = other.GetMemRenderTarget();
  REQUIRE(rt != nullptr);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  REQUIRE(width > 0);
  REQUIRE(height > 0);
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  HDC window = GetDC(other.m_hWnd);
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(window, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(window);
  HGDIOBJ old = SelectObject(dc, bmp);
  BitBlt(dc, 0, 0, width, height, window, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  int count = 0;
  const auto* shown = static_cast<const DWORD*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      count += ((rt->GetPixel(rc.left + x, rc.top + y) ^ shown[y * width + x]) & 0xFFFFFF) != 0;
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bmp);
  ReleaseDC(other.m_hWnd, window);
  return count;
}

bool HostHarness::SavePng(const std::wstring& name, int zoom) const {
  return host != nullptr && SavePng(*host, name, zoom);
}

namespace {

// The host's memory target brought up to date (what is invalid is painted, and printed into a
// scratch DC), as the bitmap to save; null without one.
IBitmap* PaintedSurface(SHostWnd& other) {
  if (other.m_hWnd == nullptr) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 1, 1);
  HGDIOBJ old = SelectObject(dc, bmp);
  SendMessageW(other.m_hWnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  IRenderTarget* rt = other.GetMemRenderTarget();
  return rt != nullptr ? static_cast<IBitmap*>(rt->GetCurrentObject(OT_BITMAP)) : nullptr;
}

}  // namespace

bool HostHarness::SavePng(SHostWnd& other, const std::wstring& name, int zoom) {
  IBitmap* surface = PaintedSurface(other);
  return surface != nullptr && RenderRig::SavePng(surface, name, zoom);
}

bool HostHarness::SavePngFile(SHostWnd& other, const std::wstring& path, int zoom) {
  IBitmap* surface = PaintedSurface(other);
  return surface != nullptr && RenderRig::SavePngFile(surface, path, zoom);
}

// ---- input -------------------------------------------------------------------------------

void HostHarness::Post(UINT msg, WPARAM wParam, LPARAM lParam) {
  REQUIRE(PostMessageW(Hwnd(), msg, wParam, lParam));
  Drain();
}

void HostHarness::PutCursor(POINT client) {
  const POINT screen = ToScreen(client);
  SetCursorPos(screen.x, screen.y);
  // The move the system makes of it carries no button state: the posted input stands alone.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
  }
}

void HostHarness::MouseMove(POINT pt, WPARAM keys) {
  PutCursor(pt);
  Post(WM_MOUSEMOVE, keys, PointParam(pt));
}

void HostHarness::MouseDown(POINT pt, UINT msg) {
  PutCursor(pt);
  const WPARAM keys = msg == WM_RBUTTONDOWN   ? MK_RBUTTON
                      : msg == WM_MBUTTONDOWN ? MK_MBUTTON
                                              : MK_LBUTTON;
  Post(msg, keys, PointParam(pt));
}

void HostHarness::MouseUp(POINT pt, UINT msg) {
  PutCursor(pt);
  Post(msg, 0, PointParam(pt));
}

void HostHarness::Click(POINT pt) {
  MouseMove(pt);
  MouseDown(pt, WM_LBUTTONDOWN);
  MouseUp(pt, WM_LBUTTONUP);
}

void HostHarness::RClick(POINT pt) {
  MouseMove(pt);
  MouseDown(pt, WM_RBUTTONDOWN);
  MouseUp(pt, WM_RBUTTONUP);
}

void HostHarness::Wheel(POINT pt, int delta, UINT msg) {
  PutCursor(pt);
  const POINT screen = ToScreen(pt);
  Post(msg, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), PointParam(screen));
}

void HostHarness::MouseLeave() {
  RECT rc;
  GetWindowRect(Hwnd(), &rc);
  SetCursorPos(rc.right + 50, rc.bottom + 50);
  Post(WM_MOUSELEAVE, 0, 0);
}

void HostHarness::KeyDown(UINT vk) { Post(WM_KEYDOWN, vk, KeyParam(vk, false)); }

void HostHarness::KeyUp(UINT vk) { Post(WM_KEYUP, vk, KeyParam(vk, true)); }

void HostHarness::Key(UINT vk) {
  KeyDown(vk);
  KeyUp(vk);
}

void HostHarness::Char(WCHAR ch) { Post(WM_CHAR, ch, 1); }

void HostHarness::SysChar(WCHAR ch) {
  HeldKeys alt({VK_MENU});
  Post(WM_SYSCHAR, ch, 1 | (1u << 29));
}

void HostHarness::SysKeyDown(UINT vk) {
  HeldKeys alt({VK_MENU});
  Post(WM_SYSKEYDOWN, vk, KeyParam(vk, false) | (1u << 29));
}

// ---- timers, frames, messages ------------------------------------------------------------

void HostHarness::ElementTimer(SWindow* wnd, UINT id) {
  REQUIRE(wnd != nullptr);
  SendMessageW(Hwnd(), WM_TIMER, SwndTimerId::Make(wnd->GetSwnd(), id), 0);
  Drain();
}

void HostHarness::Frames(int count) {
  const UINT_PTR id = SwndTimerId::Make(Root()->GetSwnd(), SHostWnd::kTimerNextFrame);
  for (int i = 0; i < count; ++i) SendMessageW(Hwnd(), WM_TIMER, id, 0);
  Drain();
}

void HostHarness::Drain() {
  SMessageLoop* loop = app.GetMsgLoop();
  MSG msg;
  // Bounded: a window that keeps invalidating itself must not hang a test.
  for (int i = 0; i < 10000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (msg.message == WM_QUIT) {
      sawQuit_ = true;
      quitCode_ = static_cast<int>(msg.wParam);
      continue;
    }
    if (heldTimers && msg.message == WM_TIMER && host != nullptr && msg.hwnd == host->m_hWnd &&
        SwndTimerId::IsElementTimer(msg.wParam)) {
      continue;
    }
    if (loop != nullptr && loop->PreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool HostHarness::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD spent = GetTickCount() - start;
    if (spent >= timeoutMs) return done();
    Drain();
    if (done()) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - spent, QS_ALLINPUT);
  }
  return true;
}
