#include "EqPageState.h"

#include "EqBandEdit.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "ParamText.h"
#include "control/SRadioBox.h"
#include "control/SSpinButtonCtrl.h"
#include "controls/ZuSlider.h"
#include "core/SWindow.h"

using SWUI::SWindow;

namespace {

const wchar_t kQEditName[] = L"edit_spin";

// The type radio of band k: 11000 + 1000t + 10k + type.
int TypeRadioId(int page, int band, int type) { return 11000 + 1000 * page + 10 * band + type; }

}  // namespace

void EqPageState::SetPage(CDeviceController* controller, int page, int firstRow, int bandCount,
                          int secondRow) {
  m_controller = controller;
  m_page = page;
  m_firstRow = firstRow;
  m_bandCount = bandCount < 0 ? 0 : (bandCount > kMaxBands ? kMaxBands : bandCount);
  m_secondRow = secondRow;
}

void EqPageState::BindEqPage(SWindow* root, CDeviceController* controller, int page, int firstRow,
                             int bandCount, int secondRow, const wchar_t* containerName) {
  SetPage(controller, page, firstRow, bandCount, secondRow);
  m_root = root;
  SWindow* container = root != nullptr ? root->FindChildByName2<SWindow>(containerName) : nullptr;
  if (container == nullptr) return;
  const int base = 100 * page;
  for (int k = 0; k < m_bandCount; ++k) {
    m_gainEdit[k] = container->FindChildByID2<SWindow>(4100 + base + k);
    m_freqEdit[k] = container->FindChildByID2<SWindow>(6100 + base + k);
    m_gainSlider[k] = container->FindChildByID2<ZuSlider>(2100 + base + k);
    m_qSpin[k] = container->FindChildByID2<SWUI::SSpinButtonCtrl>(3100 + base + k);
    for (int m = 0; m < kTypeCount; ++m) {
      m_typeRadio[k][m] = container->FindChildByID2<SWUI::SRadioBox>(TypeRadioId(page, k, m));
    }
  }
}

const uint8_t* EqPageState::Image() const {
  return m_controller != nullptr ? m_controller->CurrentImage() : nullptr;
}

int EqPageState::ReadSetRow() const {
  const int link = m_controller != nullptr ? m_controller->GetChannelLinkMode(m_page) : 0;
  return EqReadSetRow(m_firstRow, m_secondRow, link);
}

void EqPageState::SetQSpin(int k, int type, int index) {
  SWUI::SSpinButtonCtrl* spin = QSpin(k);
  if (spin == nullptr) return;
  // The range of the band's type first, so the spin never steps a shelf past its table. Both
  // as attributes: a range call would clamp the old value and fire a text event that writes.
  SWUI::SStringW text;
  text.Format(L"%d", type == kBandPassType ? kBandPassQMax : kShelfQMax);
  spin->SetAttribute(SWUI::SStringW(L"max"), text, FALSE);
  text.Format(L"%d", index);
  spin->SetAttribute(SWUI::SStringW(L"value"), text, FALSE);
}

int EqPageState::GetBandQIndex(int k) const {
  return IsBand(k) && Image() != nullptr ? ::GetBandQIndex(Image(), ReadSetRow(), k) : 0;
}

std::wstring EqPageState::GetBandGainText(int k) const {
  return IsBand(k) && Image() != nullptr ? ::GetBandGainText(Image(), ReadSetRow(), k)
                                         : std::wstring();
}

std::wstring EqPageState::GetBandFreqText(int k) const {
  return IsBand(k) && Image() != nullptr ? ::GetBandFreqText(Image(), ReadSetRow(), k)
                                         : std::wstring();
}

std::wstring EqPageState::GetBandQText(int k) const {
  return IsBand(k) && Image() != nullptr ? ::GetBandQText(Image(), ReadSetRow(), k)
                                         : std::wstring();
}

SWindow* EqPageState::QEdit(int k) const {
  SWUI::SSpinButtonCtrl* spin = QSpin(k);
  SWindow* parent = spin != nullptr ? spin->GetParent() : nullptr;
  return parent != nullptr ? parent->FindChildByName(kQEditName, 1) : nullptr;
}

SWUI::SRadioBox* EqPageState::TypeRadio(int k, int type) const {
  return IsBand(k) && type >= 0 && type < kTypeCount ? m_typeRadio[k][type] : nullptr;
}

void EqPageState::RefreshEqBands() {
  const uint8_t* image = Image();
  if (image == nullptr) return;
  SetBusy(true);
  const int set = ReadSetRow();
  for (int k = 0; k < m_bandCount; ++k) {
    const int type = BandType(image, set, k);
    if (m_typeRadio[k][type] != nullptr) m_typeRadio[k][type]->SetCheck(TRUE);
    const int gain = GetParam(image, EqBandRow(set, k, kBandGain));
    if (m_gainEdit[k] != nullptr) m_gainEdit[k]->SetWindowText(BandGainText(gain).c_str());
    if (m_gainSlider[k] != nullptr) m_gainSlider[k]->SetValue(gain);
    const int freq = GetParam(image, EqBandRow(set, k, kBandFreq));
    if (m_freqEdit[k] != nullptr) m_freqEdit[k]->SetWindowText(BandFreqText(freq).c_str());
    SetQSpin(k, type, ::GetBandQIndex(image, set, k));
  }
  SetBusy(false);
}
