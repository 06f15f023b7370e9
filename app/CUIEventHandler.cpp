// The page logic's start-up, close sequence, key filter, window messages and timers.
#include "CUIEventHandler.h"

#include <dbt.h>

#include <cwctype>
#include <string>

#include "CApplication.h"
#include "CMainDlg.h"
#include "ColorSchemes.h"
#include "HidDevice/CChannelCurves.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamRows.h"
#include "ParamControls.h"
#include "control/SEdit.h"
#include "control/SScrollView.h"
#include "control/STabCtrl.h"
#include "control/STabPage.h"
#include "controls/CTipWnd.h"
#include "controls/SChromeTab.h"
#include "controls/SChromeTabCtrl.h"
#include "controls/SMoveThumb.h"
#include "controls/ZuEQ.h"
#include "core/SApplication.h"
#include "core/SHostWnd.h"
#include "core/SMessageLoop.h"
#include "core/SWindow.h"

using SWUI::SStringW;
using SWUI::SWindow;

const CUIEventHandler::PageInfo CUIEventHandler::kPages[kPageCount] = {
    {L"tab_page_music", L"Music", L"music_eq"},      {L"tab_page_mic", L"MIC", L"mic_eq"},
    {L"tab_page_effect", L"Effect", L"effect_eq"},   {L"tab_page_main", L"Main output", L"main_eq"},
    {L"tab_page_center", L"Center", L"center_eq"},   {L"tab_page_sub", L"SUB output", L"sub_eq"},
    {L"tab_page_sur", L"SUR output", L"sur_eq"},
};

namespace {

// Colour schemes: the root's skin and the colour the tree is tinted with.
struct ColorScheme {
  const wchar_t* skin;
  COLORREF colorize;
};
const ColorScheme kColorSchemes[] = {
    {L"skin_main_center", 0},        {L"skin_main_center_black", 0},
    {L"skin_main_center", 0xFFFFFF}, {L"skin_main_center", 0x9A2FBE},
    {L"skin_main_center", 0x010032}, {L"skin_main_center", 0x1EBEFA},
};

const wchar_t* const kPanelNames[] = {L"musicWnd", L"micWnd", L"effWnd", L"modeWnd"};
constexpr int kModePanel = 3;
const wchar_t* const kNarrowPositions[] = {L"%2,|0", L"%23,|0", L"%45,|0", L"%65,|0"};
const wchar_t* const kWidePositions[] = {L"50,|0", L"280,|0", L"510,|0", L"[100,|0"};

// The four hexadecimal digits at `at`, or -1.
int HexAt(const std::wstring& text, size_t at) {
  if (at + 4 > text.size()) return -1;
  int value = 0;
  for (size_t i = at; i < at + 4; ++i) {
    const wchar_t c = text[i];
    if (!iswxdigit(c)) return -1;
    value = value * 16 + (iswdigit(c) ? c - L'0' : (towlower(c) - L'a' + 10));
  }
  return value;
}

// Vendor and product IDs of a device interface path ("...#VID_1A2B&PID_0016#..."), the
// marker found in any letter case.
bool ParseDeviceIds(const wchar_t* path, int* vendor, int* product) {
  std::wstring upper(path);
  for (wchar_t& c : upper) c = towupper(c);
  const size_t marker = upper.find(L"#VID_");
  if (marker == std::wstring::npos) return false;
  const size_t digits = marker + 5;
  *vendor = HexAt(upper, digits);
  *product = HexAt(upper, digits + 9);
  return *vendor >= 0 && *product >= 0;
}

}  // namespace

CUIEventHandler::CUIEventHandler(CApplication& app)
    : m_app(app), m_controller(app.DeviceController()) {
  for (int t = 0; t < kPageCount; ++t) m_titles[t] = kPages[t].defaultTitle;
}

CUIEventHandler::~CUIEventHandler() { StopFiltering(); }

bool CUIEventHandler::IsMainWindow() const {
  return m_host != nullptr && m_app.MainWindow() == m_host;
}

SWindow* CUIEventHandler::Root() const {
  return m_host != nullptr ? static_cast<SWindow*>(m_host->GetRoot()) : nullptr;
}

const uint8_t* CUIEventHandler::Image() const { return m_controller.CurrentImage(); }

