// Figures of the program, each beside a bare baseline:
// - process start to first paint of tevaro.exe against a bare Win32 program that creates,
//   shows and paints one window (bench_program_bare: small, stripped, with the program's DLL
//   imports), medians of 5 (goal: a ratio of at most 1.5), and in this process the start-up's
//   steps as a table;
// - the close of both, from WM_CLOSE to the end of the process, medians of the same 5 runs
//   (goal: at most 300 ms);
// - the same start and close with a config.ini of 600,000 sections (14.9 MiB) in the program's
//   data folder, medians of 3 (goals: under 2 s to the first paint, under 1 s to close); the
//   folder's own config.ini is put back afterwards;
// - a full repaint of the main window, of each page and of a 30 x 20 area, each against one
//   BitBlt of the window's surface (goals: at most 10x for a full repaint, 3x for the area);
// - each page switch with its repaint against a full repaint of the main window;
// - the images decoded by the first paint and after every page was shown, and what decoding
//   those through the project's own PNG decoder would save against GDI+;
// - private bytes and working set after start-up and after two rounds of the seven pages.
#include <windows.h>
// After windows.h, which they need.
#include <gdiplus.h>
#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "CApplication.h"
#include "IImgDecoderFactory.h"
#include "IRenderFactory.h"
#include "RecordingDecoders.h"
#include "RenderModule.h"
#include "CMainDlg.h"
#include "HidDevice/CDeviceController.h"
#include "control/STabCtrl.h"
#include "core/SApplication.h"
#include "core/SWindow.h"

namespace {

const wchar_t kBareClass[] = L"BenchProgramBareWnd";

// ---- start to first paint of another process ----------------------------------------------

struct Finder {
  const wchar_t* cls;
  DWORD pid;
  HWND found;
};

BOOL CALLBACK TakeWindow(HWND wnd, LPARAM param) {
  auto* f = reinterpret_cast<Finder*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(wnd, cls, 64);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != f->pid || wcscmp(cls, f->cls) != 0 || !IsWindowVisible(wnd)) return TRUE;
  if (GetWindow(wnd, GW_OWNER) != nullptr) return TRUE;
  f->found = wnd;
  return FALSE;
}

bool HasPainted(HWND wnd) {
  if (GetUpdateRect(wnd, nullptr, FALSE)) return false;
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result)) return false;
  return !GetUpdateRect(wnd, nullptr, FALSE);
}

struct RunTimes {
  double firstPaint = -1.0;  // CreateProcess to the first paint
  double close = -1.0;       // WM_CLOSE posted to the end of the process
};

// The times of one run of the process, whose window of the class is closed once it painted;
// negative when it did not paint within 60 s or did not end within 15 s of WM_CLOSE.
RunTimes StartPaintClose(const std::wstring& exe, const std::wstring& args, const wchar_t* cls) {
  RunTimes times;
  std::wstring line = L"\"" + exe + L"\" " + args;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  const double start = bench::NowMs();
  if (!CreateProcessW(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return times;
  }
  HWND wnd = nullptr;
  while (bench::NowMs() - start < 60000.0) {
    Finder f = {cls, pi.dwProcessId, nullptr};
    EnumWindows(TakeWindow, reinterpret_cast<LPARAM>(&f));
    if (f.found != nullptr && HasPainted(f.found)) {
      times.firstPaint = bench::NowMs() - start;
      wnd = f.found;
      break;
    }
    if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  const double closing = bench::NowMs();
  if (wnd != nullptr) PostMessageW(wnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 15000) == WAIT_OBJECT_0) {
    if (wnd != nullptr) times.close = bench::NowMs() - closing;
  } else {
    TerminateProcess(pi.hProcess, 1);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return times;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::wstring ModulePath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

std::wstring ModuleFolder() {
  const std::wstring path = ModulePath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

void Report(const char* what, double ours, double bare) {
  printf("%-44s ours %9.3f ms   bare %9.3f ms   ratio %7.2f\n", what, ours, bare,
         bare > 0 ? ours / bare : 0.0);
}

// Committed memory of the process's own allocations (MEM_PRIVATE), without the mapped images:
// the figure of the commit charge moves by tens of MiB between builds with how Wine maps the
// 40 MiB executable, whatever the program does.
SIZE_T PrivateAllocations() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION info;
  for (const BYTE* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
       at = static_cast<const BYTE*>(info.BaseAddress) + info.RegionSize) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    if (info.RegionSize == 0) break;
  }
  return total;
}

void ReportMemory(const char* when) {
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  pmc.cb = sizeof pmc;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                            sizeof pmc)) {
    printf("%-44s (memory figures unavailable)\n", when);
    return;
  }
  // Wine leaves PrivateUsage 0; the commit charge (PagefileUsage) is the same figure.
  const SIZE_T privateBytes = pmc.PrivateUsage != 0 ? pmc.PrivateUsage : pmc.PagefileUsage;
  printf("%-44s private %8.1f MiB   working set %8.1f MiB   allocations %8.1f MiB\n", when,
         privateBytes / 1048576.0, pmc.WorkingSetSize / 1048576.0,
         PrivateAllocations() / 1048576.0);
}

