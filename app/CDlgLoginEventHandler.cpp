#include "CDlgLoginEventHandler.h"

#include "AppSeams.h"
#include "CApplication.h"
#include "HidDevice/CDeviceController.h"
#include "control/SEdit.h"
#include "core/SHostDialog.h"

using SWUI::SStringW;

CDlgLoginEventHandler::CDlgLoginEventHandler()
    : m_controller(CApplication::Get().DeviceController()) {}

void CDlgLoginEventHandler::OnInit(SWUI::SHostDialog* dialog) {
  CCommonEventHandler::OnInit(dialog);
  SWUI::SWindow* root = dialog->GetRoot();
  m_password = root->FindChildByName2<SWUI::SEdit>(L"txt_pwd");
  if (m_password != nullptr) m_password->SetLimitText(kPasswordLength);
  m_message = root->FindChildByName(L"txt_msg");
}

bool CDlgLoginEventHandler::_HandleEvent(SWUI::EventArgs* evt) {
  if (evt == nullptr || m_pDlg == nullptr || !IsOwnSender(evt)) return false;
  if (IsCommandFrom(evt, L"btnOK")) {
    Check();
    return true;
  }
  // Cancel and the close box end it with 2.
  return CCommonEventHandler::_HandleEvent(evt);
}

void CDlgLoginEventHandler::Complain(const wchar_t* text, bool focus) {
  if (m_message != nullptr) m_message->SetWindowText(text);
  if (focus && m_password != nullptr) m_password->SetFocus();
}

void CDlgLoginEventHandler::Check() {
  const SStringW typed = m_password != nullptr ? m_password->GetWindowText() : SStringW();
  if (typed.IsEmpty()) {
    Complain(L"Please enter old password", true);
    return;
  }
  if (typed.GetLength() != kPasswordLength) {
    Complain(L"Password of 6 numbers", true);
    return;
  }
  switch (m_controller.CheckAdminPassword(typed.c_str())) {
    case CDeviceController::kPasswordOk:
      m_pDlg->EndDialog(IDOK);
      break;
    case CDeviceController::kPasswordNotConnected:
      m_pDlg->EndDialog(IDOK);
      AppSeams::Current().FrameworkMessageBox(m_hDlg, L"Device not connected", L"", MB_OK);
      break;
    case CDeviceController::kPasswordWrong:
      Complain(L"Password is incorrect", true);
      break;
    case CDeviceController::kPasswordUnreadable:
      Complain(L"Failed to get device infomation, please try again later", false);
      break;
    case CDeviceController::kPasswordBadInput:
      Complain(L"Invalid parameter", false);
      break;
    default:
      break;
  }
}
