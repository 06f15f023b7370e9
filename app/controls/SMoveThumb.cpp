#include "controls/SMoveThumb.h"

#include <algorithm>
#include <cmath>

#include "controls/ContrastRatio.h"
#include "controls/EventThumbMoving.h"
#include "controls/GdipCanvas.h"
#include "controls/ThumbSupport.h"
#include "core/SAttrParse.h"
#include "layout/SLayoutUtil.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;

namespace {

// Labels on light handles. Black, not a dark grey: on mid-tones (a violet, a cornflower)
// only black or white reach 4.5:1, and one of the two always does.
constexpr COLORREF kDarkLabel = RGB(0, 0, 0);

}  // namespace

SMoveThumb::SMoveThumb() {
  GetEventSet()->AddEvent<EventThumbMoving>();
}

SMoveThumb::~SMoveThumb() {
  if (pulsing_) LeaveTimeline();
}

HRESULT SMoveThumb::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"xFloat")) return ParseLayoutFloat(value, xFloat_) ? S_FALSE : E_FAIL;
  if (P::IsName(name, L"yFloat")) return ParseLayoutFloat(value, yFloat_) ? S_FALSE : E_FAIL;
  struct IntAttr {
    LPCWSTR name;
    int SMoveThumb::*field;
  };
  static const IntAttr kInts[] = {{L"canXMove", &SMoveThumb::canXMove_},
                                  {L"canYMove", &SMoveThumb::canYMove_},
                                  {L"canOutsize", &SMoveThumb::canOutsize_}};
  for (const IntAttr& attr : kInts) {
    if (!P::IsName(name, attr.name)) continue;
    this->*attr.field = P::Int(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"centerColor")) {
    const HRESULT hr = ParseNamedColor(value, &centerColor_);
    if (!bLoading) FitTextColor();
    return hr;
  }
  return SWindow::SetAttribute(name, value, bLoading);
}

void SMoveThumb::OnInitFinished(pugi::xml_node xmlNode) {
  SWindow::OnInitFinished(xmlNode);
  FitTextColor();
}

COLORREF SMoveThumb::ReadableOn(COLORREF center, COLORREF text) {
  if (ContrastRatio(text, center) >= kReadableContrast) return text;
  const COLORREF light = RGB(0xFF, 0xFF, 0xFF);
  const COLORREF other =
      ContrastRatio(kDarkLabel, center) > ContrastRatio(light, center) ? kDarkLabel : light;
  return (text & 0xFF000000u) | other;
}

void SMoveThumb::FitTextColor() {
  // A transparent centre draws no body: the label stands on whatever is under the handle.
  if ((centerColor_ >> 24) == 0) return;
  const COLORREF text = m_style.GetTextColor(SwndStyle::kStateNormal);
  if (text == CR_INVALID) return;
  const COLORREF fitted = ReadableOn(centerColor_, text);
  if (fitted == text) return;
  m_style.SetTextColor(SwndStyle::kStateNormal, fitted);
  Invalidate();
}

// ---- place and size --------------------------------------------------------------------------

SIZE SMoveThumb::LayoutSize() {
  return ThumbSupport::LayoutSize(this, parentRect_, Growth());
}

void SMoveThumb::PlaceAt(int left, int top, const SIZE& size) {
  RECT rc = {left, top, left + size.cx, top + size.cy};
  InflateRect(&rc, Growth(), Growth());
  Move(&rc);
}

void SMoveThumb::MoveCenter(int x, int y) {
  const SIZE size = LayoutSize();
  const int left = x - size.cx / 2;
  const int top = y - size.cy / 2;
  PlaceAt(left, top, size);
  const LONG width = parentRect_.right - parentRect_.left;
  const LONG height = parentRect_.bottom - parentRect_.top;
  if (width > 0) xFloat_ = static_cast<float>(left - parentRect_.left) / width;
  if (height > 0) yFloat_ = static_cast<float>(top - parentRect_.top) / height;
}

void SMoveThumb::OnUpdateFloatPosition(const RECT& rcParent) {
  parentRect_ = rcParent;
  const double width = rcParent.right - rcParent.left;
  const double height = rcParent.bottom - rcParent.top;
  const int left = rcParent.left + static_cast<int>(width * xFloat_ + 0.5);
  const int top = rcParent.top + static_cast<int>(height * yFloat_ + 0.5);
  PlaceAt(left, top, LayoutSize());
}

// ---- pulse -----------------------------------------------------------------------------------

void SMoveThumb::SetGrown(bool grown) {
  if (grown == grown_) return;
  RECT rc = m_rcWindow;
  const int step = grown ? 1 : -1;
  InflateRect(&rc, step, step);
  grown_ = grown;
  Move(&rc);  // invalidates the old and the new rectangle: parent and handle repaint there
}

void SMoveThumb::StartPulse() {
  pulseCounter_ = kPulseFrames;
  pulsing_ = true;
  SetGrown(false);
  if (m_pContainer != nullptr) m_pContainer->RegisterTimelineHandler(this);
}

void SMoveThumb::LeaveTimeline() {
  if (m_pContainer != nullptr) m_pContainer->UnregisterTimelineHandler(this);
  pulsing_ = false;
  pulseCounter_ = 0;
}

void SMoveThumb::StopPulse() {
  LeaveTimeline();
  SetGrown(false);
}

