// A GDI brush: solid (its colour 0xAABBGGRR kept) or a pattern over a bitmap.
#pragma once
#include <windows.h>

#include "IBrush.h"
#include "TGdiRenderObjImpl.h"

namespace SWUI {

using SBrushBase_GDI = TGdiRenderObjImpl<IBrush, OT_BRUSH>;

class SBrush_GDI : public SBrushBase_GDI {
  SWUI_CLASS_NAME_EX(SBrushBase_GDI, L"brush", OBJ_TYPE_UNDEF)

 public:
  // A solid brush of the colour's low 24 bits.
  static SBrush_GDI* CreateSolidBrush(IRenderFactory* pRenderFactory, COLORREF cr);
  // A pattern brush over hBmp.
  static SBrush_GDI* CreateBitmapBrush(IRenderFactory* pRenderFactory, HBITMAP hBmp);

  ~SBrush_GDI() override;

  HBRUSH GetBrush() const { return brush_; }
  BOOL IsBitmap() const { return bitmap_; }
  COLORREF GetColor() const { return color_; }

 private:
  SBrush_GDI(IRenderFactory* pRenderFactory, HBRUSH brush, BOOL bitmap, COLORREF cr);

  HBRUSH brush_;
  BOOL bitmap_;
  COLORREF color_;
};

}  // namespace SWUI
