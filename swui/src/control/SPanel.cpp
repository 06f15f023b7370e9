// SPanel: attributes, scroll information, bar geometry, the scroll step and painting. The
// mouse, wheel and timer handling is in SPanelInput.cpp.
#include "control/SPanel.h"

#include <algorithm>
#include <climits>

#include "control/SControlSkin.h"
#include "core/SAttrParse.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

constexpr int kBuiltinScrollbarSkin = 5;

SCROLLINFO EmptyInfo() {
  SCROLLINFO si = {};
  si.cbSize = sizeof(si);
  si.nTrackPos = -1;
  return si;
}

int PixelsOf(const SLayoutSize& size, int scale) {
  return size.IsSpecifiedSize() ? size.toPixelSize(scale) : 0;
}

}  // namespace

SPanel::SPanel() : m_siVer(EmptyInfo()), m_siHoz(EmptyInfo()) {
  ISkinObj* skin = SControlSkin::Builtin(kBuiltinScrollbarSkin);
  if (skin != nullptr && skin->IsClass(SSkinScrollbar::ClassName())) m_pSkinSb = skin;
  m_nSbArrowSize.SetInvalid();
  m_nSbWid.SetInvalid();
}

// ---- attributes --------------------------------------------------------------------------

HRESULT SPanel::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                             BOOL bLoading) {
  using P = SAttrParse;
  const SStringW& name = strAttribName;
  HRESULT hr = E_NOTIMPL;
  if (P::IsName(name, L"sbSkin")) {
    ISkinObj* skin = SControlSkin::Find(strValue, GetScale());
    // Anything but a scroll-bar skin (no skin at all included) leaves the bars as they are.
    if (skin == nullptr || !skin->IsClass(SSkinScrollbar::ClassName())) return E_FAIL;
    m_pSkinSb = skin;
    if (!bLoading) SSendMessage(WM_NCCALCSIZE);
    hr = S_OK;
  } else if (P::IsName(name, L"sbArrowSize")) {
    m_nSbArrowSize = GetNamedDimension(strValue);
    hr = S_FALSE;
  } else if (P::IsName(name, L"sbWid")) {
    m_nSbWid = GetNamedDimension(strValue);
    if (!bLoading) SSendMessage(WM_NCCALCSIZE);
    hr = S_OK;
  } else if (P::IsName(name, L"sbEnable")) {
    m_wBarEnable = P::Int(strValue) & SSB_BOTH;
    hr = S_OK;
  } else if (P::IsName(name, L"updateInterval")) {
    m_nUpdateInterval = P::Int(strValue);
    hr = S_FALSE;
  } else if (P::IsName(name, L"scrollSpeed")) {
    m_nScrollSpeed = P::Int(strValue);
    hr = S_FALSE;
  } else {
    struct Margin {
      LPCWSTR name;
      SLayoutSize SPanel::*field;
    };
    static const Margin kMargins[] = {{L"sbLeft", &SPanel::m_nSbLeft},
                                      {L"sbRight", &SPanel::m_nSbRight},
                                      {L"sbTop", &SPanel::m_nSbTop},
                                      {L"sbBottom", &SPanel::m_nSbBottom}};
    for (const Margin& margin : kMargins) {
      if (!P::IsName(name, margin.name)) continue;
      this->*margin.field = GetNamedDimension(strValue);
      hr = S_OK;
      break;
    }
  }
  if (hr == E_NOTIMPL) return SWindow::SetAttribute(strAttribName, strValue, bLoading);
  return AfterAttribute(strAttribName, strValue, bLoading, hr);
}

// ---- bars and scroll information ---------------------------------------------------------

BOOL SPanel::ShowScrollBar(int wBar, BOOL bShow) {
  if (bShow) {
    m_wBarVisible |= wBar & SSB_BOTH;
  } else {
    m_wBarVisible &= ~wBar;
  }
  SSendMessage(WM_NCCALCSIZE);
  InvalidateRect(m_rcWindow);
  return TRUE;
}

BOOL SPanel::EnableScrollBar(int wBar, BOOL bEnable) {
  if (bEnable) {
    m_wBarEnable |= wBar & SSB_BOTH;
  } else {
    m_wBarEnable &= ~wBar;
  }
  if (wBar & SSB_VERT) InvalidateRect(GetScrollBarRect(TRUE));
  if (wBar & SSB_HORZ) InvalidateRect(GetScrollBarRect(FALSE));
  return TRUE;
}

