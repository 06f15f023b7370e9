#include "control/STextPicture.h"

namespace SWUI {

bool STextPicture::DeviceRect(HDC hdc, const RECT& rc, RECT* device) {
  // Only a plain shift by the viewport origin maps the rectangle onto the surface's pixels.
  POINT window = {0, 0};
  POINT org = {0, 0};
  if (GetMapMode(hdc) != MM_TEXT || GetLayout(hdc) != 0 || !GetWindowOrgEx(hdc, &window) ||
      window.x != 0 || window.y != 0 || !GetViewportOrgEx(hdc, &org)) {
    return false;
  }
  if (GetGraphicsMode(hdc) == GM_ADVANCED) {
    XFORM xf{};
    if (!GetWorldTransform(hdc, &xf) || xf.eM11 != 1.0f || xf.eM12 != 0.0f ||
        xf.eM21 != 0.0f || xf.eM22 != 1.0f || xf.eDx != 0.0f || xf.eDy != 0.0f) {
      return false;
    }
  }
  *device = rc;
  OffsetRect(device, org.x, org.y);
  return true;
}

bool STextPicture::ViewOf(HDC hdc, const RECT& rc, View* view) {
  HGDIOBJ bmp = GetCurrentObject(hdc, OBJ_BITMAP);
  RECT device;
  if (bmp == nullptr || GetObjectW(bmp, sizeof(view->bm), &view->bm) == 0 ||
      view->bm.bmBitsPixel != 32 || view->bm.bmBits == nullptr || !DeviceRect(hdc, rc, &device)) {
    return false;
  }
  const RECT bounds = {0, 0, view->bm.bmWidth,
                       view->bm.bmHeight < 0 ? -view->bm.bmHeight : view->bm.bmHeight};
  if (!IntersectRect(&device, &device, &bounds)) {
    SetRectEmpty(&view->visible);
    return true;
  }
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  HRGN part = CreateRectRgnIndirect(&device);
  bool simple = clip != nullptr && part != nullptr;
  if (simple) {
    const int has = GetClipRgn(hdc, clip);  // device coordinates
    int kind = SIMPLEREGION;
    if (has == 1) kind = CombineRgn(part, part, clip, RGN_AND);
    simple = has >= 0 && kind != ERROR && kind != COMPLEXREGION;
    if (kind == NULLREGION) SetRectEmpty(&device);
    if (simple && kind == SIMPLEREGION) GetRgnBox(part, &device);
  }
  if (clip != nullptr) DeleteObject(clip);
  if (part != nullptr) DeleteObject(part);
  view->visible = device;
  return simple;
}

DWORD* STextPicture::Pixel(const View& view, LONG x, LONG y) const {
  return reinterpret_cast<DWORD*>(static_cast<BYTE*>(view.bm.bmBits) +
                                  (static_cast<size_t>(y) * view.bm.bmWidth + x) * 4);
}

BOOL STextPicture::Reuse(HDC hdc, const RECT& rc, const std::vector<BYTE>& stamp) const {
  View view;
  RECT device;
  if (m_after.empty() || stamp != m_stamp || !ViewOf(hdc, rc, &view) ||
      !DeviceRect(hdc, rc, &device) || !EqualRect(&device, &m_rcDevice)) {
    return FALSE;
  }
  const LONG width = m_rcDevice.right - m_rcDevice.left;
  const RECT& v = view.visible;
  GdiFlush();
  for (LONG y = v.top; y < v.bottom; ++y) {
    const size_t at = static_cast<size_t>(y - m_rcDevice.top) * width + (v.left - m_rcDevice.left);
    const DWORD* row = Pixel(view, v.left, y);
    for (LONG x = 0; x < v.right - v.left; ++x) {
      if (row[x] != m_before[at + x]) return FALSE;
    }
  }
  for (LONG y = v.top; y < v.bottom; ++y) {
    const size_t at = static_cast<size_t>(y - m_rcDevice.top) * width + (v.left - m_rcDevice.left);
    DWORD* row = Pixel(view, v.left, y);
    for (LONG x = 0; x < v.right - v.left; ++x) row[x] = m_after[at + x];
  }
  return TRUE;
}

void STextPicture::Begin(HDC hdc, const RECT& rc, const std::vector<BYTE>& stamp) {
  m_bPending = false;
  m_before.clear();
  m_after.clear();
  View view;
  RECT device;
  if (!ViewOf(hdc, rc, &view) || !DeviceRect(hdc, rc, &device)) return;
  // Only a picture of the whole rectangle serves later repaints of any part of it.
  if (IsRectEmpty(&device) || !EqualRect(&view.visible, &device)) return;
  GdiFlush();
  m_rcDevice = device;
  m_stamp = stamp;
  for (LONG y = device.top; y < device.bottom; ++y) {
    const DWORD* row = Pixel(view, device.left, y);
    m_before.insert(m_before.end(), row, row + (device.right - device.left));
  }
  m_bPending = true;
}

void STextPicture::End(HDC hdc) {
  if (!m_bPending) return;
  m_bPending = false;
  View view;
  if (!ViewOf(hdc, RECT{0, 0, 0, 0}, &view)) {
    m_before.clear();
    return;
  }
  GdiFlush();
  for (LONG y = m_rcDevice.top; y < m_rcDevice.bottom; ++y) {
    const DWORD* row = Pixel(view, m_rcDevice.left, y);
    m_after.insert(m_after.end(), row, row + (m_rcDevice.right - m_rcDevice.left));
  }
}

}  // namespace SWUI
