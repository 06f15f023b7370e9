// The administrator login asked for before the main menu switches the device's user mode
// ("LAYOUT:XML_LOGIN"): a six-digit password checked by the device controller. Complaints go
// to the red line "txt_msg"; the dialog ends with 1 when the password was right and also when
// the device is not connected (the opener reads the controller's logged-in flag, not the code).
#pragma once
#include "CPasswordEventHandler.h"

class CDlgLoginEventHandler : public CPasswordEventHandler {
 public:
  static constexpr int kPasswordLength = 6;

  CDlgLoginEventHandler() = default;

  void OnInit(SWUI::SHostDialog* dialog);

 private:
  // The password's length here, the password itself by the controller.
  void Check() override;

  SWUI::SEdit* m_password = nullptr;
};