int CUIEventHandler::CurrentPage() const {
  const int t = m_tab != nullptr ? m_tab->GetCurSel() : -1;
  return t >= 0 && t < kPageCount ? t : -1;
}

// ---- lookups -----------------------------------------------------------------------------

template <class T>
T* CUIEventHandler::Lookup(SWindow* scope, int id, std::map<int, T*>* into) {
  T* found = scope != nullptr ? scope->FindChildByID2<T>(id) : nullptr;
  if (found != nullptr && into != nullptr) (*into)[id] = found;
  return found;
}

ParamSlider* CUIEventHandler::Slider(int id) const {
  auto it = m_sliders.find(id);
  return it != m_sliders.end() ? it->second : nullptr;
}

ParamCheck* CUIEventHandler::Check(int id) const {
  auto it = m_checks.find(id);
  return it != m_checks.end() ? it->second : nullptr;
}

ParamRadio* CUIEventHandler::Radio(int id) const {
  auto it = m_radios.find(id);
  return it != m_radios.end() ? it->second : nullptr;
}

SWindow* CUIEventHandler::Text(int id) const {
  auto it = m_texts.find(id);
  return it != m_texts.end() ? it->second : nullptr;
}

void CUIEventHandler::SetText(int id, const wchar_t* text) const {
  if (SWindow* element = Text(id)) element->SetWindowText(text);
}

void CUIEventHandler::SetSlider(int id, int position) const {
  if (ParamSlider* slider = Slider(id)) slider->SetValue(position);
}

void CUIEventHandler::EnableSliderRow(int id, bool enabled) const {
  ParamSlider* slider = Slider(id);
  if (slider == nullptr) return;
  slider->EnableWindow(enabled, TRUE);
  // The row's value text and its label (the text just before the slider) dim with it, so that
  // the row says why it takes no clicks.
  if (SWindow* text = Text(ValueTextId(id))) text->EnableWindow(enabled, TRUE);
  SWindow* label = slider->GetWindow(SWUI::GSW_PREVSIBLING);
  if (label != nullptr && label->IsClass(L"text")) label->EnableWindow(enabled, TRUE);
}

// ---- start-up ----------------------------------------------------------------------------

void CUIEventHandler::OnInit(SWUI::SHostWnd* host) {
  m_host = host;
  m_hwnd = host->m_hWnd;
  m_refreshing = 1;
  m_starting = true;
  if (SWUI::SMessageLoop* loop = host->GetMsgLoop()) {
    loop->AddMessageFilter(this);
    m_filtering = true;
  }
  m_controller.Throttle().Init(m_hwnd, &m_controller);
  LookupMainControls();
  if (m_tab != nullptr) {
    PlacePanelsAtStartup();
    LookupScrollViews();
    RestoreTabs();
    // The page shown (the strip's selection switched to it, or the tab control's own) is the
    // one built at start-up; the others wait until they are first shown.
    BuildPage(CurrentPage());
    // The pages measured their content when the window was laid out, before the page logic
    // knew the main bar: it takes the shown page's width now (and again when that changes).
    SizeMainScroll();
    RefreshAll();
    ApplyColorScheme(static_cast<int>(m_app.Settings().GetLongValue(L"Config", L"colorIndex", 0)));
  }
  // Set on every way out, also when the layout lacks the channel pages.
  m_refreshing = 0;
  m_starting = false;
  ::PostMessageW(m_hwnd, kMsgTellSettings, 0, 0);
}

void CUIEventHandler::AddTrayIcon() {
  HICON icon = LoadIconW(m_app.Instance(), L"ICON_LOGO");
  const SStringW title = SWUI::SApplication::getSingleton().Translate(L"Tevaro", L"");
  m_tray.Create(m_hwnd, icon, title);
  m_tray.Show();
}

