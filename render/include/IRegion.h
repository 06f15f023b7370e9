// A region (object type OT_RGN), made by the render factory; combine modes are the platform's
// RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF and RGN_COPY. Results of GDI calls are passed through.
#pragma once
#include "IRenderObj.h"

namespace SWUI {

struct IRegion : public IRenderObj {
  virtual int CombineRect(LPCRECT lprect, int nCombineMode) = 0;
  virtual int CombineRgn(const IRegion* pRgnSrc, int nCombineMode) = 0;
  virtual int CombineRoundRect(LPCRECT lprect, int nEllipseWidth, int nEllipseHeight,
                               int nCombineMode) = 0;
  virtual int CombineEllipse(LPCRECT lprect, int nCombineMode) = 0;
  virtual BOOL PtInRegion(int x, int y) const = 0;
  virtual BOOL RectInRegion(LPCRECT lprect) const = 0;
  // The bounding box; returns the region type (NULLREGION, SIMPLEREGION, COMPLEXREGION).
  virtual int GetRgnBox(LPRECT lprect) const = 0;
  // TRUE when the bounding box has no width or no height.
  virtual BOOL IsEmpty() const = 0;
  virtual int Offset(POINT pt) = 0;
  // Makes the region the empty rectangle (0, 0, 0, 0).
  virtual void Clear() = 0;
  // Makes the region a copy of hRgn.
  virtual int CopyFromHRGN(HRGN hRgn) = 0;
};

}  // namespace SWUI
