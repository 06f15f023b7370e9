#include "control/SScrollView.h"

#include <algorithm>
#include <cwchar>

#include "control/EventScroll.h"
#include "core/EventScrollViewOriginChanged.h"
#include "core/EventScrollViewSizeChanged.h"
#include "core/SAttrParse.h"

namespace SWUI {

namespace {

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }
bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

}  // namespace

SScrollView::SScrollView() {
  m_dwFlags |= SWF_CLIPCLIENT;
  GetEventSet()->AddEvent<EventScrollViewOriginChanged>();
  GetEventSet()->AddEvent<EventScrollViewSizeChanged>();
  GetEventSet()->AddEvent<EventScroll>();
}

HRESULT SScrollView::SetAttribute(const SStringW& strAttribName, const SStringW& strValue,
                                  BOOL bLoading) {
  using P = SAttrParse;
  if (P::IsName(strAttribName, L"origin-x") || P::IsName(strAttribName, L"origin-y")) {
    const int value = P::Int(strValue);
    if (P::IsName(strAttribName, L"origin-x")) {
      m_ptOrigin.x = value;
    } else {
      m_ptOrigin.y = value;
    }
    return AfterAttribute(strAttribName, strValue, bLoading, S_FALSE);
  }
  if (P::IsName(strAttribName, L"viewSize")) {
    int width = 0;
    int height = 0;
    if (swscanf(strValue, L"%d,%d", &width, &height) != 2) return E_FAIL;
    if (width < 1 || height < 1) {
      m_bAutoViewSize = TRUE;
      if (!bLoading) RefreshView();
    } else {
      m_bAutoViewSize = FALSE;
      if (bLoading) {
        m_szView = SIZE{width, height};
      } else {
        SetViewSize(SIZE{width, height});
      }
    }
    return AfterAttribute(strAttribName, strValue, bLoading, S_FALSE);
  }
  if (P::IsName(strAttribName, L"leastViewSize")) {
    int width = 0;
    int height = 0;
    if (swscanf(strValue, L"%d,%d", &width, &height) != 2) return E_FAIL;
    m_szLeast = SIZE{std::max(width, 0), std::max(height, 0)};
    if (!bLoading) {
      RefreshView();
      // The children are placed in the new view at the next layout.
      RequestRelayout(this, FALSE);
    }
    return AfterAttribute(strAttribName, strValue, bLoading, S_FALSE);
  }
  return SPanel::SetAttribute(strAttribName, strValue, bLoading);
}

void SScrollView::SetViewSize(SIZE szView) {
  if (SameSize(szView, m_szView)) return;
  const SIZE old = m_szView;
  m_szView = szView;
  UpdateScrollBar();
  OnViewSizeChanged(old, szView);
}

void SScrollView::SetViewOrigin(POINT pt) {
  if (SamePoint(pt, m_ptOrigin)) return;
  const POINT old = m_ptOrigin;
  m_ptOrigin = pt;
  SetScrollPos(FALSE, pt.x, TRUE);
  SetScrollPos(TRUE, pt.y, TRUE);
  SetLayoutDirty(SWF_LAYOUT_SELF);
  OnViewOriginChanged(old, pt);
  Invalidate();
}

void SScrollView::OnViewSizeChanged(SIZE szOld, SIZE szNew) {
  EventScrollViewSizeChanged evt(this);
  evt.szOldViewSize = szOld;
  evt.szNewViewSize = szNew;
  FireEvent(evt);
}

void SScrollView::OnViewOriginChanged(POINT ptOld, POINT ptNew) {
  SetLayoutDirty(SWF_LAYOUT_SELF);
  UpdateChildrenPosition();
  SetLayoutDirty(0);
  EventScrollViewOriginChanged evt(this);
  evt.ptOldOrigin = ptOld;
  evt.ptNewOrigin = ptNew;
  FireEvent(evt);
}

BOOL SScrollView::OnScroll(BOOL bVertical, UINT uCode, int nPos) {
  if (!SPanel::OnScroll(bVertical, uCode, nPos)) return FALSE;
  const int newPos = GetScrollPos(bVertical);
  SetViewOrigin(POINT{m_siHoz.nPos, m_siVer.nPos});
  if (uCode == SB_THUMBTRACK) ThrottledUpdate();
  EventScroll evt(this);
  evt.nSbCode = static_cast<int>(uCode);
  evt.nPos = newPos;
  evt.bVertical = bVertical;
  FireEvent(evt);
  return TRUE;
}

