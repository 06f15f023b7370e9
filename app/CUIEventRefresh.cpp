// Every control of the main window shown from the current parameter image. The refresh sets
// positions, check states, enabled states and texts; it writes nothing but the clamp of a
// filter frequency beyond the x100 range.
#include "CUIEventHandler.h"
#include "EqBandEdit.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ParamControls.h"
#include "ParamTables.h"
#include "ParamText.h"
#include "control/STabCtrl.h"
#include "controls/ZuEQ.h"
#include "core/SWindow.h"

using SWUI::SStringW;
using SWUI::SWindow;

namespace {

constexpr uint16_t kFreqFlag = 0x8000;

}  // namespace

void CUIEventHandler::RefreshAll() {
  RefreshConnection();
  RefreshSpdif();
  RefreshFixedSliders();
  RefreshInputPort();
  RefreshFeedbackCombo();
  RefreshToggles();
  for (int channel = 0; channel < kPageCount; ++channel) {
    RefreshSideRadio(channel);
    RefreshFilters(channel);
    RefreshDynamics(channel);
    RefreshEqPass(channel);
  }
  RefreshWorkMode();
  for (int t = 0; t < kPageCount; ++t) {
    if (IsPageBuilt(t)) m_pages[t].RefreshEqBands();
  }
  const int t = CurrentPage();
  if (t >= 0) {
    ShowPageCurve(t);
    if (m_eq != nullptr) m_eq->ShowBandGuide();
    if (m_tabSwitch != nullptr) m_tabSwitch->SetCurSel(t);
  }
}

void CUIEventHandler::RefreshConnection() {
  const bool connected = m_controller.IsConnected();
  if (m_devConnectState != nullptr) {
    m_devConnectState->SetCheck(connected);
    m_devConnectState->SetWindowText(connected ? L"Connected" : L"Disconnected");
  }
  if (m_connectToggle != nullptr) {
    m_connectToggle->SetCheck(connected);
    m_connectToggle->SetWindowText(connected ? L"Disconnect" : L"Connect");
  }
}

void CUIEventHandler::RefreshSpdif() {
  if (m_spdifConnectState == nullptr) return;
  m_spdifConnectState->SetCheck(m_controller.IsConnected() && m_controller.IsSpdifPresent());
}

void CUIEventHandler::RefreshFixedSliders(int page) {
  const uint8_t* image = Image();
  int count = 0;
  const FixedSlider* sliders = FixedSliders(&count);
  for (int i = 0; i < count; ++i) {
    const FixedSlider& s = sliders[i];
    if (page >= 0 && PageOfControl(s.id) != page) continue;
    const int position = SliderPosition(s.flagMask, GetParam(image, FixedSliderRow(s, image)));
    SetSlider(s.id, position);
    SetText(ValueTextId(s.id), FixedSliderText(s, position, true).c_str());
  }
}

void CUIEventHandler::RefreshInputPort() {
  const int port = MusicInputPort(Image());
  if (!IsPageBuilt(CDeviceController::kMusic)) {
    // The radio the built page would check: a change acts as its event would.
    if (port == m_unbuiltInputPort) return;
    m_unbuiltInputPort = port;
    if (m_refreshing) return;
    HideBandTips();
    OnInputPortRadio(port);
    return;
  }
  if (ParamRadio* radio = Radio(kInputPortRadio + port)) radio->SetCheck(TRUE);
  if (ParamSlider* gain = Slider(kInputGainSlider)) gain->EnableWindow(TRUE, TRUE);
}

void CUIEventHandler::RefreshToggles(int page) {
  const uint8_t* image = Image();
  int count = 0;
  const ToggleDesc* toggles = Toggles(&count);
  for (int i = 0; i < count; ++i) {
    if (page >= 0 && PageOfControl(toggles[i].id) != page) continue;
    if (ParamCheck* check = Check(toggles[i].id)) {
      check->SetCheck(ToggleChecked(toggles[i].kind, GetParam(image, toggles[i].row)));
    }
  }
}

void CUIEventHandler::RefreshEqPass(int page) {
  ParamCheck* pass = Check(EqPassId(page));
  if (pass == nullptr) return;
  const int selectRow = EqSelectRow(m_pages[page].ReadSetRow());
  pass->SetCheck(ToggleChecked(ToggleKind::kEnable8, GetParam(Image(), selectRow)));
  if (m_bypassText != nullptr && page == CurrentPage()) {
    m_bypassText->SetVisible(pass->IsChecked(), TRUE);
  }
}

