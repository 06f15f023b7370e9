// SPanel: the bars' non-client mouse handling, the repeat timers, the wheel and the scroll
// messages.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "control/SPanel.h"

namespace SWUI {

namespace {

LONG Along(const RECT& rc, BOOL bVertical) {
  return bVertical ? rc.bottom - rc.top : rc.right - rc.left;
}

}  // namespace

void SPanel::OnNcLButtonDown(UINT, POINT pt) {
  BOOL vertical = FALSE;
  const int part = HitTest(pt, &vertical);
  m_nHotPart = part;
  m_bHotVertical = vertical;
  if (part == kNoPart || !IsScrollBarEnable(vertical)) return;
  SetCapture();
  m_bPressed = TRUE;
  if (part == SB_THUMBTRACK) {
    m_nDragSb = BarBit(vertical);
    m_ptDragStart = pt;
    m_nDragPos = InfoOf(vertical).nPos;
    // The first repaint of the drag happens at once.
    m_dwUpdateTime = GetTickCount() - static_cast<DWORD>(m_nUpdateInterval);
    const SbPartState parts[] = {{SB_PAGEUP, kSbHover, true}, {SB_THUMBTRACK, kSbPressed, false}};
    RedrawSbParts(vertical, parts, 2);
    return;
  }
  if (part == SB_LINEUP || part == SB_LINEDOWN) {
    const SbPartState arrow = {part, kSbPressed, false};
    RedrawSbParts(vertical, &arrow, 1);
  }
  OnScroll(vertical, static_cast<UINT>(part), InfoOf(vertical).nPos);
  SetTimer(kTimerDelay, kDelayMs);
}

void SPanel::OnNcMouseMove(UINT, POINT pt) {
  if (m_nDragSb != SSB_NULL) {
    DragThumbTo(pt);
  } else {
    NcMouseMove(pt);
  }
}

void SPanel::DragThumbTo(POINT pt) {
  const BOOL vertical = m_nDragSb == SSB_VERT;
  SCROLLINFO& info = InfoOf(vertical);
  const RECT rail = GetSbRailRect(vertical);
  RECT thumb = ThumbRectAt(vertical, m_nDragPos);
  const LONG travel = Along(rail, vertical) - Along(thumb, vertical);
  const LONG delta = vertical ? pt.y - m_ptDragStart.y : pt.x - m_ptDragStart.x;
  const long long steps = static_cast<long long>(info.nMax) - info.nPage - info.nMin + 1;
  long long moved = m_nDragPos;
  if (travel > 0) moved += steps * delta / travel;
  moved = std::min<long long>(std::max<long long>(moved, INT_MIN), INT_MAX);
  const int newPos = ClampPos(info, static_cast<int>(moved));

  // The thumb follows the cursor pixel by pixel, kept on the rail.
  LONG shift = delta;
  if (vertical) {
    shift = std::max(std::min(shift, rail.bottom - thumb.bottom), rail.top - thumb.top);
    OffsetRect(&thumb, 0, shift);
  } else {
    shift = std::max(std::min(shift, rail.right - thumb.right), rail.left - thumb.left);
    OffsetRect(&thumb, shift, 0);
  }
  const SbPartState parts[] = {{SB_PAGEUP, kSbHover, true}, {SB_THUMBTRACK, kSbPressed, false}};
  RedrawSbParts(vertical, parts, 2, &thumb);

  if (newPos == info.nTrackPos) return;
  info.nTrackPos = newPos;
  OnScroll(vertical, SB_THUMBTRACK, newPos);
}

void SPanel::NcMouseMove(POINT pt) {
  BOOL vertical = FALSE;
  const int part = HitTest(pt, &vertical);
  if (part == kNoPart) {
    LeaveBars();
    return;
  }
  if (part == m_nHotPart && vertical == m_bHotVertical) return;
  const int oldPart = m_nHotPart;
  const BOOL oldVertical = m_bHotVertical;
  m_nHotPart = part;
  m_bHotVertical = vertical;
  // The bar the cursor left goes back to rest.
  if (oldPart != kNoPart && oldVertical != vertical) {
    RedrawSbWhole(oldVertical, kSbRest, kSbRest, kNoPart, kSbRest);
  }
  RedrawSbWhole(vertical, kSbNormal, kSbHover, part, kSbHover);
}

void SPanel::LeaveBars() {
  if (m_nDragSb != SSB_NULL) return;
  if (m_nHotPart != kNoPart && IsVisible(TRUE) && IsScrollBarEnable(m_bHotVertical)) {
    RedrawSbWhole(m_bHotVertical, kSbRest, kSbRest, kNoPart, kSbRest);
  }
  m_nHotPart = kNoPart;
}

void SPanel::OnNcLButtonUp(UINT, POINT pt) {
  EndPress();
  NcMouseMove(pt);
}

void SPanel::EndDrag() {
  const BOOL vertical = m_nDragSb == SSB_VERT;
  m_nDragSb = SSB_NULL;
  SCROLLINFO& info = InfoOf(vertical);
  if (info.nTrackPos != -1) OnScroll(vertical, SB_THUMBPOSITION, info.nTrackPos);
  info.nTrackPos = -1;
  const SbPartState parts[] = {{SB_PAGEUP, kSbNormal, true}, {SB_THUMBTRACK, kSbNormal, false}};
  RedrawSbParts(vertical, parts, 2);
}

void SPanel::EndPress() {
  if (m_nDragSb != SSB_NULL) {
    EndDrag();
  } else if (m_bPressed && (m_nHotPart == SB_LINEUP || m_nHotPart == SB_LINEDOWN)) {
    const SbPartState arrow = {m_nHotPart, kSbNormal, false};
    RedrawSbParts(m_bHotVertical, &arrow, 1);
  }
  KillTimer(kTimerDelay);
  KillTimer(kTimerRepeat);
  // Only a capture this press took is given back.
  if (m_bPressed && GetCapture() == m_swnd) ReleaseCapture();
  m_bPressed = FALSE;
  m_nHotPart = kNoPart;
}

void SPanel::OnNcMouseLeave() { LeaveBars(); }

void SPanel::OnTimer(char cTimerId) {
  if (cTimerId == kTimerDelay) {
    KillTimer(kTimerDelay);
    SetTimer(kTimerRepeat, kRepeatMs);
    cTimerId = kTimerRepeat;
  }
  if (cTimerId != kTimerRepeat) {
    SetMsgHandled(FALSE);
    return;
  }
  if (m_bPressed && m_nHotPart < SB_THUMBPOSITION) {
    OnScroll(m_bHotVertical, static_cast<UINT>(m_nHotPart), 0);
  }
}

void SPanel::OnShowWindow(BOOL bShow, UINT nStatus) {
  SWindow::OnShowWindow(bShow, nStatus);
  if (!IsVisible(TRUE) && m_bPressed) EndPress();
}

LRESULT SPanel::OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  const int total = m_zDelta + static_cast<short>(HIWORD(wParam));
  const int steps = total / WHEEL_DELTA;
  m_zDelta = static_cast<short>(total % WHEEL_DELTA);
  const int count = std::abs(steps);
  int done = 0;
  while (done < count && OnScroll(TRUE, steps > 0 ? SB_LINEUP : SB_LINEDOWN, 0)) {
    ThrottledUpdate();
    ++done;
  }
  if (done < count) {
    // What this panel could not scroll goes on to its parent.
    int rest = (count - done) * WHEEL_DELTA;
    rest = std::min(rest, static_cast<int>(SHRT_MAX));
    if (steps < 0) rest = -rest;
    SWindow::OnMouseWheel(uMsg, MAKEWPARAM(LOWORD(wParam), static_cast<WORD>(rest)), lParam);
  }
  if (count > 0) {
    // The content moved under the cursor: hover and cursor follow it.
    if (HWND host = ContainerHostHwnd()) {
      ::SendMessageW(host, WM_MOUSEMOVE, 0, lParam);
      ::SendMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
  }
  return 0;
}

LRESULT SPanel::OnScrollMsg(UINT uMsg, WPARAM wParam, LPARAM) {
  OnScroll(uMsg == WM_VSCROLL, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
  return 0;
}

}  // namespace SWUI
