#include "controls/ZuCarThumb.h"

#include "controls/GdipCanvas.h"
#include "controls/ThumbSupport.h"
#include "controls/ZuCar.h"
#include "core/SAttrParse.h"
#include "layout/SLayoutUtil.h"
#include "res.mgr/SNamedValueGetters.h"

using namespace SWUI;

ZuCarThumb::ZuCarThumb() { m_bFloat = 1; }

HRESULT ZuCarThumb::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(name, L"percentFloat")) {
    percentFloat_ = P::NonZero(value);
    return S_FALSE;
  }
  if (P::IsName(name, L"xFloat")) return ParseLayoutFloat(value, xFloat_) ? S_FALSE : E_FAIL;
  if (P::IsName(name, L"yFloat")) return ParseLayoutFloat(value, yFloat_) ? S_FALSE : E_FAIL;
  if (P::IsName(name, L"centerColor")) return ParseNamedColor(value, &centerColor_);
  return SWindow::SetAttribute(name, value, bLoading);
}

void ZuCarThumb::SetCar(ZuCar* car) { car_ = car != nullptr ? car->GetSwnd() : 0; }

ZuCar* ZuCarThumb::Car() const { return static_cast<ZuCar*>(SWindow::GetSwndFromHandle(car_)); }

// ---- place -----------------------------------------------------------------------------------

SIZE ZuCarThumb::LayoutSize() {
  return ThumbSupport::LayoutSize(this, parentRect_, 0);
}

POINT ZuCarThumb::Center() const {
  const RECT& rc = m_rcWindow;
  return POINT{rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2};
}

void ZuCarThumb::OnUpdateFloatPosition(const RECT& rcParent) {
  parentRect_ = rcParent;
  int left = rcParent.left + leftOffset_;
  int top = rcParent.bottom - bottomOffset_;
  if (percentFloat_) {
    left = rcParent.left + static_cast<int>(xFloat_ * (rcParent.right - rcParent.left) + 0.5);
    top = rcParent.bottom - static_cast<int>(yFloat_ * (rcParent.bottom - rcParent.top) + 0.5);
  }
  const SIZE size = LayoutSize();
  RECT rc = {left, top, left + size.cx, top + size.cy};
  Move(&rc);
}

void ZuCarThumb::MoveCenter(int x, int y) {
  const SIZE size = LayoutSize();
  const int left = x - size.cx / 2;
  const int top = y - size.cy / 2;
  RECT rc = {left, top, left + size.cx, top + size.cy};
  Move(&rc);
  leftOffset_ = left - parentRect_.left;
  bottomOffset_ = parentRect_.bottom - top;
  const LONG width = parentRect_.right - parentRect_.left;
  const LONG height = parentRect_.bottom - parentRect_.top;
  // Before the first layout there is no parent size to take fractions of.
  if (width > 0) xFloat_ = static_cast<float>(leftOffset_) / width;
  if (height > 0) yFloat_ = static_cast<float>(bottomOffset_) / height;
}

// ---- drag ------------------------------------------------------------------------------------

void ZuCarThumb::OnLButtonDown(UINT, POINT pt) {
  dragging_ = true;
  const POINT center = Center();
  grab_ = POINT{pt.x - center.x, pt.y - center.y};
  ThumbSupport::SetDragCursor();
  SetCapture();
}

void ZuCarThumb::OnMouseMove(UINT, POINT pt) {
  // The host window may have taken the capture away without a button-up.
  if (dragging_ && GetCapture() != m_swnd) dragging_ = false;
  if (!dragging_) {
    SetMsgHandled(FALSE);
    return;
  }
  POINT center = {pt.x - grab_.x, pt.y - grab_.y};
  if (ZuCar* car = Car()) center = car->ApplyThumbMove(GetID(), center);
  MoveCenter(center.x, center.y);
}

void ZuCarThumb::OnLButtonUp(UINT, POINT) {
  if (!dragging_) {
    SetMsgHandled(FALSE);
    return;
  }
  EndDrag();
}

void ZuCarThumb::EndDrag() {
  ReleaseCapture();
  dragging_ = false;
  if (ZuCar* car = Car()) car->EndThumbMove();
}

BOOL ZuCarThumb::OnSetCursor(const POINT& pt) {
  if (dragging_ && ThumbSupport::SetDragCursor()) return TRUE;
  return SWindow::OnSetCursor(pt);
}

// ---- painting --------------------------------------------------------------------------------

void ZuCarThumb::OnPaint(IRenderTarget* pRT) {
  if ((centerColor_ >> 24) != 0) {
    GdipCanvas canvas(pRT);
    canvas.DrawHandleDisc(GetClientRect(), centerColor_);
  }
  SWindow::OnPaint(pRT);
}
