#include "SPen_GDI.h"

namespace SWUI {

SPen_GDI::SPen_GDI(IRenderFactory* pRenderFactory, int iStyle, COLORREF cr, int cWidth)
    : SPenBase_GDI(pRenderFactory), style_(iStyle), width_(cWidth), color_(cr) {
  if (iStyle & PS_GEOMETRIC) {
    LOGBRUSH lb{};
    lb.lbStyle = BS_SOLID;
    lb.lbColor = cr & 0x00FFFFFF;
    pen_ = ExtCreatePen(static_cast<DWORD>(iStyle) | PS_GEOMETRIC, static_cast<DWORD>(cWidth),
                        &lb, 0, nullptr);
  } else {
    pen_ = ::CreatePen(iStyle, cWidth, cr & 0x00FFFFFF);
  }
}

SPen_GDI::~SPen_GDI() {
  if (pen_ != nullptr) DeleteObject(pen_);
}

}  // namespace SWUI
