// The page logic's routing of tree events, and the handlers that the routing reaches directly.
// Ids are laid out by kind and page, so one range test selects a family of controls.
#include <string>

#include "CApplication.h"
#include "CUIEventHandler.h"
#include "EventSenders.h"
#include "HandsetIds.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "ParamControls.h"
#include "ParamText.h"
#include "control/EventCBSelChange.h"
#include "control/EventSliderPos.h"
#include "control/EventSpinValue2String.h"
#include "control/EventTabSelChanged.h"
#include "control/EventTabSelChanging.h"
#include "control/SScrollView.h"
#include "control/STabCtrl.h"
#include "controls/EventChromeTabDbClick.h"
#include "controls/EventChromeTabSelChanged.h"
#include "controls/EventEditValueChanging.h"
#include "controls/EventThumbMoving.h"
#include "controls/SChromeTab.h"
#include "controls/SChromeTabCtrl.h"
#include "controls/SMoveThumb.h"
#include "controls/ZuEQ.h"
#include "core/EventCmd.h"
#include "core/EventKillFocus.h"
#include "core/EventScrollViewOriginChanged.h"
#include "core/EventScrollViewSizeChanged.h"
#include "core/EventSwndStateChanged.h"
#include "core/SHostWnd.h"
#include "core/SWindow.h"

using SWUI::EventArgs;
using SWUI::SStringW;
using SWUI::SWindow;

namespace {

bool NameIs(const EventArgs* evt, const wchar_t* name) {
  return evt->nameFrom != nullptr && wcscmp(evt->nameFrom, name) == 0;
}

}  // namespace

BOOL CUIEventHandler::_HandleEvent(EventArgs* evt) {
  // A page's creation raises events of its own (initial selections, values): created with the
  // window, they came before the page logic was there; they are none of its business now.
  if (evt == nullptr || m_buildingPage || !IsSenderInTree(evt, Root())) return FALSE;
  const int id = evt->idFrom;
  switch (evt->GetID()) {
    case EventThumbMoving::EventID:
      return OnThumbMoving(evt);
    case SWUI::EventCmd::EventID:
      return OnCommand(evt);
    case SWUI::EventChromeTabSelChanged::EventID:
      if (id != NamedId::orv_chromeTab) return FALSE;
      return OnChromeTabSelChanged(static_cast<SWUI::EventChromeTabSelChanged*>(evt)->iNewSel);
    case SWUI::EventTabSelChanging::EventID:
      // The page about to be shown is built first (nothing else of the switch changes).
      if (id == NamedId::orv_tab) BuildPage(static_cast<SWUI::EventTabSelChanging*>(evt)->uNewSel);
      return FALSE;
    case SWUI::EventTabSelChanged::EventID: {
      const int selection = static_cast<SWUI::EventTabSelChanged*>(evt)->uNewSel;
      if (id == NamedId::orv_tab) return OnPageSwitched(selection);
      if (NameIs(evt, L"micparam_tab")) return OnMicParamTab(selection);
      return FALSE;
    }
    case SWUI::EventSliderPos::EventID:
      if (!kSliderIds.Contains(id)) return FALSE;
      return OnSliderPos(id, static_cast<SWUI::EventSliderPos*>(evt)->nPos);
    case SWUI::EventSpinValue2String::EventID:
      return kSpinIds.Contains(id) ? OnSpinText(evt) : FALSE;
    case SWUI::EventKillFocus::EventID:
      return kValueEditIds.Contains(id) ? OnKillFocus(id) : FALSE;
    case SWUI::EventScrollViewOriginChanged::EventID:
      return NameIs(evt, L"main_scrollview") ? OnPageScroll(evt) : FALSE;
    case SWUI::EventScrollViewSizeChanged::EventID:
      if (!kPageScrollIds.Contains(id)) return FALSE;
      return OnPageViewSized(id - kFirstPageScroll);
    case SWUI::EventChromeTabDbClick::EventID:
      return id == 0 ? OnTabDbClick(evt) : FALSE;
    case SWUI::EventSwndStateChanged::EventID:
      return kRadioIds.Contains(id) ? OnRadioStateChanged(evt) : FALSE;
    case SWUI::EventCBSelChange::EventID:
      return kComboIds.Contains(id) ? OnComboSelChange(evt) : FALSE;
    case EventEditValueChanging::EventID:
      return kValueEditIds.Contains(id)
                 ? OnBandEditCommit(id, static_cast<EventEditValueChanging*>(evt)->step, true)
                 : FALSE;
    default:
      return FALSE;
  }
}

