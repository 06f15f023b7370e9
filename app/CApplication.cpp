#include "CApplication.h"

#include <gdiplus.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "AppSeams.h"
#include "CMainDlg.h"
#include "FileBytes.h"
#include "HidDevice/CDeviceManager.h"
#include "IImgDecoderFactory.h"
#include "NamedIdTable.h"
#include "RenderModule.h"
#include "controls/RegisterAppControls.h"
#include "core/SApplication.h"
#include "core/SLog.h"
#include "core/SMsgTemplate.h"
#include "core/SNotifyCenter.h"
#include "core/SRicheditMenuDef.h"
#include "core/STranslator.h"
#include "core/STranslatorMgr.h"
#include "res.mgr/SResProviderPE.h"

using SWUI::SStringW;

namespace {

CApplication* g_app = nullptr;

const wchar_t kAutoRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kAutoRunValue[] = L"zuorv";

#define APP_LOG(level, ...) \
  SWUI::SLog::Printf(level, "tevaro", __FILE__, __LINE__, __func__, __VA_ARGS__)

SStringW ModulePath() {
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return SStringW();
    if (n < buf.size()) return SStringW(buf.data(), static_cast<int>(n));
    buf.resize(buf.size() * 2);
  }
}

// The folder of a path: cut at its last backslash, the backslash kept when keepSlash.
SStringW FolderOf(const SStringW& path, bool keepSlash) {
  const int slash = path.ReverseFind(L'\\');
  if (slash < 0) return SStringW();
  return path.Left(keepSlash ? slash + 1 : slash);
}

// The autorun value of one root key, whole however long, or empty.
std::wstring ReadAutoRunValue(HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, kAutoRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::wstring();
  std::wstring value;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, kAutoRunValue, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && bytes > 0) {
    // Sized by the value itself and terminated here: a value stored without its terminator
    // (or longer than any fixed buffer) is read whole and no further.
    std::vector<wchar_t> buf(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>((buf.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, kAutoRunValue, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                         &got) == ERROR_SUCCESS) {
      buf[got / sizeof(wchar_t)] = L'\0';
      value = buf.data();
    }
  }
  RegCloseKey(key);
  return value;
}

// A value written as the quoted path followed by arguments becomes the bare path.
std::wstring AutoRunPath(std::wstring value) {
  const size_t last = value.rfind(L'"');
  if (last != std::wstring::npos && last >= 2) value.erase(last);
  const size_t first = value.find(L'"');
  if (first != std::wstring::npos) value.erase(0, first + 1);
  return value;
}

// The cn language file's translation of a source text, read without the framework (a second
// instance never starts it).
std::wstring ChineseTranslation(HINSTANCE instance, const wchar_t* source) {
  HRSRC res = FindResourceW(instance, L"cn", L"TRANSLATOR");
  HGLOBAL data = res != nullptr ? LoadResource(instance, res) : nullptr;
  const void* bytes = data != nullptr ? LockResource(data) : nullptr;
  if (bytes == nullptr) return std::wstring();
  pugi::xml_document doc;
  if (!doc.load_buffer(bytes, SizeofResource(instance, res), pugi::parse_default,
                       pugi::encoding_utf8)) {
    return std::wstring();
  }
  for (pugi::xml_node context : doc.child(L"language").children(L"context")) {
    for (pugi::xml_node message : context.children(L"message")) {
      if (wcscmp(message.child_value(L"source"), source) == 0) {
        return message.child_value(L"translation");
      }
    }
  }
  return std::wstring();
}

