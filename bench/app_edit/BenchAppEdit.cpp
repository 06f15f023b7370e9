// Figures of editing on the channel pages, in the running program (this process, its own
// resources) with the simulated processor:
// - a slider event's whole path (the slider's notification, the tree's routing, the page
//   logic's handler with its text and write) against a bare SetParam of the same row, for a
//   mix level and for a band gain (which also rebuilds the band's curve and redraws the
//   editor); not connected, so that no report is sent during the timing;
// - a 3 s drag at 1000 events per second, connected, in real time with the send throttle's
//   timer running: the events handled, the reports sent, and whether the processor's bank
//   equals the program's image once the last timer has fired.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "AppSeams.h"
#include "BenchClock.h"
#include "CApplication.h"
#include "CMainDlg.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "SimHidBus.h"
#include "TempFile.h"
#include "control/SSliderBar.h"
#include "control/STabCtrl.h"
#include "core/SWindow.h"

namespace {

constexpr int kLevelSlider = 2430;  // Main_MU
constexpr int kBandSlider = 2402;   // main output, band 2 gain
constexpr double kDragMs = 3000.0;
constexpr int kEventsPerSecond = 1000;

std::wstring g_folder;
SimDevice* g_device = nullptr;

HRESULT WINAPI Folder(HWND, int, HANDLE, DWORD, LPWSTR path) {
  wcsncpy(path, g_folder.c_str(), MAX_PATH - 1);
  path[MAX_PATH - 1] = L'\0';
  return S_OK;
}
int FrameworkBox(HWND, LPCWSTR, LPCWSTR, UINT) { return IDOK; }
int WINAPI SystemBox(HWND, LPCWSTR, LPCWSTR, UINT) { return IDOK; }

CApplication& App() { return *CApplication::Find(); }
CDeviceController& Controller() { return App().DeviceController(); }

SWUI::SSliderBar* Slider(int id) {
  return dynamic_cast<SWUI::SSliderBar*>(App().MainWindow()->GetRoot()->FindChildByID(id));
}

// The slider moved as its keys and wheel move it: its value, then its notification.
void Move(SWUI::SSliderBar* slider, int value) {
  slider->SetValue(value);
  slider->NotifyPos(2, slider->GetValue());
}

void TimeHandlers() {
  SWUI::SSliderBar* level = Slider(kLevelSlider);
  SWUI::SSliderBar* band = Slider(kBandSlider);
  if (level == nullptr || band == nullptr) {
    printf("bench_app_edit: the main output page's sliders are missing\n");
    return;
  }
  int v = 0;
  const bench::Timing levelTiming = bench::BestOfAlternating(
      [&] { Move(level, (v ^= 1) + 40); },
      [&] { Controller().SetParam(ParamRow::Main_MU, static_cast<uint16_t>((v ^= 1) + 40)); },
      200.0);
  const int bandRow = ParamRow::MainEQInfo0mode + 5 * 2 + 2;
  const bench::Timing bandTiming = bench::BestOfAlternating(
      [&] { Move(band, (v ^= 1) + 200); },
      [&] { Controller().SetParam(bandRow, static_cast<uint16_t>((v ^= 1) + 200)); }, 200.0);
  printf("slider event, mix level: handler %.4f ms, bare SetParam %.4f ms, ratio %.1f\n",
         levelTiming.ours, levelTiming.bare, levelTiming.ours / levelTiming.bare);
  printf("slider event, band gain: handler %.4f ms, bare SetParam %.4f ms, ratio %.1f\n",
         bandTiming.ours, bandTiming.bare, bandTiming.ours / bandTiming.bare);
}

// The drag, driven from the loop's thread timer so that the send throttle's timer runs between
// the events as it does under a real drag.
struct Drag {
  const char* what;
  int slider;
  int low;
  int high;
  double start = 0.0;
  int sent = 0;
  size_t reportsBefore = 0;
  double endedAt = 0.0;
};

Drag g_drags[] = {{"mix level", kLevelSlider, 0, 100}, {"band gain", kBandSlider, 100, 340}};
int g_stage = 0;  // 0 start-up, 1 timing, 2.. drags, then done
size_t g_drag = 0;

bool DeviceMirrorsImage() {
  bool same = false;
  g_device->Inspect([&](SimProcessor& p) {
    same = std::memcmp(p.banks[p.activeBank], Controller().CurrentImage(),
                       SimProcessor::kBankSize) == 0;
    return 0;
  });
  return same;
}

// One tick of the drag: the events due by now, then, after the drag, the last send awaited.
bool StepDrag(Drag& d) {
  SWUI::SSliderBar* slider = Slider(d.slider);
  const double now = bench::NowMs();
  if (d.start == 0.0) {
    d.start = now;
    d.reportsBefore = g_device->ReceivedCount('d');
  }
  const double elapsed = now - d.start;
  if (elapsed < kDragMs) {
    const int due = static_cast<int>(elapsed * kEventsPerSecond / 1000.0);
    const int span = d.high - d.low;
    for (; d.sent < due; ++d.sent) {
      // Back and forth across the range, one step per event.
      const int phase = d.sent % (2 * span);
      Move(slider, d.low + (phase < span ? phase : 2 * span - phase));
    }
    return false;
  }
  if (d.endedAt == 0.0) d.endedAt = now;
  // Two throttle intervals after the last event, the last send has gone.
  if (now - d.endedAt < 120.0 || Controller().PendingCount() != 0) return false;
  printf("drag of the %s slider, %.0f ms at %d events/s: %d events handled (%.0f/s), %u reports "
         "sent, processor's bank %s the program's image\n",
         d.what, kDragMs, kEventsPerSecond, d.sent, d.sent * 1000.0 / (d.endedAt - d.start),
         static_cast<unsigned>(g_device->ReceivedCount('d') - d.reportsBefore),
         DeviceMirrorsImage() ? "equals" : "DIFFERS FROM");
  return true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  static bool busy = false;
  CApplication* app = CApplication::Find();
  CMainDlg* main = app != nullptr ? app->MainWindow() : nullptr;
  if (busy || main == nullptr || !IsWindow(main->m_hWnd)) return;
  busy = true;
  if (g_stage == 0) {
    // The main output page, whose band sliders and editor are shown.
    if (auto* tabs = main->GetRoot()->FindChildByName2<SWUI::STabCtrl>(L"orv_tab")) {
      tabs->SetCurSel(3);
    }
    g_stage = 1;
  } else if (g_stage == 1) {
    TimeHandlers();
    Controller().SetSessionSettleMs(0);
    if (!Controller().ConnectDevice() || !Controller().ReadAllParams()) {
      printf("bench_app_edit: the simulated processor did not connect\n");
      PostMessageW(main->m_hWnd, WM_CLOSE, 0, 0);
      g_stage = 3;
    } else {
      g_stage = 2;
    }
  } else if (g_stage == 2) {
    if (StepDrag(g_drags[g_drag]) && ++g_drag == sizeof g_drags / sizeof g_drags[0]) {
      g_stage = 3;
      PostMessageW(main->m_hWnd, WM_CLOSE, 0, 0);
    }
  }
  busy = false;
}

}  // namespace

int main() {
  g_folder = fixtures::TempPath(L"bench_app_edit");
  CreateDirectoryW(g_folder.c_str(), nullptr);
  AppSeams seams = AppSeams::Real();
  seams.GetFolderPath = &Folder;
  seams.FrameworkMessageBox = &FrameworkBox;
  seams.SystemMessageBox = &SystemBox;
  AppSeams::Bind(&seams);
  int result = 0;
  {
    SimHidBus bus;
    g_device = &bus.AddDevice(CDeviceManager::kVendorId, CDeviceManager::kProductId);
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, &Tick);
    result = TevaroWinMain(GetModuleHandleW(nullptr), L"");
    KillTimer(nullptr, timer);
    g_device = nullptr;
  }
  AppSeams::Bind(nullptr);
  fixtures::RemoveTree(g_folder);
  if (g_stage != 3) {
    printf("bench_app_edit: the run ended early\n");
    return 1;
  }
  return result;
}
