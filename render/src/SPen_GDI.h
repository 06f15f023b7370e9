// A GDI pen: style (PS_ flags), width in pixels, colour 0xAABBGGRR and the HPEN.
#pragma once
#include <windows.h>

#include "IPen.h"
#include "TGdiRenderObjImpl.h"

namespace SWUI {

using SPenBase_GDI = TGdiRenderObjImpl<IPen, OT_PEN>;

class SPen_GDI : public SPenBase_GDI {
  SWUI_CLASS_NAME_EX(SPenBase_GDI, L"pen", OBJ_TYPE_UNDEF)

 public:
  // A geometric style (PS_GEOMETRIC) makes the pen with ExtCreatePen; GDI gets the low 24 bits
  // of the colour.
  SPen_GDI(IRenderFactory* pRenderFactory, int iStyle, COLORREF cr, int cWidth);
  ~SPen_GDI() override;

  int GetStyle() const { return style_; }
  int GetWidth() const { return width_; }
  COLORREF GetColor() const { return color_; }
  HPEN GetPen() const { return pen_; }

 private:
  int style_;
  int width_;
  COLORREF color_;
  HPEN pen_ = nullptr;
};

}  // namespace SWUI
