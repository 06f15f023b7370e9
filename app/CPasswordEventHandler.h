// What the login and the password change share: "btnOK" runs the dialog's check, complaints go
// to the red line "txt_msg" with the focus back on an edit, and three of the controller's
// answers (not connected, the device's password unreadable, bad input) are taken alike.
#pragma once
#include "CCommonEventHandler.h"

namespace SWUI {
class SEdit;
class SWindow;
}  // namespace SWUI

class CDeviceController;

class CPasswordEventHandler : public CCommonEventHandler {
 public:
  bool _HandleEvent(SWUI::EventArgs* evt) override;

 protected:
  CPasswordEventHandler();

  // "btnOK".
  virtual void Check() = 0;
  // Finds "txt_msg" anywhere in the dialog.
  void FindMessage();
  // Shows the text in "txt_msg" and gives the focus to the edit (when given).
  void Complain(const wchar_t* text, SWUI::SEdit* focus);
  // Results 1 (the dialog ends with 1, then "Device not connected" over it), 4 and 5 of the
  // controller's password checks; false for any other result.
  bool OnCommonResult(int result);

  CDeviceController& m_controller;
  SWUI::SWindow* m_message = nullptr;
};