// Another instance holds the mutex: its main window comes to the front, briefly topmost.
void ActivateOtherInstance(HINSTANCE instance) {
  HWND window = FindWindowW(CApplication::kHostClassName, L"Tevaro");
  if (window == nullptr) {
    const std::wstring title = ChineseTranslation(instance, L"Tevaro");
    if (!title.empty()) window = FindWindowW(CApplication::kHostClassName, title.c_str());
  }
  if (window == nullptr) return;
  SetForegroundWindow(window);
  ShowWindow(window, SW_SHOWNORMAL);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Sleep(200);
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// A translator loaded from the language file of the language (0 Chinese, else English), or null.
SWUI::SAutoRefPtr<SWUI::ITranslator> LoadTranslator(SWUI::SApplication* app, int language,
                                                    SWUI::ITranslatorMgr* manager) {
  SWUI::SAutoRefPtr<SWUI::ITranslator> translator;
  pugi::xml_document doc;
  if (!app->LoadXmlDocument(doc, language == 0 ? L"cn" : L"en", L"translator")) return translator;
  SWUI::ITranslator* created = nullptr;
  if (!manager->CreateTranslator(&created)) return translator;
  translator.Attach(created);
  pugi::xml_node node = doc.child(L"language");
  if (!translator->Load(&node, SWUI::STranslator::kLoadXmlNode)) translator = nullptr;
  return translator;
}

}  // namespace

// ---- the one object ----------------------------------------------------------------------

CApplication& CApplication::Get() {
  if (g_app == nullptr) g_app = new CApplication();
  return *g_app;
}

CApplication* CApplication::Find() { return g_app; }

void CApplication::Destroy() {
  CApplication* app = g_app;
  g_app = nullptr;
  delete app;
}

CApplication::CApplication() : m_settings(true) {
  wcsncpy(m_mutexName, kMutexName, kMutexNameLength - 1);
  GetDataFolder();
  m_settingsFile = SettingsFile(SettingsPath().c_str());
  LoadSettings();
  m_language = static_cast<int>(m_settings.GetLongValue(L"Config", L"Lang", 0));
}

CApplication::~CApplication() {
  CleanupApp();
  if (m_mutex != nullptr) {
    ::ReleaseMutex(m_mutex);
    CloseHandle(m_mutex);
    m_mutex = nullptr;
  }
}

void CApplication::GetDataFolder() {
  m_programFolder = FolderOf(ModulePath(), false);
  m_dataFolder.Empty();
  wchar_t shell[MAX_PATH] = {};
  if (FAILED(AppSeams::Current().GetFolderPath(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, shell)) ||
      shell[0] == L'\0') {
    // Without it every setting keeps its default and nothing is written: the drive's root is
    // no place for them.
    APP_LOG(SWUI::LOG_LEVEL_WARN, "no local application data folder: settings are not kept");
    return;
  }
  SStringW folder = SStringW(shell) + L"\\" + kDataFolderName;
  if (!PathFileExistsW(folder) && !CreateDirectoryW(folder, nullptr)) {
    APP_LOG(SWUI::LOG_LEVEL_WARN, "cannot create the data folder (error %lu)", GetLastError());
  }
  m_dataFolder = folder;
}

SStringW CApplication::SettingsPath() const {
  if (m_dataFolder.IsEmpty()) return SStringW();
  return m_dataFolder + L"\\" + kSettingsFileName;
}

void CApplication::LoadSettings() { ReadSettingsFile(&m_settings); }

bool CApplication::ReadSettingsFile(CSimpleIniW* settings) {
  switch (m_settingsFile.Load(settings)) {
    case SettingsFile::Outcome::kRead:
    case SettingsFile::Outcome::kMissing:
      return true;
    case SettingsFile::Outcome::kSetAside:
      APP_LOG(SWUI::LOG_LEVEL_WARN, "config.ini is damaged: set aside, what could be read kept");
      NoteSettingsProblem(kNoticeSetAside);
      // The file is whole again at once: with the settings read now, or the program's own.
      SaveSettings();
      return false;
    case SettingsFile::Outcome::kLeft:
      APP_LOG(SWUI::LOG_LEVEL_ERROR, "config.ini cannot be read or set aside: it is not written");
      NoteSettingsProblem(kNoticeLeft);
      return false;
  }
  return false;
}

bool CApplication::SaveSettings() {
  if (m_settingsFile.Path().empty()) {
    APP_LOG(SWUI::LOG_LEVEL_WARN, "no data folder: config.ini is not written");
    return false;
  }
  // A file left unread was told of already.
  if (!m_settingsFile.Writable()) return false;
  if (m_settingsFile.Save(m_settings)) return true;
  APP_LOG(SWUI::LOG_LEVEL_ERROR, "config.ini could not be written (error %lu)", GetLastError());
  NoteSettingsProblem(kNoticeUnwritable);
  HWND owner = GetActiveWindow();
  if (owner == nullptr && m_mainWindow != nullptr) owner = m_mainWindow->m_hWnd;
  TellSettingsProblems(owner);
  return false;
}

