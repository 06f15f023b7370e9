#include "core/STipWndBase.h"

#include <cwchar>

namespace SWUI {

namespace {

// The box in which a tip's text is word-wrapped and measured.
const RECT kMeasureBox = {0, 0, 500, 1000};
const int kFontHeight = -12;
const wchar_t kFontFace[] = L"宋体";

}  // namespace

STipWndBase::~STipWndBase() {
  // Gone before the font, so that no paint can reach a deleted font.
  if (m_hWnd != nullptr) DestroyWindow();
  if (m_hFont != nullptr) DeleteObject(m_hFont);
}

BOOL STipWndBase::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& lResult,
                                       DWORD mapId) {
  if (mapId != 0) return FALSE;
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    if (dc != nullptr) {
      Paint(dc);
      EndPaint(m_hWnd, &ps);
    }
    lResult = 0;
    return TRUE;
  }
  if (msg == WM_PRINTCLIENT) {
    Paint(reinterpret_cast<HDC>(wParam));
    lResult = 0;
    return TRUE;
  }
  return FALSE;
}

HWND STipWndBase::CreateTipWindow(LPCWSTR title) {
  HWND hWnd = Create(title, kStyle, kExStyle, 0, 0, 0, 0, nullptr, nullptr);
  if (hWnd != nullptr) SetFontScale(100);
  return hWnd;
}

BOOL STipWndBase::SetFontScale(int scale) {
  LOGFONTW lf = {};
  if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == 0) return FALSE;
  lf.lfHeight = kFontHeight * scale / 100;
  wcsncpy(lf.lfFaceName, kFontFace, LF_FACESIZE - 1);
  lf.lfFaceName[LF_FACESIZE - 1] = 0;
  HFONT font = CreateFontIndirectW(&lf);
  if (font == nullptr) return FALSE;
  if (m_hFont != nullptr) DeleteObject(m_hFont);
  m_hFont = font;
  m_fontScale = scale;
  return TRUE;
}

void STipWndBase::ShowTip(Bounds bounds, UINT swpFlags) {
  if (m_strText.IsEmpty() || m_hWnd == nullptr) return;
  RECT text = kMeasureBox;
  HDC dc = ::GetDC(nullptr);
  if (dc == nullptr) return;
  HGDIOBJ oldFont = SelectObject(dc, m_hFont != nullptr ? m_hFont : GetStockObject(DEFAULT_GUI_FONT));
  DrawTextW(dc, m_strText, m_strText.GetLength(), &text, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, oldFont);
  ::ReleaseDC(nullptr, dc);

  RECT rc;
  if (!GetWindowRect(m_hWnd, &rc)) return;
  rc.right = rc.left + (text.right - text.left) + 2 * kTextInset;
  rc.bottom = rc.top + (text.bottom - text.top) + 2 * kTextInset;
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  if (GetMonitorInfoW(MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &mi)) {
    const RECT& limit = bounds == kWorkArea ? mi.rcWork : mi.rcMonitor;
    if (rc.right > limit.right) OffsetRect(&rc, limit.right - rc.right, 0);
    if (rc.bottom > limit.bottom) OffsetRect(&rc, 0, limit.bottom - rc.bottom);
  }
  SetWindowPos(m_hWnd, HWND_TOPMOST, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | swpFlags);
  InvalidateRect(nullptr, TRUE);
}

void STipWndBase::HideTip() {
  if (m_hWnd != nullptr) ShowWindow(m_hWnd, SW_HIDE);
}

void STipWndBase::Paint(HDC dc) {
  RECT rc;
  GetClientRect(m_hWnd, &rc);
  // The current pen frames the background.
  HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_INFOBK));
  Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
  SelectObject(dc, oldBrush);
  InflateRect(&rc, -kTextInset, -kTextInset);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = SelectObject(dc, m_hFont != nullptr ? m_hFont : GetStockObject(DEFAULT_GUI_FONT));
  DrawTextW(dc, m_strText, m_strText.GetLength(), &rc, DT_WORDBREAK);
  SelectObject(dc, oldFont);
  SetBkMode(dc, oldMode);
}

}  // namespace SWUI
