// The page logic of the main window: binds every control of the seven channel pages to the
// device controller's parameter image, routes the events of the element tree by event id and
// sender id range, handles the window's own messages and timers (tray, hot-plug, resume,
// sizing, device notices), filters keys of the UI thread's loop while the window lives, and
// runs the start-up and close sequences of the window. Element references are looked up once at
// start-up; any of them may be missing, and every use tests for null. UI thread only.
#pragma once
#include <windows.h>

#include <map>

#include "AppElements.h"
#include "EqPageState.h"
#include "HidDevice/CDeviceManager.h"
#include "PageLayouts.h"
#include "ParamControls.h"
#include "SShellNotifyIcon.h"
#include "core/IMessageFilter.h"
#include "base/SString.h"

namespace SWUI {
class EventArgs;
class SHostWnd;
class STabCtrl;
class SChromeTabCtrl;
class SMenuEx;
class SScrollView;
class SWindow;
}  // namespace SWUI

class CApplication;
class CDeviceController;
class SMoveThumb;
class ZuEQ;

class CUIEventHandler : public SWUI::IMessageFilter {
 public:
  static constexpr int kPageCount = 7;
  // Timers of the main window.
  static constexpr UINT kTimerEndTopmost = 1011;
  static constexpr UINT kTimerSendThrottle = 1012;
  static constexpr UINT kTimerFocusPage = 1013;
  static constexpr UINT kTimerHideRenameEdit = 1014;
  // Device notices (WM_USER+100) by wParam.
  static constexpr WPARAM kNoticeRefresh = CDeviceManager::kDeviceClosed;
  static constexpr WPARAM kNoticeEqChanged = EqPageState::kNoticeEqChanged;
  static constexpr WPARAM kNoticeSpdif = CDeviceManager::kDeviceNotification;
  static constexpr UINT kMsgReserved = WM_USER + 101;
  // Posted at start-up: what happened to config.ini is told once the window runs.
  static constexpr UINT kMsgTellSettings = WM_USER + 102;
  // Posted by the program once the main window has painted: the rest of start-up.
  static constexpr UINT kMsgAfterFirstPaint = WM_USER + 103;
  // Element ids the page logic knows by number.
  static constexpr int kFirstBandThumb = 900;
  static constexpr int kBandThumbs = 26;
  static constexpr int kRenameEditId = 4003;
  static constexpr int kInputGainSlider = 2132;
  static constexpr int kInputPortRadio = 19010;
  static constexpr int kWorkModeManual = 14500;
  static constexpr int kWorkModeAuto = 14501;
  static constexpr int kWorkModeDisco = 14600;
  static constexpr int kWorkModeSing = 14601;
  // The page scroll views: 21000 + page, and 21007 the mic's parameter tab.
  static constexpr int kFirstPageScroll = 21000;
  static constexpr int kConnectToggle = 1000;
  static constexpr int kImportButton = 9000;
  static constexpr int kExportButton = 9001;
  static constexpr int kDeviceModeButton = 9002;
  static constexpr int kPCModeButton = 9003;

  // The page layouts number their controls by kind, so that one range selects a family.
  struct IdRange {
    int first;
    int last;
    constexpr bool Contains(int id) const { return id >= first && id <= last; }
  };
  static constexpr IdRange kToggleIds = {1000, 1999};
  static constexpr IdRange kSliderIds = {2000, 2999};
  static constexpr IdRange kEchoTapIds = {2370, 2372};
  static constexpr IdRange kSpinIds = {3000, 3999};
  static constexpr IdRange kValueEditIds = {4000, 7999};
  static constexpr IdRange kComboIds = {8100, 8999};
  static constexpr IdRange kButtonIds = {9000, 9999};
  static constexpr IdRange kRadioIds = {10000, 19999};
  static constexpr IdRange kBandThumbIds = {kFirstBandThumb, kFirstBandThumb + kBandThumbs - 1};
  static constexpr IdRange kPageScrollIds = {kFirstPageScroll, kFirstPageScroll + kPageCount};

  // The value text of a slider: 2000 .. 2002 have 4000 .. 4002, every other slider its id + 4000.
  static int ValueTextId(int sliderId) {
    return sliderId < 2100 ? sliderId + 2000 : sliderId + 4000;
  }
  // The channel page of a control id: the digit after the first (1 music .. 7 surround; 8 is
  // the mic expander's), -1 for none.
  static int PageOfControl(int id) {
    const int digit = (id / 100) % 10;
    if (digit == 8) return 1;
    return digit >= 1 && digit <= 7 ? digit - 1 : -1;
  }
  // The "EQ PASS" check of a page's switch panel (1x50) and its side radios (1x700 + side).
  static int EqPassId(int page) { return 1150 + 100 * page; }
  static int SideRadioId(int page, int side) { return 11700 + 1000 * page + side; }
  // Sides a page selects between: left, right and both; echo and reverb; none for center and
  // sub.
  static int SideCount(int page) { return page == 2 ? 2 : (page == 4 || page == 5 ? 0 : 3); }