BOOL SPanel::IsScrollBarEnable(BOOL bVertical) const {
  return (m_wBarEnable & BarBit(bVertical)) != 0;
}

BOOL SPanel::HasScrollBar(BOOL bVertical) const {
  return (m_wBarVisible & BarBit(bVertical)) != 0;
}

int SPanel::MaxScrollPos(const SCROLLINFO& si) {
  const long long last = static_cast<long long>(si.nMax) - si.nPage + 1;
  return static_cast<int>(std::min<long long>(std::max<long long>(last, INT_MIN), INT_MAX));
}

// The upper bound first, then the lower: a page wider than the range leaves the position at
// min, never below it.
int SPanel::ClampPos(const SCROLLINFO& si, int nPos) {
  return std::max(std::min(nPos, MaxScrollPos(si)), si.nMin);
}

BOOL SPanel::SetScrollInfo(const SCROLLINFO& si, BOOL bVertical) {
  if ((si.fMask & SIF_RANGE) && si.nMax < si.nMin) return FALSE;
  SCROLLINFO& info = InfoOf(bVertical);
  if (si.fMask & SIF_RANGE) {
    info.nMin = si.nMin;
    info.nMax = si.nMax;
  }
  if (si.fMask & SIF_PAGE) info.nPage = si.nPage;
  if (si.fMask & SIF_POS) info.nPos = si.nPos;
  if (si.fMask & SIF_TRACKPOS) info.nTrackPos = si.nTrackPos;
  // The page in force decides, so a call that sets only the position keeps it.
  info.nPos = info.nPage == 0 ? 0 : ClampPos(info, info.nPos);
  return TRUE;
}

BOOL SPanel::SetScrollPos(BOOL bVertical, int nNewPos, BOOL bRedraw) {
  SCROLLINFO& info = InfoOf(bVertical);
  info.nPos = ClampPos(info, nNewPos);
  if (bRedraw) InvalidateRect(GetScrollBarRect(bVertical));
  OnScroll(bVertical, SB_THUMBPOSITION, info.nPos);
  return TRUE;
}

int SPanel::GetScrollPos(BOOL bVertical) const { return GetScrollInfo(bVertical).nPos; }

BOOL SPanel::SetScrollRange(BOOL bVertical, int nMinPos, int nMaxPos, BOOL bRedraw) {
  if (nMaxPos < nMinPos) return FALSE;
  SCROLLINFO& info = InfoOf(bVertical);
  info.nMin = nMinPos;
  info.nMax = nMaxPos;
  info.nPos = ClampPos(info, info.nPos);
  if (bRedraw) InvalidateRect(GetScrollBarRect(bVertical));
  return TRUE;
}

BOOL SPanel::GetScrollRange(BOOL bVertical, LPINT lpMinPos, LPINT lpMaxPos) const {
  const SCROLLINFO& info = GetScrollInfo(bVertical);
  if (lpMinPos != nullptr) *lpMinPos = info.nMin;
  if (lpMaxPos != nullptr) *lpMaxPos = info.nMax;
  return TRUE;
}

int SPanel::GetScrollLineSize(BOOL) { return m_nScrollSpeed; }

BOOL SPanel::OnScroll(BOOL bVertical, UINT uCode, int nPos) {
  SCROLLINFO& info = InfoOf(bVertical);
  int newPos = info.nPos;
  switch (uCode) {
    case SB_LINEUP: newPos -= GetScrollLineSize(bVertical); break;
    case SB_LINEDOWN: newPos += GetScrollLineSize(bVertical); break;
    case SB_PAGEUP: newPos -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: newPos += static_cast<int>(info.nPage); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: newPos = nPos; break;
    case SB_TOP: newPos = info.nMin; break;
    case SB_BOTTOM: newPos = MaxScrollPos(info); break;
    default: break;
  }
  newPos = info.nPage == 0 ? 0 : ClampPos(info, newPos);
  if (newPos == info.nPos) return FALSE;
  info.nPos = newPos;
  if (uCode != SB_THUMBTRACK) info.nTrackPos = -1;
  if (uCode != SB_THUMBTRACK && IsVisible(TRUE) && IsScrollBarEnable(bVertical)) {
    const SbPartState parts[] = {{SB_PAGEDOWN, kSbNormal, true},
                                 {SB_THUMBTRACK, kSbNormal, false}};
    RedrawSbParts(bVertical, parts, 2);
  }
  Invalidate();
  return TRUE;
}

// ---- geometry ----------------------------------------------------------------------------

