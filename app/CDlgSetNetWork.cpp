#include "CDlgSetNetWork.h"

#include <cwchar>

#include "AppSeams.h"
#include "CApplication.h"
#include "CCommonDlg.h"
#include "CNetworkJob.h"
#include "control/SComboBox.h"
#include "control/SListBox.h"
#include "controls/SIPAddressCtrl.h"
#include "core/EventCmd.h"
#include "core/EventSwndStateChanged.h"
#include "core/SHostDialog.h"
#include "core/SWindow.h"

using SWUI::SStringW;
using SWUI::SWindow;

namespace {

constexpr const wchar_t* kPromptCaption = L"prompt";
constexpr BYTE kDefaultAddress[4] = {192, 168, 1, 1};

void Show(SWindow* element, bool visible) {
  if (element != nullptr) element->SetVisible(visible ? TRUE : FALSE, TRUE);
}

void SetText(SWindow* element, const wchar_t* text) {
  if (element != nullptr) element->SetWindowText(text);
}

SStringW TrimmedText(SWindow* element) {
  if (element == nullptr) return SStringW();
  SStringW text = element->GetWindowText(TRUE);
  text.Trim();
  return text;
}

// A colour as an attribute value.
SStringW ColorText(COLORREF color) {
  wchar_t text[32];
  swprintf(text, 32, L"rgba(%u,%u,%u,%u)", GetRValue(color), GetGValue(color), GetBValue(color),
           (color >> 24) & 0xFF);
  return SStringW(text);
}

}  // namespace

INT_PTR CDlgSetNetWork::Open(HWND owner) {
  CCommonDlg<CDlgSetNetWork> dialog(kLayout);
  return dialog.DoModal(owner);
}

CDlgSetNetWork::CDlgSetNetWork() = default;

CDlgSetNetWork::~CDlgSetNetWork() { ReleaseJob(); }

CExplainWnd* CDlgSetNetWork::ExplainWindow() const {
  return m_explain != nullptr && m_explain->m_hWnd != nullptr ? m_explain.get() : nullptr;
}

void CDlgSetNetWork::OnInit(SWUI::SHostDialog* dialog) {
  CCommonEventHandler::OnInit(dialog);
  BindElements();
  m_mode = WifiSettingsInput::kAccessPoint;
  ShowModePage();
  if (m_address != nullptr) {
    m_address->SetAddress(kDefaultAddress[0], kDefaultAddress[1], kDefaultAddress[2],
                          kDefaultAddress[3]);
  }
}

void CDlgSetNetWork::BindElements() {
  SWindow* root = m_pDlg != nullptr ? static_cast<SWindow*>(m_pDlg->GetRoot()) : nullptr;
  if (root == nullptr) return;
  m_apWnd = root->FindChildByName(L"APWnd");
  m_loadingWnd = root->FindChildByName(L"LoadingWnd");
  m_staWnd = root->FindChildByName(L"STAWnd");
  m_nameInput = root->FindChildByName(L"txt_name_input");
  m_passwordSwitch = root->FindChildByID(kPasswordSwitch);
  m_passwordWnd = root->FindChildByName(L"setpasswordwnd");
  m_passwordInput = root->FindChildByName(L"txt_password_input");
  m_waitText = root->FindChildByName(L"txt_wait");
  m_connectStatus = root->FindChildByName(L"txt_connectstatu");
  m_notConnectStatus = root->FindChildByName(L"txt_notconnectstatu");
  m_connectingName = root->FindChildByName(L"connecting_name");
  m_disconnectButton = root->FindChildByName(L"btnDisconnect");
  m_connectButton = root->FindChildByName(L"btnConnect");
  m_wifiList = root->FindChildByName2<SWUI::SComboBox>(L"wifiname_list");
  if (m_wifiList != nullptr) {
    m_listColors[0] = m_wifiList->GetStyle().GetBkgndColor();
    SWindow* edit = m_wifiList->GetEditCtrl();
    if (edit != nullptr) m_listColors[1] = edit->GetStyle().GetBkgndColor();
  }
  m_staPassword = root->FindChildByName(L"txt_password2_input");
  m_passwordCover = root->FindChildByName(L"stapasswordunableWnd");
  m_setIpSwitch = root->FindChildByID(kSetIpSwitch);
  m_addressWnd = root->FindChildByName(L"setaddressswnd");
  m_address = root->FindChildByName2<SIPAddressCtrl>(L"ip_txt");
  m_portInput = root->FindChildByName(L"txt_port_input");
}

// ---- events --------------------------------------------------------------------------------

