#include "control/SScrollBar.h"

#include <algorithm>

#include "control/EventScroll.h"
#include "control/SControlSkin.h"
#include "core/SAttrParse.h"
#include "core/SLog.h"
#include "core/SSkinScrollbar.h"

namespace SWUI {

namespace {

constexpr int kSkinScrollbar = 5;
// A thumb is never shorter than this, and a rail shorter than this has no thumb.
constexpr int kMinThumb = 18;
// Cells per row of a scroll-bar skin's image: the arrow is one cell long.
constexpr int kSkinColumns = 9;
constexpr int kStateNormal = 0;
constexpr int kStateHover = 1;
constexpr int kStatePushed = 2;
constexpr int kStateDisabled = 3;
// The parts in painting order.
constexpr int kPaintOrder[] = {SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK, SB_PAGEDOWN, SB_LINEDOWN};
// The parts in hit-testing order.
constexpr int kHitOrder[] = {SB_LINEUP, SB_LINEDOWN, SB_THUMBTRACK, SB_PAGEUP, SB_PAGEDOWN};

bool IsArrow(int part) { return part == SB_LINEUP || part == SB_LINEDOWN; }

int ClampPos(long long pos, int lo, int hi) {
  return static_cast<int>(std::max<long long>(lo, std::min<long long>(pos, hi)));
}

}  // namespace

SScrollBar::SScrollBar() : m_pSkin(SControlSkin::Builtin(kSkinScrollbar)) {
  m_si = SCROLLINFO{};
  m_si.cbSize = sizeof(SCROLLINFO);
  m_si.nTrackPos = -1;
  m_evtSet.AddEvent<EventScroll>();
}

int SScrollBar::ArrowSize() const {
  if (m_nArrowSize >= 0) return m_nArrowSize;
  return SControlSkin::SizeOf(m_pSkin).cx / kSkinColumns;
}

int SScrollBar::MaxPos() const {
  // A bar without a page still stops at max.
  const long long page = std::max<long long>(m_si.nPage, 1);
  const long long last = static_cast<long long>(m_si.nMax) - page + 1;
  return static_cast<int>(std::max<long long>(m_si.nMin, last));
}

SScrollBar::Geometry SScrollBar::Measure() const {
  Geometry g;
  g.length = m_bVertical ? m_rcWindow.bottom - m_rcWindow.top : m_rcWindow.right - m_rcWindow.left;
  g.arrow = ArrowSize();
  const long long nMin = m_si.nMin;
  const long long nMax = m_si.nMax;
  const long long nPage = m_si.nPage;
  const long long top = std::max(nMax, nMin + nPage - 1);
  const int rail = std::max(g.length - 2 * g.arrow, 0);
  if (top == nMin + nPage - 1) {
    g.thumb = rail;  // the page covers the whole range
  } else {
    g.thumb = static_cast<int>(nPage * rail / (top - nMin + 1));
  }
  if (g.thumb < kMinThumb) g.thumb = kMinThumb;
  if (rail < kMinThumb) g.thumb = 0;
  g.free = rail - g.thumb;
  if (rail == 0) g.arrow = g.length / 2;
  // Positions are counted from min; a bar with one position centres the thumb.
  const long long travel = static_cast<long long>(MaxPos()) - nMin;
  const long long pos = m_bDrag ? m_si.nTrackPos : m_si.nPos;
  if (travel <= 0) {
    g.offset = g.free / 2;
  } else {
    g.offset = ClampPos(g.free * (pos - nMin) / travel, 0, g.free);
  }
  return g;
}

RECT SScrollBar::GetPartRect(int part) const {
  const Geometry g = Measure();
  const int thumbStart = g.arrow + g.offset;
  int start = 0;
  int end = 0;
  switch (part) {
    case SB_LINEUP:
      start = 0;
      end = g.arrow;
      break;
    case SB_PAGEUP:
      start = g.arrow;
      end = thumbStart;
      break;
    case SB_THUMBTRACK:
      start = thumbStart;
      end = thumbStart + g.thumb;
      break;
    case SB_PAGEDOWN:
      start = thumbStart + g.thumb;
      end = g.length - g.arrow;
      break;
    case SB_LINEDOWN:
      start = g.length - g.arrow;
      end = g.length;
      break;
    default:
      return RECT{0, 0, 0, 0};
  }
  RECT rc = m_rcWindow;
  if (m_bVertical) {
    rc.top = m_rcWindow.top + start;
    rc.bottom = m_rcWindow.top + end;
  } else {
    rc.left = m_rcWindow.left + start;
    rc.right = m_rcWindow.left + end;
  }
  return rc;
}

int SScrollBar::HitTest(POINT pt) const {
  for (int part : kHitOrder) {
    const RECT rc = GetPartRect(part);
    if (PtInRect(&rc, pt)) return part;
  }
  return kPartNone;
}

int SScrollBar::SetPos(int nPos) {
  nPos = ClampPos(nPos, m_si.nMin, MaxPos());
  if (nPos == m_si.nPos) return nPos;
  if (m_bDrag) {
    m_si.nPos = nPos;  // the thumb shows the drag until it ends
    return nPos;
  }
  RECT rc = GetPartRect(SB_THUMBTRACK);
  m_si.nPos = nPos;
  const RECT now = GetPartRect(SB_THUMBTRACK);
  UnionRect(&rc, &rc, &now);
  RedrawRect(rc);
  return nPos;
}

void SScrollBar::FireScroll(int nSbCode, int nPos) {
  EventScroll evt(this);
  evt.nSbCode = nSbCode;
  evt.nPos = nPos;
  evt.bVertical = m_bVertical;
  FireEvent(evt);
}

// ---- attributes --------------------------------------------------------------------------

HRESULT SScrollBar::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                 BOOL bLoading) {
  using P = SAttrParse;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(strAttribName, L"skin")) {
    hr = SControlSkin::Assign(m_pSkin, strValue, GetScale()) ? S_OK : E_FAIL;
  } else if (P::IsName(strAttribName, L"arrowSize")) {
    m_nArrowSize = P::Int(strValue);
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"min") || P::IsName(strAttribName, L"max")) {
    const bool isMin = P::IsName(strAttribName, L"min");
    const int bound = P::Int(strValue);
    if (bLoading && !m_bLoadingRange) {
      m_nLoadMin = m_si.nMin;
      m_nLoadMax = m_si.nMax;
      m_bLoadingRange = true;
    }
    if (!bLoading && (isMin ? bound > m_si.nMax : bound < m_si.nMin)) {
      hr = E_FAIL;  // no position would be left
    } else {
      (isMin ? m_si.nMin : m_si.nMax) = bound;
      if (!bLoading) m_si.nPos = ClampPos(m_si.nPos, m_si.nMin, MaxPos());
      hr = S_OK;
    }
  } else if (P::IsName(strAttribName, L"value")) {
    m_si.nPos = P::Int(strValue);
    if (!bLoading) m_si.nPos = ClampPos(m_si.nPos, m_si.nMin, MaxPos());
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"page")) {
    m_si.nPage = static_cast<UINT>(std::max(P::Int(strValue), 0));
    if (!bLoading) m_si.nPos = ClampPos(m_si.nPos, m_si.nMin, MaxPos());
    hr = S_OK;
  } else if (P::IsName(strAttribName, L"vertical")) {
    m_bVertical = P::NonZero(strValue);
    hr = S_OK;
  }
  if (hr == E_NOTIMPL) return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

