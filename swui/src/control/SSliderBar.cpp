#include "control/SSliderBar.h"

#include <algorithm>

#include "control/EventSliderPos.h"
#include "control/SControlSkin.h"
#include "core/SAttrParse.h"

namespace SWUI {

namespace {

constexpr int kSkinSliderThumb = 18;
// The thumb's drawing states.
constexpr int kThumbNormal = 0;
constexpr int kThumbHover = 1;
constexpr int kThumbPushed = 2;
constexpr int kThumbDisabled = 3;
// The slider's desired length along its axis.
constexpr int kDesiredLength = 100;
// The code the slider's own changes are notified with (not carried by the event).
constexpr UINT kNotifyCode = 2;

}  // namespace

SSliderBar::SSliderBar() : m_pSkinThumb(SControlSkin::Builtin(kSkinSliderThumb)) {
  m_evtSet.AddEvent<EventSliderPos>();
}

SSliderBar::PartSpan SSliderBar::CalcPartSpan(int railLength, int thumbLength, BOOL thumbInRail,
                                              int nMin, int nMax, int nValue, int part) {
  const int half = thumbLength / 2;
  const long long range = static_cast<long long>(nMax) - nMin;
  const int sel = range > 0 ? static_cast<int>((static_cast<long long>(railLength) - thumbLength) *
                                               (static_cast<long long>(nValue) - nMin) / range)
                            : 0;
  switch (part) {
    case kPartRail:
      return PartSpan{half, railLength - half};
    case kPartSel:
      return PartSpan{thumbInRail ? 0 : half, sel + half};
    case kPartThumb:
      return PartSpan{sel, sel + thumbLength};
    case kPartRailBkgnd:
      return PartSpan{thumbInRail ? 0 : half, thumbInRail ? railLength : railLength - half};
    default:
      return PartSpan{0, 0};
  }
}

RECT SSliderBar::GetPartRect(int part) const {
  RECT rcClient;
  GetClientRect(&rcClient);
  const SIZE thumb = SControlSkin::SizeOf(m_pSkinThumb);
  const SIZE bkgnd = SControlSkin::SizeOf(m_pSkinBkgnd);
  RECT rc = rcClient;
  if (!m_bVertical) {
    const PartSpan span = CalcPartSpan(rcClient.right - rcClient.left, thumb.cx, m_bThumbInRail,
                                       m_nMinValue, m_nMaxValue, m_nValue, part);
    rc.left = rcClient.left + span.start;
    rc.right = rcClient.left + span.end;
    const int across = std::max(thumb.cy, bkgnd.cy);
    InflateRect(&rc, 0, -((rcClient.bottom - rcClient.top - across) / 2));
    if (part != kPartThumb) InflateRect(&rc, 0, -((across - bkgnd.cy) / 2));
  } else {
    const PartSpan span = CalcPartSpan(rcClient.bottom - rcClient.top, thumb.cy, m_bThumbInRail,
                                       m_nMinValue, m_nMaxValue, m_nValue, part);
    rc.top = rcClient.top + span.start;
    rc.bottom = rcClient.top + span.end;
    const int across = std::max(thumb.cx, bkgnd.cx);
    InflateRect(&rc, -((rcClient.right - rcClient.left - across) / 2), 0);
    if (part != kPartThumb) InflateRect(&rc, -((across - bkgnd.cx) / 2), 0);
  }
  return rc;
}

int SSliderBar::HitTest(POINT pt) const {
  for (int part : {kPartThumb, kPartSel, kPartRail}) {
    const RECT rc = GetPartRect(part);
    if (PtInRect(&rc, pt)) return part;
  }
  return kPartNone;
}

void SSliderBar::NotifyPos(UINT, int nPos) {
  EventSliderPos evt(this);
  evt.nPos = nPos;
  FireEvent(evt);
}

HRESULT SSliderBar::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                 BOOL bLoading) {
  HRESULT hr = E_NOTIMPL;
  if (SAttrParse::IsName(strAttribName, L"thumbSkin")) {
    hr = SControlSkin::Assign(m_pSkinThumb, strValue, GetScale()) ? S_OK : E_FAIL;
  } else if (SAttrParse::IsName(strAttribName, L"thumbInRail")) {
    m_bThumbInRail = SAttrParse::NonZero(strValue);
    hr = S_OK;
  }
  if (hr == E_NOTIMPL) return SProgress::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

void SSliderBar::OnColorize(COLORREF cr) {
  SProgress::OnColorize(cr);
  SControlSkin::Colorize(m_pSkinThumb, cr);
}

SIZE SSliderBar::GetDesiredSize(LPCRECT) {
  const SIZE thumb = SControlSkin::SizeOf(m_pSkinThumb);
  const SIZE bkgnd = SControlSkin::SizeOf(m_pSkinBkgnd);
  if (m_bVertical) return SIZE{std::max(bkgnd.cx, thumb.cx), kDesiredLength};
  return SIZE{kDesiredLength, std::max(bkgnd.cy, thumb.cy)};
}

int SSliderBar::ValueAt(int offset, int length, int base) const {
  const long long range = static_cast<long long>(m_nMaxValue) - m_nMinValue + 1;
  const long long value = range * offset / length + base;
  return static_cast<int>(
      std::min<long long>(std::max<long long>(value, m_nMinValue), m_nMaxValue));
}

void SSliderBar::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  // Disabled, every skin draws its fourth cell; a skin without one draws its normal cell.
  const bool disabled = IsDisabled(TRUE) != FALSE;
  const int railState = disabled ? kThumbDisabled : kThumbNormal;
  SControlSkin::DrawOrNormal(m_pSkinBkgnd, pRT, GetPartRect(kPartRailBkgnd), railState);
  if (m_nValue != m_nMinValue)
    SControlSkin::DrawOrNormal(m_pSkinPos, pRT, GetPartRect(kPartSel), railState);
  int thumbState = kThumbNormal;
  if (disabled) {
    thumbState = kThumbDisabled;
  } else if (m_bDrag) {
    thumbState = kThumbPushed;
  } else if (m_uHtPrev == kPartThumb) {
    thumbState = kThumbHover;
  }
  SControlSkin::DrawOrNormal(m_pSkinThumb, pRT, GetPartRect(kPartThumb), thumbState);
  AfterPaint(pRT, painter);
}

