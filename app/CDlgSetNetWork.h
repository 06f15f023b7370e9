// The network (Wi-Fi) dialog's handler, over "LAYOUT:XML_SETNETWORK": the device's Wi-Fi module
// as an access point (AP page) or as a station joining a network (STA page). The device's slow
// queries and the set-up run as jobs on worker threads (CNetworkJob, one at a time in the
// process); the loading page shows while the dialog's job runs. The dialog runs at most one job
// and takes a result only from that one, by the number the end message carries (WM_USER+110
// for a query, WM_USER+111 for a set-up); switching to the AP page, starting another job or
// closing the dialog lets the job go, and its result is dropped.
//
//   CDlgSetNetWork::Open(mainWindow);  // the menu's "NetWork Setting", when connected
#pragma once
#include <windows.h>

#include <memory>

#include "CCommonEventHandler.h"
#include "CExplainWnd.h"
#include "WifiSettings.h"
#include "base/SString.h"

namespace SWUI {
class SComboBox;
class SWindow;
}  // namespace SWUI
class CNetworkJob;
class SIPAddressCtrl;

class CDlgSetNetWork : public CCommonEventHandler {
 public:
  static constexpr const wchar_t* kLayout = L"LAYOUT:XML_SETNETWORK";
  static constexpr int kRadioAp = 1000;
  static constexpr int kRadioSta = 1001;
  static constexpr int kPasswordSwitch = 2000;
  static constexpr int kSetIpSwitch = 2001;
  // The network list's background while joined; free, it has its own colours again.
  static constexpr const wchar_t* kListJoinedColor = L"#bfbfbf";

  // Runs the dialog modally over the owner; its end code.
  static INT_PTR Open(HWND owner);

  CDlgSetNetWork();
  ~CDlgSetNetWork() override;

  bool _HandleEvent(SWUI::EventArgs* evt) override;
  // WM_INITDIALOG: the elements, the AP page, the address 192.168.1.1.
  void OnInit(SWUI::SHostDialog* dialog);
  // The dialog's own messages: the two job ends and WM_DESTROY.
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

  // ---- what tests read -------------------------------------------------------------------
  int Mode() const { return m_mode; }
  int JoinFlag() const { return m_joined; }
  const SWUI::SStringW& JoinedName() const { return m_joinedName; }
  // The job the dialog runs, or null.
  const CNetworkJob* Job() const { return m_job; }
  // The explain window while it exists.
  CExplainWnd* ExplainWindow() const;

 private:
  void BindElements();
  void OnModeChosen(int mode);
  void OnApply();
  void OnSwitch(int id);
  void OnDisconnectClicked();
  void OnConnectClicked();
  void OnExplain();
  void OnQueryDone(LPARAM number);
  void OnApplyDone(int result, LPARAM number);

  // Shows the loading page with the text and starts a job: a query, or an apply of the block.
  void StartJob(const wchar_t* waitText, const WifiConfigBlock* block);
  // The job the message's number names, taken over from the dialog (the caller releases it);
  // null when the dialog runs no job of that number.
  CNetworkJob* TakeJob(LPARAM number);
  void ReleaseJob();
  void ShowModePage();
  // The STA page's look: joined (the list greyed and fixed, the password covered, the joined
  // name and "Disconnect") or not (the list free; "Connect Wifi" only while a joined network
  // is remembered to return to).
  void SetJoinedLook(bool joined);
  WifiSettingsInput ReadInput();
  void Prompt(const wchar_t* text);

  int m_mode = WifiSettingsInput::kAccessPoint;
  int m_joined = 0;
  SWUI::SStringW m_joinedName;
  CNetworkJob* m_job = nullptr;
  std::unique_ptr<CExplainWnd> m_explain;

  SWUI::SWindow* m_apWnd = nullptr;
  SWUI::SWindow* m_loadingWnd = nullptr;
  SWUI::SWindow* m_staWnd = nullptr;
  SWUI::SWindow* m_nameInput = nullptr;
  SWUI::SWindow* m_passwordSwitch = nullptr;
  SWUI::SWindow* m_passwordWnd = nullptr;
  SWUI::SWindow* m_passwordInput = nullptr;
  SWUI::SWindow* m_waitText = nullptr;
  SWUI::SWindow* m_connectStatus = nullptr;
  SWUI::SWindow* m_notConnectStatus = nullptr;
  SWUI::SWindow* m_connectingName = nullptr;
  SWUI::SWindow* m_disconnectButton = nullptr;
  SWUI::SWindow* m_connectButton = nullptr;
  SWUI::SComboBox* m_wifiList = nullptr;
  COLORREF m_listColors[2] = {};  // the list's and its edit part's own backgrounds
  SWUI::SWindow* m_staPassword = nullptr;
  SWUI::SWindow* m_passwordCover = nullptr;
  SWUI::SWindow* m_setIpSwitch = nullptr;
  SWUI::SWindow* m_addressWnd = nullptr;
  SIPAddressCtrl* m_address = nullptr;
  SWUI::SWindow* m_portInput = nullptr;
};
