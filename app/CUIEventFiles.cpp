// The page logic's files: export of the current image into an effect file and import of one,
// through the system's file dialogs (AppSeams), and the PC mode dialog. An import that is
// refused changes nothing and sends nothing; an accepted one replaces the image (the three
// master volumes kept), uploads it when a device is connected and shows it on every control.
#include <windows.h>

#include <string>

#include "AppSeams.h"
#include "CCommonDlg.h"
#include "CDlgPCModeEventHandler.h"
#include "CUIEventHandler.h"
#include "EffectFile.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "core/SApplication.h"

namespace {

constexpr DWORD kFileNameChars = 260;
constexpr DWORD kFileTitleChars = 256;

// Runs the save or open dialog for an effect file; true with the chosen path.
bool ChooseEffectFile(bool save, std::wstring* path) {
  const SWUI::SStringW description =
      SWUI::SApplication::getSingleton().Translate(L"ORV effect file", L"");
  const std::wstring filter = EffectFileFilter(description.c_str());
  wchar_t file[kFileNameChars] = {};
  wchar_t title[kFileTitleChars] = {};
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file;
  dialog.nMaxFile = kFileNameChars;
  dialog.lpstrFileTitle = title;
  dialog.nMaxFileTitle = kFileTitleChars;
  dialog.lpstrDefExt = kEffectFileExtension;
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 OFN_ENABLESIZING;
  const AppSeams& seams = AppSeams::Current();
  const BOOL chosen = save ? seams.SaveFileDialog(&dialog) : seams.OpenFileDialog(&dialog);
  if (!chosen || file[0] == L'\0') return false;
  file[kFileNameChars - 1] = L'\0';
  *path = file;
  return true;
}

}  // namespace

void CUIEventHandler::ExportEffect() {
  std::wstring path;
  if (!ChooseEffectFile(true, &path)) return;
  OutputDebugStringA("\nORVK2: Export Data:\n");
  CDeviceController::DumpParams(Image());
  if (!ExportEffectFile(path.c_str(), Image())) {
    AppSeams::Current().FrameworkMessageBox(m_hwnd, L"Failed to export effect to file", L"",
                                            MB_OK);
  }
}

void CUIEventHandler::ImportEffect() {
  std::wstring path;
  if (!ChooseEffectFile(false, &path)) return;
  uint8_t effect[kParamSlotSize] = {};
  if (!ReadEffectFile(path.c_str(), effect)) {
    AppSeams::Current().FrameworkMessageBox(m_hwnd, L"Failed to import effect from file", L"",
                                            MB_OK);
    return;
  }
  // The controller keeps the master volumes, rebuilds the curves and uploads when connected.
  const bool connected = m_controller.IsConnected();
  const bool sent = m_controller.UploadImage(effect);
  m_refreshing = 1;
  RefreshAll();
  m_refreshing = 0;
  // The image stays imported: the controls show it, and the user learns the device lacks it.
  if (connected && !sent) {
    AppSeams::Current().FrameworkMessageBox(m_hwnd, L"Failed to send effect to device", L"",
                                            MB_OK);
  }
}

void CUIEventHandler::ShowPCModeDialog() {
  CCommonDlg<CDlgPCModeEventHandler> dialog(L"LAYOUT:XML_PCMODE");
  dialog.DoModal(m_hwnd);
}