void CUIEventHandler::RefreshSideRadio(int channel) {
  const int link = m_controller.GetChannelLinkMode(channel);
  if (link < 0 || link >= SideCount(channel)) return;
  if (ParamRadio* radio = Radio(SideRadioId(channel, link))) radio->SetCheck(TRUE);
}

void CUIEventHandler::RefreshFilters(int channel) {
  RefreshFilter(channel, false);
  RefreshFilter(channel, true);
}

void CUIEventHandler::RefreshFilter(int channel, bool lowPass) {
  FilterControlIds ids;
  if (!GetFilterControlIds(channel, lowPass, &ids)) return;
  int left = -1;
  int right = -1;
  FilterRows(channel, lowPass, &left, &right);
  const int link = m_controller.GetChannelLinkMode(channel);
  const int block = LinkShownRow(link, left, right);
  if (block < 0) return;
  const uint8_t* image = Image();
  const int type = GetParam(image, block + kFilterType);
  const int multiple = ClampIndex(GetParam(image, block + kFilterMultiple), kFilterMultipleCount);
  const uint16_t freq = GetParam(image, block + kFilterFreq);
  const int index = freq & ~kFreqFlag;
  const int position = FilterFreqPosition(index, multiple);
  if (position != index) {
    // Beyond what the x100 range reaches: the top is written back, the flag kept.
    m_controller.SetParam(block + kFilterFreq,
                          static_cast<uint16_t>((freq & kFreqFlag) | position));
    if (link == 2 && right >= 0 && right != block) {
      const uint16_t other = GetParam(image, right + kFilterFreq);
      m_controller.SetParam(right + kFilterFreq,
                            static_cast<uint16_t>((other & kFreqFlag) | position));
    }
  }
  RefreshFilterCombos(channel, lowPass, block);
  SetSlider(ids.freqSlider, position);
  SetText(ids.freqSlider + 4000, FilterFreqText(position, multiple).c_str());
  const int q = GetParam(image, block + kFilterQ);
  SetSlider(ids.qSlider, q);
  SetText(ids.qSlider + 4000, FilterQText(q).c_str());
  EnableSliderRow(ids.qSlider, IsFilterQEnabled(type));
}

void CUIEventHandler::RefreshDynamics(int channel) {
  int left = -1;
  int right = -1;
  CDeviceController::GetChannelDynamicsRows(channel, &left, &right);
  const int block = LinkShownRow(m_controller.GetChannelLinkMode(channel), left, right);
  if (block < 0) return;
  for (bool expander : {false, true}) {
    for (int field = 1; field <= 4; ++field) {
      const int id = DynamicsSliderId(channel, expander, field);
      DynamicsSlider slider;
      if (id == 0 || !FindDynamicsSlider(id, &slider)) continue;
      // The expander's attack row carries its on bit (bit 7), which the slider never shows.
      const uint16_t value = GetParam(Image(), block + slider.rowOffset);
      const int position = SliderPosition(DynamicsFlagMask(slider), value);
      SetSlider(id, position);
      SetText(id + 4000, DynamicsText(slider, position).c_str());
    }
  }
}

void CUIEventHandler::CheckQuietly(SWindow* radio) {
  if (radio == nullptr) return;
  // A checked state set this way raises no state event: the bank switch stays untouched.
  radio->GetEventSet()->SetMute(true);
  radio->SetAttribute(SStringW(L"checked"), SStringW(L"1"), FALSE);
  radio->GetEventSet()->SetMute(false);
}

void CUIEventHandler::RefreshWorkMode() {
  const uint16_t mode = GetParam(Image(), ParamRow::MainWorkMode);
  const bool automatic = (mode & kFlagBit8) != 0;
  if (ParamRadio* radio = Radio(automatic ? kWorkModeAuto : kWorkModeManual)) {
    radio->SetCheck(TRUE);
  }
  ParamRadio* sing = Radio(kWorkModeSing);
  ParamRadio* disco = Radio(kWorkModeDisco);
  if (sing != nullptr) sing->EnableWindow(!automatic, TRUE);
  if (disco != nullptr) disco->EnableWindow(!automatic, TRUE);
  CheckQuietly(IsDiscoMode(mode) ? disco : sing);
}

void CUIEventHandler::ShowPageCurve(int page) {
  if (m_eq == nullptr || page < 0 || page >= kPageCount) return;
  const int side = m_controller.GetChannelLinkMode(page) == 1 ? 1 : 0;
  EqCurveInfo* curve = m_controller.Curves().GetChannelCurve(page, side);
  if (curve == nullptr) curve = m_controller.Curves().GetChannelCurve(page, 0);
  m_eq->SetCurve(curve);
}
