// Figures of the host window, each beside a bare baseline run in the same process: start to
// first paint of a host built from a layout of 200 elements against a bare window created,
// painted once and closed (the goal is a ratio of at most 1.5); a full repaint and push of a
// 1024 x 768 host against one BitBlt of the same surface; mouse moves routed across a tree of
// 200 elements against moves a bare window procedure takes.
#include <windows.h>

#include <cstdio>
#include <pugixml.hpp>
#include <string>

#include "BenchClock.h"
#include "IRenderFactory.h"
#include "RenderModule.h"
#include "core/SApplication.h"
#include "core/SHostWnd.h"
#include "base/SXmlMark.h"

using namespace SWUI;

namespace {

const wchar_t kBareClass[] = L"BenchBareHostWnd";

void Report(const char* what, double ours, double bare) {
  printf("%-46s ours %9.3f ms   bare %9.3f ms   ratio %7.2f\n", what, ours, bare,
         bare > 0 ? ours / bare : 0.0);
}

// 20 rows of 10 elements (200), each row a panel: with or without backgrounds.
std::wstring Layout(int width, int height, bool backgrounds) {
  std::wstring xml = L"<SWUI width='" + std::to_wstring(width) + L"' height='" +
                     std::to_wstring(height) + L"'><root" +
                     (backgrounds ? L" colorBkgnd='#ffffff'" : L"") + L">";
  const int rowHeight = height / 20;
  const int cellWidth = width / 10;
  for (int row = 0; row < 20; ++row) {
    xml += L"<window pos='0," + std::to_wstring(row * rowHeight) + L",-0,@" +
           std::to_wstring(rowHeight) + L"'>";
    for (int col = 1; col < 10; ++col) {
      xml += L"<window pos='" + std::to_wstring(col * cellWidth) + L",2,@" +
             std::to_wstring(cellWidth - 4) + L",-2'";
      if (backgrounds) xml += (col % 2) != 0 ? L" colorBkgnd='#4080c0'" : L" colorBkgnd='#c08040'";
      xml += L"/>";
    }
    xml += L"</window>";
  }
  return xml + L"</root></SWUI>";
}

LRESULT CALLBACK BareProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(hWnd, &ps);
    return 0;
  }
  if (msg == WM_MOUSEMOVE) return 0;
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

void RegisterBare() {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kBareClass;
  RegisterClassW(&wc);
}

// What a running program's loop would do between two runs.
void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A host built from layout text, shown and painted once.
SHostWnd* OpenHost(const std::wstring& layout, pugi::xml_document& doc) {
  doc.load_string(layout.c_str());
  auto* host = new SHostWnd();
  host->CreateEx(nullptr, WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 1, 1);
  host->InitFromXml(doc.child(L"SWUI"), 0, 0);
  ShowWindow(host->m_hWnd, SW_SHOWNOACTIVATE);
  UpdateWindow(host->m_hWnd);
  return host;
}

void CloseHost(SHostWnd* host, pugi::xml_document& doc) {
  delete host;
  SXmlMark::ClearMarks(doc);
}

void StartToFirstPaint(bool backgrounds) {
  const std::wstring layout = Layout(400, 300, backgrounds);
  const bench::Timing t = bench::BestOfAlternating(
      [&] {
        pugi::xml_document doc;
        CloseHost(OpenHost(layout, doc), doc);
        Drain();
      },
      [] {
        HWND hWnd = CreateWindowExW(0, kBareClass, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        ShowWindow(hWnd, SW_SHOWNOACTIVATE);
        UpdateWindow(hWnd);
        DestroyWindow(hWnd);
        Drain();
      },
      400.0);
  Report(backgrounds ? "start to first paint, 200 elements" : "  the same without backgrounds",
         t.ours, t.bare);
}

void FullRepaint(bool backgrounds) {
  pugi::xml_document doc;
  SHostWnd* host = OpenHost(Layout(1024, 768, backgrounds), doc);
  const RECT all = {0, 0, 1024, 768};
  HDC screen = GetDC(host->m_hWnd);
  HDC src = host->GetMemRenderTarget()->GetDC(0);
  const bench::Timing t = bench::BestOfAlternating(
      [&] {
        host->OnRedraw(all);
        UpdateWindow(host->m_hWnd);
      },
      [&] { BitBlt(screen, 0, 0, 1024, 768, src, 0, 0, SRCCOPY); }, 400.0);
  host->GetMemRenderTarget()->ReleaseDC(src);
  ReleaseDC(host->m_hWnd, screen);
  Report(backgrounds ? "full repaint and push, 1024 x 768" : "  the same without backgrounds",
         t.ours, t.bare);
  CloseHost(host, doc);
}

void MouseRouting() {
  pugi::xml_document doc;
  SHostWnd* host = OpenHost(Layout(400, 300, false), doc);
  HWND bare = CreateWindowExW(0, kBareClass, L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  int step = 0;
  // A point sweeping the window: a new element under it on most moves.
  auto next = [&step] {
    step = (step + 37) % (400 * 300);
    return MAKELPARAM(step % 400, (step / 400) % 300);
  };
  const bench::Timing t =
      bench::BestOfAlternating([&] { SendMessageW(host->m_hWnd, WM_MOUSEMOVE, 0, next()); },
                               [&] { SendMessageW(bare, WM_MOUSEMOVE, 0, next()); }, 400.0);
  printf("%-46s ours %9.0f /s   bare %9.0f /s   ratio %7.2f\n", "mouse moves routed, 200 elements",
         1000.0 / t.ours, 1000.0 / t.bare, t.ours / t.bare);
  DestroyWindow(bare);
  CloseHost(host, doc);
}

}  // namespace

int main() {
  IObjRef* obj = nullptr;
  if (!CreateRenderFactory_GDI(&obj) || obj == nullptr) return 1;
  auto* factory = static_cast<IRenderFactory*>(obj);
  {
    SApplication app(factory, GetModuleHandleW(nullptr), L"BenchHostWnd");
    RegisterBare();
    StartToFirstPaint(true);
    StartToFirstPaint(false);
    FullRepaint(true);
    FullRepaint(false);
    MouseRouting();
  }
  factory->Release();
  return 0;
}
