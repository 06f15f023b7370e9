// The pages' combo boxes: the anti-feedback mode and each channel filter's type and range.
#include "CUIEventHandler.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "HidDevice/ParamRows.h"
#include "ParamControls.h"
#include "ParamTables.h"
#include "ParamText.h"
#include "control/EventCBSelChange.h"
#include "control/SComboBox.h"
#include "core/SWindow.h"

using SWUI::EventArgs;
using SWUI::SWindow;

void CUIEventHandler::LookupCombos(int t, SWindow* page) {
  auto combo = [&](int id) {
    if (auto* found = page->FindChildByID2<ParamCombo>(id)) m_combos[id] = found;
  };
  for (bool lowPass : {false, true}) {
    FilterControlIds ids;
    if (!GetFilterControlIds(t, lowPass, &ids)) continue;
    combo(ids.typeCombo);
    combo(ids.multipleCombo);
  }
  if (t == CDeviceController::kMic) combo(kFeedbackCombo);
}

ParamCombo* CUIEventHandler::Combo(int id) const {
  auto it = m_combos.find(id);
  return it != m_combos.end() ? it->second : nullptr;
}

void CUIEventHandler::SetComboSelection(int id, int selection) {
  if (ParamCombo* combo = Combo(id)) {
    combo->SetCurSel(selection >= 0 && selection < combo->GetCount() ? selection : -1);
    return;
  }
  const int page = PageOfControl(id);
  if (page < 0 || IsPageBuilt(page)) return;
  // The combo box of a page not built yet: what it would select, and its event on a change.
  PageLayouts::Combo layout;
  if (!m_pageLayouts.KeptCombo(page, id, &layout)) return;
  if (selection < 0 || selection >= layout.count) selection = -1;
  auto kept = m_unbuiltCombos.find(id);
  const int old = kept != m_unbuiltCombos.end() ? kept->second : layout.selection;
  m_unbuiltCombos[id] = selection;
  if (selection != old && selection >= 0 && !m_refreshing) ApplyComboSelection(id, selection);
}

BOOL CUIEventHandler::OnComboSelChange(EventArgs* evt) {
  const int id = evt->idFrom;
  const int selection = static_cast<SWUI::EventCBSelChange*>(evt)->nCurSel;
  FilterControl filter;
  if (id != kFeedbackCombo && !FindFilterControl(id, &filter)) return FALSE;
  // The refresh's own selections write nothing; neither does an emptied selection.
  if (m_refreshing || selection < 0) return TRUE;
  ApplyComboSelection(id, selection);
  return TRUE;
}

void CUIEventHandler::ApplyComboSelection(int id, int selection) {
  HideBandTips();
  if (id == kFeedbackCombo) {
    m_controller.SetParam(ParamRow::MicFeedBackMode, static_cast<uint16_t>(selection));
    return;
  }
  FilterControl filter;
  // The expander tab's range pair has no rows.
  if (!FindFilterControl(id, &filter) || filter.channel < 0) return;
  FilterControlIds ids;
  GetFilterControlIds(filter.channel, filter.lowPass, &ids);
  const int block = ShownFilterBlock(filter.channel, filter.lowPass);
  if (block < 0) return;
  WriteFilterRow(filter.channel, filter.lowPass, filter.rowOffset,
                 static_cast<uint16_t>(selection));
  if (filter.rowOffset == kFilterMultiple) {
    // A frequency past what the new range reaches goes back to its top, as the slider would.
    const int freq = GetParam(Image(), block + kFilterFreq);
    const int index = FilterFreqPosition(freq, selection);
    if (index != freq) {
      WriteFilterRow(filter.channel, filter.lowPass, kFilterFreq, static_cast<uint16_t>(index));
      SetSlider(ids.freqSlider, index);
    }
    SetText(ids.freqSlider + 4000, FilterFreqText(index, selection).c_str());
  } else {
    EnableSliderRow(ids.qSlider, IsFilterQEnabled(selection));
  }
  UpdateFilterCurves(filter.channel, filter.lowPass);
}

void CUIEventHandler::RefreshFilterCombos(int channel, bool lowPass, int block) {
  FilterControlIds ids;
  if (!GetFilterControlIds(channel, lowPass, &ids)) return;
  SetComboSelection(ids.typeCombo, GetParam(Image(), block + kFilterType));
  SetComboSelection(ids.multipleCombo, GetParam(Image(), block + kFilterMultiple));
}

void CUIEventHandler::RefreshFeedbackCombo() {
  SetComboSelection(kFeedbackCombo, GetParam(Image(), ParamRow::MicFeedBackMode));
}
