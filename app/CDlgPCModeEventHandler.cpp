#include "CDlgPCModeEventHandler.h"

#include <shlwapi.h>

#include <cstring>
#include <cwctype>
#include <string>

#include "AppSeams.h"
#include "CApplication.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "HidDevice/ParamDesc.h"
#include "control/EventCBSelChange.h"
#include "control/SComboBox.h"
#include "control/SEdit.h"
#include "controls/CTipWnd.h"
#include "core/EventCmd.h"
#include "core/SHostDialog.h"

using SWUI::SStringW;

namespace {

bool NameIs(const SWUI::EventArgs* evt, const wchar_t* name) {
  return evt->nameFrom != nullptr && wcscmp(evt->nameFrom, name) == 0;
}

std::wstring TrimmedRight(std::wstring text) {
  while (!text.empty() && iswspace(text.back())) text.pop_back();
  return text;
}

std::wstring Trimmed(const std::wstring& text) {
  size_t first = 0;
  while (first < text.size() && iswspace(text[first])) ++first;
  return TrimmedRight(text.substr(first));
}

std::wstring ProgramFolder() { return CApplication::Get().ProgramFolder().c_str(); }

CDeviceController& Controller() { return CApplication::Get().DeviceController(); }

}  // namespace

CDlgPCModeEventHandler::CDlgPCModeEventHandler() : m_settings(true) {
  ScanPCModes(ProgramFolder(), &m_modes);
}

void CDlgPCModeEventHandler::OnInit(SWUI::SHostDialog* dialog) {
  CCommonEventHandler::OnInit(dialog);
  SWUI::SWindow* root = dialog != nullptr ? dialog->GetRoot() : nullptr;
  if (root == nullptr) return;
  m_combo = root->FindChildByName2<SWUI::SComboBox>(L"devMode");
  m_edit = root->FindChildByName2<SWUI::SEdit>(L"txt_input");
  if (m_edit != nullptr) m_edit->SetLimitText(kMaxNameLength);
  if (m_combo == nullptr) return;

  // The layout's items are placeholders.
  m_combo->SetCurSel(-1);
  SWUI::SListBox* list = m_combo->GetListBox();
  if (list == nullptr) return;
  list->DeleteAll();
  // Empty, the list answers the layout's drop height.
  m_dropHeight = m_combo->GetListBoxHeight();
  for (const PCModeEntry& mode : m_modes) list->AddString(mode.name.c_str(), -1, 0);
  FitDropHeight();
  if (m_modes.empty()) return;

  // The first mode also for a stored index below 0, which names none.
  const int stored = StoredIndex();
  const int index = stored > 0 && stored < static_cast<int>(m_modes.size()) ? stored : 0;
  m_combo->SetCurSel(index);
  if (m_edit != nullptr) m_edit->SetWindowText(m_modes[index].name.c_str());
  m_initialised = 1;
}

bool CDlgPCModeEventHandler::_HandleEvent(SWUI::EventArgs* evt) {
  if (evt == nullptr || m_pDlg == nullptr || !IsOwnSender(evt)) return false;
  if (evt->GetID() == SWUI::EventCmd::EventID) {
    if (NameIs(evt, L"btnRecall")) {
      Recall();
      return true;
    }
    if (evt->idFrom == IDOK) {
      Save();
      return true;
    }
    if (NameIs(evt, L"btnDelete")) {
      Delete();
      return true;
    }
  }
  if (evt->GetID() == SWUI::EventCBSelChange::EventID && NameIs(evt, L"devMode")) {
    OnModeSelected(static_cast<SWUI::EventCBSelChange*>(evt)->nCurSel);
    return true;
  }
  return CCommonEventHandler::_HandleEvent(evt);
}

void CDlgPCModeEventHandler::OnModeSelected(int index) {
  if (!m_initialised || m_edit == nullptr) return;
  const PCModeEntry* mode = GetPCMode(index, m_modes);
  m_edit->SetWindowText(mode != nullptr ? mode->name.c_str() : L"");
}

int CDlgPCModeEventHandler::ChosenIndex() const {
  const int index = m_combo != nullptr ? m_combo->GetCurSel() : -1;
  if (index < 0) {
    Box(m_modes.empty() ? L"No PC mode saved yet" : L"Choose a PC mode first", L"", MB_OK);
  }
  return index;
}

void CDlgPCModeEventHandler::FitDropHeight() {
  if (m_combo == nullptr) return;
  // An empty list would open at the full drop height: one row says there is nothing in it.
  SWUI::SListBox* list = m_combo->GetListBox();
  const int row = list != nullptr ? list->GetItemHeight() : 0;
  const int height = m_combo->GetCount() == 0 && row > 0 ? row : m_dropHeight;
  if (height <= 0) return;
  const std::wstring value = std::to_wstring(height) + L"px";
  m_combo->SetAttribute(SStringW(L"dropHeight"), SStringW(value.c_str()), FALSE);
}