// The program's config.ini in this prefix.
std::wstring SettingsPath() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder))) return {};
  return std::wstring(folder) + L"\\" + CApplication::kDataFolderName + L"\\" +
         CApplication::kSettingsFileName;
}

// A config.ini of 600,000 sections as the program writes it, the program's own settings first.
std::string BigSettings() {
  std::string text = "[Config]\r\nLang = 1\r\ncolorIndex = 0\r\n";
  for (int i = 1; i < 600000; ++i) {
    char line[48];
    snprintf(line, sizeof line, "\r\n[s%d]\r\nk = v%06d\r\n", i, i);
    text += line;
  }
  return text;
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return ok && written == bytes.size();
}

void BigSettingsFigures(const std::wstring& tevaro, const std::vector<double>& barePaint,
                        const std::vector<double>& bareClose) {
  const std::wstring path = SettingsPath();
  if (path.empty()) return;
  const std::wstring kept = path + L".bench";
  const bool had = MoveFileExW(path.c_str(), kept.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
  std::vector<double> paint, close;
  const std::string big = BigSettings();
  for (int round = 0; round < 3 && WriteWhole(path, big); ++round) {
    const RunTimes ours = StartPaintClose(tevaro, L"", CApplication::kHostClassName);
    paint.push_back(ours.firstPaint);
    close.push_back(ours.close);
  }
  DeleteFileW(path.c_str());
  if (had) MoveFileExW(kept.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (paint.empty() || *std::min_element(paint.begin(), paint.end()) < 0 ||
      *std::min_element(close.begin(), close.end()) < 0) {
    printf("config.ini of 600,000 sections: a run did not paint or did not close\n");
    return;
  }
  Report("start to first paint, 600,000-section config", Median(paint), Median(barePaint));
  Report("WM_CLOSE to end, 600,000-section config", Median(close), Median(bareClose));
}

void StartupFigures() {
  const std::wstring bareExe = ModuleFolder() + L"bench_program_bare.exe";
  const std::wstring tevaro = ModuleFolder() + L"..\\..\\app\\tevaro.exe";
  std::vector<double> oursPaint, barePaint, oursClose, bareClose;
  for (int round = 0; round < 5; ++round) {
    const RunTimes ours = StartPaintClose(tevaro, L"", CApplication::kHostClassName);
    const RunTimes bare = StartPaintClose(bareExe, L"", kBareClass);
    oursPaint.push_back(ours.firstPaint);
    barePaint.push_back(bare.firstPaint);
    oursClose.push_back(ours.close);
    bareClose.push_back(bare.close);
  }
  auto failed = [](const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end()) < 0;
  };
  if (failed(oursPaint) || failed(barePaint)) {
    printf("start to first paint: a process did not paint within 60 s\n");
    return;
  }
  Report("process start to first paint (median of 5)", Median(oursPaint), Median(barePaint));
  if (failed(oursClose) || failed(bareClose)) {
    printf("close: a process did not end within 15 s of WM_CLOSE\n");
    return;
  }
  Report("WM_CLOSE to process end (median of 5)", Median(oursClose), Median(bareClose));
  BigSettingsFigures(tevaro, barePaint, bareClose);
}

// ---- images decoded ----------------------------------------------------------------------

// Milliseconds to decode every image once through the decoder module named, best of 5 rounds.
double DecodeAll(const wchar_t* module, const std::vector<std::vector<BYTE>>& images) {
  SWUI::IObjRef* obj = nullptr;
  if (!SWUI::CreateImgDecoderFactoryByName(module, &obj) || obj == nullptr) return -1.0;
  auto* decoders = static_cast<SWUI::IImgDecoderFactory*>(obj);
  double best = 1e300;
  for (int round = 0; round < 5; ++round) {
    const double start = bench::NowMs();
    for (const std::vector<BYTE>& bytes : images) {
      SWUI::IImgX* img = nullptr;
      if (!decoders->CreateImgX(&img) || img == nullptr) continue;
      std::vector<BYTE> copy = bytes;
      img->LoadFromMemory(copy.data(), copy.size());
      img->Release();
    }
    best = std::min(best, bench::NowMs() - start);
  }
  decoders->Release();
  return best;
}

void ReportDecodes(const char* when, const RecordingDecoders& recorder) {
  size_t bytes = 0;
  for (const std::vector<BYTE>& image : recorder.Images()) bytes += image.size();
  printf("%-44s %zu images (%zu KiB encoded)\n", when, recorder.Count(), bytes / 1024);
}

void ReportDecoderSaving(const RecordingDecoders& recorder) {
  std::vector<std::vector<BYTE>> pngs;
  for (const std::vector<BYTE>& image : recorder.Images()) {
    static const BYTE kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (image.size() >= 8 && std::equal(kSignature, kSignature + 8, image.begin())) {
      pngs.push_back(image);
    }
  }
  if (pngs.empty()) return;
  const double gdip = DecodeAll(L"imgdecoder-gdip", pngs);
  const double png = DecodeAll(L"imgdecoder-png", pngs);
  char what[80];
  snprintf(what, sizeof what, "decoding those %zu PNGs: own PNG decoder", pngs.size());
  printf("%-44s ours %9.3f ms   GDI+ %9.3f ms   ratio %7.2f   saving %.3f ms\n", what, png, gdip,
         gdip > 0 ? png / gdip : 0.0, gdip - png);
}

// ---- in this process ------------------------------------------------------------------------

// The whole element tree drawn again into the surface and pushed to the window: the host
// repaints only the elements marked dirty, so the root is marked, not just the native window.
void PaintNow(CMainDlg* window) {
  window->GetRoot()->Invalidate();
  UpdateWindow(window->m_hWnd);
}

// Milliseconds of one call of body, median of alternating runs with bare; before each run of
// body, prepare runs outside the time.
template <class P, class F, class G>
bench::Timing MedianOfAlternating(P prepare, F body, G bare, int runs = 31) {
  std::vector<double> ours;
  std::vector<double> plain;
  for (int i = 0; i < runs; ++i) {
    prepare();
    double t = bench::NowMs();
    body();
    ours.push_back(bench::NowMs() - t);
    t = bench::NowMs();
    bare();
    plain.push_back(bench::NowMs() - t);
  }
  return {Median(ours), Median(plain)};
}

// Each page shown from the one before it (a switch of the page control, which the program's
// handler follows, then the repaint), against a full repaint of the main window without a switch.
void PageSwitchFigures(SWUI::STabCtrl* pages, CMainDlg* window) {
  const int count = pages->GetItemCount();
  for (int page = 0; page < count; ++page) {
    const int from = (page + count - 1) % count;
    const bench::Timing t = MedianOfAlternating(
        [&] {
          pages->SetCurSel(from);
          PaintNow(window);
        },
        [&] {
          pages->SetCurSel(page);
          PaintNow(window);
        },
        [&] { PaintNow(window); });
    char what[64];
    snprintf(what, sizeof what, "switch to page %d vs full repaint", page + 1);
    Report(what, t.ours, t.bare);
  }
  pages->SetCurSel(0);
  PaintNow(window);
}

// A bare window that paints what it is asked to with one fill: the floor of a small repaint.
const wchar_t kAreaClass[] = L"BenchProgramAreaWnd";

LRESULT CALLBACK AreaProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_PAINT) return DefWindowProcW(hWnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hWnd, &ps);
  FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  EndPaint(hWnd, &ps);
  return 0;
}

