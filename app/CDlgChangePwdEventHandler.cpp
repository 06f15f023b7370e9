#include "CDlgChangePwdEventHandler.h"

#include "AppSeams.h"
#include "HidDevice/CDeviceController.h"
#include "control/SEdit.h"
#include "core/SApplication.h"
#include "core/SHostDialog.h"

using SWUI::SEdit;
using SWUI::SStringW;

namespace {

bool AllDigits(const SStringW& text) {
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
  }
  return true;
}

SStringW TextOf(SEdit* edit) { return edit != nullptr ? edit->GetWindowText() : SStringW(); }

}  // namespace

CDlgChangePwdEventHandler::CDlgChangePwdEventHandler(const SStringW& title, int kind, int length)
    : m_kind(kind),
      m_title(title.IsEmpty() ? SStringW(L"Change Password") : title),
      m_length(length) {}

CDlgChangePwdEventHandler::CDlgChangePwdEventHandler()
    : CDlgChangePwdEventHandler(SStringW(), kAdminPassword, 6) {}

void CDlgChangePwdEventHandler::OnInit(SWUI::SHostDialog* dialog) {
  CCommonEventHandler::OnInit(dialog);
  SWUI::SWindow* root = dialog->GetRoot();
  m_titleText = root->FindChildByName(L"txt_title");
  FindMessage();
  m_old = root->FindChildByName2<SEdit>(L"txt_pwd_origin");
  m_new = root->FindChildByName2<SEdit>(L"txt_pwd_new1");
  m_repeat = root->FindChildByName2<SEdit>(L"txt_pwd_new2");
  if (m_titleText != nullptr) m_titleText->SetWindowText(m_title);
  if (m_message != nullptr) m_message->SetWindowText(L"");
  for (SEdit* edit : {m_old, m_new, m_repeat}) {
    if (edit != nullptr) edit->SetLimitText(m_length);
  }
  const SStringW cue = LengthText();
  if (m_old != nullptr) m_old->SetAttribute(SStringW(L"cueText"), cue, FALSE);
  if (m_new != nullptr) m_new->SetAttribute(SStringW(L"cueText"), cue, FALSE);
  if (m_repeat != nullptr) {
    m_repeat->SetAttribute(SStringW(L"cueText"), SStringW(L"Enter new password again"), FALSE);
  }
}

SStringW CDlgChangePwdEventHandler::LengthText() const {
  const SStringW format = SWUI::SApplication::getSingleton().Translate(
      SStringW(L"Password of %d numbers"), m_pDlg->GetTranslatorContext());
  SStringW text;
  text.Format(format.c_str(), m_length);
  return text;
}

void CDlgChangePwdEventHandler::Check() {
  const SStringW old = TextOf(m_old);
  const SStringW fresh = TextOf(m_new);
  const SStringW repeat = TextOf(m_repeat);
  if (old.IsEmpty()) return Complain(L"Please enter old password", m_old);
  if (fresh.IsEmpty()) return Complain(L"Please enter new password", m_new);
  if (fresh != repeat) return Complain(L"Confirm password do not match", m_repeat);
  if (!AllDigits(fresh)) return Complain(L"Please enter only numeric characters", m_new);
  if (repeat.GetLength() != m_length) return Complain(LengthText(), m_repeat);
  if (old.GetLength() != m_length) return Complain(LengthText(), m_old);

  const int result = m_controller.ChangePassword(m_kind, old.c_str(), fresh.c_str());
  if (result == CDeviceController::kPasswordOk) {
    m_pDlg->EndDialog(IDOK);
    AppSeams::Current().FrameworkMessageBox(nullptr, L"Password has been updated", L"", MB_OK);
  } else if (result == CDeviceController::kPasswordWrong) {
    Complain(L"Old password is incorrect", m_old);
  } else if (result == CDeviceController::kPasswordNoReply) {
    Complain(L"Password change failed, please try again later", nullptr);
  } else {
    OnCommonResult(result);
  }
}
