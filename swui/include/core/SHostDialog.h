// A modal host window: DoModal disables the owner, shows the dialog and runs a message loop of
// its own until EndDialog, then returns the code the dialog was ended with. WM_CLOSE and
// Escape end it with IDCANCEL, Return with IDOK (through the elements with those ids); the
// application's dialogs derive from it.
#pragma once
#include "core/SHostWnd.h"

namespace SWUI {

class SMessageLoop;

class SHostDialog : public SHostWnd {
 public:
  // The result while the dialog runs (and when its loop ended by WM_QUIT).
  static constexpr INT_PTR kRunning = static_cast<INT_PTR>(0xCCCCCCCC);

  explicit SHostDialog(LPCWSTR layoutName = nullptr);
  ~SHostDialog() override;

  // Runs the dialog over an owner (null: the active window); the code given to EndDialog,
  // or 0 when the window cannot be created. The owner is enabled again on every path; a
  // WM_QUIT that ended the dialog's loop is posted again for the loop outside.
  virtual INT_PTR DoModal(HWND hOwner = nullptr);
  // Only the first call while the dialog runs counts: the result is kept, the loop asked to
  // end and the window hidden.
  virtual void EndDialog(INT_PTR code);
  INT_PTR GetResult() const { return m_nRetCode; }

  void OnOK() { EndDialog(IDOK); }
  void OnCancel() { EndDialog(IDCANCEL); }

  // The dialog's own loop: tooltips and drop-downs made inside it filter its messages.
  SMessageLoop* GetMsgLoop() override { return m_pMsgLoop; }
  // A command from the element with id 1 is OK, from id 2 Cancel.
  BOOL HandleEvent(EventArgs* evt) override;
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 protected:
  LPCWSTR RootClassName() const override { return L"hostdlg"; }
  BOOL IsRootClass(LPCWSTR className) const override;
  // The tree sees the key first; an Escape or Return it left clicks the element with id 2
  // or 1 (when that element is enabled and visible).
  void OnKeyDown(WPARAM wParam, LPARAM lParam);

 private:
  INT_PTR m_nRetCode = kRunning;
  SMessageLoop* m_pMsgLoop = nullptr;
};

}  // namespace SWUI
