// The input dialog ("dlginput"): asks the user for one line of text, with a title, an initial
// text, a maximum length (-1: none), characters it must not contain and whether an empty text
// will do. A text it cannot take is refused with a tip beside the edit and the dialog stays;
// OK (the button, Return, any id-1 command) ends it with IDOK and the text for the caller to
// read; Cancel, the close box or any id-2 command end it with IDCANCEL.
#pragma once
#include <windows.h>

#include "core/SHostDialog.h"
#include "base/SString.h"

namespace SWUI {
class SRichEdit;
class SWindow;
}

class SDlgInput : public SWUI::SHostDialog {
 public:
  static LPCWSTR ClassName() { return L"dlginput"; }
  // How long a refusal shows.
  static const UINT kTipMs = 2000;
  // Where the refusal stands, from the edit's top-left corner.
  static const int kTipDx = 50;
  static const int kTipDy = 15;

  // An empty title becomes "Input".
  SDlgInput(const SWUI::SStringW& text, const SWUI::SStringW& title, int maxLength);

  void SetForbiddenChars(const SWUI::SStringW& chars) { m_strForbidden = chars; }
  void SetAllowEmpty(bool allow) { m_bAllowEmpty = allow; }
  // The initial text; after IDOK the text accepted (trimmed unless empty text is allowed).
  const SWUI::SStringW& GetText() const { return m_strText; }
  const SWUI::SStringW& GetTitle() const { return m_strTitle; }
  int GetMaxLength() const { return m_nMaxLength; }

  // Checks the edit's text: IDOK when it is acceptable, else a tip, the focus back in the
  // edit and the dialog goes on.
  virtual void OnOK();

  BOOL HandleEvent(SWUI::EventArgs* evt) override;
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;

 protected:
  LPCWSTR RootClassName() const override { return ClassName(); }
  BOOL IsRootClass(LPCWSTR className) const override;
  BOOL OnInitDialog();

 private:
  // The refusal of why, beside the edit, and the focus back there.
  void Refuse(const SWUI::SStringW& why);

  SWUI::SStringW m_strText;
  SWUI::SStringW m_strTitle;
  SWUI::SStringW m_strForbidden;
  int m_nMaxLength;
  bool m_bAllowEmpty = false;
  SWUI::SWindow* m_pTitle = nullptr;
  SWUI::SRichEdit* m_pEdit = nullptr;
};
