#include "CPasswordEventHandler.h"

#include "AppSeams.h"
#include "CApplication.h"
#include "HidDevice/CDeviceController.h"
#include "control/SEdit.h"
#include "core/SHostDialog.h"

CPasswordEventHandler::CPasswordEventHandler()
    : m_controller(CApplication::Get().DeviceController()) {}

bool CPasswordEventHandler::_HandleEvent(SWUI::EventArgs* evt) {
  if (evt == nullptr || m_pDlg == nullptr || !IsOwnSender(evt)) return false;
  if (IsCommandFrom(evt, L"btnOK")) {
    Check();
    return true;
  }
  // Cancel and the close box end it with 2.
  return CCommonEventHandler::_HandleEvent(evt);
}

void CPasswordEventHandler::FindMessage() {
  m_message = m_pDlg->GetRoot()->FindChildByName(L"txt_msg");
}

void CPasswordEventHandler::Complain(const wchar_t* text, SWUI::SEdit* focus) {
  if (m_message != nullptr) m_message->SetWindowText(text);
  if (focus != nullptr) focus->SetFocus();
}

bool CPasswordEventHandler::OnCommonResult(int result) {
  switch (result) {
    case CDeviceController::kPasswordNotConnected:
      m_pDlg->EndDialog(IDOK);
      AppSeams::Current().FrameworkMessageBox(m_hDlg, L"Device not connected", L"", MB_OK);
      return true;
    case CDeviceController::kPasswordUnreadable:
      Complain(L"Failed to get device infomation, please try again later", nullptr);
      return true;
    case CDeviceController::kPasswordBadInput:
      Complain(L"Invalid parameter", nullptr);
      return true;
    default:
      return false;
  }
}