void SScrollBar::OnInitFinished(pugi::xml_node xmlNode) {
  SWindow::OnInitFinished(xmlNode);
  if (m_nArrowSize < 0) m_nArrowSize = SControlSkin::SizeOf(m_pSkin).cx / kSkinColumns;
  if (m_bLoadingRange && m_si.nMax < m_si.nMin) {
    SLog::Printf(LOG_LEVEL_WARN, "swui", __FILE__, __LINE__, "SWUI::SScrollBar::OnInitFinished",
                 "empty range %d..%d refused, %d..%d kept", m_si.nMin, m_si.nMax, m_nLoadMin,
                 m_nLoadMax);
    m_si.nMin = m_nLoadMin;
    m_si.nMax = m_nLoadMax;
  }
  m_bLoadingRange = false;
  m_si.nPos = ClampPos(m_si.nPos, m_si.nMin, MaxPos());
}

// ---- painting ----------------------------------------------------------------------------

int SScrollBar::PartState(int part) const {
  if (IsDisabled(TRUE)) return kStateDisabled;
  if (part == m_iClickPart && IsArrow(part)) return kStatePushed;
  if (part == SB_THUMBTRACK && m_bDrag) return kStateHover;
  return part == m_iHitPart ? kStateHover : kStateNormal;
}

void SScrollBar::DrawPart(IRenderTarget* pRT, int part) {
  if (m_pSkin == nullptr) return;
  const RECT rc = GetPartRect(part);
  m_pSkin->Draw(pRT, &rc, SSkinScrollbar::MakeState(part, PartState(part), m_bVertical));
}

