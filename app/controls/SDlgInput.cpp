#include "controls/SDlgInput.h"

#include <cwchar>

#include "control/SRichEdit.h"
#include "controls/CTipWnd.h"
#include "core/EventCmd.h"
#include "core/SWindow.h"

using namespace SWUI;

namespace {

const wchar_t kLayout[] = L"LAYOUT:XML_INPUTDLG";
const wchar_t kDefaultTitle[] = L"Input";
const wchar_t kTipEmpty[] = L"输入文本不能为空\uFF01";
const wchar_t kTipTooLong[] = L"输入的字符个数大于%d\uFF01";
const wchar_t kTipForbidden[] = L"不能包含字符\u201C%s\u201D";

bool IsName(LPCWSTR name, LPCWSTR wanted) { return name != nullptr && wcscmp(name, wanted) == 0; }

}  // namespace

SDlgInput::SDlgInput(const SStringW& text, const SStringW& title, int maxLength)
    : SHostDialog(kLayout),
      m_strText(text),
      m_strTitle(title.IsEmpty() ? SStringW(kDefaultTitle) : title),
      m_nMaxLength(maxLength) {}

BOOL SDlgInput::IsRootClass(LPCWSTR className) const {
  if (className != nullptr && wcscmp(className, ClassName()) == 0) return TRUE;
  return SHostDialog::IsRootClass(className);
}

BOOL SDlgInput::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd && msg == WM_INITDIALOG) {
    lResult = OnInitDialog();
    return TRUE;
  }
  return SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

BOOL SDlgInput::OnInitDialog() {
  m_pTitle = GetRoot()->FindChildByName(L"txt_title");
  if (m_pTitle != nullptr && !m_pTitle->IsClass(L"text")) m_pTitle = nullptr;
  m_pEdit = GetRoot()->FindChildByName2<SRichEdit>(L"txt_input");
  if (m_pTitle != nullptr) m_pTitle->SetWindowText(m_strTitle);
  if (m_pEdit != nullptr) {
    m_pEdit->SetWindowText(m_strText);
    // -1 is no limit: the edit keeps its own.
    if (m_nMaxLength >= 0) m_pEdit->SetLimitText(m_nMaxLength);
    m_pEdit->SetFocus();
    m_pEdit->SetSel(MAKELONG(0, 0xFFFF), TRUE);
  }
  return TRUE;
}

BOOL SDlgInput::HandleEvent(EventArgs* evt) {
  if (evt == nullptr || evt->GetID() != EventCmd::EventID) return FALSE;
  if (IsName(evt->nameFrom, L"btnOK")) {
    OnOK();
  } else if (IsName(evt->nameFrom, L"btnCancel") || IsName(evt->nameFrom, L"btn_close")) {
    EndDialog(IDCANCEL);
  } else if (evt->idFrom == IDOK) {
    OnOK();
  } else if (evt->idFrom == IDCANCEL) {
    EndDialog(IDCANCEL);
  } else {
    return FALSE;
  }
  return TRUE;
}

void SDlgInput::OnOK() {
  SStringW text = m_pEdit != nullptr ? m_pEdit->GetWindowText() : m_strText;
  if (!m_bAllowEmpty) {
    text.Trim();
    if (text.IsEmpty()) {
      Refuse(kTipEmpty);
      return;
    }
  }
  if (m_nMaxLength >= 0 && text.GetLength() > m_nMaxLength) {
    SStringW why;
    why.Format(kTipTooLong, m_nMaxLength);
    Refuse(why);
    return;
  }
  if (!m_strForbidden.IsEmpty()) {
    for (int i = 0; i < text.GetLength(); ++i) {
      if (m_strForbidden.Find(text[i]) >= 0) {
        SStringW why;
        why.Format(kTipForbidden, static_cast<LPCWSTR>(m_strForbidden));
        Refuse(why);
        return;
      }
    }
  }
  m_strText = text;
  EndDialog(IDOK);
}

void SDlgInput::Refuse(const SStringW& why) {
  if (m_pEdit == nullptr) return;
  const RECT rc = m_pEdit->GetWindowRect();
  POINT pt = {rc.left + kTipDx, rc.top + kTipDy};
  ::ClientToScreen(m_hWnd, &pt);
  CTipWnd::ShowTip(pt.x, pt.y, why, kTipMs);
  m_pEdit->SetFocus();
}
