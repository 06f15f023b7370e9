#include "SBrush_GDI.h"

#include <new>

namespace SWUI {

SBrush_GDI::SBrush_GDI(IRenderFactory* pRenderFactory, HBRUSH brush, BOOL bitmap, COLORREF cr)
    : SBrushBase_GDI(pRenderFactory), brush_(brush), bitmap_(bitmap), color_(cr) {}

SBrush_GDI* SBrush_GDI::CreateSolidBrush(IRenderFactory* pRenderFactory, COLORREF cr) {
  HBRUSH brush = ::CreateSolidBrush(cr & 0x00FFFFFF);
  SBrush_GDI* obj = new (std::nothrow) SBrush_GDI(pRenderFactory, brush, FALSE, cr);
  if (obj == nullptr && brush != nullptr) DeleteObject(brush);
  return obj;
}

SBrush_GDI* SBrush_GDI::CreateBitmapBrush(IRenderFactory* pRenderFactory, HBITMAP hBmp) {
  HBRUSH brush = hBmp != nullptr ? CreatePatternBrush(hBmp) : nullptr;
  SBrush_GDI* obj = new (std::nothrow) SBrush_GDI(pRenderFactory, brush, TRUE, 0);
  if (obj == nullptr && brush != nullptr) DeleteObject(brush);
  return obj;
}

SBrush_GDI::~SBrush_GDI() {
  if (brush_ != nullptr) DeleteObject(brush_);
}

}  // namespace SWUI
