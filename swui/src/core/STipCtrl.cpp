#include "core/STipCtrl.h"

#include <windowsx.h>

namespace SWUI {

BOOL STipCtrl::Create(HWND hOwner) {
  m_hOwner = hOwner;
  return CreateTipWindow(L"swui tooltip") != nullptr;
}

BOOL STipCtrl::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && msg == WM_TIMER) {
    if (wParam == kTimerDelay) {
      OnDelayElapsed();
    } else if (wParam == kTimerAutoPop) {
      Hide();
    }
    lResult = 0;
    return TRUE;
  }
  return STipWndBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

BOOL STipCtrl::PreTranslateMessage(MSG* msg) {
  if (msg != nullptr && m_hWnd != nullptr && IsWindow(m_hWnd)) RelayEvent(msg);
  return FALSE;
}

void STipCtrl::UpdateTip(const TIPID& id, const RECT& rc, LPCWSTR tip, int scale) {
  if (id == m_id) return;
  m_id = id;
  m_rcTip = rc;
  m_strText = tip;
  if (scale != GetFontScale()) SetFontScale(scale);
  // Texts from layouts write a line break as the two characters backslash and n.
  SStringW text;
  for (int i = 0, n = m_strText.GetLength(); i < n; ++i) {
    if (m_strText[i] == L'\\' && i + 1 < n && m_strText[i + 1] == L'n') {
      text += L'\n';
      ++i;
    } else {
      text += m_strText[i];
    }
  }
  m_strText = text;
  if (m_hWnd != nullptr && IsWindowVisible(m_hWnd)) ShowTip(kMonitorRect, 0);
}

void STipCtrl::ClearTip() {
  m_id = TIPID();
  Hide();
}

void STipCtrl::RelayEvent(const MSG* msg) {
  if (msg == nullptr || m_hWnd == nullptr || !IsOwnersMessage(msg->hwnd)) return;
  switch (msg->message) {
    case WM_MOUSEMOVE: {
      POINT pt = {GET_X_LPARAM(msg->lParam), GET_Y_LPARAM(msg->lParam)};
      // The tip's rectangle is in the owner's client coordinates.
      if (msg->hwnd != m_hOwner) MapWindowPoints(msg->hwnd, m_hOwner, &pt, 1);
      if (!PtInRect(&m_rcTip, pt)) {
        Hide();
      } else if (!IsWindowVisible(m_hWnd) && !m_strText.IsEmpty()) {
        KillTimer(kTimerDelay);
        SetTimer(kTimerDelay, kShowDelay);
        m_bTimersArmed = TRUE;
        ClientToScreen(m_hOwner, &pt);
        SetWindowPos(m_hWnd, nullptr, pt.x, pt.y + kCursorOffset, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOSENDCHANGING | SWP_NOACTIVATE);
      }
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
      Hide();
      break;
    default:
      break;
  }
}

void STipCtrl::OnDelayElapsed() {
  KillTimer(kTimerDelay);
  ShowTip(kMonitorRect, 0);
  SetTimer(kTimerAutoPop, kAutoPopTime);
  m_bTimersArmed = TRUE;
}

void STipCtrl::Hide() {
  // The host clears the tip on every move over an element without one: nothing that is not
  // running or shown costs a call to the system.
  if (m_bTimersArmed) {
    KillTimer(kTimerDelay);
    KillTimer(kTimerAutoPop);
    m_bTimersArmed = FALSE;
  }
  if (m_hWnd != nullptr && IsWindowVisible(m_hWnd)) HideTip();
  SetRectEmpty(&m_rcTip);
  m_strText.Empty();
}

bool STipCtrl::IsOwnersMessage(HWND hWnd) const {
  return m_hOwner != nullptr && hWnd != nullptr && (hWnd == m_hOwner || IsChild(m_hOwner, hWnd));
}

}  // namespace SWUI
