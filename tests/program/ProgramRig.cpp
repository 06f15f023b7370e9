#include "ProgramRig.h"

#include <doctest/doctest.h>

#include <cwchar>
#include <fstream>
#include <iterator>
#include <map>

#include "CApplication.h"
#include "CMainDlg.h"
#include "HidDevice/CDeviceManager.h"
#include "IBitmap.h"
#include "IRenderTarget.h"
#include "SShellNotifyIcon.h"
#include "TempFile.h"
#include "control/SMenuEx.h"
#include "core/SHostDialog.h"
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
  seams_ = {&ProgramRig::GetFolderPath, &ProgramRig::FrameworkBox, &ProgramRig::SystemBox,
            &ProgramRig::OpenFileDialog, &ProgramRig::SaveFileDialog};
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

BOOL WINAPI ProgramRig::OpenFileDialog(LPOPENFILENAMEW dialog) {
  return g_rig != nullptr && g_rig->AnswerFileDialog(false, dialog);
}

BOOL WINAPI ProgramRig::SaveFileDialog(LPOPENFILENAMEW dialog) {
  return g_rig != nullptr && g_rig->AnswerFileDialog(true, dialog);
}

BOOL ProgramRig::AnswerFileDialog(bool save, LPOPENFILENAMEW dialog) {
  FileDialogCall call{save, dialog->hwndOwner, L"", L"", dialog->Flags, dialog->nMaxFile,
                      dialog->nMaxFileTitle};
  for (const wchar_t* part = dialog->lpstrFilter; part != nullptr && *part != L'\0';
       part += wcslen(part) + 1) {
    call.filter.append(part, wcslen(part) + 1);
  }
  if (dialog->lpstrDefExt != nullptr) call.defaultExtension = dialog->lpstrDefExt;
  fileDialogs.push_back(call);
  if (fileAnswers.empty()) return FALSE;
  const std::wstring path = fileAnswers.front();
  fileAnswers.pop_front();
  if (path.empty() || dialog->lpstrFile == nullptr || path.size() >= dialog->nMaxFile) {
    return FALSE;
  }
  wcscpy(dialog->lpstrFile, path.c_str());
  const size_t name = path.find_last_of(L"\\/") + 1;  // 0 without a folder
  const size_t dot = path.find_last_of(L'.');
  dialog->nFileOffset = static_cast<WORD>(name);
  dialog->nFileExtension =
      static_cast<WORD>(dot != std::wstring::npos && dot > name ? dot + 1 : path.size());
  if (dialog->lpstrFileTitle != nullptr && path.size() - name < dialog->nMaxFileTitle) {
    wcscpy(dialog->lpstrFileTitle, path.c_str() + name);
  }
  return TRUE;
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
  // A program that ended early (another instance held the mutex, a failed start) must not pass
  // a scenario whose steps never ran.
  if (next_ < steps_.size() && !earlyEnd_) FAIL_CHECK("the program ended before step " << next_ << " ran");
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

const DWORD* ProgramRig::PrintSurface(int* width, int* height) {
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(MainHwnd(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  DeleteDC(dc);
  SWUI::IRenderTarget* rt = Main().GetMemRenderTarget();
  REQUIRE(rt != nullptr);
  auto* surface = static_cast<SWUI::IBitmap*>(rt->GetCurrentObject(SWUI::OT_BITMAP));
  REQUIRE(surface != nullptr);
  *width = static_cast<int>(surface->Width());
  *height = static_cast<int>(surface->Height());
  return static_cast<const DWORD*>(surface->GetPixelBits());
}

SWUI::SWindow* ProgramRig::Element(int id) {
  SWUI::SWindow* found = Root()->FindChildByID(id);
  if (found == nullptr) {
    // On a channel page not shown yet, so not built yet.
    Logic().BuildAllPages();
    found = Root()->FindChildByID(id);
  }
  REQUIRE_MESSAGE(found != nullptr, "no element with id " << id);
  return found;
}

SWUI::SWindow* ProgramRig::Element(const wchar_t* name) {
  SWUI::SWindow* found = Root()->FindChildByName(name);
  if (found == nullptr) {
    Logic().BuildAllPages();
    found = Root()->FindChildByName(name);
  }
  REQUIRE_MESSAGE(found != nullptr, "no element of that name");
  return found;
}

std::wstring ProgramRig::TextOf(int id) { return Element(id)->GetWindowText().c_str(); }

LRESULT ProgramRig::Send(UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(MainHwnd(), msg, wParam, lParam);
}

namespace {

std::map<UINT_PTR, std::function<void()>>& DeferredActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

void CALLBACK RunDeferred(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto& actions = DeferredActions();
  auto it = actions.find(id);
  if (it == actions.end()) return;
  std::function<void()> action = std::move(it->second);
  actions.erase(it);
  try {
    action();
  } catch (...) {
    // A REQUIRE that failed inside the action was reported; the exception never crosses the
    // system's dispatch of this timer.
  }
}

}  // namespace

namespace {

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwned(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<OwnedSearch*>(param);
  if (GetWindow(hwnd, GW_OWNER) != search->owner || !IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// A framework window keeps its object in its user data.
SWUI::CSimpleWnd* ObjectOf(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  return reinterpret_cast<SWUI::CSimpleWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

BOOL CALLBACK FindTopMenu(HWND hwnd, LPARAM param) {
  if (!IsWindowVisible(hwnd)) return TRUE;
  auto* menu = dynamic_cast<SWUI::SMenuEx*>(ObjectOf(hwnd));
  if (menu == nullptr || menu->GetParentItem() != nullptr) return TRUE;
  *reinterpret_cast<SWUI::SMenuEx**>(param) = menu;
  return FALSE;
}

}  // namespace

SWUI::SHostDialog* ProgramRig::OwnedDialog() {
  OwnedSearch search{MainHwnd(), nullptr};
  EnumThreadWindows(GetCurrentThreadId(), &FindOwned, reinterpret_cast<LPARAM>(&search));
  return dynamic_cast<SWUI::SHostDialog*>(ObjectOf(search.found));
}

SWUI::SWindow* ProgramRig::DialogElement(const wchar_t* name) {
  SWUI::SHostDialog* dialog = OwnedDialog();
  REQUIRE(dialog != nullptr);
  SWUI::SWindow* element = dialog->GetRoot()->FindChildByName(name);
  REQUIRE_MESSAGE(element != nullptr, "the dialog has no element of that name");
  return element;
}

SWUI::SMenuEx* ProgramRig::OpenMenu() {
  SWUI::SMenuEx* menu = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &FindTopMenu, reinterpret_cast<LPARAM>(&menu));
  return menu;
}

void ProgramRig::Defer(std::function<void()> action) {
  const UINT_PTR id = SetTimer(nullptr, 0, 0, &RunDeferred);
  REQUIRE(id != 0);
  DeferredActions()[id] = std::move(action);
}
