#include "controls/ZuEQ.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "HidDevice/EqTables.h"
#include "controls/SMoveThumb.h"
#include "controls/ZuEqCurve.h"
#include "controls/ZuEqGrid.h"
#include "core/SAttrParse.h"

using namespace SWUI;

namespace {

// The guides stand 120 pixels from the band less one per Q-table step.
constexpr int kGuideReach = 120;

// Filter handles stand on this line of the plot.
constexpr double kFilterThumbDb = -15.0;

// The axis of the curves is built once per process from a lowest frequency in this range.
constexpr int kMinZeroXFreq = 10;
constexpr int kMaxZeroXFreq = 20;

// trunc(q x 100 x 3.0) as an unsigned 16-bit value, the Q-table search's key.
uint16_t GuideKey(double q) {
  const double key = std::trunc(q * 100 * 3.0);
  if (!(std::fabs(key) < 1e15)) return 0;
  return static_cast<uint16_t>(static_cast<int64_t>(key));
}

bool IsHighPassThumb(int which) { return which == ZuEQ::kHighPass || which == ZuEQ::kHighPass2; }

// Where a filter handle stands for a slot frequency: a filter switched below the axis shows at
// its left end, one above its window at the right end.
double FilterThumbFreq(int which, double freq) {
  const bool highPass = IsHighPassThumb(which);
  if (freq < 10.0) return highPass ? 17.0 : 14.5;
  if (freq > (highPass ? 21000.0 : 20600.0)) return 22000.0;
  return freq;
}

int FilterSlotIndex(const EqCurveInfo& model, int which) {
  switch (which) {
    case ZuEQ::kHighPass: return model.hpIndex;
    case ZuEQ::kLowPass: return model.lpIndex;
    case ZuEQ::kHighPass2: return model.hp2Index;
    default: return model.lp2Index;
  }
}

}  // namespace

// ---- attributes and creation -----------------------------------------------------------------

HRESULT ZuEQ::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  struct IntAttr {
    LPCWSTR name;
    int EqPlotGeometry::*field;
  };
  static const IntAttr kInts[] = {
      {L"ldist", &EqPlotGeometry::ldist},         {L"tdist", &EqPlotGeometry::tdist},
      {L"rdist", &EqPlotGeometry::rdist},         {L"bdist", &EqPlotGeometry::bdist},
      {L"dbMax", &EqPlotGeometry::dbMax},         {L"dbMin", &EqPlotGeometry::dbMin},
      {L"nKedu", &EqPlotGeometry::nKedu},         {L"dbKeduVal", &EqPlotGeometry::dbKeduVal},
      {L"zeroXFreq", &EqPlotGeometry::zeroXFreq},
  };
  const IntAttr* attr = nullptr;
  for (const IntAttr& candidate : kInts) {
    if (SAttrParse::IsName(name, candidate.name)) attr = &candidate;
  }
  if (attr == nullptr) return SWindow::SetAttribute(name, value, bLoading);

  EqPlotGeometry next = geometry_;
  next.*attr->field = SAttrParse::Int(value);
  if (next.nKedu <= 0 || next.dbKeduVal <= 0 || next.dbMax <= next.dbMin ||
      next.zeroXFreq < kMinZeroXFreq || next.zeroXFreq > kMaxZeroXFreq) {
    return E_FAIL;
  }
  geometry_.*attr->field = next.*attr->field;
  geometry_.logZero = std::log10(static_cast<double>(geometry_.zeroXFreq));
  if (!bLoading) {
    RecomputeGeometry();
    UpdateThumbs();
  }
  return S_OK;
}

BOOL ZuEQ::InitFromXml(pugi::xml_node xmlNode) {
  if (!SWindow::InitFromXml(xmlNode)) return FALSE;
  ClassifyChildren();
  geometry_.logZero = std::log10(static_cast<double>(geometry_.zeroXFreq));
  return TRUE;
}

