// The page logic's parameter handlers: band gain, filter and dynamics sliders, toggles and
// radio buttons become rows of the current parameter image (and, in a session, of the device).
#include "CUIEventHandler.h"
#include "EqBandEdit.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ParamControls.h"
#include "ParamTables.h"
#include "ParamText.h"
#include "controls/ZuEQ.h"
#include "core/EventSwndStateChanged.h"
#include "core/SWindow.h"

using SWUI::EventArgs;

namespace {

// The page of a band gain slider 2p00 .. 2p25 (p = page + 1), or -1.
int BandSliderPage(int id) {
  const int page = (id / 100) % 10 - 1;
  return id / 1000 == 2 && page >= 0 && page < CUIEventHandler::kPageCount ? page : -1;
}

}  // namespace

// ---- sliders -----------------------------------------------------------------------------

BOOL CUIEventHandler::OnParamSlider(int id, int position) {
  FilterControl filter;
  DynamicsSlider dynamics;
  if (FindFilterControl(id, &filter) && filter.channel >= 0) {
    HideBandTips();
    OnFilterSlider(id, filter, position);
    return TRUE;
  }
  if (FindDynamicsSlider(id, &dynamics)) {
    HideBandTips();
    OnDynamicsSlider(id, dynamics, position);
    return TRUE;
  }
  const int page = BandSliderPage(id);
  if (page < 0 || !m_pages[page].IsBand(id % 100)) return FALSE;
  HideBandTips();
  m_pages[page].OnBandGainSlider(id, position);
  return TRUE;
}

void CUIEventHandler::FilterRows(int channel, bool lowPass, int* left, int* right) {
  *left = -1;
  *right = -1;
  if (lowPass) {
    CDeviceController::GetChannelLpfRows(channel, left, right);
  } else {
    CDeviceController::GetChannelHpfRows(channel, left, right);
  }
}

int CUIEventHandler::ShownFilterBlock(int channel, bool lowPass) const {
  int left = -1;
  int right = -1;
  FilterRows(channel, lowPass, &left, &right);
  return LinkShownRow(m_controller.GetChannelLinkMode(channel), left, right);
}

void CUIEventHandler::WriteFilterRow(int channel, bool lowPass, int rowOffset, uint16_t value) {
  if (lowPass) {
    m_controller.SetChannelLpfParam(channel, rowOffset, value);
  } else {
    m_controller.SetChannelHpfParam(channel, rowOffset, value);
  }
}

void CUIEventHandler::UpdateFilterCurves(int channel, bool lowPass) {
  if (lowPass) {
    m_controller.UpdateLowPassCurves(channel, channel);
  } else {
    m_controller.UpdateHighPassCurves(channel, channel);
  }
  if (m_eq != nullptr) m_eq->Refresh();
}

void CUIEventHandler::OnFilterSlider(int id, const FilterControl& filter, int position) {
  const int block = ShownFilterBlock(filter.channel, filter.lowPass);
  if (block < 0) return;
  if (filter.rowOffset == kFilterFreq) {
    const int multiple = ClampIndex(GetParam(Image(), block + kFilterMultiple),
                                    kFilterMultipleCount);
    // The x100 range ends at 20.6 kHz: the slider goes back to the top of what it reaches.
    const int index = FilterFreqPosition(position, multiple);
    if (index != position) SetSlider(id, index);
    SetText(id + 4000, FilterFreqText(index, multiple).c_str());
    WriteFilterRow(filter.channel, filter.lowPass, kFilterFreq, static_cast<uint16_t>(index));
  } else {
    SetText(id + 4000, FilterQText(position).c_str());
    WriteFilterRow(filter.channel, filter.lowPass, kFilterQ, static_cast<uint16_t>(position));
  }
  // The Q shapes a filter's curve as much as its frequency does.
  UpdateFilterCurves(filter.channel, filter.lowPass);
}

void CUIEventHandler::OnDynamicsSlider(int id, const DynamicsSlider& slider, int position) {
  SetText(id + 4000, DynamicsText(slider, position).c_str());
  int left = -1;
  int right = -1;
  CDeviceController::GetChannelDynamicsRows(slider.channel, &left, &right);
  const int link = m_controller.GetChannelLinkMode(slider.channel);
  const uint16_t flag = DynamicsFlagMask(slider);
  for (int block : {LinkWritesLeft(link) ? left : -1, LinkWritesRight(link) ? right : -1}) {
    if (block < 0) continue;
    const int row = block + slider.rowOffset;
    m_controller.SetParam(row, SliderValue(flag, GetParam(Image(), row), position));
  }
}

// ---- toggles -----------------------------------------------------------------------------

BOOL CUIEventHandler::OnParamToggle(int id) {
  const int page = EqPassTogglePage(id);
  const ToggleDesc* toggle = page < 0 ? FindToggle(id) : nullptr;
  if (page < 0 && (toggle == nullptr || toggle->kind == ToggleKind::kTapLevel)) return FALSE;
  HideBandTips();
  if (page >= 0) {
    OnEqPassToggle(page);
    return TRUE;
  }
  ParamCheck* check = Check(id);
  const bool checked = check != nullptr && check->IsChecked();
  m_controller.SetParam(toggle->row,
                        ToggleValue(toggle->kind, GetParam(Image(), toggle->row), checked));
  return TRUE;
}