void CUIEventHandler::LookupMainControls() {
  SWindow* root = Root();
  if (root == nullptr) return;
  m_devConnectState = root->FindChildByName2<ParamCheck>(L"dev_connect_state");
  m_connectToggle = Lookup<ParamCheck>(root, kConnectToggle, &m_checks);
  m_spdifConnectState = root->FindChildByName2<ParamCheck>(L"spdif_connect_state");
  m_containerWnd = root->FindChildByName2<SWindow>(L"containerWnd");
  for (int i = 0; i < kPanelCount; ++i) m_panels[i] = root->FindChildByName(kPanelNames[i]);
  if (SWindow* volumes = root->FindChildByName2<SWindow>(L"main_volume")) {
    for (int i = 0; i < 3; ++i) {
      Lookup<ParamSlider>(volumes, 2000 + i, &m_sliders);
      if (SWindow* text = volumes->FindChildByID2<ValueText>(4000 + i)) m_texts[4000 + i] = text;
    }
  }
  m_tab = root->FindChildByName2<SWUI::STabCtrl>(L"orv_tab");
  if (m_tab == nullptr) return;
  m_pageLayouts.Bind(m_tab);
  m_tabSwitch = root->FindChildByName2<SWUI::STabCtrl>(L"orv_tab_switch");
  for (int t = 0; t < kPageCount; ++t) {
    int firstRow = 0, secondRow = -1;
    CDeviceController::GetChannelEqRows(t, &firstRow, &secondRow);
    m_pages[t].SetPage(&m_controller, t, firstRow, CChannelCurves::CurveBandCount(t), secondRow);
    if (IsPageBuilt(t)) {
      m_pages[t].BindEqPage(root, &m_controller, t, firstRow, CChannelCurves::CurveBandCount(t),
                            secondRow, kPages[t].eqName);
      LookupPageControls(t);
    }
    LookupSwitchControls(t);
  }
  for (int id : {kWorkModeManual, kWorkModeAuto, kWorkModeDisco, kWorkModeSing}) {
    Lookup<ParamRadio>(root, id, &m_radios);
  }
  m_eq = root->FindChildByName2<ZuEQ>(L"eq_curve");
  if (m_eq != nullptr) {
    m_bypassText = m_eq->FindChildByID2<ValueText>(4004);
    m_bandTip = m_eq->FindChildByID2<ValueText>(4005);
  }
  for (int i = 0; i < kBandThumbs; ++i) {
    m_bandThumbs[i] = root->FindChildByID2<SMoveThumb>(kFirstBandThumb + i);
  }
  m_renameEdit = root->FindChildByID2<SWUI::SEdit>(kRenameEditId);
  // No tab is being renamed.
  if (m_renameEdit != nullptr) m_renameEdit->SetUserData(static_cast<ULONG_PTR>(-1));
}

void CUIEventHandler::LookupPage(int t) {
  const EqPageState& page = m_pages[t];
  m_pages[t].BindEqPage(Root(), &m_controller, t, page.FirstRow(), page.BandCount(),
                        page.SecondRow(), kPages[t].eqName);
  LookupPageControls(t);
  LookupPageScrollViews(t);
}

void CUIEventHandler::LookupPageControls(int t) {
  SWindow* page = Root()->FindChildByName2<SWindow>(kPages[t].pageName);
  if (page == nullptr) return;
  auto slider = [&](int id) {
    if (id == 0) return;
    Lookup<ParamSlider>(page, id, &m_sliders);
    if (SWindow* text = page->FindChildByID2<ValueText>(ValueTextId(id))) {
      m_texts[ValueTextId(id)] = text;
    }
  };
  int count = 0;
  const FixedSlider* fixed = FixedSliders(&count);
  for (int i = 0; i < count; ++i) {
    if (fixed[i].id >= 2100 && PageOfControl(fixed[i].id) == t) slider(fixed[i].id);
  }
  for (bool lowPass : {false, true}) {
    FilterControlIds ids;
    if (!GetFilterControlIds(t, lowPass, &ids)) continue;
    slider(ids.freqSlider);
    slider(ids.qSlider);
  }
  for (bool expander : {false, true}) {
    for (int field = 1; field <= 4; ++field) slider(DynamicsSliderId(t, expander, field));
  }
  const ToggleDesc* toggles = Toggles(&count);
  for (int i = 0; i < count; ++i) {
    if (PageOfControl(toggles[i].id) == t) Lookup<ParamCheck>(page, toggles[i].id, &m_checks);
  }
  if (t == 0) {
    for (int port = 0; port < 4; ++port)
      Lookup<ParamRadio>(page, kInputPortRadio + port, &m_radios);
  }
  LookupCombos(t, page);
  if (t == 1) m_micParamTab = page->FindChildByName2<SWUI::STabCtrl>(L"micparam_tab");
}

