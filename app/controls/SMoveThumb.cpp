#include "controls/SMoveThumb.h"

#include "controls/EventThumbMoving.h"
#include "controls/GdipCanvas.h"
#include "controls/ThumbSupport.h"
#include "core/SAttrParse.h"
#include "layout/SLayoutUtil.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;

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
  if (P::IsName(name, L"centerColor")) return ParseNamedColor(value, &centerColor_);
  return SWindow::SetAttribute(name, value, bLoading);
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
    {
      // Drawn where it stands: the gradient's middle pixel comes out as it would on the
      // target only at the same coordinates.
      GdipCanvas canvas(body_);
      if (!canvas.Translate(static_cast<float>(-rc.left), static_cast<float>(-rc.top)) ||
          !canvas.DrawHandleDisc(rc, centerColor_)) {
        return;
      }
    }
    bodyColor_ = centerColor_;
    bodyRect_ = rc;
  }
  pRT->AlphaBlend(&rc, body_, &whole, 0xFF);
}

void SMoveThumb::OnPaint(IRenderTarget* pRT) {
  PaintBody(pRT);
  SWindow::OnEraseBkgnd(pRT);
  SWindow::OnPaint(pRT);
}