void CApplication::NoteSettingsProblem(SettingsNotice notice) {
  // Every file set aside is news; the other problems are told once a run.
  if (notice == kNoticeSetAside || !(m_settingsNoticesTold & notice)) m_settingsNotices |= notice;
}

void CApplication::TellSettingsProblems(HWND owner) {
  if (m_swuiApp == nullptr || m_settingsNotices == 0) return;
  struct Text {
    SettingsNotice notice;
    const wchar_t* format;  // translated, then given the file's path
    const wchar_t* caption;
  };
  static const Text kTexts[] = {
      {kNoticeSetAside,
       L"The settings file was damaged. The settings that could be read are kept; the damaged "
       L"file was saved as %s.",
       L"prompt"},
      {kNoticeLeft,
       L"The settings file %s cannot be read. Settings will not be saved until it is repaired "
       L"or removed.",
       L"Error"},
      {kNoticeUnwritable, L"The settings cannot be saved to %s.", L"Error"},
  };
  for (const Text& t : kTexts) {
    if (!(m_settingsNotices & t.notice)) continue;
    m_settingsNotices &= ~static_cast<unsigned>(t.notice);
    m_settingsNoticesTold |= t.notice;
    const std::wstring& file =
        t.notice == kNoticeSetAside ? m_settingsFile.SetAsidePath() : m_settingsFile.Path();
    SStringW text;
    text.Format(m_swuiApp->Translate(SStringW(t.format), SStringW()).c_str(), file.c_str());
    AppSeams::Current().FrameworkMessageBox(owner, text, t.caption, MB_OK);
  }
}

// ---- single instance ---------------------------------------------------------------------

bool CApplication::TakeMutex() {
  if (m_mutexName[0] == L'\0') return false;
  HANDLE mutex = CreateMutexW(nullptr, TRUE, m_mutexName);
  const DWORD error = GetLastError();
  if (mutex == nullptr) return false;
  if (m_mutex != nullptr) CloseHandle(m_mutex);
  m_mutex = mutex;
  if (error == ERROR_ALREADY_EXISTS) return false;
  return true;
}

void CApplication::ReleaseInstanceMutex() {
  if (m_mutex == nullptr) return;
  ::ReleaseMutex(m_mutex);
  CloseHandle(m_mutex);
  m_mutex = nullptr;
}

bool CApplication::MutexExists() const {
  HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, m_mutexName);
  if (mutex == nullptr) return false;
  CloseHandle(mutex);
  return true;
}

bool CApplication::ActivateWindow(LPCWSTR className, LPCWSTR title) {
  HWND window = FindWindowW(className, title);
  if (window == nullptr) return false;
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  return true;
}

// ---- start and end -----------------------------------------------------------------------

bool CApplication::InitApp(HINSTANCE instance) {
  m_instance = instance;
  if (!InitSwui()) return false;
  m_deviceManager =
      std::make_unique<CDeviceManager>(CDeviceManager::kVendorId, CDeviceManager::kProductId);
  if (!m_deviceManager->StartRecvThread()) return false;
  m_controller.AttachDeviceManager(m_deviceManager.get());
  return true;
}

void CApplication::ConnectFirstDevice() {
  CDeviceController::DumpStartImage();
  if (m_deviceManager != nullptr && m_deviceManager->EnumDevices() > 0) {
    m_deviceManager->ConnectDevice(0);
  }
}

