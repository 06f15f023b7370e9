#include "ProgramRig.h"

#include <doctest/doctest.h>

#include <fstream>
#include <iterator>

#include "CApplication.h"
#include "CMainDlg.h"
#include "HidDevice/CDeviceManager.h"
#include "SShellNotifyIcon.h"
#include "TempFile.h"
#include "core/SMessageBoxImpl.h"
#include "core/SWindow.h"

namespace {

ProgramRig* g_rig = nullptr;

using fixtures::RemoveTree;

}  // namespace

ProgramRig::Step Once(std::function<void()> action) {
  return [action] {
    action();
    return true;
  };
}

ProgramRig::Step Until(std::function<bool()> condition) { return condition; }

ProgramRig::ProgramRig() {
  static int counter = 0;
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  shellFolder_ = std::wstring(base) + L"tevaro_program_" + std::to_wstring(GetCurrentProcessId()) +
                 L"_" + std::to_wstring(counter++);
  RemoveTree(shellFolder_);
  CreateDirectoryW(shellFolder_.c_str(), nullptr);
  seams_ = {&ProgramRig::GetFolderPath, &ProgramRig::FrameworkBox, &ProgramRig::SystemBox};
  AppSeams::Bind(&seams_);
  SWUI::SMessageBoxImpl::BindSystemMessageBox(&ProgramRig::SystemBox);
  SShellNotifyIcon::BindShellNotifyIcon(&ProgramRig::TrayStandIn);
  g_rig = this;
}

ProgramRig::~ProgramRig() {
  g_rig = nullptr;
  SShellNotifyIcon::BindShellNotifyIcon(nullptr);
  SWUI::SMessageBoxImpl::BindSystemMessageBox(nullptr);
  AppSeams::Bind(nullptr);
  RemoveTree(shellFolder_);
}

SimDevice& ProgramRig::PlugProcessor() {
  return bus_.AddDevice(CDeviceManager::kVendorId, CDeviceManager::kProductId);
}

std::wstring ProgramRig::SettingsPath() const {
  return shellFolder_ + L"\\" + CApplication::kDataFolderName + L"\\" +
         CApplication::kSettingsFileName;
}

void ProgramRig::WriteSettings(const std::string& bytes) {
  CreateDirectoryW((shellFolder_ + L"\\" + CApplication::kDataFolderName).c_str(), nullptr);
  std::ofstream file(SettingsPath().c_str(), std::ios::binary | std::ios::trunc);
  file << bytes;
}

std::string ProgramRig::ReadSettings() const {
  std::ifstream file(SettingsPath().c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool ProgramRig::SettingsExist() const {
  return GetFileAttributesW(SettingsPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

// ---- seams -------------------------------------------------------------------------------

HRESULT WINAPI ProgramRig::GetFolderPath(HWND, int, HANDLE, DWORD, LPWSTR path) {
  if (g_rig == nullptr || g_rig->noShellFolder_) return E_FAIL;
  wcsncpy(path, g_rig->shellFolder_.c_str(), MAX_PATH - 1);
  path[MAX_PATH - 1] = L'\0';
  return S_OK;
}

int ProgramRig::FrameworkBox(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (g_rig == nullptr) return IDCANCEL;
  g_rig->boxes.push_back({text ? text : L"", caption ? caption : L"", type, true});
  return g_rig->boxAnswer;
}

int WINAPI ProgramRig::SystemBox(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
  if (g_rig == nullptr) return IDCANCEL;
  g_rig->boxes.push_back({text ? text : L"", caption ? caption : L"", type, false});
  return g_rig->boxAnswer;
}

BOOL WINAPI ProgramRig::TrayStandIn(DWORD message, PNOTIFYICONDATAW data) {
  if (g_rig == nullptr) return FALSE;
  g_rig->trayCalls.push_back({message, *data});
  return g_rig->realTray_ ? Shell_NotifyIconW(message, data) : TRUE;
}

// ---- a run -------------------------------------------------------------------------------

int ProgramRig::Run(const wchar_t* commandLine, std::vector<Step> steps, DWORD timeoutMs) {
  steps_ = std::move(steps);
  next_ = 0;
  inStep_ = closing_ = timedOut_ = false;
  timeoutMs_ = timeoutMs;
  started_ = GetTickCount();
  closedAt_ = 0;
  timer_ = SetTimer(nullptr, 0, 10, &ProgramRig::OnTick);
  const int result = TevaroWinMain(instance_, commandLine);
  KillTimer(nullptr, timer_);
  timer_ = 0;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  return result;
}

void CALLBACK ProgramRig::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_rig != nullptr) g_rig->Tick();
}

void ProgramRig::Tick() {
  if (inStep_) return;
  CApplication* app = CApplication::Find();
  CMainDlg* main = app != nullptr ? app->MainWindow() : nullptr;
  const HWND hwnd = main != nullptr ? main->m_hWnd : nullptr;
  const DWORD now = GetTickCount();
  if (timedOut_) {
    // Closing did not end the run: end the loop.
    if (closedAt_ != 0 && now - closedAt_ > 5000) {
      closedAt_ = 0;
      PostQuitMessage(0);
    }
    return;
  }
  if (now - started_ > timeoutMs_) {
    timedOut_ = true;
    closedAt_ = now;
    FAIL_CHECK("the scenario did not finish in time, at step " << next_);
    if (hwnd != nullptr) PostMessageW(hwnd, WM_CLOSE, 0, 0);
    return;
  }
  if (hwnd == nullptr || !IsWindow(hwnd)) return;
  if (next_ < steps_.size()) {
    inStep_ = true;
    bool done = false;
    try {
      done = steps_[next_]();
    } catch (...) {
      // A REQUIRE that failed inside a step (it was reported): the scenario ends here, and the
      // exception never crosses the system's dispatch of this timer.
      next_ = steps_.size();
    }
    inStep_ = false;
    if (done) ++next_;
    return;
  }
  if (!closing_) {
    closing_ = true;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
  }
}

// ---- during a run ------------------------------------------------------------------------

CApplication& ProgramRig::App() {
  REQUIRE(CApplication::Find() != nullptr);
  return *CApplication::Find();
}

CMainDlg& ProgramRig::Main() {
  REQUIRE(App().MainWindow() != nullptr);
  return *App().MainWindow();
}

CUIEventHandler& ProgramRig::Logic() { return Main().PageLogic(); }

HWND ProgramRig::MainHwnd() { return Main().m_hWnd; }

SWUI::SWindow* ProgramRig::Root() { return Main().GetRoot(); }

SWUI::SWindow* ProgramRig::Element(int id) {
  SWUI::SWindow* found = Root()->FindChildByID(id);
  REQUIRE_MESSAGE(found != nullptr, "no element with id " << id);
  return found;
}

SWUI::SWindow* ProgramRig::Element(const wchar_t* name) {
  SWUI::SWindow* found = Root()->FindChildByName(name);
  REQUIRE_MESSAGE(found != nullptr, "no element of that name");
  return found;
}

std::wstring ProgramRig::TextOf(int id) { return Element(id)->GetWindowText().c_str(); }

LRESULT ProgramRig::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(MainHwnd(), msg, wParam, lParam);
}