void CUIEventHandler::LookupSwitchControls(int t) {
  SWindow* page = m_tabSwitch != nullptr ? m_tabSwitch->GetItem(t) : nullptr;
  if (page == nullptr) return;
  Lookup<ParamCheck>(page, EqPassId(t), &m_checks);
  for (int side = 0; side < SideCount(t); ++side) {
    Lookup<ParamRadio>(page, SideRadioId(t, side), &m_radios);
  }
}

void CUIEventHandler::LookupScrollViews() {
  m_mainScroll = Root()->FindChildByName2<SWUI::SScrollView>(L"main_scrollview");
  for (int t = 0; t < kPageCount; ++t) {
    if (IsPageBuilt(t)) LookupPageScrollViews(t);
  }
}

void CUIEventHandler::LookupPageScrollViews(int t) {
  SWindow* page = Root()->FindChildByName2<SWindow>(kPages[t].pageName);
  if (page == nullptr) return;
  m_pageScroll[t] = page->FindChildByID2<SWUI::SScrollView>(kFirstPageScroll + t);
  // The mic page's parameter tab scrolls on a view of its own.
  if (t == CDeviceController::kMic) {
    m_pageScroll[7] = page->FindChildByID2<SWUI::SScrollView>(kFirstPageScroll + 7);
  }
}

void CUIEventHandler::RestoreTabs() {
  m_chromeTab = Root()->FindChildByName2<SWUI::SChromeTabCtrl>(L"orv_chromeTab");
  if (m_chromeTab == nullptr) return;
  CSimpleIniW& ini = m_app.Settings();
  const int selected = static_cast<int>(ini.GetLongValue(L"TabSel", L"index", 0));
  int order[kPageCount];
  for (int i = 0; i < kPageCount; ++i) {
    wchar_t key[16];
    swprintf(key, 16, L"%d", i);
    order[i] = static_cast<int>(ini.GetLongValue(L"TabOrder", key, i));
    const wchar_t* title = ini.GetValue(L"TabName", key, L"");
    m_titles[i] =
        title != nullptr && title[0] != L'\0' ? SStringW(title) : SStringW(kPages[i].defaultTitle);
    if (order[i] == selected) m_followedScroll = i;
    // After every earlier page of smaller or equal order, so that equal orders keep page order.
    int position = 0;
    for (int j = 0; j < i; ++j) {
      if (order[j] <= order[i]) ++position;
    }
    m_chromeTab->InsertTab(m_titles[i], position);
  }
  m_chromeTab->SetCurSel(selected);
}

void CUIEventHandler::SetPanelPos(int i, const wchar_t* pos) {
  if (m_panels[i] == nullptr || m_panelPos[i] == pos) return;
  m_panels[i]->SetAttribute(SStringW(L"pos"), SStringW(pos), FALSE);
  m_panelPos[i] = pos;
}

