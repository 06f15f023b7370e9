// The page logic's menus: the main menu behind "btn_mainmenu" and the tray icon's menu, and
// every command they (and nothing else) deliver to the main window as WM_COMMAND.
#include <string>

#include "AppSeams.h"
#include "CApplication.h"
#include "CCommonDlg.h"
#include "CDlgChangePwdEventHandler.h"
#include "CDlgDeviceModeEventHandler.h"
#include "CDlgLoginEventHandler.h"
#include "CDlgSetNetWork.h"
#include "CDlgVolumeLimitEventHandler.h"
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ParamControls.h"
#include "control/SMenuEx.h"
#include "control/SMenuExItem.h"
#include "core/SApplication.h"
#include "core/SHostDialog.h"
#include "core/SWindow.h"

using SWUI::SMenuEx;
using SWUI::SStringW;

namespace {

// Menu commands.
enum MenuCommand : int {
  kCmdKeyPassword = 1,
  kCmdAdminPassword = 2,
  kCmdKeyLock = 3,
  kCmdUserModeMenu = 4,
  kCmdLanguageMenu = 5,
  kCmdShow = 7,
  kCmdAutoRun = 8,
  kCmdExit = 10,
  kCmdImportEffect = 11,
  kCmdExportEffect = 12,
  kCmdConnectSpdif = 13,
  kCmdDisconnectSpdif = 14,
  kCmdVolumeLimit = 16,
  kCmdUser = 40,
  kCmdAdministrator = 41,
  kCmdChinese = 51,
  kCmdEnglish = 52,
  kCmdAbout = 63,
  kCmdSkinMenu = 70,
  kCmdFirstSkin = 71,
  kCmdLastSkin = 79,
  kCmdNetwork = 80,
};

// The device's byte for the administrator (SysControl_Mode) and for a locked key
// (SysAutoKeyLockMode).
constexpr uint16_t kAdministrator = 0x80;
constexpr uint16_t kKeyLocked = 0x80;

// Gives the item (on the top level, or in the sub-menu of the item `parent`) the "check" "1".
void CheckItem(SMenuEx& menu, int parent, int id) {
  SMenuEx* level = parent != 0 ? menu.GetSubMenu(parent) : &menu;
  SWUI::SMenuExItem* item = level != nullptr ? level->GetMenuItem(id) : nullptr;
  if (item != nullptr) item->SetAttribute(SStringW(L"check"), SStringW(L"1"), FALSE);
}

// Shows the menu at the cursor, owned by the window; a chosen item comes back as WM_COMMAND.
void TrackAtCursor(SMenuEx& menu, HWND owner) {
  POINT pt = {0, 0};
  ::GetCursorPos(&pt);
  menu.TrackPopupMenu(0, pt.x, pt.y, owner);
}

}  // namespace

// ---- menus -------------------------------------------------------------------------------

bool CUIEventHandler::LoadMainMenu(SMenuEx& menu) {
  const uint8_t* image = Image();
  const bool administrator =
      m_controller.IsConnected() && GetParam(image, ParamRow::SysControl_Mode) == kAdministrator;
  if (!menu.LoadMenu(administrator ? L"smenu:menu_main_admin" : L"smenu:menu_main", m_hwnd)) {
    return false;
  }
  if (administrator && GetParam(image, ParamRow::SysAutoKeyLockMode) == kKeyLocked) {
    CheckItem(menu, 0, kCmdKeyLock);
  }
  CheckItem(menu, kCmdLanguageMenu, kCmdChinese + (m_app.Language() != 0 ? 1 : 0));
  CheckItem(menu, kCmdUserModeMenu, administrator ? kCmdAdministrator : kCmdUser);
  const long scheme = m_app.Settings().GetLongValue(L"Config", L"colorIndex", 0);
  CheckItem(menu, kCmdSkinMenu, kCmdFirstSkin + static_cast<int>(scheme));
  return true;
}

bool CUIEventHandler::LoadTrayMenu(SMenuEx& menu) {
  if (!menu.LoadMenu(L"smenu:menu_tray", m_hwnd)) return false;
  SWUI::SMenuExItem* autoRun = menu.GetMenuItem(kCmdAutoRun);
  if (autoRun != nullptr) {
    autoRun->SetAttribute(SStringW(L"check"), SStringW(m_app.IsAutoRunEnabled() ? L"1" : L"0"),
                          FALSE);
  }
  return true;
}

BOOL CUIEventHandler::OnMainMenuButton() {
  HideBandTips();
  SMenuEx menu;
  if (LoadMainMenu(menu)) TrackAtCursor(menu, m_hwnd);
  return TRUE;
}

void CUIEventHandler::ShowTrayMenu() {
  SMenuEx menu;
  if (!LoadTrayMenu(menu)) return;
  // The menu runs while its owner is in the foreground, also when the window is hidden.
  ::SetForegroundWindow(m_hwnd);
  TrackAtCursor(menu, m_hwnd);
}

// ---- commands ----------------------------------------------------------------------------

void CUIEventHandler::ShowMessage(const wchar_t* text) const {
  AppSeams::Current().FrameworkMessageBox(m_hwnd, text, L"", MB_OK);
}

bool CUIEventHandler::CheckConnected() const {
  if (m_controller.IsConnected()) return true;
  ShowMessage(L"Device not connected");
  return false;
}