void ZuEQ::ClassifyChildren() {
  grid_ = curve_ = 0;
  std::fill(std::begin(bandThumbs_), std::end(bandThumbs_), 0);
  std::fill(std::begin(filterThumbs_), std::end(filterThumbs_), 0);
  std::fill(std::begin(guideThumbs_), std::end(guideThumbs_), 0);
  for (SWindow* child = GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    if (child->IsClass(SMoveThumb::ClassName())) {
      const int data = static_cast<int>(child->GetUserData());
      SwndHandle* slot = nullptr;
      if (data >= 0 && data < kMaxBandThumbs) slot = &bandThumbs_[data];
      if (data <= -1 && data >= -kFilterThumbs) slot = &filterThumbs_[-1 - data];
      if (data == -5 || data == -6) slot = &guideThumbs_[-5 - data];
      if (slot != nullptr && *slot == 0) *slot = child->GetSwnd();
      child->SetVisible(FALSE, FALSE);
    } else if (child->IsClass(ZuEqGrid::ClassName()) && grid_ == 0) {
      grid_ = child->GetSwnd();
      static_cast<ZuEqGrid*>(child)->SetGeometry(&geometry_);
    } else if (child->IsClass(ZuEqCurve::ClassName()) && curve_ == 0) {
      curve_ = child->GetSwnd();
      auto* curve = static_cast<ZuEqCurve*>(child);
      curve->SetGeometry(&geometry_);
      curve->SetModel(model_);
    }
  }
  if (guideThumbs_[kLeftGuide] == 0 || guideThumbs_[kRightGuide] == 0) {
    guideThumbs_[kLeftGuide] = guideThumbs_[kRightGuide] = 0;
  }
}

void ZuEQ::OnDestroy() {
  // The children may be held beyond the editor: they stop reading its geometry.
  if (auto* grid = static_cast<ZuEqGrid*>(SWindow::GetSwndFromHandle(grid_))) {
    grid->SetGeometry(nullptr);
  }
  if (auto* curve = static_cast<ZuEqCurve*>(CurveChild())) {
    curve->SetGeometry(nullptr);
    curve->SetModel(nullptr);
  }
  SetMsgHandled(FALSE);
}

// ---- lookups ---------------------------------------------------------------------------------

SMoveThumb* ZuEQ::ThumbOf(SwndHandle swnd) {
  return static_cast<SMoveThumb*>(SWindow::GetSwndFromHandle(swnd));
}

SWindow* ZuEQ::CurveChild() const { return SWindow::GetSwndFromHandle(curve_); }

SMoveThumb* ZuEQ::GetBandThumb(int band) const {
  return band >= 0 && band < kMaxBandThumbs ? ThumbOf(bandThumbs_[band]) : nullptr;
}

SMoveThumb* ZuEQ::GetFilterThumb(int which) const {
  return which >= 0 && which < kFilterThumbs ? ThumbOf(filterThumbs_[which]) : nullptr;
}

SMoveThumb* ZuEQ::GetGuideThumb(int which) const {
  return which >= 0 && which < kGuideThumbs ? ThumbOf(guideThumbs_[which]) : nullptr;
}

// ---- geometry --------------------------------------------------------------------------------

void ZuEQ::RecomputeGeometry() { geometry_.Recompute(GetClientRect()); }

void ZuEQ::OnSize(UINT, SIZE) {
  RecomputeGeometry();
  UpdateThumbs();
  SetMsgHandled(FALSE);
}

// ---- the model and the handles ---------------------------------------------------------------

void ZuEQ::SetCurve(EqCurveInfo* model) {
  RecomputeGeometry();
  if (model != model_) {
    model_ = model;
    if (model_ != nullptr) RebuildEqCurve(*model_, geometry_.zeroXFreq);
  }
  SWindow* curve = CurveChild();
  if (curve != nullptr) static_cast<ZuEqCurve*>(curve)->SetModel(model_);
  if (model_ == nullptr) {
    HideAllThumbs();
    Invalidate();
    return;
  }
  for (int i = 0; i < kMaxBandThumbs; ++i) {
    if (SMoveThumb* thumb = GetBandThumb(i)) thumb->SetVisible(i < model_->nBands, FALSE);
  }
  for (int which = 0; which < kFilterThumbs; ++which) {
    if (SMoveThumb* thumb = GetFilterThumb(which)) {
      thumb->SetVisible(FilterSlotIndex(*model_, which) >= 0, FALSE);
    }
  }
  UpdateThumbs();
  UpdateThumbs();
  if (curve != nullptr) curve->Invalidate();
}