bool CDlgSetNetWork::_HandleEvent(SWUI::EventArgs* evt) {
  if (evt == nullptr || m_pDlg == nullptr || !IsOwnSender(evt)) return false;
  if (evt->GetID() == SWUI::EventSwndStateChanged::EventID) {
    const auto* change = static_cast<SWUI::EventSwndStateChanged*>(evt);
    const bool checkedNow = (change->dwNewState & SWUI::WndState_Check) != 0 &&
                            (change->dwOldState & SWUI::WndState_Check) == 0;
    if (checkedNow && (evt->idFrom == kRadioAp || evt->idFrom == kRadioSta)) {
      OnModeChosen(evt->idFrom % 1000);
      return true;
    }
    return false;
  }
  if (evt->GetID() != SWUI::EventCmd::EventID) return false;
  if (evt->idFrom == kPasswordSwitch || evt->idFrom == kSetIpSwitch) {
    OnSwitch(evt->idFrom);
    return true;
  }
  const wchar_t* name = evt->nameFrom != nullptr ? evt->nameFrom : L"";
  if (wcscmp(name, L"btnOK") == 0) {
    OnApply();
  } else if (wcscmp(name, L"btnDisconnect") == 0) {
    OnDisconnectClicked();
  } else if (wcscmp(name, L"btnConnect") == 0) {
    OnConnectClicked();
  } else if (wcscmp(name, L"btn_explain") == 0) {
    OnExplain();
  } else {
    return CCommonEventHandler::_HandleEvent(evt);
  }
  return true;
}

void CDlgSetNetWork::OnModeChosen(int mode) {
  m_mode = mode;
  if (mode == WifiSettingsInput::kAccessPoint) {
    ReleaseJob();  // a query's answer no longer has a page to go to
    ShowModePage();
    return;
  }
  Show(m_apWnd, false);
  StartJob(L"Loading Wifi data...", nullptr);
}

void CDlgSetNetWork::OnSwitch(int id) {
  SWindow* check = id == kPasswordSwitch ? m_passwordSwitch : m_setIpSwitch;
  Show(id == kPasswordSwitch ? m_passwordWnd : m_addressWnd,
       check != nullptr && check->IsChecked());
}

void CDlgSetNetWork::OnDisconnectClicked() {
  m_joined = 0;
  SetJoinedLook(false);
}

void CDlgSetNetWork::OnConnectClicked() {
  m_joined = 1;
  SetJoinedLook(true);
}

