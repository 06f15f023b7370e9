// A small modal progress dialog ("LAYOUT:XML_PROGRESS"): one progress bar named
// "progress_bar" that follows the value its owner sets, polled every 500 ms, and the dialog
// ends by itself with IDOK one tick after the bar has reached its maximum. "btn_close", the
// elements with id 2 and WM_CLOSE cancel it (IDCANCEL); id 1 ends it with IDOK. Without a bar
// the dialog shows and only those end it. UI thread only: the owner sets the value from the UI
// thread (a timer or an event of its own while the dialog's loop runs).
//
//   CDlgProgress dlg;
//   dlg.SetValue(40);
//   if (dlg.DoModal(owner) == IDOK) ...   // the bar was full
#pragma once
#include "core/SHostDialog.h"

namespace SWUI {
class SProgress;
}

class CDlgProgress : public SWUI::SHostDialog {
 public:
  static constexpr const wchar_t* kClassName = L"dlgprogress";
  static constexpr UINT_PTR kTimerPoll = 1126;
  static constexpr UINT kPollMs = 500;

  explicit CDlgProgress(LPCWSTR layoutName = L"LAYOUT:XML_PROGRESS")
      : SWUI::SHostDialog(layoutName) {}

  // The bar's range; nothing before the dialog has found its bar (WM_INITDIALOG).
  void SetRange(int minimum, int maximum);
  // The value the bar takes at the next tick (clamped by the bar into its range).
  void SetValue(int value) { m_target = value; }
  // Null until WM_INITDIALOG, and without a bar in the layout.
  SWUI::SProgress* Bar() const { return m_bar; }

  BOOL HandleEvent(SWUI::EventArgs* evt) override;
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 protected:
  LPCWSTR RootClassName() const override { return kClassName; }
  BOOL IsRootClass(LPCWSTR className) const override;

 private:
  void OnPoll();

  SWUI::SProgress* m_bar = nullptr;
  int m_target = 0;
};