void ZuEQ::HideAllThumbs() {
  for (int i = 0; i < kMaxBandThumbs; ++i) {
    if (SMoveThumb* thumb = GetBandThumb(i)) thumb->SetVisible(FALSE, FALSE);
  }
  for (int which = 0; which < kFilterThumbs; ++which) {
    if (SMoveThumb* thumb = GetFilterThumb(which)) thumb->SetVisible(FALSE, FALSE);
  }
  for (int which = 0; which < kGuideThumbs; ++which) {
    if (SMoveThumb* thumb = GetGuideThumb(which)) {
      thumb->SetBandIndex(-1);
      thumb->SetVisible(FALSE, FALSE);
    }
  }
}

void ZuEQ::UpdateThumbs() {
  if (model_ == nullptr || geometry_.IsEmpty()) return;
  const int regular = std::min(model_->nBands, static_cast<int>(model_->bands.size()));
  const int count = std::min(regular, static_cast<int>(kMaxBandThumbs));
  for (int i = 0; i < count; ++i) {
    SMoveThumb* thumb = GetBandThumb(i);
    if (thumb == nullptr) continue;
    const EqBandInfo& band = model_->bands[i];
    const int x = geometry_.XAtFreq(band.freq);
    const int y = geometry_.YAtGain(band.gain);
    thumb->MoveCenter(x, y);
    if (i == model_->selected && guideOn_) PlaceGuides(i, x, y, band.q);
  }
  if (model_->selected < 0 || model_->selected >= regular) HideGuides();
  PlaceFilterThumbs();
}

void ZuEQ::PlaceFilterThumbs() {
  const int y = geometry_.YAtGain(kFilterThumbDb);
  for (int which = 0; which < kFilterThumbs; ++which) {
    SMoveThumb* thumb = GetFilterThumb(which);
    const int slot = FilterSlotIndex(*model_, which);
    if (thumb == nullptr || slot < 0 || slot >= static_cast<int>(model_->bands.size())) continue;
    thumb->MoveCenter(geometry_.XAtFreq(FilterThumbFreq(which, model_->bands[slot].freq)), y);
  }
}

void ZuEQ::PlaceGuides(int band, int x, int y, double q) {
  SMoveThumb* left = GetGuideThumb(kLeftGuide);
  SMoveThumb* right = GetGuideThumb(kRightGuide);
  if (left == nullptr || right == nullptr) return;
  const int reach = kGuideReach - FindNearestQIndex(GuideKey(q));
  left->SetBandIndex(band);
  right->SetBandIndex(band);
  left->MoveCenter(x - reach, y);
  right->MoveCenter(x + reach, y);
  // A move repaints a shown guide already; only a hidden one needs showing.
  if (!left->IsVisible()) left->SetVisible(TRUE, TRUE);
  if (!right->IsVisible()) right->SetVisible(TRUE, TRUE);
}

void ZuEQ::HideGuides() {
  SMoveThumb* left = GetGuideThumb(kLeftGuide);
  SMoveThumb* right = GetGuideThumb(kRightGuide);
  if (left == nullptr || right == nullptr) return;
  left->SetBandIndex(-1);
  right->SetBandIndex(-1);
  if (left->IsVisible()) left->SetVisible(FALSE, TRUE);
  if (right->IsVisible()) right->SetVisible(FALSE, TRUE);
}

void ZuEQ::ShowBandGuide() {
  guideOn_ = true;
  const int regular =
      model_ != nullptr ? std::min(model_->nBands, static_cast<int>(model_->bands.size())) : 0;
  if (model_ == nullptr || geometry_.IsEmpty() || model_->selected < 0 ||
      model_->selected >= regular) {
    HideGuides();
    return;
  }
  const EqBandInfo& band = model_->bands[model_->selected];
  PlaceGuides(model_->selected, geometry_.XAtFreq(band.freq), geometry_.YAtGain(band.gain),
              band.q);
}

void ZuEQ::Refresh() {
  UpdateThumbs();
  if (SWindow* curve = CurveChild()) static_cast<ZuEqCurve*>(curve)->InvalidateCurves();
}
