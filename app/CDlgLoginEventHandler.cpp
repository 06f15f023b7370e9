#include "CDlgLoginEventHandler.h"

#include "HidDevice/CDeviceController.h"
#include "control/SEdit.h"
#include "core/SHostDialog.h"

using SWUI::SStringW;

void CDlgLoginEventHandler::OnInit(SWUI::SHostDialog* dialog) {
  CCommonEventHandler::OnInit(dialog);
  m_password = dialog->GetRoot()->FindChildByName2<SWUI::SEdit>(L"txt_pwd");
  if (m_password != nullptr) m_password->SetLimitText(kPasswordLength);
  FindMessage();
}

void CDlgLoginEventHandler::Check() {
  const SStringW typed = m_password != nullptr ? m_password->GetWindowText() : SStringW();
  if (typed.IsEmpty()) return Complain(L"Please enter old password", m_password);
  if (typed.GetLength() != kPasswordLength) {
    return Complain(L"Password of 6 numbers", m_password);
  }
  const int result = m_controller.CheckAdminPassword(typed.c_str());
  if (result == CDeviceController::kPasswordOk) {
    m_pDlg->EndDialog(IDOK);
  } else if (result == CDeviceController::kPasswordWrong) {
    Complain(L"Password is incorrect", m_password);
  } else {
    OnCommonResult(result);
  }
}
