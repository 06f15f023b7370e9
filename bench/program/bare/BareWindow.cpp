// The bare baseline of the program's start: a small stripped executable that imports the same
// DLLs as tevaro.exe (the loader maps and initialises each of them), then creates, shows and
// paints one window of the program's size and ends when it is closed. bench_program starts it
// beside tevaro.exe.
#include <windows.h>
// After windows.h, which they need.
#include <commdlg.h>
#include <gdiplus.h>
#include <imm.h>
#include <objbase.h>
#include <oleauto.h>
#include <setupapi.h>
// The HID headers declare C functions without saying so.
extern "C" {
#include <hidsdi.h>
}
#include <shellapi.h>
#include <shlwapi.h>

namespace {

const wchar_t kBareClass[] = L"BenchProgramBareWnd";

// One function of each DLL the program imports, referenced so that the linker keeps the
// import; none is called.
const void* const volatile kImports[] = {
    reinterpret_cast<const void*>(&RegCloseKey),
    reinterpret_cast<const void*>(&CommDlgExtendedError),
    reinterpret_cast<const void*>(&GetStockObject),
    reinterpret_cast<const void*>(&Gdiplus::GdiplusShutdown),
    reinterpret_cast<const void*>(&HidD_GetHidGuid),
    reinterpret_cast<const void*>(&ImmGetContext),
    reinterpret_cast<const void*>(&AlphaBlend),
    reinterpret_cast<const void*>(&CoTaskMemFree),
    reinterpret_cast<const void*>(&SysFreeString),
    reinterpret_cast<const void*>(&SetupDiDestroyDeviceInfoList),
    reinterpret_cast<const void*>(&Shell_NotifyIconW),
    reinterpret_cast<const void*>(&PathFileExistsW),
};

LRESULT CALLBACK BareProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hWnd, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    EndPaint(hWnd, &ps);
    return 0;
  }
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hWnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (kImports[0] == nullptr) return 2;
  WNDCLASSW wc = {};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = instance;
  wc.lpszClassName = kBareClass;
  if (RegisterClassW(&wc) == 0) return 1;
  HWND wnd = CreateWindowExW(0, kBareClass, L"bare", WS_POPUP, 0, 0, 1100, 700, nullptr, nullptr,
                             instance, nullptr);
  if (wnd == nullptr) return 1;
  ShowWindow(wnd, SW_SHOWNORMAL);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