void CUIEventHandler::OnEqPassToggle(int page) {
  ParamCheck* check = Check(EqPassId(page));
  const bool checked = check != nullptr && check->IsChecked();
  const int link = m_controller.GetChannelLinkMode(page);
  const EqPageState& eq = m_pages[page];
  const int rows[2] = {EqWritesFirstSet(link) ? EqSelectRow(eq.FirstRow()) : -1,
                       EqWritesSecondSet(link, eq.SecondRow()) ? EqSelectRow(eq.SecondRow()) : -1};
  for (int row : rows) {
    if (row < 0) continue;
    m_controller.SetParam(row, ToggleValue(ToggleKind::kEnable8, GetParam(Image(), row), checked));
  }
  if (m_bypassText != nullptr) m_bypassText->SetVisible(checked, TRUE);
}

// ---- radio buttons -----------------------------------------------------------------------

BOOL CUIEventHandler::OnRadioStateChanged(EventArgs* evt) {
  const auto* change = static_cast<SWUI::EventSwndStateChanged*>(evt);
  const bool nowChecked = (change->dwNewState & SWUI::WndState_Check) != 0 &&
                          (change->dwOldState & SWUI::WndState_Check) == 0;
  const RadioDesc radio = DescribeRadio(evt->idFrom);
  if (!nowChecked || radio.kind == RadioKind::kNone) return FALSE;
  // The refresh's own check changes, and a band record moving its controls, write nothing.
  if (m_refreshing) return TRUE;
  if (radio.kind == RadioKind::kBandType) {
    EqPageState& page = m_pages[radio.page];
    if (page.IsBusy() || !page.IsBand(radio.band)) return TRUE;
    HideBandTips();
    page.SetBandType(radio.band, radio.value);
    return TRUE;
  }
  HideBandTips();
  switch (radio.kind) {
    case RadioKind::kInputPort: OnInputPortRadio(radio.value); break;
    case RadioKind::kWorkMode: OnWorkModeRadio(radio.value == 1); break;
    case RadioKind::kSingDisco: OnSingDiscoRadio(radio.value == 1); break;
    case RadioKind::kSide: OnSideRadio(radio.page, radio.value); break;
    default: break;
  }
  return TRUE;
}

void CUIEventHandler::OnInputPortRadio(int port) {
  m_controller.SetParam(ParamRow::SysMusicInPort_Gain, static_cast<uint16_t>(port));
  m_controller.SetBankParam(ParamRow::SysMusicInPort_Gain, static_cast<uint16_t>(port));
  const FixedSlider* gain = FindFixedSlider(kInputGainSlider);
  const int value = GetParam(Image(), FixedSliderRow(*gain, Image()));
  if (ParamSlider* slider = Slider(kInputGainSlider)) {
    slider->EnableWindow(TRUE, TRUE);  // every port of the radios has a gain
    slider->SetValue(value);
  }
  SetText(kInputGainSlider + 4000, FixedSliderText(*gain, value).c_str());
}

void CUIEventHandler::OnWorkModeRadio(bool automatic) {
  // Enabling the bank radios must not look like a user's choice of bank.
  const int wasRefreshing = m_refreshing;
  m_refreshing = 1;
  for (int id : {kWorkModeSing, kWorkModeDisco}) {
    if (ParamRadio* radio = Radio(id)) radio->EnableWindow(!automatic, TRUE);
  }
  m_refreshing = wasRefreshing;
  const uint16_t mode = WorkModeValue(GetParam(Image(), ParamRow::MainWorkMode), automatic);
  for (int row : kWorkModeRows) {
    m_controller.SetParam(row, mode);
    m_controller.SetBankParams(row, BankWorkModeValue(0, automatic),
                               BankWorkModeValue(1, automatic));
  }
}

void CUIEventHandler::OnSingDiscoRadio(bool sing) {
  const uint16_t old = GetParam(Image(), ParamRow::MainWorkMode);
  const uint16_t mode = SingDiscoValue(old, sing);
  // The bank comes from the mode's low bits, never from its Auto bit; the image already in
  // the chosen mode stays as it is.
  if (IsDiscoMode(old) != IsDiscoMode(mode)) m_controller.SwitchBankImage(IsDiscoMode(mode));
  for (int row : kWorkModeRows) m_controller.SetParam(row, mode, true);
  RefreshAll();
  m_controller.RefreshCurves();
  ::SendMessageW(m_hwnd, WM_DEVICE_NOTIFY, kNoticeEqChanged, 0);
}

void CUIEventHandler::OnSideRadio(int page, int side) {
  if (page == CDeviceController::kEffect) {
    m_controller.SetEffectLinkMode(side);
  } else if (const int linkRow = CDeviceController::GetChannelLinkRow(page); linkRow >= 0) {
    m_controller.SetParam(linkRow, static_cast<uint16_t>(side));
  }
  RefreshFilters(page);
  RefreshDynamics(page);
  ShowPageCurve(page);
  m_pages[page].RefreshEqBands();
  RefreshEqPass(page);
}