void CDlgSetNetWork::OnExplain() {
  if (CExplainWnd* shown = ExplainWindow()) {
    ::ShowWindow(shown->m_hWnd, SW_SHOW);
    ::SetWindowPos(shown->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return;
  }
  m_explain.reset(new CExplainWnd());
  if (!m_explain->Open(m_hDlg, CApplication::Get().Language() != 0)) m_explain.reset();
}

void CDlgSetNetWork::OnApply() {
  const WifiSettingsInput input = ReadInput();
  if (const wchar_t* refusal = CheckWifiSettings(input)) {
    Prompt(refusal);
    return;
  }
  const WifiConfigBlock block = MakeWifiConfigBlock(input);
  Show(m_apWnd, false);
  StartJob(L"Setting Wifi info...", &block);
}

WifiSettingsInput CDlgSetNetWork::ReadInput() {
  WifiSettingsInput input;
  input.mode = m_mode;
  input.joined = m_joined;
  if (m_mode == WifiSettingsInput::kAccessPoint) {
    input.name = TrimmedText(m_nameInput);
    input.passwordOn = m_passwordSwitch != nullptr && m_passwordSwitch->IsChecked();
    if (input.passwordOn) input.password = TrimmedText(m_passwordInput);
    return input;
  }
  input.name = TrimmedText(m_wifiList);
  input.password = TrimmedText(m_staPassword);
  input.setIp = m_setIpSwitch != nullptr && m_setIpSwitch->IsChecked();
  if (input.setIp) {
    input.addressBlank = m_address == nullptr || m_address->IsBlank();
    if (m_address != nullptr) {
      m_address->GetAddress(input.address[0], input.address[1], input.address[2],
                            input.address[3]);
    }
    input.port = TrimmedText(m_portInput);
  }
  return input;
}

void CDlgSetNetWork::Prompt(const wchar_t* text) {
  AppSeams::Current().FrameworkMessageBox(m_hDlg, text, kPromptCaption, MB_OK);
}

// ---- jobs ----------------------------------------------------------------------------------

void CDlgSetNetWork::StartJob(const wchar_t* waitText, const WifiConfigBlock* block) {
  ReleaseJob();
  Show(m_staWnd, false);
  Show(m_loadingWnd, true);
  SetText(m_waitText, waitText);
  CNetworkJob* job = CNetworkJob::Create(m_hDlg);
  if (job != nullptr && block != nullptr) job->MakeApply(*block);
  if (job == nullptr || !CApplication::Get().NetworkJobs().Start(job)) {
    if (job != nullptr) job->Release();
    AppSeams::Current().FrameworkMessageBox(m_hDlg, L"创建线程失败", L"错误", MB_OK);
    ShowModePage();
    return;
  }
  m_job = job;
}

CNetworkJob* CDlgSetNetWork::TakeJob(LPARAM number) {
  if (m_job == nullptr || m_job->Number() != number) return nullptr;
  CNetworkJob* job = m_job;
  m_job = nullptr;
  return job;
}

void CDlgSetNetWork::ReleaseJob() {
  if (m_job == nullptr) return;
  m_job->Release();
  m_job = nullptr;
}

void CDlgSetNetWork::OnQueryDone(LPARAM number) {
  CNetworkJob* job = TakeJob(number);
  if (job == nullptr || job->GetKind() != CNetworkJob::kQuery) {
    if (job != nullptr) job->Release();
    return;
  }
  m_joined = job->WifiState() != 0 ? 1 : 0;
  if (m_wifiList != nullptr && m_wifiList->GetListBox() != nullptr) {
    SWUI::SListBox* list = m_wifiList->GetListBox();
    list->DeleteAll();
    for (int i = 0; i < CNetworkJob::kListSize; ++i) {
      const SStringW name = SWUI::StringA2W(job->ListEntry(i));
      if (!name.IsEmpty()) list->AddString(name);
    }
    m_wifiList->Invalidate();
  }
  m_joinedName = m_joined ? SWUI::StringA2W(job->JoinedName()) : SStringW();
  job->Release();
  SetJoinedLook(m_joined != 0);
  ShowModePage();
}

void CDlgSetNetWork::OnApplyDone(int result, LPARAM number) {
  CNetworkJob* job = TakeJob(number);
  if (job == nullptr || job->GetKind() != CNetworkJob::kApply) {
    if (job != nullptr) job->Release();
    return;
  }
  const WifiConfigBlock block = job->Block();
  job->Release();
  if (m_mode == WifiSettingsInput::kStation && result > 0) {
    // A station that was told to join is on that network now.
    if (!m_joined) {
      char name[WifiBlockLayout::kNameSize + 1] = {};
      memcpy(name, block.bytes + WifiBlockLayout::kNameAt, WifiBlockLayout::kNameSize);
      m_joinedName = SWUI::StringA2W(name);
    }
    m_joined = 1;
  }
  if (m_mode == WifiSettingsInput::kStation) SetJoinedLook(m_joined != 0);
  ShowModePage();
  Prompt(result > 0 ? L"Set Successed" : L"Set Failed");
}

// ---- pages ---------------------------------------------------------------------------------

void CDlgSetNetWork::ShowModePage() {
  Show(m_loadingWnd, false);
  Show(m_apWnd, m_mode == WifiSettingsInput::kAccessPoint);
  Show(m_staWnd, m_mode == WifiSettingsInput::kStation);
}

void CDlgSetNetWork::SetJoinedLook(bool joined) {
  if (m_wifiList != nullptr) {
    m_wifiList->EnableWindow(joined ? FALSE : TRUE, TRUE);
    // The field and its edit part both: the edit part covers nearly all of the field.
    SWindow* parts[2] = {m_wifiList, m_wifiList->GetEditCtrl()};
    for (int i = 0; i < 2; ++i) {
      if (parts[i] == nullptr) continue;
      const SStringW color = joined ? SStringW(kListJoinedColor) : ColorText(m_listColors[i]);
      parts[i]->SetAttribute(SStringW(L"colorBkgnd"), color, FALSE);
      parts[i]->Invalidate();
    }
  }
  Show(m_passwordCover, joined);
  Show(m_connectStatus, joined);
  Show(m_notConnectStatus, !joined);
  SetText(m_connectingName, joined ? m_joinedName.c_str() : L"");
  Show(m_disconnectButton, joined);
  SetText(m_disconnectButton, L"Disconnect");
  Show(m_connectButton, !joined && !m_joinedName.IsEmpty());
}

// ---- messages ------------------------------------------------------------------------------

BOOL CDlgSetNetWork::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam,
                                          LRESULT& lResult) {
  switch (msg) {
    case CNetworkJob::kQueryDone:
      OnQueryDone(lParam);
      lResult = 0;
      return TRUE;
    case CNetworkJob::kApplyDone:
      OnApplyDone(static_cast<int>(wParam), lParam);
      lResult = 0;
      return TRUE;
    case WM_DESTROY:
      // The job and the explain window go with the dialog; the host still sees the message.
      ReleaseJob();
      if (m_explain != nullptr && m_explain->m_hWnd != nullptr) ::DestroyWindow(m_explain->m_hWnd);
      m_explain.reset();
      return FALSE;
    default:
      return FALSE;
  }
}
