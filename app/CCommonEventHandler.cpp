#include "CCommonEventHandler.h"

#include <cwchar>

#include "EventSenders.h"
#include "core/EventCmd.h"
#include "core/SHostDialog.h"
#include "core/SWindow.h"

using SWUI::SWindow;

void CCommonEventHandler::OnInit(SWUI::SHostDialog* dialog) {
  m_pDlg = dialog;
  m_hDlg = dialog != nullptr ? dialog->m_hWnd : nullptr;
}

BOOL CCommonEventHandler::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) {
  return FALSE;
}

bool CCommonEventHandler::IsOwnSender(SWUI::EventArgs* evt) const {
  SWindow* root = m_pDlg != nullptr ? static_cast<SWindow*>(m_pDlg->GetRoot()) : nullptr;
  return IsSenderInTree(evt, root);
}

bool CCommonEventHandler::IsCommandFrom(const SWUI::EventArgs* evt, const wchar_t* name) {
  return evt->GetID() == SWUI::EventCmd::EventID && evt->nameFrom != nullptr &&
         wcscmp(evt->nameFrom, name) == 0;
}

bool CCommonEventHandler::_HandleEvent(SWUI::EventArgs* evt) {
  if (evt == nullptr || m_pDlg == nullptr || !IsOwnSender(evt)) return false;
  if (evt->GetID() != SWUI::EventCmd::EventID || evt->nameFrom == nullptr ||
      evt->nameFrom[0] == L'\0') {
    return false;
  }
  const wchar_t* name = evt->nameFrom;
  if (const UINT command = WindowButtonCommand(name)) {
    ::SendMessageW(m_hDlg, WM_SYSCOMMAND, command, 0);
    return true;
  }
  if (wcscmp(name, L"btnOK") == 0) {
    m_pDlg->EndDialog(IDOK);
    return true;
  }
  // The close box ends the dialog like Cancel: destroying the window alone would leave its
  // loop running and its owner disabled.
  if (wcscmp(name, L"btnCancel") == 0 || wcscmp(name, L"btn_close") == 0) {
    m_pDlg->EndDialog(IDCANCEL);
    return true;
  }
  return false;
}
