// The framework's message box: a dialog built from the message-box template (SMsgTemplate)
// with one to three buttons chosen by the type's low four bits, a caption, a text and a
// system icon chosen by the type's icon bits, sized to the text. Without a template the
// system's message box stands in, through one replaceable function (tests bind their own:
// a system message box would block a test).
#pragma once
#include "core/SHostDialog.h"

namespace SWUI {

class SMessageBoxImpl : public SHostDialog {
 public:
  using SystemMessageBoxFn = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);

  SMessageBoxImpl();

  // The pressed button's id (IDOK .. IDNO; IDCANCEL when closed).
  INT_PTR MessageBox(HWND hOwner, LPCWSTR text, LPCWSTR caption, UINT type);

  // Replaces the system message box used without a template; null restores MessageBoxW.
  static void BindSystemMessageBox(SystemMessageBoxFn fn);

  BOOL HandleEvent(EventArgs* evt) override;
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 protected:
  // Shows the system icon of the type's icon bits in the icon element "msgicon", or hides it;
  // FALSE without such an element.
  virtual BOOL OnSetIcon(UINT type);
  // A caption of the program's for a button; empty leaves the template's.
  virtual SStringW GetButtonText(int id) const;

 private:
  void OnInitDialog();
  // Shows the tab page of the type's button set and gives its buttons their ids and captions.
  void SetupButtons(UINT type);
  void FitToText();

  SStringW m_strText;
  SStringW m_strCaption;
  UINT m_uType = MB_OK;
};

// The message box the whole program uses.
INT_PTR SMessageBox(HWND hOwner, LPCWSTR text, LPCWSTR caption, UINT type);

}  // namespace SWUI
