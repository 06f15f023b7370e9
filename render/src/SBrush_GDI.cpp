#include "SBrush_GDI.h"

namespace SWUI {

SBrush_GDI::SBrush_GDI(IRenderFactory* pRenderFactory, HBRUSH brush, BOOL bitmap, COLORREF cr)
    : SBrushBase_GDI(pRenderFactory), brush_(brush), bitmap_(bitmap), color_(cr) {}

SBrush_GDI* SBrush_GDI::CreateSolidBrush(IRenderFactory* pRenderFactory, COLORREF cr) {
  HBRUSH brush = ::CreateSolidBrush(cr & 0x00FFFFFF);
  return new SBrush_GDI(pRenderFactory, brush, FALSE, cr);
}

SBrush_GDI* SBrush_GDI::CreateBitmapBrush(IRenderFactory* pRenderFactory, HBITMAP hBmp) {
  HBRUSH brush = hBmp != nullptr ? CreatePatternBrush(hBmp) : nullptr;
  return new SBrush_GDI(pRenderFactory, brush, TRUE, 0);
}

SBrush_GDI::~SBrush_GDI() {
  if (brush_ != nullptr) DeleteObject(brush_);
}

}  // namespace SWUI