BOOL CUIEventHandler::OnCommand(EventArgs* evt) {
  const int id = evt->idFrom;
  if (kBandThumbIds.Contains(id)) return OnBandThumbClicked(id);
  if (kToggleIds.Contains(id)) return OnToggle(id);
  if (kButtonIds.Contains(id)) return OnButton(id);
  if (kEchoTapIds.Contains(id)) return OnEchoTap(id);
  if (id == NamedId::btn_mainmenu) return OnMainMenuButton();
  return FALSE;
}

// ---- band tips ---------------------------------------------------------------------------

void CUIEventHandler::HideBandTips() {
  for (SMoveThumb* thumb : m_bandThumbs) {
    if (thumb == nullptr) continue;
    thumb->StopPulse();
    if (SWindow* parent = thumb->GetParent()) parent->Invalidate();
  }
  if (m_bandTip != nullptr) m_bandTip->SetVisible(FALSE, TRUE);
}

BOOL CUIEventHandler::OnBandThumbClicked(int id) {
  m_selectedBand = id - kFirstBandThumb;
  SMoveThumb* thumb = m_bandThumbs[m_selectedBand];
  if (thumb != nullptr) thumb->StartPulse();
  const int t = CurrentPage();
  if (m_bandTip != nullptr && thumb != nullptr && t >= 0) {
    const EqPageState& page = m_pages[t];
    SStringW text;
    text.Format(L"%sHz\n%s\nQ:%s", page.GetBandFreqText(m_selectedBand).c_str(),
                page.GetBandGainText(m_selectedBand).c_str(),
                page.GetBandQText(m_selectedBand).c_str());
    m_bandTip->SetWindowText(text);
    const RECT rc = thumb->GetWindowRect();
    m_bandTip->Move(rc.left - 10, rc.bottom + 10);
    m_bandTip->SetVisible(TRUE, TRUE);
  }
  if (t >= 0) {
    if (ParamSlider* gain = m_pages[t].GainSlider(m_selectedBand)) gain->SetFocus();
  }
  return TRUE;
}

// ---- toggles and buttons -----------------------------------------------------------------

BOOL CUIEventHandler::OnToggle(int id) {
  return id == kConnectToggle ? OnConnectToggle() : OnParamToggle(id);
}

BOOL CUIEventHandler::OnConnectToggle() {
  HideBandTips();
  // The toggle does not check itself: its state shows the connection.
  const bool showsConnected = m_connectToggle != nullptr ? m_connectToggle->IsChecked() != FALSE
                                                         : m_controller.IsConnected();
  if (!showsConnected) {
    const bool connected = m_controller.ConnectDevice();
    if (connected) m_controller.ReadAllParams();
    RefreshAll();
    // The display shows what holds before the box asks for attention.
    if (!connected) ShowMessage(L"Device not connected");
  } else if (m_controller.EndSession()) {
    RefreshConnection();
    RefreshSpdif();
  }
  return TRUE;
}

BOOL CUIEventHandler::OnButton(int id) {
  if (id == kImportButton || id == kExportButton || id == kPCModeButton) {
    HideBandTips();
    if (id == kImportButton) ImportEffect();
    if (id == kExportButton) ExportEffect();
    if (id == kPCModeButton) ShowPCModeDialog();
    return TRUE;
  }
  if (id == kDeviceModeButton) return OnDeviceModeButton();
  // "EQ Reset" of a switch page: 9100 .. 9700.
  const int t = id / 100 - 91;
  if (id % 100 != 0 || t < 0 || t >= kPageCount) return FALSE;
  HideBandTips();
  m_controller.ResetChannelEq(t);
  m_pages[t].RefreshEqBands();
  if (m_eq != nullptr) m_eq->Refresh();
  return TRUE;
}

BOOL CUIEventHandler::OnEchoTap(int id) {
  const ToggleDesc* tap = FindToggle(id);
  ParamCheck* check = Check(id);
  if (tap == nullptr) return FALSE;
  HideBandTips();
  const bool checked = check != nullptr && check->IsChecked();
  m_controller.SetParam(tap->row, ToggleValue(tap->kind, GetParam(Image(), tap->row), checked));
  return TRUE;
}