bool CApplication::InitSwui() {
  m_decoderModule = std::make_unique<SStringW>(kDecoderModule);
  SetCurrentDirectoryW(FolderOf(ModulePath(), true));

  SWUI::IObjRef* obj = nullptr;
  SWUI::SAutoRefPtr<SWUI::IRenderFactory> render;
  if (SWUI::CreateRenderFactory_GDI(&obj)) render.Attach(static_cast<SWUI::IRenderFactory*>(obj));
  obj = nullptr;
  SWUI::SAutoRefPtr<SWUI::IImgDecoderFactory> decoders;
  if (SWUI::CreateImgDecoderFactoryByName(*m_decoderModule, &obj)) {
    decoders.Attach(static_cast<SWUI::IImgDecoderFactory*>(obj));
  }
  if (render != nullptr) render->SetImgDecoderFactory(decoders);
  if (render == nullptr) return false;
  m_swuiApp = std::make_unique<SWUI::SApplication>(render, m_instance, kHostClassName, nullptr,
                                                   FALSE);

  RegisterAppControls(*m_swuiApp);
  LoadSystemResources();

  SWUI::SAutoRefPtr<SWUI::SResProviderPE> provider;
  provider.Attach(new SWUI::SResProviderPE());
  if (!provider->Init(reinterpret_cast<WPARAM>(m_instance), 0)) {
    AppSeams::Current().SystemMessageBox(nullptr, L"初始化界面资源失败", L"ERROR", MB_OK);
    m_swuiApp.reset();
    return false;
  }
  m_swuiApp->InitXmlNamedID(kNamedIdTable, kNamedIdCount, TRUE);
  m_swuiApp->AddResProvider(provider, L"uidef:xml_init");

  m_notifyCenter = std::make_unique<SWUI::SNotifyCenter>();
  InstallTranslator();
  LoadTemplates();
  return true;
}

void CApplication::LoadSystemResources() {
  SWUI::SAutoRefPtr<SWUI::SResProviderPE> provider;
  provider.Attach(new SWUI::SResProviderPE());
  if (!provider->Init(reinterpret_cast<WPARAM>(m_instance), 0)) return;
  const UINT failed = m_swuiApp->LoadSystemNamedResource(provider);
  if (failed != 0) APP_LOG(SWUI::LOG_LEVEL_WARN, "framework defaults missing (bits %u)", failed);
}

bool CApplication::InstallTranslator() {
  SWUI::IObjRef* obj = nullptr;
  if (!SWUI::Translator_SCreateInstance(&obj)) return false;
  SWUI::SAutoRefPtr<SWUI::ITranslatorMgr> manager;
  manager.Attach(static_cast<SWUI::ITranslatorMgr*>(obj));
  m_swuiApp->SetTranslator(manager);
  SWUI::SAutoRefPtr<SWUI::ITranslator> translator =
      LoadTranslator(m_swuiApp.get(), m_language, manager);
  return translator != nullptr && manager->InstallTranslator(translator) != FALSE;
}

bool CApplication::ChangeLanguage(int language) {
  m_language = language;
  SWUI::ITranslatorMgr* manager = m_swuiApp != nullptr ? m_swuiApp->GetTranslator() : nullptr;
  if (manager == nullptr) return false;
  SWUI::SAutoRefPtr<SWUI::ITranslator> translator =
      LoadTranslator(m_swuiApp.get(), m_language, manager);
  if (translator == nullptr) return false;
  // A language of another name drops the translator installed before.
  wchar_t name[64] = {};
  translator->GetName(name);
  manager->SetLanguage(name);
  // Refused only when the same language is installed already.
  manager->InstallTranslator(translator);
  return true;
}

void CApplication::LoadTemplates() {
  pugi::xml_document msgbox;
  if (m_swuiApp->LoadXmlDocument(msgbox, L"XML_MSGBOX", L"LAYOUT")) {
    SWUI::SetMsgTemplate(msgbox.child(L"SWUI"));
  }
  pugi::xml_document editMenu;
  if (m_swuiApp->LoadXmlDocument(editMenu, L"XML_EDITMENU", L"SMENU")) {
    SWUI::SRicheditMenuDef::getSingleton().SetMenuTemplate(editMenu.child(L"editmenu"));
  }
}