void CDlgPCModeEventHandler::Recall() {
  const int index = ChosenIndex();
  if (index < 0) return;
  CDeviceController& controller = Controller();
  // Bytes past the 1382 a mode file holds stay the program's own.
  uint8_t current[kParamSlotSize], singBank[kParamSlotSize], discoBank[kParamSlotSize];
  std::memcpy(current, controller.CurrentImage(), kParamSlotSize);
  std::memcpy(singBank, controller.Bank0Image(), kParamSlotSize);
  std::memcpy(discoBank, controller.Bank1Image(), kParamSlotSize);
  if (!LoadPCMode(index, m_modes, current, singBank, discoBank)) {
    Box(L"Can not open file", L"Error", MB_OK);
    return;
  }
  // The controller keeps the master volumes, rebuilds the curves and sends both banks when a
  // device is connected.
  const bool connected = controller.IsConnected();
  const bool sent = controller.UploadBankImages(current, singBank, discoBank, 0, 2);
  StoreIndex(index);
  if (connected && !sent) {
    Box(L"Recall device mode failed", L"", MB_OK);
  } else {
    ShowTip(L"Recall device mode successfully");
  }
  // The program holds the mode either way: every page shows it.
  CMainDlg* main = CApplication::Get().MainWindow();
  if (main != nullptr && ::IsWindow(main->m_hWnd)) {
    ::SendMessageW(main->m_hWnd, WM_DEVICE_NOTIFY, CUIEventHandler::kNoticeRefresh, 3);
  }
}

void CDlgPCModeEventHandler::Save() {
  std::wstring name = m_edit != nullptr ? Trimmed(m_edit->GetWindowText().c_str()) : L"";
  if (name.empty()) {
    Box(L"Name cannot be empty", L"", MB_OK);
    return;
  }
  if (name.size() > kMaxNameLength) name = TrimmedRight(name.substr(0, kMaxNameLength));
  // The name becomes a file name.
  const std::wstring folder = ProgramFolder();
  const std::wstring path = PCModeFilePath(folder, name);
  if (path.empty()) {
    Box(IsValidPCModeName(name) ? L"Save failed" : L"Name contains illegal charactors", L"",
        MB_OK);
    return;
  }
  if (PathFileExistsW(path.c_str()) &&
      Box(L"Name already exists,whether to replace?", L"prompt", MB_YESNO) != IDYES) {
    return;
  }
  // A mode of that name is replaced where it is listed; the old file stays whole until the new
  // one is complete.
  CDeviceController& controller = Controller();
  bool replaced = false;
  const int index = SavePCMode(folder, &m_modes, name, controller.CurrentImage(),
                               controller.Bank0Image(), controller.Bank1Image(), &replaced);
  if (index < 0) {
    Box(L"Save failed", L"", MB_OK);
    return;
  }
  ShowTip(L"Save pc mode successfully");
  if (m_combo != nullptr) {
    SWUI::SListBox* list = m_combo->GetListBox();
    if (!replaced && list != nullptr) list->InsertString(index, m_modes[index].name.c_str(), -1, 0);
    FitDropHeight();
    m_initialised = 1;
    m_combo->SetCurSel(index);
  }
  StoreIndex(index);
}

void CDlgPCModeEventHandler::Delete() {
  const int index = ChosenIndex();
  if (index < 0) return;
  if (Box(L"Are you sure to delete seleted item?", L"", MB_OKCANCEL) != IDOK) return;
  if (!DeletePCMode(index, &m_modes)) {
    Box(L"Delete failed, may delete file without permission", L"Error", MB_OK);
    return;
  }
  if (SWUI::SListBox* list = m_combo->GetListBox()) list->DeleteString(index);
  FitDropHeight();
  m_combo->SetCurSel(-1);
  m_combo->Invalidate();
  if (m_edit != nullptr) m_edit->SetWindowText(L"");
  // The stored index keeps naming its mode, which moved up by one.
  const long stored = CApplication::Get().Settings().GetLongValue(L"Config", kIndexKey, 0);
  if (stored > index) StoreIndex(static_cast<int>(stored - 1));
}

int CDlgPCModeEventHandler::StoredIndex() {
  // Read as the program reads config.ini at start: a file damaged since is set aside too.
  CApplication& app = CApplication::Get();
  app.ReadSettingsFile(&m_settings);
  app.TellSettingsProblems(m_hDlg);
  return static_cast<int>(m_settings.GetLongValue(L"Config", kIndexKey, 0));
}

void CDlgPCModeEventHandler::StoreIndex(int index) {
  CApplication& app = CApplication::Get();
  app.Settings().SetLongValue(L"Config", kIndexKey, index);
  app.SaveSettings();
}

int CDlgPCModeEventHandler::Box(const wchar_t* text, const wchar_t* caption, UINT type) const {
  return AppSeams::Current().FrameworkMessageBox(m_hDlg, text, caption, type);
}

void CDlgPCModeEventHandler::ShowTip(const wchar_t* text) const {
  CTipWnd::ShowTipAtWindow(text, m_pDlg != nullptr ? m_pDlg->GetRoot() : nullptr, IDOK);
}
