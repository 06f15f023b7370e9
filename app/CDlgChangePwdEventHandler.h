// Changes one of the device's numeric passwords ("XML_CHANGEPWD"): the administrator password
// (kind 0, six digits) or the key password of the front panel (kind 1, four digits). The old
// password once, the new one twice; the checks run in a fixed order and each complaint shows in
// the red line "txt_msg" with the focus back on an edit. The device controller makes the
// change; the dialog ends only when it was made or the device is not connected.
#pragma once
#include "CPasswordEventHandler.h"
#include "base/SString.h"

class CDlgChangePwdEventHandler : public CPasswordEventHandler {
 public:
  static constexpr int kAdminPassword = 0;
  static constexpr int kKeyPassword = 1;

  // An empty title shows "Change Password"; length is the number of digits the device keeps.
  CDlgChangePwdEventHandler(const SWUI::SStringW& title, int kind, int length);
  // The dialog template's own handler: the administrator password.
  CDlgChangePwdEventHandler();

  void OnInit(SWUI::SHostDialog* dialog);

 private:
  void Check() override;
  // "Password of %d numbers" in the current language, with the length.
  SWUI::SStringW LengthText() const;

  int m_kind;
  SWUI::SStringW m_title;
  int m_length;
  SWUI::SWindow* m_titleText = nullptr;
  SWUI::SEdit* m_old = nullptr;
  SWUI::SEdit* m_new = nullptr;
  SWUI::SEdit* m_repeat = nullptr;
};