  // A channel page: its page element, default tab title and EQ container (its rows and band
  // count are the device layer's).
  struct PageInfo {
    const wchar_t* pageName;
    const wchar_t* defaultTitle;
    const wchar_t* eqName;
  };
  static const PageInfo kPages[kPageCount];

  explicit CUIEventHandler(CApplication& app);
  ~CUIEventHandler();
  CUIEventHandler(const CUIEventHandler&) = delete;
  CUIEventHandler& operator=(const CUIEventHandler&) = delete;

  // The key filter of the loop: Return commits an edit, Left/Right move the focus, Ctrl+Tab
  // selects the next channel tab.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Every event of the main window's tree that the window does not take itself; nonzero when
  // handled.
  virtual BOOL _HandleEvent(SWUI::EventArgs* evt);

  // Before the window's tree is made from its layout: the channel pages' contents are kept
  // aside, each page to be built when it is first shown.
  void DeferPages(pugi::xml_node layout);
  // The window's start-up (WM_INITDIALOG).
  void OnInit(SWUI::SHostWnd* host);
  // The close sequence up to the window's destruction: filter removed, tip hidden and tray
  // icon deleted, tabs saved to config.ini, device session ended, mutex released.
  void OnClose();
  // Leaves the loop's filters (also when the window goes without the close sequence).
  void StopFiltering();
  // The page logic's window messages; TRUE when handled.
  BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

  // Every control shows the current parameter image.
  void RefreshAll();
  // ---- pages built when first shown (CUIEventPages.cpp) ----------------------------------
  // Whether a channel page's controls exist (a page whose layout was not kept aside counts as
  // built).
  bool IsPageBuilt(int page) const { return !m_pageLayouts.IsKept(page); }
  // Builds a page not built yet, with what start-up does for each page: its controls looked
  // up and bound, its colours and (after start-up) its refresh from the image.
  void BuildPage(int page);
  void BuildAllPages();
  // The tray icon with the program's title (once the main window has painted).
  void AddTrayIcon();
  // Colour scheme 0 .. 5 (anything else as 0): the root's skin, then the colorize message.
  void ApplyColorScheme(int index);
  // Panel placement by the window's width (WM_SIZING).
  void PlacePanels(int width);
  // Hides the band tips: every band handle's pulse stopped and the floating value tip hidden.
  void HideBandTips();

  // ---- menus (CUIEventMenu.cpp) ----------------------------------------------------------
  // The main menu of the device's state (the administrator's when connected in administrator
  // mode, else the user's) with the checks of its key lock, language, user mode and colour
  // scheme; false when it cannot be loaded.
  bool LoadMainMenu(SWUI::SMenuEx& menu);
  // The tray menu with "Run on startup" checked as the autorun value says.
  bool LoadTrayMenu(SWUI::SMenuEx& menu);
  // A command of the main or tray menu (WM_COMMAND with notify code 0).
  void OnMenuCommand(int id);

  // Sets an element's text to an elapsed time "%.2d:%.2d:%.2d" of ms, or of the time since
  // `since` (a tick count) when ms is 0.
  static void SetElapsedTimeText(SWUI::SWindow* element, DWORD ms, DWORD since);

  // ---- effect files and PC modes (CUIEventFiles.cpp) --------------------------------------
  // The open dialog, then the checked read: a refused file shows "Failed to import effect from
  // file" and changes nothing; an accepted one replaces the image but its master volumes,
  // uploads it when connected ("Failed to send effect to device" when that fails) and refreshes
  // every control under the refreshing flag.
  void ImportEffect();
  // The save dialog, then the current image into the chosen file ("Failed to export effect to
  // file" when it cannot be written).
  void ExportEffect();
  // The modal PC mode dialog (saved copies of both banks); also without a device.
  void ShowPCModeDialog();

  // ---- state that tests and the menu commands read ---------------------------------------
  bool IsRefreshing() const { return m_refreshing != 0; }
  void SetRefreshing(bool on) { m_refreshing = on ? 1 : 0; }
  int FollowedScrollView() const { return m_followedScroll; }
  const SWUI::SStringW& TabTitle(int page) const { return m_titles[page]; }
  EqPageState& Page(int t) { return m_pages[t]; }
  SShellNotifyIcon& TrayIcon() { return m_tray; }
  SWUI::SWindow* Root() const;
  bool IsMainWindow() const;
  int SelectedBand() const { return m_selectedBand; }