void CUIEventHandler::OnMenuCommand(int id) {
  switch (id) {
    case kCmdKeyPassword:
      OnChangePassword(CDlgChangePwdEventHandler::kKeyPassword, 4, L"Change Key Password");
      break;
    case kCmdAdminPassword:
      OnChangePassword(CDlgChangePwdEventHandler::kAdminPassword, 6, L"Change Admin Password");
      break;
    case kCmdKeyLock:
      OnToggleKeyLock();
      break;
    case kCmdShow:
      ::ShowWindow(m_hwnd, SW_SHOWNORMAL);
      break;
    case kCmdAutoRun:
      OnToggleAutoRun();
      break;
    case kCmdExit:
      OnExit();
      break;
    case kCmdImportEffect:
      ImportEffect();
      break;
    case kCmdExportEffect:
      ExportEffect();
      break;
    case kCmdConnectSpdif:
      m_controller.ConnectSpdif();
      break;
    case kCmdDisconnectSpdif:
      m_controller.DisconnectSpdif();
      break;
    case kCmdVolumeLimit:
      OnVolumeLimit();
      break;
    case kCmdUser:
    case kCmdAdministrator:
      OnUserMode(id == kCmdAdministrator);
      break;
    case kCmdChinese:
    case kCmdEnglish:
      OnLanguage(id - kCmdChinese);
      break;
    case kCmdAbout: {
      SWUI::SHostDialog about(L"LAYOUT:XML_ABOUT");
      about.DoModal(m_hwnd);
      break;
    }
    case kCmdNetwork:
      if (CheckConnected()) CDlgSetNetWork::Open(m_hwnd);
      break;
    default:
      if (id >= kCmdFirstSkin && id <= kCmdLastSkin) OnColorScheme(id - kCmdFirstSkin);
      break;
  }
}

void CUIEventHandler::OnChangePassword(int kind, int length, const wchar_t* title) {
  if (!CheckConnected()) return;
  CDlgChangePwdEventHandler handler(SStringW(title), kind, length);
  CCommonDlg<CDlgChangePwdEventHandler> dialog(L"XML_CHANGEPWD", &handler);
  dialog.DoModal(m_hwnd);
}

void CUIEventHandler::OnToggleKeyLock() {
  if (!CheckConnected()) return;
  const bool locked = m_controller.IsKeyLocked();
  if (!m_controller.SetKeyLock(!locked)) {
    ShowMessage(L"Set key lock status failed");
  } else {
    ShowMessage(locked ? L"Key unlock" : L"Key locked");
  }
}

void CUIEventHandler::OnToggleAutoRun() { m_app.SetAutoRun(!m_app.IsAutoRunEnabled()); }

void CUIEventHandler::OnExit() {
  ::ShowWindow(m_hwnd, SW_HIDE);
  // The window's close: the close sequence, then the window goes.
  ::SendMessageW(m_hwnd, WM_CLOSE, 0, 0);
}

void CUIEventHandler::OnVolumeLimit() {
  {
    CCommonDlg<CDlgVolumeLimitEventHandler> dialog(L"LAYOUT:XML_VOLUMELIMIT");
    dialog.DoModal(m_hwnd);
  }
  // A main volume above its (new) limit comes down to it as a move of its slider would.
  for (int id = 2000; id <= 2002; ++id) {
    const FixedSlider* slider = FindFixedSlider(id);
    if (slider == nullptr) continue;
    const int limit = GetParam(Image(), slider->capRow);
    if (limit >= GetParam(Image(), slider->row)) continue;
    SetSlider(id, limit);
    OnSliderPos(id, limit);
  }
}

void CUIEventHandler::OnUserMode(bool administrator) {
  if (!CheckConnected()) return;
  if (!m_controller.IsLoggedIn()) {
    CCommonDlg<CDlgLoginEventHandler> login(L"LAYOUT:XML_LOGIN");
    login.DoModal(m_hwnd);
    // The dialog ends with 1 also when the device went away: the controller knows.
    if (!m_controller.IsLoggedIn()) return;
  }
  if (!m_controller.SetUserMode(administrator)) ShowMessage(L"Set user mode failed");
}

void CUIEventHandler::OnLanguage(int language) {
  m_app.Settings().SetLongValue(L"Config", L"Lang", language);
  m_app.SaveSettings();
  m_app.ChangeLanguage(language);
  if (SWUI::SWindow* root = Root()) root->SDispatchMessage(SWUI::UM_SETLANGUAGE);
  const SStringW title = SWUI::SApplication::getSingleton().Translate(L"Tevaro", L"");
  ::SetWindowTextW(m_hwnd, title);
  m_tray.SetTip(title);
}

void CUIEventHandler::OnColorScheme(int index) {
  ApplyColorScheme(index);
  m_app.Settings().SetLongValue(L"Config", L"colorIndex", index);
  m_app.SaveSettings();
}

BOOL CUIEventHandler::OnDeviceModeButton() {
  HideBandTips();
  if (!CheckConnected()) return TRUE;
  CCommonDlg<CDlgDeviceModeEventHandler> dialog(L"XML_DEVICEMODE");
  dialog.DoModal(m_hwnd);
  return TRUE;
}
