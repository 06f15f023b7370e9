// The PC mode dialog's handler ("XML_PCMODE"): the saved modes in the combo box "devMode", a
// name in the edit "txt_input", and the buttons Recall ("btnRecall"), Save ("btnAdd", id 1) and
// Delete ("btnDelete"). Modes are the files of the program folder's "mode" folder (PCModeFiles);
// the list is read when the handler is made and kept in step with the combo box. The index of
// the mode last saved or recalled is "CurrentSelectPCModeIndex" of [Config] in config.ini:
// read through the handler's own settings object, written through the application's.
//
//   CCommonDlg<CDlgPCModeEventHandler> dlg(L"LAYOUT:XML_PCMODE");
//   dlg.DoModal(owner);
#pragma once
#include <SimpleIni.h>

#include "CCommonEventHandler.h"
#include "PCModeFiles.h"

namespace SWUI {
class SComboBox;
class SEdit;
}  // namespace SWUI

class CDlgPCModeEventHandler : public CCommonEventHandler {
 public:
  static constexpr int kMaxNameLength = 20;
  static constexpr const wchar_t* kIndexKey = L"CurrentSelectPCModeIndex";

  // Lists the saved modes.
  CDlgPCModeEventHandler();

  // WM_INITDIALOG: the combo box lists the modes and selects the stored one (the first for an
  // index of 0, below 0 or past the end), the edit shows its name; nothing with no modes.
  void OnInit(SWUI::SHostDialog* dialog);
  bool _HandleEvent(SWUI::EventArgs* evt) override;

  const PCModeList& Modes() const { return m_modes; }
  // Set once the combo box shows the modes (or after a first save): only then does a selection
  // change put the mode's name into the edit.
  bool IsInitialised() const { return m_initialised != 0; }

 private:
  // Loads the selected mode into the program's images and the device ("Can not open file" when
  // it cannot be read, "Recall device mode failed" when a connected device refuses it).
  void Recall();
  // Saves both banks under the edit's name, replacing a mode of that name on confirmation.
  void Save();
  // Deletes the selected mode on confirmation.
  void Delete();
  void OnModeSelected(int index);
  // The combo box's selection; with none, a message box says what is missing (no mode saved,
  // or none chosen).
  int ChosenIndex() const;
  // An empty list opens one row tall; a list with modes at the layout's drop height.
  void FitDropHeight();

  int StoredIndex();
  void StoreIndex(int index);
  int Box(const wchar_t* text, const wchar_t* caption, UINT type) const;
  void ShowTip(const wchar_t* text) const;

  SWUI::SComboBox* m_combo = nullptr;
  SWUI::SEdit* m_edit = nullptr;
  int m_initialised = 0;
  int m_dropHeight = 0;  // the layout's drop height in pixels
  PCModeList m_modes;
  CSimpleIniW m_settings;
};
