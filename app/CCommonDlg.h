// The program's small modal dialogs: one template over a layout and a handler class T (derived
// from CCommonEventHandler). Events of the dialog's tree go to the handler first; a command from
// an element with id 1 or 2 that the handler left ends the dialog with that code. Window
// messages: WM_INITDIALOG binds the handler, then the handler's own map, then the dialog's.
//
//   CCommonDlg<CDlgLoginEventHandler> dlg(L"LAYOUT:XML_LOGIN");
//   if (dlg.DoModal(owner) == IDOK) ...
#pragma once
#include <cwchar>
#include <memory>

#include "CCommonEventHandler.h"
#include "core/SHostDialog.h"

template <class T>
class CCommonDlg : public SWUI::SHostDialog {
 public:
  static constexpr const wchar_t* kClassName = L"commondlg";

  // Without a handler the dialog makes one and owns it; a given handler stays the caller's.
  explicit CCommonDlg(LPCWSTR layoutName, T* handler = nullptr) : SWUI::SHostDialog(layoutName) {
    if (handler == nullptr) {
      m_ownedHandler = std::make_unique<T>();
      handler = m_ownedHandler.get();
    }
    m_handler = handler;
  }

  ~CCommonDlg() override {
    m_handler = nullptr;
    m_ownedHandler.reset();
  }

  T* Handler() const { return m_handler; }

  BOOL HandleEvent(SWUI::EventArgs* evt) override {
    if (m_handler != nullptr && m_handler->_HandleEvent(evt)) return TRUE;
    // A command from id 1 or 2 ends the dialog with it.
    return SWUI::SHostDialog::HandleEvent(evt);
  }

  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override {
    if (mapId == 0 && hWnd == m_hWnd && m_handler != nullptr) {
      if (msg == WM_INITDIALOG) {
        m_handler->OnInit(this);
        lResult = 0;
        return TRUE;
      }
      if (msg != WM_CREATE && m_handler->ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult)) {
        return TRUE;
      }
    }
    return SWUI::SHostDialog::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
  }

 protected:
  LPCWSTR RootClassName() const override { return kClassName; }
  BOOL IsRootClass(LPCWSTR className) const override {
    if (className != nullptr && wcscmp(className, kClassName) == 0) return TRUE;
    return SWUI::SHostDialog::IsRootClass(className);
  }

 private:
  T* m_handler = nullptr;
  std::unique_ptr<T> m_ownedHandler;
};
