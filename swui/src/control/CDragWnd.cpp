#include "control/CDragWnd.h"

#include <memory>

#include "control/CMemDC.h"
#include "core/SLayeredWindowApi.h"

namespace SWUI {

CDragWnd* CDragWnd::s_instance = nullptr;

BOOL CDragWnd::BeginDrag(HBITMAP bitmap, POINT hotSpot, COLORREF colorKey, BYTE alpha,
                         DWORD lwaFlags) {
  if (s_instance != nullptr || bitmap == nullptr) return FALSE;
  BITMAP info = {};
  if (::GetObjectW(bitmap, sizeof(info), &info) != sizeof(info) || info.bmWidth <= 0 ||
      info.bmHeight <= 0) {
    return FALSE;
  }
  std::unique_ptr<CDragWnd> wnd(new CDragWnd());
  wnd->m_hotSpot = hotSpot;
  if (!wnd->Show(bitmap, info, colorKey, alpha, lwaFlags)) return FALSE;
  s_instance = wnd.release();
  return TRUE;
}

BOOL CDragWnd::Show(HBITMAP bitmap, const BITMAP& info, COLORREF colorKey, BYTE alpha,
                    DWORD lwaFlags) {
  m_bitmap = bitmap;
  m_size = SIZE{info.bmWidth, info.bmHeight};
  if (Create(L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_TRANSPARENT, 0, 0, m_size.cx,
             m_size.cy, nullptr, nullptr) == nullptr) {
    return FALSE;
  }
  ModifyStyleEx(0, WS_EX_LAYERED);
  const BOOL shown = info.bmBitsPixel == 32
                         ? UpdateLayered(info, alpha)
                         : ::SetLayeredWindowAttributes(m_hWnd, colorKey, alpha, lwaFlags);
  if (!shown) DestroyWindow();
  return shown;
}

BOOL CDragWnd::UpdateLayered(const BITMAP& info, BYTE alpha) {
  PFN_UpdateLayeredWindow update = nullptr;
  PFN_UpdateLayeredWindowIndirect indirect = nullptr;
  if (!SLayeredWindowApi::Resolve(&update, &indirect)) return FALSE;
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return FALSE;
  BOOL done = FALSE;
  {
    CMemDC mem(screen, m_bitmap);
    if (mem.IsValid()) {
      SIZE size = {info.bmWidth, info.bmHeight};
      POINT src = {0, 0};
      BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
      done = update(m_hWnd, screen, nullptr, &size, mem.GetDC(), &src, 0, &blend, ULW_ALPHA);
    }
  }
  ::ReleaseDC(nullptr, screen);
  return done;
}

void CDragWnd::DragMove(POINT screenPoint) {
  if (s_instance == nullptr) return;
  ::SetWindowPos(
      s_instance->m_hWnd, HWND_TOPMOST, screenPoint.x - s_instance->m_hotSpot.x,
      screenPoint.y - s_instance->m_hotSpot.y, 0, 0,
      SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void CDragWnd::EndDrag() {
  if (s_instance == nullptr) return;
  std::unique_ptr<CDragWnd> wnd(s_instance);
  s_instance = nullptr;
  wnd->DestroyWindow();
}

BOOL CDragWnd::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                    LRESULT& lResult, DWORD mapId) {
  if (mapId == 0 && msg == WM_PAINT) {
    OnPaint();
    lResult = 0;
    return TRUE;
  }
  return CSimpleWnd::ProcessWindowMessage(hWnd, msg, wParam, lParam, lResult, mapId);
}

void CDragWnd::OnPaint() {
  PAINTSTRUCT ps;
  HDC hdc = ::BeginPaint(m_hWnd, &ps);
  if (hdc == nullptr) return;
  CMemDC mem(hdc, m_bitmap);
  if (mem.IsValid()) ::BitBlt(hdc, 0, 0, m_size.cx, m_size.cy, mem.GetDC(), 0, 0, SRCCOPY);
  ::EndPaint(m_hWnd, &ps);
}

}  // namespace SWUI