// ---- pages -------------------------------------------------------------------------------

BOOL CUIEventHandler::OnChromeTabSelChanged(int position) {
  HideBandTips();
  if (position == -1 || m_chromeTab == nullptr || m_tab == nullptr) return TRUE;
  const int page = m_chromeTab->GetTabOrdinal(position);
  if (page >= 0) m_tab->SetCurSel(page);
  return TRUE;
}

void CUIEventHandler::FocusFirstBand(int page) {
  if (page < 0 || page >= kPageCount) return;
  if (ParamSlider* gain = m_pages[page].GainSlider(0)) gain->SetFocus();
}

BOOL CUIEventHandler::OnPageSwitched(int t) {
  HideBandTips();
  if (t < 0 || t >= kPageCount) return TRUE;
  if (m_tabSwitch != nullptr) m_tabSwitch->SetCurSel(t);
  ParamCheck* pass = Check(EqPassId(t));
  if (m_bypassText != nullptr && pass != nullptr) {
    m_bypassText->SetVisible(pass->IsChecked(), TRUE);
  }
  FocusFirstBand(t);
  ShowPageCurve(t);
  if (m_containerWnd != nullptr) m_containerWnd->SetVisible(t >= 3, TRUE);
  m_followedScroll = t;
  SWUI::SScrollView* followed = m_pageScroll[t];
  if (followed != nullptr) followed->SetViewOrigin(POINT{0, 0});
  if (m_mainScroll != nullptr) m_mainScroll->SetViewOrigin(POINT{0, 0});
  SizeMainScroll();
  return TRUE;
}

void CUIEventHandler::SizeMainScroll() {
  if (m_mainScroll == nullptr || m_followedScroll < 0 || m_followedScroll >= 8) return;
  SWUI::SScrollView* followed = m_pageScroll[m_followedScroll];
  int width = 0;
  if (followed != nullptr) {
    // The bar moves the page by its own position, so its range is the page's: the page's
    // client is narrower than the bar by the mic's vertical tabs and the page's vertical bar.
    // The bar is as wide as the pages' tab control, which is placed before its pages are (the
    // bar itself may not be placed yet when a page reports its size).
    const RECT page = followed->GetClientRect();
    const RECT pages = m_tab != nullptr ? m_tab->GetWindowRect() : m_mainScroll->GetWindowRect();
    width = followed->GetViewSize().cx + (pages.right - pages.left) - (page.right - page.left);
  }
  // One pixel tall: the bar scrolls sideways only, and a taller view would add a vertical bar.
  m_mainScroll->SetViewSize(SIZE{width, 1});
}

BOOL CUIEventHandler::OnPageViewSized(int index) {
  // A page measures its content when it is first laid out (after the start-up's page switch)
  // and again when its texts change: the bar follows what the shown page now needs.
  if (m_followedScroll == 1 || m_followedScroll == 7) m_followedScroll = MicFollowedScrollView();
  if (index == m_followedScroll) SizeMainScroll();
  return TRUE;
}

int CUIEventHandler::MicFollowedScrollView() const {
  return m_micParamTab != nullptr && m_micParamTab->GetCurSel() > 0 ? 7 : 1;
}

BOOL CUIEventHandler::OnMicParamTab(int selection) {
  HideBandTips();
  m_followedScroll = selection > 0 ? 7 : 1;
  ResetScrollViews();
  SizeMainScroll();
  return TRUE;
}

void CUIEventHandler::ResetScrollViews() {
  if (m_mainScroll != nullptr) m_mainScroll->SetViewOrigin(POINT{0, 0});
  if (SWUI::SScrollView* followed = m_pageScroll[m_followedScroll]) {
    followed->SetViewOrigin(POINT{0, 0});
  }
}

BOOL CUIEventHandler::OnPageScroll(EventArgs* evt) {
  if (m_followedScroll == 1 || m_followedScroll == 7) m_followedScroll = MicFollowedScrollView();
  SWUI::SScrollView* followed =
      m_followedScroll >= 0 && m_followedScroll < 8 ? m_pageScroll[m_followedScroll] : nullptr;
  if (followed != nullptr) {
    // The main bar carries the horizontal position; a page scrolls up and down on its own bar.
    const POINT origin = static_cast<SWUI::EventScrollViewOriginChanged*>(evt)->ptNewOrigin;
    followed->SetViewOrigin(POINT{origin.x, followed->GetViewOrigin().y});
  }
  return TRUE;
}