int SPanel::GetSbWidth() const {
  if (m_nSbWid.IsSpecifiedSize()) return m_nSbWid.toPixelSize(GetScale());
  SSkinScrollbar* skin = GetSbSkin();
  return skin != nullptr ? skin->GetIdealSize() : 0;
}

int SPanel::GetSbArrowSize() const {
  if (m_nSbArrowSize.IsSpecifiedSize()) return m_nSbArrowSize.toPixelSize(GetScale());
  SSkinScrollbar* skin = GetSbSkin();
  return skin != nullptr && skin->HasArrows() ? skin->GetIdealSize() : 0;
}

SSkinScrollbar* SPanel::GetSbSkin() const { return dynamic_cast<SSkinScrollbar*>(m_pSkinSb.Get()); }

RECT SPanel::GetScrollBarRect(BOOL bVertical) const {
  if (!HasScrollBar(bVertical)) return RECT{0, 0, 0, 0};
  RECT rc;
  SWindow::GetClientRect(&rc);
  const int wid = GetSbWidth();
  const int scale = GetScale();
  if (bVertical) {
    rc.left = rc.right - wid;
    if (HasScrollBar(FALSE)) rc.bottom -= wid;
    rc.top += PixelsOf(m_nSbTop, scale);
    rc.bottom -= PixelsOf(m_nSbBottom, scale);
  } else {
    rc.top = rc.bottom - wid;
    if (HasScrollBar(TRUE)) rc.right -= wid;
    rc.left += PixelsOf(m_nSbLeft, scale);
    rc.right -= PixelsOf(m_nSbRight, scale);
  }
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  return rc;
}

SPanel::BarSpans SPanel::CalcBarSpans(const SCROLLINFO& si, int nLength, int nArrow) {
  if (si.nMax < si.nMin || nLength <= 0) return BarSpans{0, 0, 0, 0, 0};
  int arrow = std::max(nArrow, 0);
  int track = std::max(nLength - 2 * arrow, 0);
  if (track == 0) {
    arrow = nLength / 2;  // no room for a track: the arrows share the bar
    track = nLength - 2 * arrow;
  }
  const long long page = si.nPage;
  const long long min = si.nMin;
  const long long maxUsed = std::max<long long>(si.nMax, min + page - 1);
  long long thumb = track;
  if (maxUsed != min + page - 1) thumb = page * track / (maxUsed - min + 1);
  if (track < kMinThumb) {
    thumb = 0;
  } else if (thumb < kMinThumb) {
    thumb = kMinThumb;
  }
  const long long pos = si.nTrackPos != -1 ? si.nTrackPos : si.nPos;
  const long long steps = static_cast<long long>(si.nMax) - page - min + 1;
  long long start;
  if (steps <= 0) {
    start = arrow + (track - thumb) / 2;
  } else {
    // Measured from min, and kept on the rail for a position outside the range.
    const long long rel = std::min(std::max(pos - min, 0LL), steps);
    start = arrow + (track - thumb) * rel / steps;
  }
  return BarSpans{arrow, static_cast<int>(start), static_cast<int>(start + thumb),
                  nLength - arrow, nLength};
}

int SPanel::FitScrollBars(int w, int h, int cx, int cy, int s, SCROLLINFO& vert,
                          SCROLLINFO& horz) {
  w = std::max(w, 0);
  h = std::max(h, 0);
  auto area = [](SCROLLINFO& si, int length) {
    si.nMin = 0;
    si.nMax = std::max(length - 1, 0);
    si.nPage = static_cast<UINT>(length);
    si.nPos = 0;
  };
  auto bar = [](SCROLLINFO& si, int content, int page) {
    si.nMin = 0;
    si.nMax = std::max(content - 1, 0);
    si.nPage = static_cast<UINT>(std::max(page, 0));
    // A position past the last page comes back to it.
    const int last = std::max(si.nMax + 1 - static_cast<int>(si.nPage), 0);
    si.nPos = std::max(std::min(si.nPos, last), 0);
  };
  vert.fMask = horz.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  if (h >= cy && (h >= static_cast<long long>(cy) + s || w >= cx)) {
    area(vert, h);
    if (w >= cx) {
      area(horz, w);
      return SSB_NULL;
    }
    bar(horz, cx, w);
    return SSB_HORZ;
  }
  if (w - s < cx) {
    bar(vert, cy, h - s);
    bar(horz, cx, w - s);
    return SSB_BOTH;
  }
  bar(vert, cy, h);
  area(horz, w);
  return SSB_VERT;
}