 private:
  // ---- start-up (CUIEventHandler.cpp) ----------------------------------------------------
  void LookupMainControls();
  // A built page's controls: its EQ bands, its parameter controls and its scroll views.
  void LookupPage(int t);
  void LookupPageControls(int t);
  void LookupSwitchControls(int t);
  void LookupScrollViews();
  void LookupPageScrollViews(int t);
  void RestoreTabs();
  void PlacePanelsAtStartup();
  // Panel i (music, mic, effect, mode) takes a position of the panel tables; one it holds
  // already is not parsed and laid out again.
  void SetPanelPos(int i, const wchar_t* pos);
  void SaveTabs();

  // ---- window messages -------------------------------------------------------------------
  void OnTimer(UINT_PTR id);
  void OnTrayNotify(LPARAM lParam);
  void OnDeviceChange(WPARAM event, LPARAM data);
  void OnDeviceNotice(WPARAM notice);
  void OnResume();

  // ---- menus and their commands (CUIEventMenu.cpp) ---------------------------------------
  BOOL OnMainMenuButton();
  void ShowTrayMenu();
  // A message box of the framework owned by the main window, text only.
  void ShowMessage(const wchar_t* text) const;
  // Connected: true; else "Device not connected" and false.
  bool CheckConnected() const;
  void OnChangePassword(int kind, int length, const wchar_t* title);
  void OnToggleKeyLock();
  void OnToggleAutoRun();
  void OnVolumeLimit();
  void OnUserMode(bool administrator);
  void OnLanguage(int language);
  void OnColorScheme(int index);
  void OnExit();
  BOOL OnDeviceModeButton();

  // ---- event routing (CUIEventDispatch.cpp) ----------------------------------------------
  BOOL OnCommand(SWUI::EventArgs* evt);
  BOOL OnBandThumbClicked(int id);
  BOOL OnToggle(int id);
  BOOL OnConnectToggle();
  BOOL OnButton(int id);
  BOOL OnEchoTap(int id);
  BOOL OnChromeTabSelChanged(int position);
  BOOL OnPageSwitched(int page);
  BOOL OnMicParamTab(int selection);
  BOOL OnSliderPos(int id, int position);
  BOOL OnSpinText(SWUI::EventArgs* evt);
  BOOL OnKillFocus(int id);
  BOOL OnPageScroll(SWUI::EventArgs* evt);
  // A page scroll view measured its content anew (index 0..7).
  BOOL OnPageViewSized(int index);
  // "main_scrollview" gets the followed page's content width as its view width.
  void SizeMainScroll();
  BOOL OnTabDbClick(SWUI::EventArgs* evt);
  void EndTabRename();
  void FocusFirstBand(int page);
  // The followed scroll view from "micparam_tab": 7 on its parameter page, else 1.
  int MicFollowedScrollView() const;
  void ResetScrollViews();

  // ---- parameter editing (CUIEventParams.cpp) --------------------------------------------
  // Band gain, channel filter and dynamics sliders; FALSE for an id that is none of them.
  BOOL OnParamSlider(int id, int position);
  void OnFilterSlider(int id, const FilterControl& filter, int position);
  void OnDynamicsSlider(int id, const DynamicsSlider& slider, int position);
  // Mute, mix, enable and "EQ PASS" toggles (1001 .. 1999).
  BOOL OnParamToggle(int id);
  void OnEqPassToggle(int page);
  // Radio buttons: only a change from unchecked to checked, and none while refreshing.
  BOOL OnRadioStateChanged(SWUI::EventArgs* evt);
  void OnInputPortRadio(int port);
  void OnWorkModeRadio(bool automatic);
  void OnSingDiscoRadio(bool sing);
  void OnSideRadio(int page, int side);
  // A channel's left and right high-pass (or low-pass) blocks, -1 for a side it lacks.
  static void FilterRows(int channel, bool lowPass, int* left, int* right);
  // The filter block a channel's page shows (by its link mode), -1 for none.
  int ShownFilterBlock(int channel, bool lowPass) const;
  void WriteFilterRow(int channel, bool lowPass, int rowOffset, uint16_t value);
  void UpdateFilterCurves(int channel, bool lowPass);

  // ---- combo boxes (CUIEventCombos.cpp) --------------------------------------------------
  void LookupCombos(int t, SWUI::SWindow* page);
  ParamCombo* Combo(int id) const;
  // Selects an item (none for a value the combo does not list); its event follows. A combo of a
  // page not built yet keeps the selection and acts on a change as its event would.
  void SetComboSelection(int id, int selection);
  // Filter type and range, anti-feedback mode; none while refreshing.
  BOOL OnComboSelChange(SWUI::EventArgs* evt);
  // What a combo box's new selection (0 or more, not while refreshing) writes and shows.
  void ApplyComboSelection(int id, int selection);
  void RefreshFilterCombos(int channel, bool lowPass, int block);
  void RefreshFeedbackCombo();

