// The EQ editor's handles dragged, and the band edits committed: the editor reports where a
// handle would go and the page logic turns that into band, filter or Q values; the handle
// follows once the curves are rebuilt.
#include "CUIEventHandler.h"
#include "EqBandEdit.h"
#include "HidDevice/CDeviceController.h"
#include "HidDevice/ParamDesc.h"
#include "ParamControls.h"
#include "ParamTables.h"
#include "controls/EventThumbMoving.h"
#include "controls/ZuEQ.h"
#include "core/SWindow.h"

using SWUI::EventArgs;
using SWUI::SWindow;

namespace {

// The handles the editor carries, by id.
constexpr int kLastBandThumb = 925;
constexpr int kHighPassThumb = 926;
constexpr int kLowPassThumb = 927;
constexpr int kLeftGuide = 928;
constexpr int kRightGuide = 929;
constexpr int kFirstSpareThumb = 930;
constexpr int kLastSpareThumb = 934;

// The effect page's filter sliders: echo high-pass and low-pass, reverb high-pass and low-pass.
constexpr int kEchoHighPassSlider = 2320;
constexpr int kEchoLowPassSlider = 2360;
constexpr int kReverbHighPassSlider = 2362;
constexpr int kReverbLowPassSlider = 2361;
constexpr int kReverbView = 1;

}  // namespace

BOOL CUIEventHandler::OnThumbMoving(EventArgs* evt) {
  const int id = evt->idFrom;
  if (id >= kFirstSpareThumb && id <= kLastSpareThumb) return TRUE;
  if (id < kFirstBandThumb || id > kRightGuide) return FALSE;
  const auto* move = static_cast<EventThumbMoving*>(evt);
  const int t = CurrentPage();
  auto* thumb = static_cast<SWindow*>(evt->sender);
  if (t >= 0 && m_eq != nullptr && thumb != nullptr) {
    // Values are read where the handle's centre would be.
    const RECT rc = thumb->GetWindowRect();
    const POINT centre = {move->newLeft + (rc.right - rc.left) / 2,
                          move->newTop + (rc.bottom - rc.top) / 2};
    if (id <= kLastBandThumb) {
      OnBandThumbMoved(m_pages[t], id - kFirstBandThumb, centre);
    } else if (id <= kLowPassThumb) {
      OnFilterThumbMoved(t, id == kLowPassThumb, centre);
    } else {
      OnGuideThumbMoved(m_pages[t], move->bandIndex, id == kLeftGuide, move->curLeft,
                        move->newLeft);
    }
  }
  HideBandTips();
  return TRUE;
}

void CUIEventHandler::OnBandThumbMoved(EqPageState& page, int k, POINT centre) {
  if (!page.IsBand(k)) return;
  page.SetBandFrequency(k, BandFreqIndexFromHz(m_eq->FreqAtX(centre.x)));
  page.SetBandGain(k, BandGainRawFromDb(m_eq->GainAtY(centre.y)));
  page.NotifyEqChanged(k);
}

void CUIEventHandler::MoveSliderTo(int id, int position) {
  if (ParamSlider* slider = Slider(id)) {
    // Within what the slider reaches, so that slider, text and row agree. The tables rise, so
    // the nearest entry among the first ones is the nearest overall, cut at the last of them.
    int lo = 0;
    int hi = 0;
    slider->GetRange(&lo, &hi);
    position = position < lo ? lo : (position > hi ? hi : position);
    slider->SetValue(position);
    slider->SetFocus();
  }
  OnSliderPos(id, position);
}

void CUIEventHandler::OnFilterThumbMoved(int page, bool lowPass, POINT centre) {
  const double tenths = m_eq->FreqAtX(centre.x) * 10.0;
  if (page == CDeviceController::kEffect) {
    const bool reverb = m_controller.GetEffectLinkMode() == kReverbView;
    if (lowPass) {
      MoveSliderTo(reverb ? kReverbLowPassSlider : kEchoLowPassSlider, EffectLowPassThumb(tenths));
    } else {
      MoveSliderTo(reverb ? kReverbHighPassSlider : kEchoHighPassSlider,
                   EffectHighPassThumb(tenths));
    }
    return;
  }
  FilterControlIds ids;
  const int block = ShownFilterBlock(page, lowPass);
  if (block < 0 || !GetFilterControlIds(page, lowPass, &ids)) return;
  const int multiple = ClampIndex(GetParam(Image(), block + kFilterMultiple), kFilterMultipleCount);
  const FilterThumbValue value = ChannelFilterThumb(tenths, multiple);
  if (value.multiple != multiple) {
    WriteFilterRow(page, lowPass, kFilterMultiple, static_cast<uint16_t>(value.multiple));
    SetComboSelection(ids.multipleCombo, value.multiple);
  }
  MoveSliderTo(ids.freqSlider, value.index);
}

void CUIEventHandler::OnGuideThumbMoved(EqPageState& page, int k, bool leftGuide,
                                        int currentLeft, int newLeft) {
  if (!page.IsBand(k)) return;
  // One Q step per pixel, dragging towards the band raising it.
  page.SetBandQSpinValue(k, GuideQIndex(page.GetBandQIndex(k), page.GetBandType(k), leftGuide,
                                        currentLeft, newLeft));
}

BOOL CUIEventHandler::OnBandEditCommit(int id, int step, bool fromStep) {
  const int t = (id % 1000) / 100 - 1;
  if (t < 0 || t >= kPageCount || !m_pages[t].IsBandEditId(id)) return FALSE;
  m_pages[t].CommitBandEdit(m_pages[t].BandEdit(id), id, step, fromStep);
  return TRUE;
}
