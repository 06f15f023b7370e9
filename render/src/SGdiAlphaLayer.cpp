#include "SGdiAlphaLayer.h"

#include "SBitmap_GDI.h"

namespace SWUI {

RECT SGdiAlphaLayer::VisiblePart(HDC hdc, const RECT& rc) {
  RECT box;
  const int kind = ::GetClipBox(hdc, &box);
  if (kind == ERROR) return rc;
  RECT visible;
  if (!IntersectRect(&visible, &rc, &box)) SetRectEmpty(&visible);
  return visible;
}

SGdiAlphaLayer::SGdiAlphaLayer(HDC hdcTarget, const RECT& rc, BYTE byAlpha, bool bCopy)
    : target_(hdcTarget), alpha_(byAlpha), rc_(VisiblePart(hdcTarget, rc)), copy_(bCopy) {
  width_ = rc_.right - rc_.left;
  height_ = rc_.bottom - rc_.top;
  if (width_ <= 0 || height_ <= 0) return;
  void* bits = nullptr;
  bitmap_ = SBitmap_GDI::CreateDIB32(width_, height_, &bits);
  if (bitmap_ == nullptr) return;
  dc_ = CreateCompatibleDC(target_);
  if (dc_ == nullptr) {
    DeleteObject(bitmap_);
    bitmap_ = nullptr;
    return;
  }
  bits_ = static_cast<BYTE*>(bits);
  oldBitmap_ = ::SelectObject(dc_, bitmap_);
  SetBkMode(dc_, TRANSPARENT);
  SetViewportOrgEx(dc_, -rc_.left, -rc_.top, nullptr);

  pen_ = ::SelectObject(target_, GetStockObject(BLACK_PEN));
  brush_ = ::SelectObject(target_, GetStockObject(BLACK_BRUSH));
  font_ = ::SelectObject(target_, GetStockObject(DEFAULT_GUI_FONT));
  ::SelectObject(dc_, pen_);
  ::SelectObject(dc_, brush_);
  ::SelectObject(dc_, font_);
  ::SetTextColor(dc_, ::GetTextColor(target_));

  if (copy_) {
    ::BitBlt(dc_, rc_.left, rc_.top, width_, height_, target_, rc_.left, rc_.top, SRCCOPY);
  }
  GdiFlush();
  const size_t count = static_cast<size_t>(width_) * height_;
  for (size_t i = 0; i < count; ++i) bits_[i * 4 + 3] = 0xFF;
}

SGdiAlphaLayer::~SGdiAlphaLayer() {
  if (dc_ == nullptr) return;
  GdiFlush();
  const size_t count = static_cast<size_t>(width_) * height_;
  DWORD* px = reinterpret_cast<DWORD*>(bits_);
  for (size_t i = 0; i < count; ++i) {
    if (px[i] & 0xFF000000u) {
      px[i] = 0;
    } else {
      px[i] |= 0xFF000000u;
    }
  }
  BLENDFUNCTION bf = {AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
  ::AlphaBlend(target_, rc_.left, rc_.top, width_, height_, dc_, rc_.left, rc_.top, width_,
               height_, bf);
  // Give the target its objects back before the layer's device context goes.
  ::SelectObject(dc_, GetStockObject(BLACK_PEN));
  ::SelectObject(dc_, GetStockObject(BLACK_BRUSH));
  ::SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
  ::SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
  ::SelectObject(target_, pen_);
  ::SelectObject(target_, brush_);
  ::SelectObject(target_, font_);
}

}  // namespace SWUI
