#include "controls/ZuCar.h"

#include <algorithm>
#include <cmath>

#include "controls/EventCarDelayChanged.h"
#include "controls/ZuCarCurve.h"
#include "controls/ZuCarGrid.h"
#include "controls/ZuCarThumb.h"
#include "core/SAttrParse.h"

using namespace SWUI;

namespace {

constexpr int kListener = 0;

double Metres(LONG mm) { return mm / 1000.0; }

LONG Round(double v) { return static_cast<LONG>(std::floor(v + 0.5)); }

}  // namespace

ZuCar::ZuCar() {
  GetEventSet()->AddEvent<EventCarDelayChanged>();
}

// ---- attributes and creation -----------------------------------------------------------------

HRESULT ZuCar::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  struct IntAttr {
    LPCWSTR name;
    int CarPlotGeometry::*field;
  };
  static const IntAttr kInts[] = {
      {L"ldist", &CarPlotGeometry::ldist},       {L"tdist", &CarPlotGeometry::tdist},
      {L"rdist", &CarPlotGeometry::rdist},       {L"bdist", &CarPlotGeometry::bdist},
      {L"xStart", &CarPlotGeometry::xStart},     {L"yStart", &CarPlotGeometry::yStart},
      {L"mmPerPx", &CarPlotGeometry::mmPerPx},   {L"mmPerScale", &CarPlotGeometry::mmPerScale},
      {L"carWidth", &CarPlotGeometry::carWidth}, {L"zhouJu", &CarPlotGeometry::zhouJu},
  };
  const IntAttr* attr = nullptr;
  for (const IntAttr& candidate : kInts) {
    if (SAttrParse::IsName(name, candidate.name)) attr = &candidate;
  }
  if (attr == nullptr) return SWindow::SetAttribute(name, value, bLoading);
  const int read = SAttrParse::Int(value);
  // Every conversion divides by the scale.
  if (attr->field == &CarPlotGeometry::mmPerPx && read <= 0) return E_FAIL;
  geometry_.*attr->field = read;
  if (!bLoading) {
    Recompute();
    Invalidate();
  }
  return S_OK;
}

BOOL ZuCar::InitFromXml(pugi::xml_node xmlNode) {
  if (!SWindow::InitFromXml(xmlNode)) return FALSE;
  FindChildren();
  return TRUE;
}

void ZuCar::FindChildren() {
  std::fill(std::begin(thumbs_), std::end(thumbs_), 0);
  grid_ = curve_ = 0;
  for (SWindow* child = GetWindow(GSW_FIRSTCHILD); child != nullptr;
       child = child->GetWindow(GSW_NEXTSIBLING)) {
    if (child->IsClass(ZuCarThumb::ClassName())) {
      const int id = child->GetID();
      if (id < 0 || id > kMaxSpeakers || thumbs_[id] != 0) continue;
      thumbs_[id] = child->GetSwnd();
      static_cast<ZuCarThumb*>(child)->SetCar(this);
    } else if (child->IsClass(ZuCarGrid::ClassName()) && grid_ == 0) {
      grid_ = child->GetSwnd();
      static_cast<ZuCarGrid*>(child)->SetGeometry(&geometry_);
    } else if (child->IsClass(ZuCarCurve::ClassName()) && curve_ == 0) {
      curve_ = child->GetSwnd();
      static_cast<ZuCarCurve*>(child)->SetCar(this);
    }
  }
  speakerHandles_ = 0;
  while (speakerHandles_ < kMaxSpeakers && thumbs_[speakerHandles_ + 1] != 0) ++speakerHandles_;

  SWindow* posTip = FindChildByName(L"car_pos_tip");
  posTip_ = posTip != nullptr ? posTip->GetSwnd() : 0;
  for (int i = 0; i < kTipTexts; ++i) {
    SStringW tipName;
    tipName.Format(L"ch%d_tip", i + 1);
    SWindow* tip = FindChildByName(tipName);
    tips_[i] = tip != nullptr ? tip->GetSwnd() : 0;
  }
  ShowPlot(FALSE);
  if (SWindow* tip = Child(posTip_)) tip->SetVisible(FALSE, FALSE);
  UpdateVisibility();
}

void ZuCar::OnDestroy() {
  KillTimer(kHideTimer);
  // The children may be held beyond the view: they stop reading it.
  for (int id = 0; id <= kMaxSpeakers; ++id) {
    if (ZuCarThumb* thumb = Thumb(id)) thumb->SetCar(nullptr);
  }
  if (auto* grid = static_cast<ZuCarGrid*>(Child(grid_))) grid->SetGeometry(nullptr);
  if (auto* curve = static_cast<ZuCarCurve*>(Child(curve_))) curve->SetCar(nullptr);
  SetMsgHandled(FALSE);
}

