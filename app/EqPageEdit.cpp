// The editing half of a page's EQ bands: typed texts, slider moves, type radios and Q spins
// become band rows of the sets the channel's link mode writes.
#include "EqBandEdit.h"
#include "EqPageState.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/CDeviceManager.h"
#include "HidDevice/ParamDesc.h"
#include "ParamText.h"
#include "control/SSpinButtonCtrl.h"
#include "controls/ZuSlider.h"
#include "core/ISwndContainer.h"
#include "core/SWindow.h"

using SWUI::SStringW;
using SWUI::SWindow;

namespace {

// What a band edit's id says: the kind by its thousands digit, the page by the next, the band.
enum EditKind { kGainEdit = 4, kFreqEdit = 6, kQEdit = 7 };

// The Q index shown after a type change that wrote nothing.
constexpr int kUnwrittenQIndex = 16;

bool KeyDown(int key) { return GetKeyState(key) < 0; }

}  // namespace

int EqPageState::LinkMode() const {
  return m_controller != nullptr ? m_controller->GetChannelLinkMode(m_page) : 0;
}

int EqPageState::GetBandType(int k) const {
  return IsBand(k) && Image() != nullptr ? BandType(Image(), ReadSetRow(), k) : 0;
}

void EqPageState::SetEditText(SWindow* edit, const std::wstring& text) {
  if (edit != nullptr) edit->SetWindowText(text.c_str());
}

bool EqPageState::IsBandEditId(int editId) const {
  const int kind = editId / 1000;
  if (kind != kGainEdit && kind != kFreqEdit && kind != kQEdit) return false;
  return (editId % 1000) / 100 == m_page + 1 && IsBand(editId % 100);
}

SWindow* EqPageState::BandEdit(int editId) const {
  if (!IsBandEditId(editId)) return nullptr;
  const int k = editId % 100;
  switch (editId / 1000) {
    case kGainEdit: return m_gainEdit[k];
    case kFreqEdit: return m_freqEdit[k];
    default: return QEdit(k);
  }
}

int EqPageState::WriteBand(int k, int field, uint16_t value, bool qByType) {
  if (m_controller == nullptr || Image() == nullptr) return -1;
  const int link = LinkMode();
  int sets[2];
  int rows[2];
  uint16_t values[2];
  int count = 0;
  if (EqWritesFirstSet(link)) sets[count++] = m_firstRow;
  if (EqWritesSecondSet(link, m_secondRow)) sets[count++] = m_secondRow;
  bool changes = false;
  for (int i = 0; i < count; ++i) {
    // With `qByType` each set keeps its Q within the range of its own type.
    const int type = BandType(Image(), sets[i], k);
    rows[i] = EqBandRow(sets[i], k, qByType ? BandQField(type) : field);
    values[i] = qByType ? static_cast<uint16_t>(ClampBandQIndex(type, value)) : value;
    changes = changes || GetParam(Image(), rows[i]) != values[i];
  }
  // Nothing to send, so no band to select either: a focus passing an edit sends nothing.
  if (!changes) return count > 0 ? sets[0] : -1;
  // The selections go first, so the report that carries the value also says which band it is.
  for (int i = 0; i < count; ++i) {
    const int select = EqSelectRow(sets[i]);
    m_controller->SetParamQueued(select, BandSelectValue(GetParam(Image(), select), k));
  }
  for (int i = 0; i < count; ++i) m_controller->SetParam(rows[i], values[i]);
  return count > 0 ? sets[0] : -1;
}

void EqPageState::SetBandType(int k, int type) {
  if (!IsBand(k) || type < 0 || type >= kTypeCount) return;
  const int written = WriteBand(k, kBandType, static_cast<uint16_t>(type));
  const int q = written >= 0 ? GetParam(Image(), EqBandRow(written, k, BandQField(type)))
                             : kUnwrittenQIndex;
  SetQSpin(k, type, q);
}

void EqPageState::SetBandFrequency(int k, int index) {
  if (!IsBand(k)) return;
  SetEditText(m_freqEdit[k], BandFreqText(index));
  WriteBand(k, kBandFreq, static_cast<uint16_t>(index));
}

