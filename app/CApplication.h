// The program's one application object: the settings file, the program and data folders, the
// language, the single-instance mutex, the framework (SApplication and the notify centre), the
// device link (device manager and device controller) and the main window while it runs.
//
// It is made on first use (Get), never by a static constructor, so that a test binds its seams
// first; Destroy ends it as process exit would, and the next Get makes a fresh one (a test may
// run the program several times in one process). UI thread only.
#pragma once
#include <SimpleIni.h>
#include <windows.h>

#include <memory>

#include "CNetworkJobRunner.h"
#include "HidDevice/CDeviceController.h"
#include "SettingsFile.h"
#include "base/SString.h"

namespace SWUI {
class SApplication;
class SNotifyCenter;
}  // namespace SWUI

class CMainDlg;

class CApplication {
 public:
  static constexpr const wchar_t* kMutexName = L"73BB385A-E05D-463D-8BB9-5BF9B04E323A";
  // The window class of every framework window of the program (its main window among them).
  static constexpr const wchar_t* kHostClassName = L"ECFEE99B-F190-4D7B-AF56-2FF31AC3C597";
  static constexpr const wchar_t* kDataFolderName = L"ZUTevaro";
  static constexpr const wchar_t* kSettingsFileName = L"config.ini";
  static constexpr const wchar_t* kDecoderModule = L"imgdecoder-gdip";
  static constexpr int kMutexNameLength = 260;

  // The application object, made on first use.
  static CApplication& Get();
  // Null while none exists.
  static CApplication* Find();
  // Ends the application object as process exit does (CleanupApp, then the rest).
  static void Destroy();

  // Folders found (the data folder created when missing), config.ini loaded, "Lang" read.
  CApplication();
  ~CApplication();
  CApplication(const CApplication&) = delete;
  CApplication& operator=(const CApplication&) = delete;

  // Framework and device link start; false when the framework cannot start, memory runs out
  // or the receive thread cannot start (true also without a device).
  bool InitApp(HINSTANCE instance);
  // Dumps the controller's start image to the debug output, then opens the first processor the
  // enumeration finds (none: nothing happens). The main window does it after its first paint.
  void ConnectFirstDevice();
  bool InitSwui();
  // Creates, shows (unless hidden) and runs the main window until its loop ends.
  int RunMainWindow(bool hidden);
  // Deletes what InitApp created; safe to call twice.
  void CleanupApp();
  // Whether the autorun value (HKCU, else HKLM) points at this program.
  bool IsAutoRunEnabled() const;
  // Writes the current user's autorun value ("\"<program path>\" -hide", terminator
  // included) or deletes it; false when the registry refused.
  bool SetAutoRun(bool enabled) const;

  // ---- single-instance guard -----------------------------------------------------------
  // Creates the named mutex owned by the caller: true only when a handle came back and no
  // other instance held the name. A failed take keeps its handle (closed at destruction).
  bool TakeMutex();
  // Releases and closes the mutex once; afterwards the handle is null.
  void ReleaseInstanceMutex();
  // Whether a mutex of that name exists (another instance or this one holds it).
  bool MutexExists() const;
  // Finds a window by class and title, shows it normally and brings it to the front.
  static bool ActivateWindow(LPCWSTR className, LPCWSTR title);

  // ---- settings ------------------------------------------------------------------------
  CSimpleIniW& Settings() { return m_settings; }
  // Writes config.ini into the data folder when the settings changed (SettingsFile); false
  // (and logged) without a data folder, for a file that was left unread, or when the file
  // cannot be written, which the user is told of once.
  bool SaveSettings();
  SWUI::SStringW SettingsPath() const;
  // Reads config.ini of the data folder into `settings` by SettingsFile's rules (nothing
  // without the file). A damaged or unreadable file is set aside and the program's own
  // settings written anew; false when the file was not read whole and clean.
  bool ReadSettingsFile(CSimpleIniW* settings);
  // Tells the user of what happened to config.ini that they have not been told yet (a file
  // set aside, a file left unread, a file that cannot be written), each once, in the
  // framework's message box over `owner`. Nothing before the framework runs.
  void TellSettingsProblems(HWND owner);

  // ---- what other parts read -----------------------------------------------------------
  const SWUI::SStringW& ProgramFolder() const { return m_programFolder; }
  const SWUI::SStringW& DataFolder() const { return m_dataFolder; }
  // 0 Chinese, any other value English.
  int Language() const { return m_language; }
  void SetLanguage(int language) { m_language = language; }
  // Switches the texts to the language (0 Chinese, else English): the language field, the
  // translator manager's language and its one translator; false when the language file is
  // missing or unreadable (the language field changes all the same).
  bool ChangeLanguage(int language);
  HINSTANCE Instance() const { return m_instance; }
  CMainDlg* MainWindow() const { return m_mainWindow; }
  void SetMainWindow(CMainDlg* window) { m_mainWindow = window; }
  DWORD UiThreadId() const { return m_uiThreadId; }
  CDeviceController& DeviceController() { return m_controller; }
  CDeviceManager* DeviceManager() const { return m_deviceManager.get(); }
  // The network dialog's worker jobs, one at a time.
  CNetworkJobRunner& NetworkJobs() { return m_networkJobs; }
  SWUI::SApplication* SwuiApp() const { return m_swuiApp.get(); }
  SWUI::SNotifyCenter* NotifyCenter() const { return m_notifyCenter.get(); }

 private:
  void GetDataFolder();
  void LoadSettings();
  // What the user is to be told of config.ini (bits).
  enum SettingsNotice : unsigned {
    kNoticeSetAside = 1,
    kNoticeLeft = 2,
    kNoticeUnwritable = 4,
  };
  void NoteSettingsProblem(SettingsNotice notice);
  // Step 6 of the framework start: the framework's own defaults from a first provider.
  void LoadSystemResources();
  // Installs the translator of the language; false when the language file is missing.
  bool InstallTranslator();
  void LoadTemplates();

  std::unique_ptr<SWUI::SStringW> m_decoderModule;
  std::unique_ptr<SWUI::SApplication> m_swuiApp;
  std::unique_ptr<SWUI::SNotifyCenter> m_notifyCenter;
  HANDLE m_mutex = nullptr;
  wchar_t m_mutexName[kMutexNameLength] = {};
  CSimpleIniW m_settings;
  SettingsFile m_settingsFile;
  // Notices waiting to be shown, and those shown (each problem is told once).
  unsigned m_settingsNotices = 0;
  unsigned m_settingsNoticesTold = 0;
  HINSTANCE m_instance = nullptr;
  CMainDlg* m_mainWindow = nullptr;
  std::unique_ptr<CDeviceManager> m_deviceManager;
  SWUI::SStringW m_programFolder;
  SWUI::SStringW m_dataFolder;
  int m_language = 0;
  DWORD m_uiThreadId = 0;
  CDeviceController m_controller;
  CNetworkJobRunner m_networkJobs{m_controller};
};

// The program's entry: single instance, framework and device link up, the main window's run,
// and the tear-down in order. Returns 0 on every path. The command line is the raw text after
// the program's name ("-hide" anywhere in it starts hidden).
int TevaroWinMain(HINSTANCE instance, LPCWSTR commandLine);