void RegisterAreaClass(HINSTANCE instance) {
  WNDCLASSW areaClass = {};
  areaClass.lpfnWndProc = AreaProc;
  areaClass.hInstance = instance;
  areaClass.lpszClassName = kAreaClass;
  RegisterClassW(&areaClass);
}

// One repaint of the tree inside rc (client coordinates) and its push.
void PaintArea(CMainDlg* window, const RECT& rc) {
  window->GetRoot()->InvalidateRect(rc);
  UpdateWindow(window->m_hWnd);
}

// A full repaint of the window, then of each page, and of a small area, against one BitBlt of
// the whole surface to the window.
void RepaintFigures(CMainDlg* window, SWUI::STabCtrl* pages) {
  const HWND wnd = window->m_hWnd;
  RECT rc;
  GetClientRect(wnd, &rc);
  HDC screen = GetDC(wnd);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
  HGDIOBJ old = SelectObject(mem, bmp);
  auto blit = [&] {
    BitBlt(screen, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
    GdiFlush();
  };
  const bench::Timing repaint = bench::BestOfAlternating([&] { PaintNow(window); }, blit, 200.0);
  Report("full repaint of the main window vs one BitBlt", repaint.ours, repaint.bare);
  const int count = pages != nullptr ? pages->GetItemCount() : 0;
  for (int page = 0; page < count; ++page) {
    pages->SetCurSel(page);
    PaintNow(window);
    const bench::Timing t = bench::BestOfAlternating([&] { PaintNow(window); }, blit, 200.0);
    char what[64];
    snprintf(what, sizeof what, "full repaint, page %d, vs one BitBlt", page + 1);
    Report(what, t.ours, t.bare);
  }
  if (pages != nullptr) pages->SetCurSel(0);
  PaintNow(window);
  // 30 x 20 pixels about the middle of the window, where the first page has its controls.
  const RECT area = {rc.right / 2 - 15, rc.bottom / 2 - 10, rc.right / 2 + 15, rc.bottom / 2 + 10};
  const bench::Timing small =
      bench::BestOfAlternating([&] { PaintArea(window, area); }, blit, 200.0);
  Report("repaint of a 30 x 20 area vs one BitBlt", small.ours, small.bare);
  // The platform's own floor for such a repaint: a bare window's area invalidated and painted.
  HWND bare = CreateWindowExW(0, kAreaClass, L"bare", WS_POPUP | WS_VISIBLE, 0, 0, rc.right,
                              rc.bottom, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (bare != nullptr) {
    const bench::Timing floor = bench::BestOfAlternating(
        [&] { PaintArea(window, area); },
        [&] {
          InvalidateRect(bare, &area, FALSE);
          UpdateWindow(bare);
        },
        200.0);
    Report("  the same vs a bare window's area repainted", floor.ours, floor.bare);
    DestroyWindow(bare);
  }
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(wnd, screen);
}

// Milliseconds from this process's creation to now.
double SinceProcessStart() {
  FILETIME created, exited, kernel, user, now;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1.0;
  GetSystemTimeAsFileTime(&now);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// The program's start-up as RunProgram and RunMainWindow do it, step by step, printed as a
// table; null when a step failed. The application object must not exist yet: its creation is a
// step. afterInitApp runs between InitApp and the window, untimed, and gives the recorder that
// decodes go through from then on: each later step says what of its time they took.
CMainDlg* StartUpInSteps(HINSTANCE instance, double loading,
                         const std::function<RecordingDecoders*()>& afterInitApp) {
  struct Step {
    std::string what;
    double ms;
    bool part;  // a share of the step above it, not added to the total
  };
  std::vector<Step> steps = {{"process and DLL loading (this executable)", loading, false}};
  const RecordingDecoders* recorder = nullptr;
  size_t decodedBefore = 0;
  double decodeMsBefore = 0.0;
  double t = bench::NowMs();
  auto lap = [&](const char* what) {
    const double now = bench::NowMs();
    steps.push_back({what, now - t, false});
    if (recorder != nullptr && recorder->Count() > decodedBefore) {
      char part[80];
      snprintf(part, sizeof part, "  of which %zu images decoded through GDI+",
               recorder->Count() - decodedBefore);
      steps.push_back({part, recorder->DecodeMs() - decodeMsBefore, true});
      decodedBefore = recorder->Count();
      decodeMsBefore = recorder->DecodeMs();
    }
    t = bench::NowMs();
  };
  CApplication& app = CApplication::Get();
  lap("application object (folders, config.ini)");
  if (!app.InitApp(instance)) {
    printf("InitApp failed\n");
    return nullptr;
  }
  lap("InitApp (framework, resources, device link)");
  recorder = afterInitApp();
  decodedBefore = recorder->Count();
  decodeMsBefore = recorder->DecodeMs();
  t = bench::NowMs();
  auto* window = new CMainDlg(L"LAYOUT:XML_MAINWND");
  if (window->CreateEx(GetDesktopWindow(), WS_CAPTION, 0, 0, 0, 0, 0) == nullptr) {
    printf("the main window was not created\n");
    delete window;
    return nullptr;
  }
  lap("main window creation (tree, pages empty)");
  const HWND wnd = window->m_hWnd;
  SendMessageW(wnd, WM_INITDIALOG, 0, 0);
  window->CenterWindow(wnd);
  lap("WM_INITDIALOG (lookups, start page built, refresh)");
  ShowWindow(wnd, SW_SHOWNORMAL);
  lap("show");
  UpdateWindow(wnd);
  lap("first paint");
  SendMessageW(wnd, CMainDlg::kMsgAfterFirstPaint, 0, 0);
  lap("after the first paint (image dump, devices, drop target, tray)");
  {
    // The controller's start image goes to the debugger output there, one line per row: a
    // second dump shows what that costs.
    const double dumped = bench::NowMs();
    CDeviceController::DumpStartImage();
    steps.push_back({"  of which the start image dump (1045 lines)", bench::NowMs() - dumped, true});
    t = bench::NowMs();
  }
  double total = 0.0;
  printf("start-up in this process, step by step:\n");
  for (const Step& step : steps) {
    printf("  %-52s %9.1f ms\n", step.what.c_str(), step.ms);
    if (!step.part) total += step.ms;
  }
  printf("  %-52s %9.1f ms\n", "total", total);
  return window;
}

void InProcessFigures(HINSTANCE instance, double loading) {
  RegisterAreaClass(instance);
  // From InitApp's end on every image decoded is recorded (what start-up decoded is not).
  SWUI::IRenderFactory* factory = nullptr;
  SWUI::IImgDecoderFactory* decoders = nullptr;
  RecordingDecoders* recorder = nullptr;
  CMainDlg* window = StartUpInSteps(instance, loading, [&] {
    factory = CApplication::Get().SwuiApp()->GetRenderFactory();
    decoders = factory->GetImgDecoderFactory();
    decoders->AddRef();
    recorder = new RecordingDecoders(decoders);
    factory->SetImgDecoderFactory(recorder);
    return recorder;
  });
  CApplication& app = CApplication::Get();
  if (window == nullptr) return;
  const HWND wnd = window->m_hWnd;
  ReportMemory("after start-up");
  ReportDecodes("images decoded after InitApp by first paint", *recorder);

  auto* pages = dynamic_cast<SWUI::STabCtrl*>(window->GetRoot()->FindChildByName(L"orv_tab"));
  RepaintFigures(window, pages);
  if (pages != nullptr) PageSwitchFigures(pages, window);
  if (pages != nullptr) {
    for (int round = 0; round < 2; ++round) {
      for (int page = 0; page < 7; ++page) {
        pages->SetCurSel(page);
        PaintNow(window);
      }
    }
    pages->SetCurSel(0);
  }
  ReportMemory("after two rounds of the pages");
  ReportDecodes("images decoded after InitApp, every page shown", *recorder);
  ReportDecoderSaving(*recorder);

  PostMessageW(wnd, WM_CLOSE, 0, 0);
  app.SwuiApp()->Run(wnd);
  app.SetMainWindow(nullptr);
  delete window;
  factory->SetImgDecoderFactory(decoders);
  decoders->Release();
  recorder->Release();
  app.CleanupApp();
  CApplication::Destroy();
}

}  // namespace

int wmain() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const double loading = SinceProcessStart();
  StartupFigures();

  OleInitialize(nullptr);
  ULONG_PTR gdiplus = 0;
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr) != Gdiplus::Ok) gdiplus = 0;
  InProcessFigures(instance, loading);
  if (gdiplus != 0) Gdiplus::GdiplusShutdown(gdiplus);
  OleUninitialize();
  return 0;
}