void CUIEventHandler::PlacePanelsAtStartup() {
  RECT rc;
  ::GetWindowRect(m_hwnd, &rc);
  const int screen = GetSystemMetrics(SM_CXSCREEN);
  if (screen < 1024 || screen >= rc.right - rc.left) return;
  for (int i = 0; i < kPanelCount; ++i) SetPanelPos(i, kNarrowPositions[i]);
  ::SetWindowPos(m_hwnd, nullptr, 0, 0, screen, rc.bottom - rc.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CUIEventHandler::PlacePanels(int width) {
  if (width >= 1201) {
    for (int i = 0; i < kPanelCount; ++i) SetPanelPos(i, kWidePositions[i]);
  } else if (width >= 1100) {
    SetPanelPos(kModePanel, kNarrowPositions[kModePanel]);
  } else {
    for (int i = 0; i < kPanelCount; ++i) SetPanelPos(i, kNarrowPositions[i]);
  }
}

void CUIEventHandler::ApplyColorScheme(int index) {
  SWindow* root = Root();
  if (root == nullptr) return;
  const int previous = m_colorScheme;
  m_colorScheme = index;
  const bool known = index >= 1 && index <= 5;
  root->SetAttribute(SStringW(L"skin"), SStringW(kColorSchemes[known ? index : 2].skin), FALSE);
  ColorizeTree(root, index);
  ColorSchemes::Recolor(root, previous, index);
  root->Invalidate();
}

void CUIEventHandler::ColorizeTree(SWindow* tree, int index) {
  const bool known = index >= 1 && index <= 5;
  tree->SDispatchMessage(SWUI::UM_SETCOLORIZE, kColorSchemes[known ? index : 2].colorize);
  // Scheme 0 (and anything unknown) tints white first, then takes the tint off again.
  if (!known) tree->SDispatchMessage(SWUI::UM_SETCOLORIZE, 0);
}

// ---- close -------------------------------------------------------------------------------

void CUIEventHandler::StopFiltering() {
  if (!m_filtering) return;
  m_filtering = false;
  if (SWUI::SMessageLoop* loop = m_host != nullptr ? m_host->GetMsgLoop() : nullptr) {
    loop->RemoveMessageFilter(this);
  }
}

void CUIEventHandler::OnClose() {
  StopFiltering();
  if (IsMainWindow()) {
    // The confirmation tip goes before the framework it was made with.
    CTipWnd::HideTip();
    // An icon the shell never took is not deleted.
    if (m_tray.IsVisible()) m_tray.Hide();
  }
  SaveTabs();
  m_controller.EndSession();
  // The instance lock stays until the window is gone (the entry releases it): a start meanwhile
  // finds this window, not a free name.
}

void CUIEventHandler::SaveTabs() {
  if (m_chromeTab == nullptr) return;
  CSimpleIniW& ini = m_app.Settings();
  // Every tab the strip holds, by its page (its ordinal): where it stands and its title.
  for (int position = 0; position < m_chromeTab->GetTabCount(); ++position) {
    const int page = m_chromeTab->GetTabOrdinal(position);
    if (page < 0 || page >= kPageCount) continue;
    wchar_t key[16];
    wchar_t value[16];
    swprintf(key, 16, L"%d", page);
    swprintf(value, 16, L"%d", position);
    ini.SetValue(L"TabOrder", key, value);
    ini.SetValue(L"TabName", key, m_titles[page]);
  }
  wchar_t selected[16];
  swprintf(selected, 16, L"%d", m_chromeTab->GetCurSel());
  ini.SetValue(L"TabSel", L"index", selected);
  m_app.SaveSettings();
}

// ---- key filter --------------------------------------------------------------------------

BOOL CUIEventHandler::PreTranslateMessage(MSG* msg) {
  if (msg->message != WM_KEYDOWN || msg->hwnd != m_hwnd || m_host == nullptr) return FALSE;
  switch (msg->wParam) {
    case VK_RETURN: {
      // Moving the focus away and back makes the focused edit commit what was typed.
      SWindow* focused = SWindow::GetSwndFromHandle(m_host->GetFocus());
      if (focused != nullptr && focused->IsClass(L"edit") && m_connectToggle != nullptr) {
        m_connectToggle->SetFocus();
        focused->SetFocus();
      }
      return FALSE;
    }
    case VK_LEFT:
    case VK_RIGHT:
      m_host->GetFocusMgr().AdvanceFocus(msg->wParam == VK_LEFT);
      return TRUE;
    case VK_TAB: {
      if (GetKeyState(VK_CONTROL) >= 0 || m_tab == nullptr || m_chromeTab == nullptr) return FALSE;
      m_chromeTab->SetCurSel((m_chromeTab->GetCurSel() + 1) % kPageCount);
      ::SetTimer(m_hwnd, kTimerFocusPage, 500, nullptr);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// ---- window messages ---------------------------------------------------------------------

BOOL CUIEventHandler::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           LRESULT& lResult) {
  if (hWnd != m_hwnd) return FALSE;
  switch (msg) {
    case WM_TIMER:
      if (wParam < kTimerEndTopmost || wParam > kTimerHideRenameEdit) return FALSE;
      OnTimer(wParam);
      lResult = 0;
      return TRUE;
    case SShellNotifyIcon::kCallbackMessage:
      OnTrayNotify(lParam);
      lResult = 0;
      return TRUE;
    case WM_DEVICECHANGE:
      OnDeviceChange(wParam, lParam);
      lResult = 0;
      return TRUE;
    case WM_DEVICE_NOTIFY:
      OnDeviceNotice(wParam);
      lResult = 0;
      return TRUE;
    case WM_COMMAND:
      // Menu commands; notifications of native children are not the menus'.
      if (HIWORD(wParam) != 0) return FALSE;
      OnMenuCommand(LOWORD(wParam));
      lResult = 0;
      return TRUE;
    case kMsgReserved:
      lResult = 0;
      return TRUE;
    case kMsgTellSettings:
      m_app.TellSettingsProblems(m_hwnd);
      lResult = 0;
      return TRUE;
    case WM_SIZING: {
      const RECT* rc = reinterpret_cast<const RECT*>(lParam);
      if (rc != nullptr) PlacePanels(rc->right - rc->left);
      lResult = 1;
      return TRUE;
    }
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC) {
        OnResume();
        lResult = 1;
      } else {
        lResult = 0;
      }
      return TRUE;
    default:
      return FALSE;
  }
}

void CUIEventHandler::OnTimer(UINT_PTR id) {
  switch (id) {
    case kTimerEndTopmost:
      ::KillTimer(m_hwnd, id);
      ::SetWindowPos(m_hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      break;
    case kTimerSendThrottle:
      m_controller.OnSendTimer();
      break;
    case kTimerFocusPage:
      ::KillTimer(m_hwnd, id);
      FocusFirstBand(CurrentPage());
      break;
    case kTimerHideRenameEdit:
      ::KillTimer(m_hwnd, id);
      if (m_renameEdit != nullptr) m_renameEdit->SetVisible(FALSE, TRUE);
      break;
    default:
      break;
  }
}

void CUIEventHandler::OnTrayNotify(LPARAM lParam) {
  if (lParam == WM_LBUTTONDOWN) {
    if (!::IsIconic(m_hwnd) && ::IsWindowVisible(m_hwnd)) {
      ::ShowWindow(m_hwnd, SW_HIDE);
    } else {
      ::SetForegroundWindow(m_hwnd);
      ::ShowWindow(m_hwnd, SW_SHOWNORMAL);
    }
  } else if (lParam == WM_RBUTTONDOWN) {
    ShowTrayMenu();
  }
}

void CUIEventHandler::OnDeviceChange(WPARAM event, LPARAM data) {
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) return;
  const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(data);
  CDeviceManager* manager = m_app.DeviceManager();
  if (manager == nullptr) return;
  if (event == DBT_DEVICEREMOVECOMPLETE) {
    const wchar_t* open = manager->GetConnectedPath();
    if (open == nullptr || _wcsicmp(open, device->dbcc_name) != 0) return;
    manager->DisconnectDevice();
    Sleep(200);
    if (manager->EnumDevices() > 0) manager->ConnectDevice(0);
  } else if (event == DBT_DEVICEARRIVAL && !manager->IsOpen()) {
    int vendor = 0;
    int product = 0;
    if (!ParseDeviceIds(device->dbcc_name, &vendor, &product)) return;
    if (vendor != manager->GetVendorId() || product != CDeviceManager::kProductId) return;
    manager->ConnectDevice(device->dbcc_name);
  }
}

void CUIEventHandler::OnDeviceNotice(WPARAM notice) {
  switch (notice) {
    case kNoticeRefresh:
      RefreshAll();
      break;
    case kNoticeEqChanged:
      if (m_eq != nullptr) m_eq->Refresh();
      break;
    case kNoticeSpdif:
      RefreshSpdif();
      break;
    default:
      break;
  }
}

void CUIEventHandler::OnResume() {
  CDeviceManager* manager = m_app.DeviceManager();
  if (manager == nullptr) return;
  // Through the manager, so that the session flags go with the closed protocol.
  manager->DisconnectDevice();
  if (manager->EnumDevices() > 0) manager->ConnectDevice(0);
}

void CUIEventHandler::SetElapsedTimeText(SWindow* element, DWORD ms, DWORD since) {
  if (element == nullptr) return;
  if (ms == 0) ms = GetTickCount() - since;
  const DWORD seconds = ms / 1000;
  wchar_t text[32];
  swprintf(text, 32, L"%.2lu:%.2lu:%.2lu", seconds / 3600, (seconds / 60) % 60, seconds % 60);
  element->SetWindowText(text);
}
