#include "CMainDlg.h"

#include <cwchar>

#include "CApplication.h"
#include "EventSenders.h"
#include "core/EventCmd.h"
#include "core/SApplication.h"
#include "core/SWindow.h"

using SWUI::SWindow;

CMainDlg::CMainDlg(LPCWSTR layoutName)
    : SWUI::SHostWnd(layoutName), m_handler(CApplication::Get()) {
  DeferDropTarget();
}

CMainDlg::~CMainDlg() {
  m_handler.StopFiltering();
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CMainDlg::InitFromXml(pugi::xml_node xmlNode, int nWidth, int nHeight) {
  m_handler.DeferPages(xmlNode);
  return SWUI::SHostWnd::InitFromXml(xmlNode, nWidth, nHeight);
}

void CMainDlg::OnInitDialog() {
  CApplication& app = CApplication::Get();
  app.SetMainWindow(this);
  if (CDeviceManager* manager = app.DeviceManager()) manager->SetMainWindow(m_hWnd);
  // The native title is the translated name; the host gave it none of its own.
  ::SetWindowTextW(m_hWnd, SWUI::SApplication::getSingleton().Translate(L"Tevaro", L""));
  m_handler.OnInit(this);
}

void CMainDlg::OnAfterFirstPaint() {
  CApplication::Get().ConnectFirstDevice();
  RegisterDropTarget();
  m_handler.AddTrayIcon();
}

void CMainDlg::SetButtonVisible(const wchar_t* name, bool visible) {
  if (SWindow* button = GetRoot()->FindChildByName(name)) button->SetVisible(visible, TRUE);
}

void CMainDlg::OnSize(UINT type) {
  if (type == SIZE_MAXIMIZED) {
    SetButtonVisible(L"btn_max", false);
    SetButtonVisible(L"btn_restore", true);
  } else if (type == SIZE_RESTORED) {
    SetButtonVisible(L"btn_max", true);
    SetButtonVisible(L"btn_restore", false);
  }
}

void CMainDlg::CloseWindow() {
  m_handler.OnClose();
  DestroyWindow();
}

BOOL CMainDlg::HandleEvent(SWUI::EventArgs* evt) {
  if (evt != nullptr && evt->GetID() == SWUI::EventCmd::EventID && evt->nameFrom != nullptr) {
    if (wcscmp(evt->nameFrom, L"btn_close") == 0) {
      CloseWindow();
      return TRUE;
    }
    if (const UINT command = WindowButtonCommand(evt->nameFrom)) {
      ::SendMessageW(m_hWnd, WM_SYSCOMMAND, command, 0);
      m_handler.HideBandTips();
      return TRUE;
    }
  }
  return m_handler._HandleEvent(evt);
}

BOOL CMainDlg::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && hWnd == m_hWnd) {
    switch (msg) {
      case WM_INITDIALOG:
        OnInitDialog();
        lResult = 0;
        return TRUE;
      case kMsgAfterFirstPaint:
        OnAfterFirstPaint();
        lResult = 0;
        return TRUE;
      case WM_SIZE:
        OnSize(static_cast<UINT>(wParam));
        break;  // the host lays the tree out too
      case WM_CLOSE:
        CloseWindow();
        lResult = 0;
        return TRUE;
      case WM_DESTROY:
        m_handler.StopFiltering();
        break;
      default:
        if (m_handler.ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult)) return TRUE;
        break;
    }
  }
  return SWUI::SHostWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}