// ---- sliders and spins -------------------------------------------------------------------

BOOL CUIEventHandler::OnSliderPos(int id, int position) {
  const FixedSlider* slider = FindFixedSlider(id);
  if (slider == nullptr) return OnParamSlider(id, position);
  HideBandTips();
  const uint8_t* image = Image();
  const int capped = CapSliderPosition(*slider, image, position);
  if (capped != position) SetSlider(id, capped);
  SetText(ValueTextId(id), FixedSliderText(*slider, capped).c_str());
  const int row = FixedSliderRow(*slider, image);
  const uint16_t value = SliderValue(slider->flagMask, GetParam(image, row), capped);
  m_controller.SetParam(row, value);
  if (slider->alsoBanks) m_controller.SetBankParam(row, value);
  if (slider->curves != CurveUpdate::kNone) {
    if (slider->curves == CurveUpdate::kHighPass) {
      m_controller.UpdateHighPassCurves(CDeviceController::kEffect, CDeviceController::kEffect);
    } else {
      m_controller.UpdateLowPassCurves(CDeviceController::kEffect, CDeviceController::kEffect);
    }
    if (m_eq != nullptr) m_eq->Refresh();
  }
  return TRUE;
}

BOOL CUIEventHandler::OnSpinText(EventArgs* evt) {
  const int id = evt->idFrom;
  const int t = (id % 1000) / 100 - 1;
  if (t < 0 || t >= kPageCount || !m_pages[t].IsBand(id % 100)) return FALSE;
  HideBandTips();
  // The spin shows the Q of its position; a refresh moving it writes nothing.
  auto* spin = static_cast<SWUI::EventSpinValue2String*>(evt);
  spin->strValue = m_refreshing ? BandQText(spin->nValue).c_str()
                                : m_pages[t].OnBandQText(id, spin->nValue).c_str();
  return TRUE;
}

// ---- edits and tab rename ----------------------------------------------------------------

BOOL CUIEventHandler::OnKillFocus(int id) {
  if (id != kRenameEditId) return OnBandEditCommit(id, 0, false);
  EndTabRename();
  return TRUE;
}

BOOL CUIEventHandler::OnTabDbClick(EventArgs* evt) {
  auto* click = static_cast<SWUI::EventChromeTabDbClick*>(evt);
  if (m_chromeTab == nullptr || m_renameEdit == nullptr) return FALSE;
  SWUI::SChromeTab* tab = m_chromeTab->GetTab(click->iTabIndex);
  if (tab == nullptr || tab->GetOwnerCtrl() != m_chromeTab) return FALSE;
  const RECT tabRect = tab->GetWindowRect();
  SWindow* parent = m_renameEdit->GetParent();
  const int parentLeft = parent != nullptr ? parent->GetWindowRect().left : 0;
  SStringW pos;
  pos.Format(L"%d,{5", tabRect.left - parentLeft - 2);
  m_renameEdit->SetAttribute(SStringW(L"pos"), pos, FALSE);
  ::KillTimer(m_hwnd, kTimerHideRenameEdit);
  m_renameEdit->SetWindowText(tab->GetWindowText());
  // The page, not the place: the tab may be dragged elsewhere while it is renamed.
  m_renameEdit->SetUserData(static_cast<ULONG_PTR>(click->iTabOrdinal));
  m_renameEdit->SetVisible(TRUE, TRUE);
  m_renameEdit->SetFocus();
  return TRUE;
}

void CUIEventHandler::EndTabRename() {
  if (m_renameEdit == nullptr) return;
  const int page = static_cast<int>(m_renameEdit->GetUserData());
  if (page >= 0 && page < kPageCount) {
    SStringW title = m_renameEdit->GetWindowText();
    if (title.IsEmpty()) title = kPages[page].defaultTitle;
    m_titles[page] = title;
    const int position = m_chromeTab != nullptr ? m_chromeTab->FindTabByOrdinal(page) : -1;
    if (SWUI::SChromeTab* tab = position >= 0 ? m_chromeTab->GetTab(position) : nullptr) {
      tab->SetWindowText(title);
      tab->SetToolTipText(title);
    }
  }
  ::SetTimer(m_hwnd, kTimerHideRenameEdit, 100, nullptr);
}