RECT SPanel::GetSbPartRect(BOOL bVertical, int nPart) const {
  const RECT bar = GetScrollBarRect(bVertical);
  if (IsRectEmpty(&bar)) return RECT{0, 0, 0, 0};
  const int length = bVertical ? bar.bottom - bar.top : bar.right - bar.left;
  const BarSpans spans = CalcBarSpans(GetScrollInfo(bVertical), length, GetSbArrowSize());
  int from;
  int to;
  switch (nPart) {
    case SB_LINEUP: from = 0; to = spans.arrowNear; break;
    case SB_PAGEUP: from = spans.arrowNear; to = spans.thumbStart; break;
    case SB_THUMBTRACK: from = spans.thumbStart; to = spans.thumbEnd; break;
    case SB_PAGEDOWN: from = spans.thumbEnd; to = spans.farArrow; break;
    case SB_LINEDOWN: from = spans.farArrow; to = spans.length; break;
    default: return RECT{0, 0, 0, 0};
  }
  if (to <= from) return RECT{0, 0, 0, 0};
  RECT rc = bar;
  if (bVertical) {
    rc.top = bar.top + from;
    rc.bottom = bar.top + to;
  } else {
    rc.left = bar.left + from;
    rc.right = bar.left + to;
  }
  return rc;
}

RECT SPanel::GetSbRailRect(BOOL bVertical) const {
  const RECT before = GetSbPartRect(bVertical, SB_LINEUP);
  const RECT after = GetSbPartRect(bVertical, SB_LINEDOWN);
  RECT rc = GetScrollBarRect(bVertical);
  if (IsRectEmpty(&rc)) return rc;
  if (bVertical) {
    if (!IsRectEmpty(&before)) rc.top = before.bottom;
    if (!IsRectEmpty(&after)) rc.bottom = after.top;
  } else {
    if (!IsRectEmpty(&before)) rc.left = before.right;
    if (!IsRectEmpty(&after)) rc.right = after.left;
  }
  if (rc.right < rc.left || rc.bottom < rc.top) return RECT{0, 0, 0, 0};
  return rc;
}

RECT SPanel::ThumbRectAt(BOOL bVertical, int nPos) const {
  SCROLLINFO& info = const_cast<SPanel*>(this)->InfoOf(bVertical);
  const SCROLLINFO saved = info;
  info.nPos = nPos;
  info.nTrackPos = -1;
  const RECT rc = GetSbPartRect(bVertical, SB_THUMBTRACK);
  info = saved;
  return rc;
}

int SPanel::HitTest(POINT pt, BOOL* pbVertical) const {
  static const int kOrder[] = {SB_LINEUP, SB_LINEDOWN, SB_THUMBTRACK, SB_PAGEUP, SB_PAGEDOWN};
  for (const BOOL vertical : {FALSE, TRUE}) {
    const RECT bar = GetScrollBarRect(vertical);
    if (!PtInRect(&bar, pt)) continue;
    for (const int part : kOrder) {
      const RECT rc = GetSbPartRect(vertical, part);
      if (!PtInRect(&rc, pt)) continue;
      if (pbVertical != nullptr) *pbVertical = vertical;
      return part;
    }
  }
  return kNoPart;
}

void SPanel::GetClientRect(LPRECT prect) const { *prect = m_rcClient; }

BOOL SPanel::OnNcHitTest(POINT pt) {
  if (m_nDragSb != SSB_NULL) return TRUE;
  return !PtInRect(&m_rcClient, pt);
}

LRESULT SPanel::OnNcCalcSize(UINT, WPARAM, LPARAM) {
  SWindow::GetClientRect(&m_rcClient);
  const int wid = GetSbWidth();
  if (HasScrollBar(TRUE)) m_rcClient.right = std::max(m_rcClient.left, m_rcClient.right - wid);
  if (HasScrollBar(FALSE)) m_rcClient.bottom = std::max(m_rcClient.top, m_rcClient.bottom - wid);
  InvalidateRect(m_rcWindow);
  return 0;
}

// ---- skin, scale, colour -----------------------------------------------------------------

void SPanel::OnColorize(COLORREF cr) {
  if (cr == GetColorizeColor()) return;
  SWindow::OnColorize(cr);
  SControlSkin::Colorize(m_pSkinSb, cr);
}

void SPanel::OnScaleChanged(int scale) {
  SWindow::OnScaleChanged(scale);
  ScaleSkin(m_pSkinSb, scale);
  SSendMessage(WM_NCCALCSIZE);
}

