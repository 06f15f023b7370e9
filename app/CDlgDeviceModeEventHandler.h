// The sixteen device modes stored in the processor ("XML_DEVICEMODE"): the combo box "devMode"
// lists them as "<n> - <name>", the edit "txt_input" holds a name. Recall makes the device
// switch to the chosen mode and reads its parameters back; Save stores the present state and
// the typed name in the chosen slot, only in administrator mode, after the name's checks and
// the user's yes.
#pragma once
#include "CCommonEventHandler.h"
#include "base/SString.h"

namespace SWUI {
class SComboBox;
class SEdit;
}  // namespace SWUI

class CDeviceController;

class CDlgDeviceModeEventHandler : public CCommonEventHandler {
 public:
  static constexpr int kSlots = 16;
  static constexpr int kNameLength = 20;

  CDlgDeviceModeEventHandler();

  void OnInit(SWUI::SHostDialog* dialog);
  bool _HandleEvent(SWUI::EventArgs* evt) override;

  // Whether a name (after trimming and cutting) may go to the device: printable characters of
  // the C locale only, 0x20 .. 0x7E.
  static bool IsLegalName(const SWUI::SStringW& name);

 private:
  void Recall();
  void Save();
  // The slot's name without the device's padding; empty when not connected or unknown. With
  // load, names not read yet are read from the device first.
  SWUI::SStringW ModeName(int slot, bool load) const;
  // "<slot + 1> - <name>".
  static SWUI::SStringW ItemText(int slot, const SWUI::SStringW& name);
  void ShowMessage(const wchar_t* text) const;
  void ShowTip(const wchar_t* text) const;

  CDeviceController& m_controller;
  SWUI::SComboBox* m_modes = nullptr;
  SWUI::SEdit* m_name = nullptr;
  int m_initialised = 0;
};
