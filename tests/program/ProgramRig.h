// The whole program, run in the test's process on its UI thread, with everything it reaches
// outside scripted: the data folder is a fresh temporary folder (or none), message boxes of both
// kinds and file dialogs are recorded and answered, the tray's shell call is a stand-in (or the
// real one), and the HID bus is simulated (no processor until one is plugged).
//
//   ProgramRig rig;
//   rig.WriteSettings("[Config]\nLang = 1\n");
//   rig.Run(L"", {[&] { CHECK(MainTitle() == L"Tevaro"); return true; }});
//
// A run drives a scenario from a thread timer of the UI thread: each step is polled every tick
// (10 ms) until it answers true, only once the main window exists, and never from inside a
// nested loop of a step; when the steps are done the main window is closed (WM_CLOSE) unless a
// step closed it. A watchdog closes it after the run's time and, should that not end the run,
// ends the loop. Nothing sleeps. A step that would open a modal dialog hands the action to
// Defer, so that the following steps run inside the dialog's loop.
#pragma once
#include <windows.h>
// After windows.h, which they need.
#include <dbt.h>
#include <shellapi.h>

#include <cwchar>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AppSeams.h"
#include "SimHidBus.h"

class CApplication;
class CMainDlg;
class CUIEventHandler;
namespace SWUI {
class SHostDialog;
class SMenuEx;
class SWindow;
}

struct ShownMessageBox {
  std::wstring text;
  std::wstring caption;
  UINT type;
  bool framework;  // the framework's box, else the system's
};

// What the program asked of a file dialog.
struct FileDialogCall {
  bool save;             // the save dialog, else the open dialog
  HWND owner;
  std::wstring filter;   // every part with its NUL, up to the closing one
  std::wstring defaultExtension;
  DWORD flags;
  DWORD fileChars;       // the file name buffer
  DWORD titleChars;      // the file title buffer
};

struct TrayCall {
  DWORD message;
  NOTIFYICONDATAW data;
};

class ProgramRig {
 public:
  using Step = std::function<bool()>;

  ProgramRig();
  ~ProgramRig();
  ProgramRig(const ProgramRig&) = delete;
  ProgramRig& operator=(const ProgramRig&) = delete;

  // ---- what the program finds -----------------------------------------------------------
  // The shell names no local application data folder.
  void NoShellFolder() { noShellFolder_ = true; }
  // The scenario expects the program to end before its steps run (a failed start).
  void ExpectEarlyEnd() { earlyEnd_ = true; }
  // The shell's tray call itself instead of the stand-in.
  void RealTray() { realTray_ = true; }
  // The module the entry is given (the test program's own, with the program's resources).
  void UseInstance(HINSTANCE instance) { instance_ = instance; }
  // A processor with the program's USB ids on the simulated bus.
  SimDevice& PlugProcessor();
  SimHidBus& Bus() { return bus_; }

  // The local application data folder the shell names, and the program's own below it.
  const std::wstring& ShellFolder() const { return shellFolder_; }
  std::wstring SettingsPath() const;
  // Writes config.ini (bytes as given) into the program's data folder.
  void WriteSettings(const std::string& bytes);
  // config.ini as the program left it; empty when there is none.
  std::string ReadSettings() const;
  bool SettingsExist() const;

  // ---- a run ----------------------------------------------------------------------------
  // Runs the program's entry with the command line and the scenario; its result.
  int Run(const wchar_t* commandLine, std::vector<Step> steps, DWORD timeoutMs = 30000);
  int Run(std::vector<Step> steps, DWORD timeoutMs = 30000) {
    return Run(L"", std::move(steps), timeoutMs);
  }
  bool TimedOut() const { return timedOut_; }
  // Steps done when the run ended (all of them unless it timed out).
  size_t StepsDone() const { return next_; }

  // ---- what the program did -------------------------------------------------------------
  std::vector<ShownMessageBox> boxes;
  int boxAnswer = IDOK;
  // One answer per file dialog, in order: a path, or an empty text for a cancel. A dialog with
  // no answer left is cancelled.
  std::deque<std::wstring> fileAnswers;
  std::vector<FileDialogCall> fileDialogs;
  std::vector<TrayCall> trayCalls;

  // ---- during a run ---------------------------------------------------------------------
  static CApplication& App();
  static CMainDlg& Main();
  static CUIEventHandler& Logic();
  static HWND MainHwnd();
  static SWUI::SWindow* Root();
  // The main window's tree printed (WM_PRINT) into its surface: the surface's pixels (width x
  // height, rows top down) until the next paint.
  static const DWORD* PrintSurface(int* width, int* height);
  // An element of the main window by id or by name (the test fails without one); one on a
  // channel page not built yet builds the pages first.
  static SWUI::SWindow* Element(int id);
  static SWUI::SWindow* Element(const wchar_t* name);
  static std::wstring TextOf(int id);
  // Sends a message to the main window.
  static LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // The framework dialog the main window owns (a modal one while it runs), or null.
  static SWUI::SHostDialog* OwnedDialog();
  // An element of that dialog by name (the test fails without the dialog or the element).
  static SWUI::SWindow* DialogElement(const wchar_t* name);
  // The top level of the popup menu that runs (its loop the one running), or null.
  static SWUI::SMenuEx* OpenMenu();
  // Runs the action from the UI thread's loop once the current step has returned (a modal
  // dialog it opens then runs the next steps in its own loop).
  static void Defer(std::function<void()> action);

 private:
  static HRESULT WINAPI GetFolderPath(HWND, int, HANDLE, DWORD, LPWSTR path);
  static int FrameworkBox(HWND, LPCWSTR text, LPCWSTR caption, UINT type);
  static int WINAPI SystemBox(HWND, LPCWSTR text, LPCWSTR caption, UINT type);
  static BOOL WINAPI TrayStandIn(DWORD message, PNOTIFYICONDATAW data);
  static BOOL WINAPI OpenFileDialog(LPOPENFILENAMEW dialog);
  static BOOL WINAPI SaveFileDialog(LPOPENFILENAMEW dialog);
  BOOL AnswerFileDialog(bool save, LPOPENFILENAMEW dialog);
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  SimHidBus bus_;
  AppSeams seams_;
  std::wstring shellFolder_;
  bool noShellFolder_ = false;
  bool earlyEnd_ = false;
  bool realTray_ = false;
  HINSTANCE instance_ = GetModuleHandleW(nullptr);

  std::vector<Step> steps_;
  size_t next_ = 0;
  bool inStep_ = false;
  bool closing_ = false;
  bool timedOut_ = false;
  DWORD started_ = 0;
  DWORD closedAt_ = 0;
  DWORD timeoutMs_ = 0;
  UINT_PTR timer_ = 0;
};

// A device-interface broadcast (WM_DEVICECHANGE's record) for a path.
class Broadcast {
 public:
  explicit Broadcast(const std::wstring& path, DWORD type = DBT_DEVTYP_DEVICEINTERFACE)
      : bytes_(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) + path.size() * sizeof(wchar_t)) {
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes_.data());
    record->dbcc_size = static_cast<DWORD>(bytes_.size());
    record->dbcc_devicetype = type;
    wcscpy(record->dbcc_name, path.c_str());
  }
  LPARAM Param() { return reinterpret_cast<LPARAM>(bytes_.data()); }

 private:
  std::vector<BYTE> bytes_;
};

// A step that runs once.
ProgramRig::Step Once(std::function<void()> action);
// A step that waits for a condition.
ProgramRig::Step Until(std::function<bool()> condition);