void EqPageState::SetBandGain(int k, int raw) {
  if (!IsBand(k)) return;
  WriteBand(k, kBandGain, static_cast<uint16_t>(raw));
  SetEditText(m_gainEdit[k], BandGainText(raw));
  if (ZuSlider* slider = m_gainSlider[k]) {
    slider->SetValue(raw);
    slider->SetFocus();
  }
}

void EqPageState::OnBandGainSlider(int sliderId, int raw) {
  const int k = sliderId % 100;
  if (!IsBand(k)) return;
  SetBandGain(k, raw);
  NotifyEqChanged(k);
  FocusBandControl(k);
}

std::wstring EqPageState::OnBandQText(int spinId, int position) {
  const std::wstring text = BandQText(position);
  const int k = spinId % 100;
  if (IsBusy() || !IsBand(k)) return text;
  WriteBand(k, kBandQ, static_cast<uint16_t>(ClampBandQIndex(kBandPassType, position)), true);
  NotifyEqChanged(k);
  // A commit of the Q edit decides about the focus itself.
  if (!m_committing) FocusBandControl(k);
  return text;
}

void EqPageState::SetBandQSpinValue(int k, int index) {
  if (!IsBand(k) || m_qSpin[k] == nullptr) return;
  SStringW value;
  value.Format(L"%d", ClampBandQIndex(GetBandType(k), index));
  m_qSpin[k]->SetAttribute(SStringW(L"value"), value, FALSE);
}

void EqPageState::CommitBandEdit(SWindow* edit, int editId, int step, bool fromStep) {
  if (edit == nullptr || !IsBandEditId(editId) || Image() == nullptr) return;
  const int k = editId % 100;
  const std::wstring typed = edit->GetWindowText().c_str();
  const int set = ReadSetRow();
  int value = 0;
  switch (editId / 1000) {
    case kGainEdit: {
      if (!ParseBandGainText(typed, step, &value)) {
        SetEditText(edit, GetBandGainText(k));
        return;
      }
      const int current = m_gainSlider[k] != nullptr
                              ? m_gainSlider[k]->GetValue()
                              : GetParam(Image(), EqBandRow(set, k, kBandGain));
      if (value == current) {
        SetEditText(edit, BandGainText(value));  // only tidies what was typed
      } else {
        SetBandGain(k, value);
        NotifyEqChanged(k);
      }
      break;
    }
    case kFreqEdit:
      if (!ParseBandFreqText(typed, step, &value)) {
        SetEditText(edit, GetBandFreqText(k));
        return;
      }
      if (value == GetParam(Image(), EqBandRow(set, k, kBandFreq))) {
        SetEditText(edit, BandFreqText(value));
      } else {
        SetBandFrequency(k, value);
        NotifyEqChanged(k);
      }
      break;
    case kQEdit:
      if (!ParseBandQText(typed, GetBandType(k), step, &value)) {
        SetEditText(edit, GetBandQText(k));
        return;
      }
      if (value == GetBandQIndex(k)) {
        SetEditText(edit, BandQText(value));
      } else {
        m_committing = true;
        SetBandQSpinValue(k, value);
        m_committing = false;
      }
      break;
    default:
      return;
  }
  if (fromStep) FocusBandControl(k);
}

void EqPageState::FocusBandControl(int k) {
  if (!IsBand(k)) return;
  SetBusy(true);
  SWindow* target = m_gainSlider[k];
  if (KeyDown(VK_CONTROL)) {
    target = m_freqEdit[k];
  } else if (KeyDown(VK_SHIFT)) {
    target = QEdit(k);
  }
  if (target != nullptr) target->SetFocus();
  SetBusy(false);
}

void EqPageState::NotifyEqChanged(int k) {
  if (m_controller != nullptr) m_controller->UpdateEqBand(m_page, k);
  SWUI::ISwndContainer* container = m_root != nullptr ? m_root->GetContainer() : nullptr;
  HWND host = container != nullptr ? container->GetHostHwnd() : nullptr;
  if (host != nullptr) ::SendMessageW(host, WM_DEVICE_NOTIFY, kNoticeEqChanged, 0);
}
