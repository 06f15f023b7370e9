#include "controls/ZuSlider.h"

#include "control/SControlSkin.h"
#include "controls/SSimpleToolTip.h"
#include "controls/SliderSteps.h"
#include "core/SAttrParse.h"

using namespace SWUI;

namespace {

// The code the slider's own changes are notified with (not carried by the event).
constexpr UINT kNotifyCode = 2;

}  // namespace

SwndHandle ZuSlider::s_tipOwner = 0;

ZuSlider::~ZuSlider() { ReleaseValueTip(); }

HRESULT ZuSlider::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                               BOOL bLoading) {
  if (SAttrParse::IsName(strAttribName, L"slowlyChangeValue")) {
    m_nSlowlyChangeValue = SAttrParse::Int(strValue);
    return AfterAttribute(strAttribName, strValue, bLoading, S_FALSE);
  }
  return SSliderBar::SetAttribute(strAttribName, strValue, bLoading);
}

// ---- geometry ----------------------------------------------------------------------------

RECT ZuSlider::GetPartRect(int part) const {
  const RECT client = GetClientRect();
  const SIZE thumb = SControlSkin::SizeOf(m_pSkinThumb);
  const bool vertical = m_bVertical != FALSE;
  const int along = vertical ? client.bottom - client.top : client.right - client.left;
  const int across = vertical ? client.right - client.left : client.bottom - client.top;
  const PartSpan span = CalcPartSpan(along, vertical ? thumb.cy : thumb.cx, m_bThumbInRail,
                                     m_nMinValue, m_nMaxValue, m_nValue, part);
  ISkinObj* skin = m_pSkinBkgnd;
  if (part == kPartThumb) {
    skin = m_pSkinThumb;
  } else if (part == kPartSel) {
    skin = m_pSkinPos;
  }
  const SIZE size = SControlSkin::SizeOf(skin);
  int thickness = vertical ? size.cx : size.cy;
  if (thickness <= 0) thickness = across;  // no skin (or one without a size): the whole client
  const int side = (across - thickness) / 2;
  if (vertical) {
    return RECT{client.left + side, client.bottom - span.end, client.left + side + thickness,
                client.bottom - span.start};
  }
  return RECT{client.left + span.start, client.top + side, client.left + span.end,
              client.top + side + thickness};
}

int ZuSlider::RailOffset(const RECT& rail, POINT pt) const {
  return m_bVertical ? rail.bottom - pt.y : pt.x - rail.left;
}

int ZuSlider::RailLength(const RECT& rail) const {
  return m_bVertical ? rail.bottom - rail.top : rail.right - rail.left;
}

// ---- painting ----------------------------------------------------------------------------

int ZuSlider::SkinState(int states, bool disabled, bool pressed, bool hovered) {
  switch (states) {
    case 2:
      return pressed || hovered ? 1 : 0;
    case 4:
      if (disabled) return 3;
      [[fallthrough]];
    case 3:
      if (pressed) return 2;
      return hovered ? 1 : 0;
    default:
      return 0;
  }
}

void ZuSlider::DrawPart(IRenderTarget* pRT, ISkinObj* skin, int part, bool pressed,
                        bool hovered) {
  if (skin == nullptr) return;
  const int state = SkinState(skin->GetStates(), IsDisabled(TRUE) != FALSE, pressed, hovered);
  SControlSkin::DrawState(skin, pRT, GetPartRect(part), state);
}

void ZuSlider::OnPaint(IRenderTarget* pRT) {
  SPainter painter;
  BeforePaint(pRT, painter);
  const bool pressed = (m_dwState & WndState_PushDown) != 0;
  const bool hovered = (m_dwState & WndState_Hover) != 0;
  DrawPart(pRT, m_pSkinBkgnd, kPartRailBkgnd, pressed, hovered);
  if (m_nValue != m_nMinValue) DrawPart(pRT, m_pSkinPos, kPartSel, pressed, hovered);
  DrawPart(pRT, m_pSkinThumb, kPartThumb, m_bDrag != FALSE, m_uHtPrev == kPartThumb);
  if (IsFocused()) DrawFocus(pRT);
  AfterPaint(pRT, painter);
}

// ---- mouse -------------------------------------------------------------------------------