// ---- painting ----------------------------------------------------------------------------

BOOL SPanel::IsBarDisabled(BOOL bVertical) const {
  return IsDisabled(TRUE) || !IsScrollBarEnable(bVertical);
}

RECT SPanel::SbPartRect(BOOL bVertical, const SbPartState& part, const RECT* prcThumb) const {
  if (part.rail) return GetSbRailRect(bVertical);
  if (part.code == SB_THUMBTRACK && prcThumb != nullptr) return *prcThumb;
  return GetSbPartRect(bVertical, part.code);
}

void SPanel::DrawSbParts(IRenderTarget* pRT, BOOL bVertical, const SbPartState* parts, int count,
                         const RECT* prcThumb) {
  if (m_pSkinSb == nullptr) return;
  const bool disabled = IsBarDisabled(bVertical) != FALSE;
  for (int i = 0; i < count; ++i) {
    const SbPartState& part = parts[i];
    const RECT rc = SbPartRect(bVertical, part, prcThumb);
    if (IsRectEmpty(&rc)) continue;
    const int state = disabled ? kSbDisabled : part.state;
    m_pSkinSb->Draw(pRT, &rc, SSkinScrollbar::MakeState(part.code, state, bVertical));
  }
}

void SPanel::RedrawSbParts(BOOL bVertical, const SbPartState* parts, int count,
                           const RECT* prcThumb) {
  if (m_pSkinSb == nullptr || !IsVisible(TRUE)) return;
  // Only the parts redrawn get their background back: the rest of the bar keeps its look.
  RECT area = {0, 0, 0, 0};
  for (int i = 0; i < count; ++i) {
    const RECT rc = SbPartRect(bVertical, parts[i], prcThumb);
    UnionRect(&area, &area, &rc);
  }
  const RECT bar = GetScrollBarRect(bVertical);
  IntersectRect(&area, &area, &bar);
  if (IsRectEmpty(&area)) return;
  IRenderTarget* pRT = GetRenderTarget(&area, GRT_PAINTBKGND, FALSE);
  if (pRT == nullptr) return;
  DrawSbParts(pRT, bVertical, parts, count, prcThumb);
  ReleaseRenderTarget(pRT);
}

void SPanel::RedrawSbWhole(BOOL bVertical, int restState, int railState, int hotPart,
                           int hotState) {
  auto stateOf = [&](int code) { return code == hotPart ? hotState : restState; };
  const SbPartState parts[] = {{SB_LINEUP, stateOf(SB_LINEUP), false},
                               {SB_PAGEDOWN, railState, true},
                               {SB_THUMBTRACK, stateOf(SB_THUMBTRACK), false},
                               {SB_LINEDOWN, stateOf(SB_LINEDOWN), false}};
  RedrawSbParts(bVertical, parts, 4);
}

void SPanel::OnNcPaint(IRenderTarget* pRT) {
  SWindow::OnNcPaint(pRT);
  if (!IsVisible(TRUE) || m_pSkinSb == nullptr) return;
  for (const BOOL vertical : {FALSE, TRUE}) {
    if (!HasScrollBar(vertical)) continue;
    int thumbState = kSbRest;
    if (m_nDragSb == BarBit(vertical)) {
      thumbState = kSbPressed;
    } else if (m_nHotPart == SB_THUMBTRACK && m_bHotVertical == vertical) {
      thumbState = kSbHover;
    }
    const SbPartState parts[] = {{SB_LINEUP, kSbRest, false},
                                 {SB_PAGEDOWN, kSbRest, true},
                                 {SB_THUMBTRACK, thumbState, false},
                                 {SB_LINEDOWN, kSbRest, false}};
    DrawSbParts(pRT, vertical, parts, 4);
  }
  if (HasScrollBar(TRUE) && HasScrollBar(FALSE)) {
    RECT rc;
    SWindow::GetClientRect(&rc);
    const int wid = GetSbWidth();
    rc.left = rc.right - wid;
    rc.top = rc.bottom - wid;
    m_pSkinSb->Draw(pRT, &rc, SSkinScrollbar::MakeState(SSkinScrollbar::kPartCorner, 0, TRUE));
  }
}

void SPanel::ThrottledUpdate() {
  const DWORD now = GetTickCount();
  if (now - m_dwUpdateTime < static_cast<DWORD>(m_nUpdateInterval)) return;
  UpdateWindow();
  m_dwUpdateTime = now;
}

}  // namespace SWUI