// ---- lookups ---------------------------------------------------------------------------------

SWindow* ZuCar::Child(SwndHandle swnd) const { return SWindow::GetSwndFromHandle(swnd); }

ZuCarThumb* ZuCar::Thumb(int thumbId) const {
  if (thumbId < 0 || thumbId > kMaxSpeakers) return nullptr;
  return static_cast<ZuCarThumb*>(Child(thumbs_[thumbId]));
}

const ZuCar::Speaker* ZuCar::GetSpeaker(int index) const {
  return index >= 0 && index < kMaxSpeakers ? &speakers_[index] : nullptr;
}

double ZuCar::GetDelayMs(int index) const {
  const Speaker* speaker = GetSpeaker(index);
  return speaker != nullptr ? speaker->delayMm / kSoundMmPerMs : 0.0;
}

RECT ZuCar::ThumbRectAt(const ZuCarThumb* thumb, POINT px) {
  SIZE size = {0, 0};
  if (thumb != nullptr) {
    const RECT rc = thumb->GetWindowRect();
    size = SIZE{rc.right - rc.left, rc.bottom - rc.top};
  }
  const LONG left = px.x - size.cx / 2;
  const LONG top = px.y - size.cy / 2;
  return RECT{left, top, left + size.cx, top + size.cy};
}

// ---- speakers and visibility -----------------------------------------------------------------

void ZuCar::SetSpeakerCount(int count) {
  count_ = std::max(0, std::min(count, speakerHandles_));
  UpdateVisibility();
  Recompute();
}

void ZuCar::UpdateVisibility() {
  if (ZuCarThumb* listener = Thumb(kListener)) listener->SetVisible(count_ > 0, TRUE);
  for (int i = 0; i < kMaxSpeakers; ++i) {
    if (ZuCarThumb* thumb = Thumb(i + 1)) thumb->SetVisible(i < count_, TRUE);
  }
  for (int i = 0; i < kTipTexts; ++i) {
    if (SWindow* tip = Child(tips_[i])) tip->SetVisible(i < count_, TRUE);
  }
}

void ZuCar::ShowPlot(BOOL show) {
  if (SWindow* grid = Child(grid_)) grid->SetVisible(show, TRUE);
  if (SWindow* curve = Child(curve_)) curve->SetVisible(show, TRUE);
}

// ---- positions and delays --------------------------------------------------------------------

void ZuCar::OnSize(UINT, SIZE) {
  Recompute();
  SetMsgHandled(FALSE);
}

void ZuCar::Recompute() {
  const RECT rc = GetClientRect();
  auto readBack = [&](int thumbId, POINT& mm, POINT& px) {
    if (ZuCarThumb* thumb = Thumb(thumbId)) mm = geometry_.MmOfPx(rc, thumb->Center());
    px = geometry_.PxOfMm(rc, mm);
  };
  readBack(kListener, listenerMm_, listenerPx_);
  for (int i = 0; i < kMaxSpeakers; ++i) readBack(i + 1, speakers_[i].mm, speakers_[i].px);
  carBody_ = geometry_.CarBody(rc);
  carExtent_ = geometry_.CarExtent(rc);
  dragThumb_ = -1;
  ComputeDelays();
  UpdateTexts(kPlaceAll);
  if (SWindow* grid = Child(grid_)) grid->Invalidate();
  if (SWindow* curve = Child(curve_)) curve->Invalidate();
}

void ZuCar::ComputeDelays() {
  double farthest = 0.0;
  for (int i = 0; i < kMaxSpeakers; ++i) {
    Speaker& s = speakers_[i];
    const double dx = s.px.x - listenerPx_.x;
    const double dy = s.px.y - listenerPx_.y;
    s.distPx = i < count_ ? std::sqrt(dx * dx + dy * dy) : 0.0;
    farthest = std::max(farthest, s.distPx);
  }
  for (int i = 0; i < kMaxSpeakers; ++i) {
    Speaker& s = speakers_[i];
    s.virtualPx = s.px;
    s.delayMm = 0.0;
    if (i >= count_) continue;
    // A speaker on the listener has no direction: it stands for its own virtual point.
    if (s.distPx > 0.0) {
      const double reach = farthest / s.distPx;
      s.virtualPx = POINT{listenerPx_.x + Round((s.px.x - listenerPx_.x) * reach),
                          listenerPx_.y + Round((s.px.y - listenerPx_.y) * reach)};
    }
    s.delayMm = (farthest - s.distPx) * geometry_.mmPerPx;
  }
  const LONG radius = Round(farthest);
  soundSpace_ = RECT{listenerPx_.x - radius, listenerPx_.y - radius, listenerPx_.x + radius,
                     listenerPx_.y + radius};
  geometry_.guide = listenerPx_;
}