void ZuSlider::OnLButtonDown(UINT nFlags, POINT pt) {
  // The element's own press (focus, capture, pushed look); the slider bar's would jump too.
  SWindow::OnLButtonDown(nFlags, pt);
  const bool onThumb = HitTest(pt) == kPartThumb;
  const RECT rail = GetPartRect(kPartRail);
  const int length = RailLength(rail);
  // A rail without length has no place to jump to: the press only starts a drag.
  const bool jumps = !onThumb && length > 0;
  if (jumps) {
    if (m_nSlowlyChangeValue != 0) {
      // One step toward the press, compared before any clamping.
      const long long range = static_cast<long long>(m_nMaxValue) - m_nMinValue + 1;
      const long long target = range * RailOffset(rail, pt) / length + m_nMinValue;
      SetValue(SliderSteps::Step(m_nValue, target > m_nValue ? 1 : -1, m_nMinValue, m_nMaxValue));
    } else {
      SetValue(ValueAt(RailOffset(rail, pt), length, m_nMinValue));
    }
  }
  Invalidate();
  m_ptDrag = pt;
  m_nDragValue = m_nValue;
  m_bDrag = TRUE;
  if (jumps) NotifyPos(kNotifyCode, m_nValue);
}

void ZuSlider::OnMouseMove(UINT, POINT pt) {
  if (!m_bDrag) {
    TrackHover(pt);
    return;
  }
  const RECT rail = GetPartRect(kPartRail);
  const int length = RailLength(rail);
  if (length <= 0) return;
  const int delta = m_bVertical ? m_ptDrag.y - pt.y : pt.x - m_ptDrag.x;
  const int value = ValueAt(delta, length, m_nDragValue);
  if (value == m_nValue) return;
  m_nValue = value;
  Invalidate();
  NotifyPos(kNotifyCode, m_nValue);
  ShowValueTip();
}

void ZuSlider::TrackHover(POINT pt) {
  const int part = HitTest(pt);
  if (part == m_uHtPrev || (part != kPartThumb && m_uHtPrev != kPartThumb)) return;
  InvalidateRect(GetPartRect(kPartThumb));
  m_uHtPrev = part;
  if (part == kPartThumb) {
    ShowValueTip();
  } else {
    HideValueTip();
  }
}

void ZuSlider::OnLButtonUp(UINT nFlags, POINT pt) {
  if (m_bDrag) {
    m_bDrag = FALSE;
    Invalidate();
    HideValueTip();
  }
  TrackHover(pt);
  // Releases the capture and drops the pushed look; the slider bar's would track again.
  SWindow::OnLButtonUp(nFlags, pt);
}

void ZuSlider::OnMouseLeave() {
  // A drag keeps its tip beside the thumb: the cursor may leave while it is captured.
  if (!m_bDrag) {
    if (m_uHtPrev == kPartThumb) {
      InvalidateRect(GetPartRect(kPartThumb));
      m_uHtPrev = kPartNone;
    }
    HideValueTip();
  }
  // The hover look of the rail parts ends with the element's hover state.
  SWindow::OnMouseLeave();
}

// ---- wheel and keys ----------------------------------------------------------------------

BOOL ZuSlider::OnMouseWheel(UINT, short zDelta, POINT) {
  SliderSteps::Wheel(this, zDelta);
  return TRUE;
}

void ZuSlider::OnKeyDown(UINT nChar, UINT, UINT) {
  if (!SliderSteps::Key(this, nChar)) SetMsgHandled(FALSE);
}

// ---- value tip ---------------------------------------------------------------------------

void ZuSlider::ShowValueTip() {
  if (!m_bShowPercent) return;
  if (m_pValueTip == nullptr) {
    m_pValueTip = SSimpleToolTip::GetInstance();
    m_pValueTip->AddRef();
  }
  RECT thumb = GetPartRect(kPartThumb);
  ContainerFrameToHost(thumb);
  if (HWND host = ContainerHostHwnd()) {
    MapWindowPoints(host, HWND_DESKTOP, reinterpret_cast<POINT*>(&thumb), 2);
  }
  SStringW text;
  text.Format(L"%d", m_nValue);
  const int chars = text.GetLength();
  const int width = thumb.right - thumb.left;
  const int height = thumb.bottom - thumb.top;
  int x = 0;
  int y = 0;
  if (m_bVertical) {
    x = thumb.left - 6 * chars - 15;
    y = thumb.top + height / 2 - 11;
  } else {
    x = thumb.left + (width - 6 * chars - 10) / 2;
    y = thumb.bottom + 10;
  }
  m_pValueTip->ShowAt(text, x, y);
  s_tipOwner = m_swnd;
}

void ZuSlider::HideValueTip() {
  if (m_pValueTip == nullptr || s_tipOwner != m_swnd) return;
  m_pValueTip->Show(FALSE);
  s_tipOwner = 0;
}

void ZuSlider::ReleaseValueTip() {
  if (m_pValueTip == nullptr) return;
  // The tip is shared: destroying its window would take it from every other slider.
  HideValueTip();
  m_pValueTip->Release();
  m_pValueTip = nullptr;
}

void ZuSlider::OnDestroy() {
  ReleaseValueTip();
  SetMsgHandled(FALSE);  // on to the element's own destruction
}