void SSliderBar::OnLButtonDown(UINT, POINT pt) {
  if (IsFocusable()) SetFocus();
  SetCapture();
  if (HitTest(pt) == kPartThumb) {
    m_ptDrag = pt;
    m_nDragValue = m_nValue;
    m_bDrag = TRUE;
    Invalidate();
    return;
  }
  // Anywhere else the value jumps to the press; the far end of the rail reaches max.
  const RECT rail = GetPartRect(kPartRail);
  const int start = m_bVertical ? rail.top : rail.left;
  const int length = m_bVertical ? rail.bottom - rail.top : rail.right - rail.left;
  const bool jumped = length > 0;  // a rail without length has no place to jump to
  if (jumped) SetValue(ValueAt(AlongAxis(pt) - start, length, m_nMinValue));
  Invalidate();
  m_ptDrag = pt;
  m_nDragValue = m_nValue;
  m_bDrag = TRUE;
  if (jumped) NotifyPos(kNotifyCode, m_nValue);
}

void SSliderBar::OnMouseMove(UINT, POINT pt) {
  if (m_bDrag) {
    const RECT rail = GetPartRect(kPartRail);
    const int length = m_bVertical ? rail.bottom - rail.top : rail.right - rail.left;
    if (length <= 0) return;
    const int value = ValueAt(AlongAxis(pt) - AlongAxis(m_ptDrag), length, m_nDragValue);
    if (value == m_nValue) return;
    m_nValue = value;
    Invalidate();
    NotifyPos(kNotifyCode, m_nValue);
    return;
  }
  const int part = HitTest(pt);
  if (part == m_uHtPrev || (part != kPartThumb && m_uHtPrev != kPartThumb)) return;
  m_uHtPrev = part;
  InvalidateRect(GetPartRect(kPartThumb));
}

void SSliderBar::OnLButtonUp(UINT nFlags, POINT pt) {
  ReleaseCapture();
  if (m_bDrag) {
    m_bDrag = FALSE;
    InvalidateRect(GetPartRect(kPartThumb));
  }
  OnMouseMove(nFlags, pt);
}

void SSliderBar::OnMouseLeave() {
  if (m_bDrag || m_uHtPrev != kPartThumb) return;
  InvalidateRect(GetPartRect(kPartThumb));
  Invalidate();
  m_uHtPrev = kPartNone;
}

}  // namespace SWUI
