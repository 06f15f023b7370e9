#include "SRegion_GDI.h"

namespace SWUI {

SRegion_GDI::SRegion_GDI(IRenderFactory* pRenderFactory)
    : SRegionBase_GDI(pRenderFactory), rgn_(CreateRectRgn(0, 0, 0, 0)) {}

SRegion_GDI::~SRegion_GDI() {
  if (rgn_ != nullptr) DeleteObject(rgn_);
}

namespace {

// RGN_DIFF takes the other region from this one; RGN_COPY makes this one a copy of the other;
// the symmetric modes combine both.
int CombineInto(HRGN self, HRGN other, int nCombineMode) {
  if (nCombineMode == RGN_DIFF) return ::CombineRgn(self, self, other, RGN_DIFF);
  return ::CombineRgn(self, other, self, nCombineMode);
}

}  // namespace

int SRegion_GDI::CombineTemp(HRGN other, int nCombineMode) {
  if (other == nullptr) return ERROR;
  int ret = ERROR;
  if (rgn_ != nullptr) ret = CombineInto(rgn_, other, nCombineMode);
  DeleteObject(other);
  return ret;
}

int SRegion_GDI::CombineRect(LPCRECT lprect, int nCombineMode) {
  if (lprect == nullptr) return ERROR;
  return CombineTemp(CreateRectRgnIndirect(lprect), nCombineMode);
}

int SRegion_GDI::CombineRgn(const IRegion* pRgnSrc, int nCombineMode) {
  const auto* src = static_cast<const SRegion_GDI*>(pRgnSrc);
  if (src == nullptr || src->rgn_ == nullptr || rgn_ == nullptr) return ERROR;
  return CombineInto(rgn_, src->rgn_, nCombineMode);
}

int SRegion_GDI::CombineRoundRect(LPCRECT lprect, int nEllipseWidth, int nEllipseHeight,
                                  int nCombineMode) {
  if (lprect == nullptr) return ERROR;
  return CombineTemp(CreateRoundRectRgn(lprect->left, lprect->top, lprect->right,
                                        lprect->bottom, nEllipseWidth, nEllipseHeight),
                     nCombineMode);
}

int SRegion_GDI::CombineEllipse(LPCRECT lprect, int nCombineMode) {
  if (lprect == nullptr) return ERROR;
  return CombineTemp(CreateEllipticRgnIndirect(lprect), nCombineMode);
}

BOOL SRegion_GDI::PtInRegion(int x, int y) const {
  return rgn_ != nullptr && ::PtInRegion(rgn_, x, y);
}

BOOL SRegion_GDI::RectInRegion(LPCRECT lprect) const {
  return rgn_ != nullptr && lprect != nullptr && ::RectInRegion(rgn_, lprect);
}

int SRegion_GDI::GetRgnBox(LPRECT lprect) const {
  if (rgn_ == nullptr || lprect == nullptr) return ERROR;
  return ::GetRgnBox(rgn_, lprect);
}

BOOL SRegion_GDI::IsEmpty() const {
  RECT rc{};
  GetRgnBox(&rc);
  return rc.left == rc.right || rc.top == rc.bottom;
}

int SRegion_GDI::Offset(POINT pt) {
  if (rgn_ == nullptr) return ERROR;
  return OffsetRgn(rgn_, pt.x, pt.y);
}

void SRegion_GDI::Clear() {
  if (rgn_ != nullptr) SetRectRgn(rgn_, 0, 0, 0, 0);
}

int SRegion_GDI::CopyFromHRGN(HRGN hRgn) {
  if (rgn_ == nullptr || hRgn == nullptr) return ERROR;
  return ::CombineRgn(rgn_, hRgn, nullptr, RGN_COPY);
}

}  // namespace SWUI