void SScrollView::UpdateScrollBar() {
  RECT rc;
  SWindow::GetClientRect(&rc);
  const int w = std::max<int>(rc.right - rc.left, 0);
  const int h = std::max<int>(rc.bottom - rc.top, 0);
  const int W = m_szView.cx;
  const int H = m_szView.cy;
  const int s = GetSbWidth();
  const POINT oldOrigin = m_ptOrigin;
  m_wBarVisible = SSB_NULL;

  if (h >= H && (h >= H + s || w >= W)) {
    m_siVer.nMin = 0;
    m_siVer.nMax = h - 1;
    m_siVer.nPage = static_cast<UINT>(h);
    m_siVer.nPos = 0;
    m_ptOrigin.y = 0;
    m_siHoz.nPage = static_cast<UINT>(w);
    m_siHoz.nMin = 0;
    if (w >= W) {
      m_siHoz.nMax = w - 1;
    } else {
      m_wBarVisible |= SSB_HORZ;
      m_siHoz.nMax = W - 1;
    }
  } else {
    m_wBarVisible |= SSB_VERT;
    m_siVer.nMin = 0;
    m_siVer.nMax = H - 1;
    m_siVer.nPage = static_cast<UINT>(h);
    m_siHoz.nMin = 0;
    if (w >= W + s) {
      m_siHoz.nPage = static_cast<UINT>(w);
      m_siHoz.nMax = w - 1;
    } else {
      m_wBarVisible |= SSB_HORZ;
      m_siVer.nPage = static_cast<UINT>(std::max(h - s, 0));
      m_siHoz.nMax = W - 1;
      m_siHoz.nPage = static_cast<UINT>(std::max(w - s, 0));
    }
    // A view scrolled to its end stays at the end: the largest position a step may reach.
    const int last = std::max(m_siVer.nMax - static_cast<int>(m_siVer.nPage) + 1, 0);
    if (m_siVer.nPos > last) {
      m_siVer.nPos = last;
      m_ptOrigin.y = last;
    }
  }
  if (m_wBarVisible & SSB_HORZ) {
    const int last = std::max(m_siHoz.nMax - static_cast<int>(m_siHoz.nPage) + 1, 0);
    if (m_siHoz.nPos > last) {
      m_siHoz.nPos = last;
      m_ptOrigin.x = last;
    }
  } else {
    m_siHoz.nPos = 0;
    m_ptOrigin.x = 0;
  }

  SetScrollPos(TRUE, m_siVer.nPos, TRUE);
  SetScrollPos(FALSE, m_siHoz.nPos, TRUE);
  SSendMessage(WM_NCCALCSIZE);
  if (!SamePoint(oldOrigin, m_ptOrigin)) OnViewOriginChanged(oldOrigin, m_ptOrigin);
  Invalidate();
}

void SScrollView::GetChildrenLayoutRect(RECT* prc) const {
  SPanel::GetChildrenLayoutRect(prc);
  OffsetRect(prc, -m_ptOrigin.x, -m_ptOrigin.y);
  prc->right = prc->left + m_szView.cx;
  prc->bottom = prc->top + m_szView.cy;
}

SIZE SScrollView::MeasureView() {
  RECT rc;
  SWindow::GetClientRect(&rc);
  RECT padding;
  m_style.GetPadding(&padding);
  const int width = std::max<int>(rc.right - rc.left - padding.left - padding.right, 0);
  const int height = std::max<int>(rc.bottom - rc.top - padding.top - padding.bottom, 0);
  SIZE size = m_pLayout != nullptr ? m_pLayout->MeasureChildren(this, width, height) : SIZE{0, 0};
  size.cx += padding.left + padding.right;
  size.cy += padding.top + padding.bottom;
  return size;
}

SIZE SScrollView::StretchView() const {
  RECT rc;
  SWindow::GetClientRect(&rc);
  const int w = std::max<int>(rc.right - rc.left, 0);
  const int h = std::max<int>(rc.bottom - rc.top, 0);
  const int s = GetSbWidth();
  // One bar takes room from the other axis, which may then need its bar too.
  bool horz = m_szLeast.cx > w;
  bool vert = m_szLeast.cy > h;
  for (int pass = 0; pass < 2; ++pass) {
    horz = horz || m_szLeast.cx > w - (vert ? s : 0);
    vert = vert || m_szLeast.cy > h - (horz ? s : 0);
  }
  return SIZE{std::max<int>(m_szLeast.cx, w - (vert ? s : 0)),
              std::max<int>(m_szLeast.cy, h - (horz ? s : 0))};
}

SIZE SScrollView::AutoViewSize() {
  if (m_szLeast.cx > 0 || m_szLeast.cy > 0) return StretchView();
  return MeasureView();
}

void SScrollView::UpdateChildrenPosition() {
  if (!m_bAutoViewSize) {
    SPanel::UpdateChildrenPosition();
    return;
  }
  const SIZE old = m_szView;
  m_szView = AutoViewSize();
  SPanel::UpdateChildrenPosition();
  UpdateScrollBar();
  if (!SameSize(old, m_szView)) OnViewSizeChanged(old, m_szView);
}

void SScrollView::RefreshView() {
  if (m_bAutoViewSize) {
    const SIZE old = m_szView;
    m_szView = AutoViewSize();
    if (!SameSize(old, m_szView)) OnViewSizeChanged(old, m_szView);
  }
  UpdateScrollBar();
}

void SScrollView::OnSize(UINT nType, SIZE size) {
  SPanel::OnSize(nType, size);
  RefreshView();
}

}  // namespace SWUI
