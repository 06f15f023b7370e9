// A GDI region, created as the empty rectangle (0, 0, 0, 0).
#pragma once
#include <windows.h>

#include "IRegion.h"
#include "TGdiRenderObjImpl.h"

namespace SWUI {

using SRegionBase_GDI = TGdiRenderObjImpl<IRegion, OT_RGN>;

class SRegion_GDI : public SRegionBase_GDI {
  SWUI_CLASS_NAME_EX(SRegionBase_GDI, L"region", OBJ_TYPE_UNDEF)

 public:
  explicit SRegion_GDI(IRenderFactory* pRenderFactory);
  ~SRegion_GDI() override;

  // RGN_DIFF removes the other region from this one; every other mode combines both.
  int CombineRect(LPCRECT lprect, int nCombineMode) override;
  int CombineRgn(const IRegion* pRgnSrc, int nCombineMode) override;
  // Every mode combines this region with the round rectangle or ellipse as CombineRect does.
  int CombineRoundRect(LPCRECT lprect, int nEllipseWidth, int nEllipseHeight,
                       int nCombineMode) override;
  int CombineEllipse(LPCRECT lprect, int nCombineMode) override;
  BOOL PtInRegion(int x, int y) const override;
  BOOL RectInRegion(LPCRECT lprect) const override;
  int GetRgnBox(LPRECT lprect) const override;
  BOOL IsEmpty() const override;
  int Offset(POINT pt) override;
  void Clear() override;
  int CopyFromHRGN(HRGN hRgn) override;

  HRGN GetRegion() const { return rgn_; }

 private:
  // Combines a region this object does not keep into this one; deletes it.
  int CombineTemp(HRGN other, int nCombineMode);

  HRGN rgn_;
};

}  // namespace SWUI