void SMoveThumb::OnNextFrame() {
  if (!pulsing_ || dragging_) return;
  --pulseCounter_;
  if (pulseCounter_ == kPulseGrowFrame) {
    SetGrown(true);
  } else if (pulseCounter_ <= 0) {
    pulseCounter_ = kPulseFrames;
    SetGrown(false);
  }
}

// ---- input -----------------------------------------------------------------------------------

void SMoveThumb::OnLButtonDown(UINT nFlags, POINT pt) {
  SWindow::OnLButtonDown(nFlags, pt);
  dragging_ = true;
  grab_ = POINT{pt.x - m_rcWindow.left, pt.y - m_rcWindow.top};
  ThumbSupport::SetDragCursor();
  Invalidate();
}

void SMoveThumb::OnMouseMove(UINT, POINT pt) {
  // A handle that lost the capture without a button-up (the host window lost it) is no
  // longer dragged.
  if (dragging_ && GetCapture() != m_swnd) dragging_ = false;
  if (!dragging_) {
    SetMsgHandled(FALSE);
    return;
  }
  EventThumbMoving evt(this);
  evt.bandIndex = bandIndex_;
  evt.curLeft = m_rcWindow.left;
  evt.curTop = m_rcWindow.top;
  evt.newLeft = canXMove_ ? pt.x - grab_.x : evt.curLeft;
  evt.newTop = canYMove_ ? pt.y - grab_.y : evt.curTop;
  // The mapping is exact per pixel: staying on the same pixel proposes nothing.
  if (evt.newLeft == evt.curLeft && evt.newTop == evt.curTop) return;
  FireEvent(evt);
}

void SMoveThumb::OnLButtonUp(UINT nFlags, POINT pt) {
  SWindow::OnLButtonUp(nFlags, pt);
  dragging_ = false;
}

BOOL SMoveThumb::OnSetCursor(const POINT& pt) {
  if (dragging_ && ThumbSupport::SetDragCursor()) return TRUE;
  return SWindow::OnSetCursor(pt);
}

void SMoveThumb::OnDestroy() {
  LeaveTimeline();
  SetMsgHandled(FALSE);
}

// ---- painting --------------------------------------------------------------------------------

BOOL SMoveThumb::OnEraseBkgnd(IRenderTarget*) {
  return TRUE;  // the skin goes over the body, in OnPaint
}

void SMoveThumb::PaintBody(IRenderTarget* pRT) {
  // A transparent centre colour shows nothing: the skin and the text are the handle.
  if ((centerColor_ >> 24) == 0) return;
  const RECT rc = GetClientRect();
  const SIZE size = {rc.right - rc.left, rc.bottom - rc.top};
  const RECT whole = {0, 0, size.cx, size.cy};
  if (body_ == nullptr || bodyColor_ != centerColor_ || !EqualRect(&bodyRect_, &rc)) {
    SetRectEmpty(&bodyRect_);
    if (!GdipCanvas::PrepareLayer(&body_, size)) return;
    auto* bitmap = static_cast<IBitmap*>(body_->GetCurrentObject(OT_BITMAP));
    auto* pixels = bitmap != nullptr ? static_cast<DWORD*>(bitmap->LockPixelBits()) : nullptr;
    if (pixels == nullptr) return;
    DrawDisc(pixels, size, centerColor_);
    bitmap->UnlockPixelBits(pixels);
    bodyColor_ = centerColor_;
    bodyRect_ = rc;
  }
  pRT->AlphaBlend(&rc, body_, &whole, 0xFF);
}

void SMoveThumb::DrawDisc(DWORD* pixels, SIZE size, COLORREF center) {
  // Computed per pixel rather than through a gradient brush, whose fill leaves stray pixels:
  // the ellipse of the whole rectangle, graded from the centre colour in the middle to the rim
  // colour (GdipCanvas::RimColor) and outlined by a pixel of the centre colour, its edge
  // smoothed over one pixel by the share of the pixel inside it.
  const COLORREF rim = GdipCanvas::RimColor(center);
  const double alpha = ((center >> 24) & 0xFF) / 255.0;
  const double rx = size.cx / 2.0, ry = size.cy / 2.0, rMin = std::min(rx, ry);
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      const double dx = (x + 0.5 - rx) / rx, dy = (y + 0.5 - ry) / ry;
      const double radial = std::sqrt(dx * dx + dy * dy);
      const double inside = (1.0 - radial) * rMin;  // pixels to the edge, negative outside
      const double cover = std::min(1.0, std::max(0.0, inside + 0.5));
      DWORD& px = pixels[y * size.cx + x];
      if (cover <= 0.0) {
        px = 0;
        continue;
      }
      const double t = inside < 1.0 ? 0.0 : std::min(1.0, radial);
      const double a = cover * alpha;
      auto channel = [&](int shift) {
        const double c = ((center >> shift) & 0xFF) * (1.0 - t) + ((rim >> shift) & 0xFF) * t;
        return static_cast<DWORD>(c * a + 0.5);
      };
      // Premultiplied 0xAARRGGBB from COLORREF channels (red lowest).
      px = static_cast<DWORD>(a * 255.0 + 0.5) << 24 | channel(0) << 16 | channel(8) << 8 |
           channel(16);
    }
  }
}

void SMoveThumb::OnPaint(IRenderTarget* pRT) {
  PaintBody(pRT);
  SWindow::OnEraseBkgnd(pRT);
  SWindow::OnPaint(pRT);
}
