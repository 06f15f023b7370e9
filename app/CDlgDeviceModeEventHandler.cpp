#include "CDlgDeviceModeEventHandler.h"


#include "AppSeams.h"
#include "CApplication.h"
#include "CMainDlg.h"
#include "CUIEventHandler.h"
#include "WifiSettings.h"
#include "HidDevice/CDeviceController.h"
#include "control/EventCBSelChange.h"
#include "control/SComboBox.h"
#include "control/SEdit.h"
#include "control/SListBox.h"
#include "controls/CTipWnd.h"
#include "core/SHostDialog.h"

using SWUI::SStringW;

namespace {

// After a recall the device needs a moment before it answers for its new parameters.
constexpr DWORD kRecallSettleMs = 500;

}  // namespace

CDlgDeviceModeEventHandler::CDlgDeviceModeEventHandler()
    : m_controller(CApplication::Get().DeviceController()) {}

bool CDlgDeviceModeEventHandler::IsLegalName(const SStringW& name) { return IsDeviceText(name); }

SStringW CDlgDeviceModeEventHandler::ModeName(int slot, bool load) const {
  if (!m_controller.IsConnected() || (!load && !m_controller.AreModeNamesLoaded())) {
    return SStringW();
  }
  SStringW name = SWUI::StringA2W(m_controller.GetDeviceModeName(slot));
  // The device pads its names with spaces.
  int length = name.GetLength();
  while (length > 0 && name[length - 1] == L' ') --length;
  return name.Left(length);
}

SStringW CDlgDeviceModeEventHandler::ItemText(int slot, const SStringW& name) {
  return SStringW().Format(L"%d - %s", slot + 1, name.c_str());
}

void CDlgDeviceModeEventHandler::OnInit(SWUI::SHostDialog* dialog) {
  CCommonEventHandler::OnInit(dialog);
  SWUI::SWindow* root = dialog->GetRoot();
  m_modes = root->FindChildByName2<SWUI::SComboBox>(L"devMode");
  m_name = root->FindChildByName2<SWUI::SEdit>(L"txt_input");
  if (m_name != nullptr) m_name->SetLimitText(kNameLength);
  SWUI::SListBox* list = m_modes != nullptr ? m_modes->GetListBox() : nullptr;
  if (list != nullptr) {
    m_modes->SetCurSel(-1);
    list->DeleteAll();
    // One attempt to read the names: a device that does not answer leaves them all empty.
    if (m_controller.IsConnected() && !m_controller.AreModeNamesLoaded()) {
      m_controller.LoadDeviceModeNames();
    }
    for (int slot = 0; slot < kSlots; ++slot) {
      list->InsertString(slot, ItemText(slot, ModeName(slot, false)));
    }
  }
  const int current = m_controller.GetDeviceMode();
  if (m_name != nullptr) m_name->SetWindowText(ModeName(current, false));
  if (m_modes != nullptr) m_modes->SetCurSel(current);
  m_initialised = 1;
}

bool CDlgDeviceModeEventHandler::_HandleEvent(SWUI::EventArgs* evt) {
  if (evt == nullptr || m_pDlg == nullptr || !IsOwnSender(evt)) return false;
  if (evt->GetID() == SWUI::EventCBSelChange::EventID && evt->nameFrom != nullptr &&
      wcscmp(evt->nameFrom, L"devMode") == 0) {
    if (m_initialised && m_modes != nullptr && m_name != nullptr) {
      m_name->SetWindowText(ModeName(m_modes->GetCurSel(), true));
    }
    return true;
  }
  if (IsCommandFrom(evt, L"btnSave")) {
    Save();
    return true;
  }
  if (IsCommandFrom(evt, L"btnRecall")) {
    Recall();
    return true;
  }
  // The close box ends it with 2.
  return CCommonEventHandler::_HandleEvent(evt);
}

void CDlgDeviceModeEventHandler::ShowMessage(const wchar_t* text) const {
  AppSeams::Current().FrameworkMessageBox(m_hDlg, text, L"", MB_OK);
}

void CDlgDeviceModeEventHandler::ShowTip(const wchar_t* text) const {
  CTipWnd::ShowTipAtWindow(SStringW(text), m_pDlg->GetRoot(), IDOK);
}

void CDlgDeviceModeEventHandler::Recall() {
  const int slot = m_modes != nullptr ? m_modes->GetCurSel() : -1;
  if (slot < 0) return;
  if (!m_controller.RecallDeviceMode(slot)) {
    ShowMessage(L"Recall device mode failed");
    return;
  }
  Sleep(kRecallSettleMs);
  const bool readBack = m_controller.ReadAllParams();
  // The device works in the recalled mode whether or not its parameters came back.
  m_controller.SetDeviceMode(slot);
  if (readBack) {
    ShowTip(L"Recall device mode successfully");
  } else {
    ShowMessage(L"Failed to get device infomation, please try again later");
  }
  // Every page shows the image, as far as it was read.
  CMainDlg* main = CApplication::Get().MainWindow();
  if (main != nullptr) {
    ::SendMessageW(main->m_hWnd, WM_DEVICE_NOTIFY, CUIEventHandler::kNoticeRefresh, 0);
  }
}

void CDlgDeviceModeEventHandler::Save() {
  const int slot = m_modes != nullptr ? m_modes->GetCurSel() : -1;
  if (slot < 0) return;
  if (!m_controller.IsAdminMode()) {
    ShowMessage(L"Insufficient permission, please switch to administrator mode");
    return;
  }
  SStringW name = m_name != nullptr ? m_name->GetWindowText() : SStringW();
  name.Trim();
  if (name.IsEmpty()) {
    ShowMessage(L"Name cannot be empty");
    return;
  }
  name = name.Left(kNameLength);
  if (!IsLegalName(name)) {
    ShowMessage(L"Name contains illegal charactors");
    return;
  }
  if (AppSeams::Current().FrameworkMessageBox(
          m_hDlg, L"Do you want to replace the selected device mode?", L"", MB_YESNO) != IDYES) {
    return;
  }
  if (!m_controller.UploadToDeviceMode(slot) ||
      !m_controller.SaveDeviceMode(slot, SWUI::StringW2A(name).c_str())) {
    ShowMessage(L"Save failed");
    return;
  }
  if (SWUI::SListBox* list = m_modes->GetListBox()) {
    list->DeleteString(slot);
    list->InsertString(slot, ItemText(slot, name));
  }
  m_modes->SetCurSel(slot);
  m_controller.SetDeviceMode(slot);
  ShowTip(L"Save device mode successfully");
}