  // ---- EQ handles and band edits (CUIEventThumbs.cpp) ------------------------------------
  BOOL OnThumbMoving(SWUI::EventArgs* evt);
  void OnBandThumbMoved(EqPageState& page, int k, POINT centre);
  void OnFilterThumbMoved(int page, bool lowPass, POINT centre);
  void OnGuideThumbMoved(EqPageState& page, int k, bool leftGuide, int currentLeft, int newLeft);
  // A band edit's commit (step 0 on losing the focus); FALSE for an id of no band edit.
  BOOL OnBandEditCommit(int id, int step, bool fromStep);
  // Moves a slider to a position (within its range) as a user would and lets its handler
  // write it.
  void MoveSliderTo(int id, int position);

  // ---- refresh (CUIEventRefresh.cpp) -----------------------------------------------------
  void RefreshConnection();
  void RefreshSpdif();
  // The fixed sliders and toggles of one page, or of every page for -1.
  void RefreshFixedSliders(int page = -1);
  void RefreshInputPort();
  void RefreshToggles(int page = -1);
  // What a refresh shows on one channel page only (when it is built).
  void RefreshPage(int page);
  void RefreshEqPass(int page);
  void RefreshFilters(int channel);
  void RefreshFilter(int channel, bool lowPass);
  void RefreshDynamics(int channel);
  void RefreshSideRadio(int channel);
  void RefreshWorkMode();
  void ShowPageCurve(int page);
  // Checks a radio through its "checked" attribute with its events muted.
  static void CheckQuietly(SWUI::SWindow* radio);
  // The colour scheme's tint, as ApplyColorScheme gives it, on a part of the tree.
  static void ColorizeTree(SWUI::SWindow* tree, int index);

  // ---- lookups ---------------------------------------------------------------------------
  template <class T>
  T* Lookup(SWUI::SWindow* scope, int id, std::map<int, T*>* into);
  ParamSlider* Slider(int id) const;
  ParamCheck* Check(int id) const;
  ParamRadio* Radio(int id) const;
  SWUI::SWindow* Text(int id) const;
  void SetText(int id, const wchar_t* text) const;
  // Enables or disables a slider with its value text and its label (the text before it).
  void EnableSliderRow(int id, bool enabled) const;
  void SetSlider(int id, int position) const;
  const uint8_t* Image() const;
  int CurrentPage() const;

  CApplication& m_app;
  CDeviceController& m_controller;
  SWUI::SHostWnd* m_host = nullptr;
  HWND m_hwnd = nullptr;
  SShellNotifyIcon m_tray;
  bool m_filtering = false;

  ParamCheck* m_devConnectState = nullptr;
  ParamCheck* m_spdifConnectState = nullptr;
  ParamCheck* m_connectToggle = nullptr;
  SWUI::SWindow* m_containerWnd = nullptr;
  SWUI::STabCtrl* m_tab = nullptr;
  SWUI::STabCtrl* m_tabSwitch = nullptr;
  SWUI::SChromeTabCtrl* m_chromeTab = nullptr;
  ZuEQ* m_eq = nullptr;
  SWUI::SWindow* m_bypassText = nullptr;
  SWUI::SWindow* m_bandTip = nullptr;
  SWUI::SWindow* m_renameEdit = nullptr;
  SWUI::STabCtrl* m_micParamTab = nullptr;
  SMoveThumb* m_bandThumbs[kBandThumbs] = {};
  SWUI::SScrollView* m_mainScroll = nullptr;
  SWUI::SScrollView* m_pageScroll[8] = {};
  static constexpr int kPanelCount = 4;
  SWUI::SWindow* m_panels[kPanelCount] = {};
  const wchar_t* m_panelPos[kPanelCount] = {};  // the table entry each panel took last

  // The parameter controls of the pages by id, looked up at start-up.
  std::map<int, ParamSlider*> m_sliders;
  std::map<int, ParamCheck*> m_checks;
  std::map<int, ParamRadio*> m_radios;
  std::map<int, ParamCombo*> m_combos;
  std::map<int, SWUI::SWindow*> m_texts;

  EqPageState m_pages[kPageCount];
  // The channel pages' contents until each is built; set while OnInit runs (a page built then
  // takes the start-up's own refresh and colours) and while a page is being created (the
  // events of its creation are no user's).
  PageLayouts m_pageLayouts;
  bool m_starting = false;
  bool m_buildingPage = false;
  int m_colorScheme = 0;
  // Controls of pages not built yet whose change a refresh acts on: the combo boxes'
  // selections (by id) and the music input port, as the last refresh left them.
  std::map<int, int> m_unbuiltCombos;
  int m_unbuiltInputPort = -1;
  SWUI::SStringW m_titles[kPageCount];
  int m_followedScroll = 0;
  int m_selectedBand = -1;
  int m_refreshing = 0;
};
