// Changes one of the device's numeric passwords ("XML_CHANGEPWD"): the administrator password
// (kind 0, six digits) or the key password of the front panel (kind 1, four digits). The old
// password once, the new one twice; the checks run in a fixed order and each complaint shows in
// the red line "txt_msg" with the focus back on an edit. The device controller makes the
// change; the dialog ends only when it was made or the device is not connected.
#pragma once
#include "CCommonEventHandler.h"
#include "core/SString.h"

namespace SWUI {
class SEdit;
class SWindow;
}  // namespace SWUI

class CDeviceController;

class CDlgChangePwdEventHandler : public CCommonEventHandler {
 public:
  static constexpr int kAdminPassword = 0;
  static constexpr int kKeyPassword = 1;

  // An empty title shows "Change Password"; length is the number of digits the device keeps.
  CDlgChangePwdEventHandler(const SWUI::SStringW& title, int kind, int length);
  // The dialog template's own handler: the administrator password.
  CDlgChangePwdEventHandler();

  void OnInit(SWUI::SHostDialog* dialog);
  bool _HandleEvent(SWUI::EventArgs* evt) override;

  int Kind() const { return m_kind; }
  int Length() const { return m_length; }

 private:
  // "btnOK".
  void Check();
  // Shows the text in "txt_msg" and gives the focus to the edit (when given).
  void Complain(const wchar_t* text, SWUI::SEdit* focus);
  // "Password of %d numbers" in the current language, with the length.
  SWUI::SStringW LengthText() const;

  CDeviceController& m_controller;
  int m_kind;
  SWUI::SStringW m_title;
  int m_length;
  SWUI::SWindow* m_titleText = nullptr;
  SWUI::SWindow* m_message = nullptr;
  SWUI::SEdit* m_old = nullptr;
  SWUI::SEdit* m_new = nullptr;
  SWUI::SEdit* m_repeat = nullptr;
};
