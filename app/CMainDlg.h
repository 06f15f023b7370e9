// The program's main window: a host window over "LAYOUT:XML_MAINWND" with the page logic
// (CUIEventHandler) inside. Its own messages are the window's start-up, the maximise and restore
// buttons' swap on resizing and the close; the page logic's come next, the host's last.
#pragma once
#include "CUIEventHandler.h"
#include "core/SHostWnd.h"

class CMainDlg : public SWUI::SHostWnd {
 public:
  static constexpr UINT kTimerEndTopmost = CUIEventHandler::kTimerEndTopmost;
  // Posted once the window is shown and painted (or hidden): the rest of start-up.
  static constexpr UINT kMsgAfterFirstPaint = CUIEventHandler::kMsgAfterFirstPaint;

  explicit CMainDlg(LPCWSTR layoutName);
  ~CMainDlg() override;

  // The close buttons and the window buttons; every other event goes to the page logic.
  BOOL HandleEvent(SWUI::EventArgs* evt) override;
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                            DWORD mapId) override;
  // The tree from the layout, the channel pages' contents kept aside by the page logic (each
  // page is built when first shown).
  BOOL InitFromXml(pugi::xml_node xmlNode, int nWidth, int nHeight) override;

  CUIEventHandler& PageLogic() { return m_handler; }

 private:
  void OnInitDialog();
  // What start-up leaves until the window has painted, in start-up's own order: the device
  // enumeration (and the first processor opened), the drop target, the tray icon.
  void OnAfterFirstPaint();
  void OnSize(UINT type);
  // The close sequence: the page logic's part, then the window goes (which ends the loop).
  void CloseWindow();
  void SetButtonVisible(const wchar_t* name, bool visible);

  CUIEventHandler m_handler;
};
