// The base of every handler of the program's small modal dialogs (CCommonDlg): it knows its
// dialog from WM_INITDIALOG on and takes the dialog's standard buttons by name ("btnOK" ends it
// with 1, "btnCancel" and "btn_close" with 2, "btn_min", "btn_max" and "btn_restore" size the
// window). A derived handler makes the same sender test first, takes its own events and passes
// the rest on to this one.
#pragma once
#include <windows.h>

namespace SWUI {
class EventArgs;
class SHostDialog;
}  // namespace SWUI

class CCommonEventHandler {
 public:
  CCommonEventHandler() = default;
  virtual ~CCommonEventHandler() = default;
  CCommonEventHandler(const CCommonEventHandler&) = delete;
  CCommonEventHandler& operator=(const CCommonEventHandler&) = delete;

  // True when the event was handled.
  virtual bool _HandleEvent(SWUI::EventArgs* evt);

  // WM_INITDIALOG: the dialog and its window are stored. A derived handler stores them first
  // (calling this), then does its own.
  void OnInit(SWUI::SHostDialog* dialog);
  // The handler's own window messages (none here); a derived handler with a map of its own
  // declares one of the same signature.
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

  SWUI::SHostDialog* Dialog() const { return m_pDlg; }
  HWND DialogHwnd() const { return m_hDlg; }

 protected:
  // False for an element of another window's tree; true for the dialog's own elements and for
  // senders that are no element.
  bool IsOwnSender(SWUI::EventArgs* evt) const;
  // Whether the event is a command from the element of that name.
  static bool IsCommandFrom(const SWUI::EventArgs* evt, const wchar_t* name);

  SWUI::SHostDialog* m_pDlg = nullptr;
  HWND m_hDlg = nullptr;
};