void ZuCar::PlaceText(SWindow* text, POINT at) {
  SWindow* parent = text->GetParent();
  const RECT origin = parent != nullptr ? parent->GetClientRect() : RECT{0, 0, 0, 0};
  SStringW pos;
  pos.Format(L"%d,%d", static_cast<int>(at.x - origin.left), static_cast<int>(at.y - origin.top));
  text->SetAttribute(L"pos", pos, FALSE);
}

void ZuCar::UpdateTexts(int placeThumb) {
  SStringW text;
  if (ZuCarThumb* listener = Thumb(kListener)) {
    text.Format(L"(%.03fm,%.03fm)", Metres(listenerMm_.x), Metres(listenerMm_.y));
    listener->SetToolTipText(text);
  }
  for (int i = 0; i < count_; ++i) {
    const Speaker& s = speakers_[i];
    const double delayMs = s.delayMm / kSoundMmPerMs;
    const int thumbId = i + 1;
    ZuCarThumb* thumb = Thumb(thumbId);
    if (thumb != nullptr) {
      text.Format(L"(%.03fm,%.03fm)\nDelay:%.02fmm\nDelay:%.03fms", Metres(s.mm.x), Metres(s.mm.y),
                  s.delayMm, delayMs);
      thumb->SetToolTipText(text);
    }
    if (SWindow* tip = Child(tips_[i])) {
      text.Format(L"%.03fms", delayMs);
      tip->SetWindowText(text);
      // The other texts stand where their handles' last placement put them.
      if (placeThumb == kPlaceAll || placeThumb == thumbId) {
        const RECT beside = ThumbRectAt(thumb, s.px);
        PlaceText(tip, POINT{beside.right + kTipGap, beside.top});
      }
    }
  }
  // Texts placed inside a layout pass would wait for the next one: lay them out now.
  UpdateLayout();
}

// ---- drags -----------------------------------------------------------------------------------

POINT ZuCar::ApplyThumbMove(int thumbId, POINT center) {
  const RECT rc = GetClientRect();
  const POINT px = geometry_.ClampToArea(rc, center);
  // A step clamped onto the pixel this drag already applied changes no position, delay, text
  // or plot; it is still reported like every step.
  const POINT* stored = StoredPx(thumbId);
  const bool unchanged =
      thumbId == dragThumb_ && stored != nullptr && stored->x == px.x && stored->y == px.y;
  if (!unchanged) ApplyNewPosition(thumbId, px, geometry_.MmOfPx(rc, px));
  EventCarDelayChanged evt(this);
  FireEvent(evt);
  return px;
}

const POINT* ZuCar::StoredPx(int thumbId) const {
  if (thumbId == kListener) return &listenerPx_;
  if (thumbId > 0 && thumbId <= kMaxSpeakers) return &speakers_[thumbId - 1].px;
  return nullptr;
}

void ZuCar::ApplyNewPosition(int thumbId, POINT px, POINT mm) {
  if (thumbId == kListener) {
    listenerMm_ = mm;
    listenerPx_ = px;
  } else if (thumbId > 0 && thumbId <= kMaxSpeakers) {
    speakers_[thumbId - 1].mm = mm;
    speakers_[thumbId - 1].px = px;
  }
  if (SWindow* tip = Child(posTip_)) {
    SStringW text;
    text.Format(L"%.03fm,%.03fm", Metres(mm.x), Metres(mm.y));
    tip->SetWindowText(text);
    const RECT at = ThumbRectAt(Thumb(thumbId), px);
    PlaceText(tip, POINT{at.right + kTipGap, at.bottom});
    tip->SetVisible(TRUE, TRUE);
  }
  ComputeDelays();
  UpdateTexts(thumbId);
  // A release moments ago must not hide the plot in the middle of this drag.
  KillTimer(kHideTimer);
  ShowPlot(TRUE);
  dragThumb_ = thumbId;
}

void ZuCar::EndThumbMove() {
  dragThumb_ = -1;
  if (SWindow* tip = Child(posTip_)) tip->SetVisible(FALSE, TRUE);
  SetTimer(kHideTimer, kHideDelayMs);
}

void ZuCar::OnTimer(char id) {
  if (id != kHideTimer) {
    SetMsgHandled(FALSE);
    return;
  }
  KillTimer(kHideTimer);
  ShowPlot(FALSE);
}