void SScrollBar::OnPaint(IRenderTarget* pRT) {
  for (int part : kPaintOrder) DrawPart(pRT, part);
}

void SScrollBar::RedrawRect(const RECT& rc) {
  if (!IsVisible(TRUE) || IsRectEmpty(&rc)) return;
  IRenderTarget* pRT = GetRenderTarget(&rc, GRT_PAINTBKGND, TRUE);
  if (pRT == nullptr) return;
  for (int part : kPaintOrder) {
    RECT rcPart = GetPartRect(part);
    if (IntersectRect(&rcPart, &rcPart, &rc)) DrawPart(pRT, part);
  }
  ReleaseRenderTarget(pRT);
}

void SScrollBar::SetHotPart(int part) {
  if (part == m_iHitPart) return;
  const int old = m_iHitPart;
  m_iHitPart = part;
  if (old != kPartNone) RedrawPart(old);
  if (part != kPartNone) RedrawPart(part);
}

// ---- input -------------------------------------------------------------------------------

void SScrollBar::OnLButtonDown(UINT, POINT pt) {
  SetCapture();
  const int part = HitTest(pt);
  if (part == kPartNone) return;
  if (part == SB_THUMBTRACK) {
    m_bDrag = TRUE;
    m_ptDrag = pt;
    m_nDragPos = m_si.nTrackPos = m_si.nPos;
    return;
  }
  m_iClickPart = part;
  if (IsArrow(part)) RedrawPart(part);
  FireScroll(part, m_si.nPos);
}

void SScrollBar::OnMouseMove(UINT, POINT pt) {
  if (!m_bDrag) {
    SetHotPart(HitTest(pt));
    return;
  }
  const Geometry g = Measure();
  const int delta = m_bVertical ? pt.y - m_ptDrag.y : pt.x - m_ptDrag.x;
  const long long travel = static_cast<long long>(MaxPos()) - m_si.nMin;
  long long pos = m_nDragPos;
  if (g.free > 0) pos += delta * travel / g.free;
  const int newPos = ClampPos(pos, m_si.nMin, MaxPos());
  if (newPos == m_si.nTrackPos) return;
  RECT rc = GetPartRect(SB_THUMBTRACK);
  m_si.nTrackPos = newPos;
  const RECT now = GetPartRect(SB_THUMBTRACK);
  UnionRect(&rc, &rc, &now);
  RedrawRect(rc);
  FireScroll(SB_THUMBTRACK, newPos);
}

void SScrollBar::OnLButtonUp(UINT, POINT pt) {
  ReleaseCapture();
  if (m_bDrag) {
    m_si.nPos = m_si.nTrackPos;
    m_si.nTrackPos = -1;
    m_bDrag = FALSE;
    m_iHitPart = HitTest(pt);
    RedrawRect(m_rcWindow);
    FireScroll(SB_THUMBPOSITION, m_si.nPos);
    return;
  }
  const int pressed = m_iClickPart;
  m_iClickPart = kPartNone;
  if (IsArrow(pressed)) RedrawPart(pressed);
}

void SScrollBar::OnMouseLeave() {
  if (!m_bDrag) SetHotPart(kPartNone);
}

// ---- element messages --------------------------------------------------------------------

LRESULT SScrollBar::OnSetScrollInfo(UINT, WPARAM wParam, LPARAM lParam) {
  const auto* si = reinterpret_cast<const SCROLLINFO*>(lParam);
  if (si == nullptr) return FALSE;
  if ((si->fMask & SIF_RANGE) && si->nMax < si->nMin) return FALSE;
  if (si->fMask & SIF_PAGE) m_si.nPage = si->nPage;
  if (si->fMask & SIF_POS) m_si.nPos = si->nPos;
  if (si->fMask & SIF_RANGE) {
    m_si.nMin = si->nMin;
    m_si.nMax = si->nMax;
  }
  m_si.nPos = ClampPos(m_si.nPos, m_si.nMin, MaxPos());
  if (wParam != 0) InvalidateRect(m_rcWindow);
  return TRUE;
}

LRESULT SScrollBar::OnGetScrollInfo(UINT, WPARAM, LPARAM lParam) {
  auto* si = reinterpret_cast<SCROLLINFO*>(lParam);
  if (si == nullptr) return FALSE;
  if (si->fMask & SIF_RANGE) {
    si->nMin = m_si.nMin;
    si->nMax = m_si.nMax;
  }
  if (si->fMask & SIF_PAGE) si->nPage = m_si.nPage;
  if (si->fMask & SIF_POS) si->nPos = m_si.nPos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = m_si.nTrackPos;
  return TRUE;
}

}  // namespace SWUI