int CApplication::RunMainWindow(bool hidden) {
  m_uiThreadId = GetCurrentThreadId();
  auto window = std::make_unique<CMainDlg>(L"LAYOUT:XML_MAINWND");
  if (window->CreateEx(GetDesktopWindow(), WS_CAPTION, 0, 0, 0, 0, 0) == nullptr) return 0;
  const HWND hwnd = window->m_hWnd;
  ::SendMessageW(hwnd, WM_INITDIALOG, 0, 0);
  window->CenterWindow(hwnd);
  if (!hidden) {
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    window->SetTimer(CMainDlg::kTimerEndTopmost, 500);
    // Painted now, so that what start-up leaves for later comes after the first paint.
    ::UpdateWindow(hwnd);
  } else {
    ::ShowWindow(hwnd, SW_HIDE);
  }
  ::PostMessageW(hwnd, CMainDlg::kMsgAfterFirstPaint, 0, 0);
  if (m_deviceManager != nullptr) m_deviceManager->RegisterDeviceNotify(hwnd);
  const int result = m_swuiApp->Run(hwnd);
  m_mainWindow = nullptr;
  if (m_deviceManager != nullptr) {
    m_deviceManager->RegisterDeviceNotify(nullptr);
    m_deviceManager->SetMainWindow(nullptr);
  }
  return result;
}

void CApplication::CleanupApp() {
  // Text an edit copied may still be on the clipboard as the text services' own data object:
  // it is rendered and let go while their module is loaded (the framework unloads it), so
  // that OLE's shut-down never calls into a module that is gone.
  if (m_swuiApp != nullptr) {
    const HRESULT flushed = OleFlushClipboard();
    if (FAILED(flushed)) APP_LOG(SWUI::LOG_LEVEL_WARN, "clipboard not flushed (0x%08lx)", flushed);
  }
  m_notifyCenter.reset();
  m_swuiApp.reset();
  m_decoderModule.reset();
  if (m_deviceManager != nullptr) {
    // Network workers still running fail at once on the closed link; none may outlive it.
    m_deviceManager->DisconnectDevice();
    m_networkJobs.WaitIdle();
    m_controller.AttachDeviceManager(nullptr);
    m_deviceManager.reset();
  }
  m_instance = nullptr;
}

bool CApplication::SetAutoRun(bool enabled) const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kAutoRunKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    APP_LOG(SWUI::LOG_LEVEL_WARN, "the autorun key cannot be opened for writing");
    return false;
  }
  LSTATUS status;
  if (enabled) {
    SStringW value;
    value.Format(L"\"%s\" -hide", ModulePath().c_str());
    // With its terminator: a reader that takes the stored bytes as they are finds the end.
    const DWORD bytes = static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key, kAutoRunValue, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  } else {
    status = RegDeleteValueW(key, kAutoRunValue);
  }
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

bool CApplication::IsAutoRunEnabled() const {
  const SStringW program = ModulePath();
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    const std::wstring path = AutoRunPath(ReadAutoRunValue(root));
    if (!path.empty() && _wcsicmp(path.c_str(), program) == 0) return true;
  }
  return false;
}

// ---- the entry ---------------------------------------------------------------------------

namespace {

void RunProgram(CApplication& app, HINSTANCE instance, LPCWSTR commandLine) {
  if (!app.TakeMutex()) {
    ActivateOtherInstance(instance);
    return;
  }
  OleInitialize(nullptr);
  ULONG_PTR gdiplus = 0;
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  if (Gdiplus::GdiplusStartup(&gdiplus, &input, nullptr) != Gdiplus::Ok) gdiplus = 0;
  if (app.InitApp(instance)) {
    const bool hidden = commandLine != nullptr && wcsstr(commandLine, L"-hide") != nullptr;
    app.RunMainWindow(hidden);
    app.ReleaseInstanceMutex();
    if (CDeviceManager* manager = app.DeviceManager()) manager->DisconnectDevice();
    app.CleanupApp();
  }
  if (gdiplus != 0) Gdiplus::GdiplusShutdown(gdiplus);
  OleUninitialize();
}

}  // namespace

int TevaroWinMain(HINSTANCE instance, LPCWSTR commandLine) {
  RunProgram(CApplication::Get(), instance, commandLine);
  CApplication::Destroy();
  return 0;
}
