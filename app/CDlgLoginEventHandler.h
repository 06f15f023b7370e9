// The administrator login asked for before the main menu switches the device's user mode
// ("LAYOUT:XML_LOGIN"): a six-digit password checked by the device controller. Complaints go
// to the red line "txt_msg"; the dialog ends with 1 when the password was right and also when
// the device is not connected (the opener reads the controller's logged-in flag, not the code).
#pragma once
#include "CCommonEventHandler.h"

namespace SWUI {
class SEdit;
class SWindow;
}  // namespace SWUI

class CDeviceController;

class CDlgLoginEventHandler : public CCommonEventHandler {
 public:
  static constexpr int kPasswordLength = 6;

  CDlgLoginEventHandler();

  void OnInit(SWUI::SHostDialog* dialog);
  bool _HandleEvent(SWUI::EventArgs* evt) override;

 private:
  // "btnOK": the password's length here, the password itself by the controller.
  void Check();
  // Shows the text in "txt_msg"; with focus, the password edit takes the focus.
  void Complain(const wchar_t* text, bool focus);

  CDeviceController& m_controller;
  SWUI::SEdit* m_password = nullptr;
  SWUI::SWindow* m_message = nullptr;
};
