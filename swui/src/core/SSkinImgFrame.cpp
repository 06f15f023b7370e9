#include "core/SSkinImgFrame.h"

#include <cwchar>

#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

UINT SSkinImgFrame::GetExpandMode() const {
  return (tile_ ? EM_TILE : EM_STRETCH) | (static_cast<UINT>(filterLevel_) << 16);
}

void SSkinImgFrame::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  if (!image_) return;
  const RECT src = CellRect(static_cast<int>(MappedState(dwState)));
  pRT->DrawBitmap9Patch(rcDraw, image_, &src, &margin_, GetExpandMode(), byAlpha);
}

void SSkinImgFrame::CopyScaledInto(ISkinObj* pTarget, int nScale) const {
  SSkinImgList::CopyScaledInto(pTarget, nScale);
  auto* target = dynamic_cast<SSkinImgFrame*>(pTarget);
  if (target == nullptr) return;
  target->margin_.left = ScaledLength(margin_.left, nScale);
  target->margin_.top = ScaledLength(margin_.top, nScale);
  target->margin_.right = ScaledLength(margin_.right, nScale);
  target->margin_.bottom = ScaledLength(margin_.bottom, nScale);
}

HRESULT SSkinImgFrame::SetAttribute(const SStringW& name, const SStringW& value,
                                    BOOL bLoading) {
  if (P::IsName(name, L"margin")) {
    int l = margin_.left, t = margin_.top, r = margin_.right, b = margin_.bottom;
    swscanf(value, L"%d,%d,%d,%d", &l, &t, &r, &b);
    margin_ = RECT{l, t, r, b};
  } else if (P::IsName(name, L"left")) {
    margin_.left = P::Int(value);
  } else if (P::IsName(name, L"top")) {
    margin_.top = P::Int(value);
  } else if (P::IsName(name, L"right")) {
    margin_.right = P::Int(value);
  } else if (P::IsName(name, L"bottom")) {
    margin_.bottom = P::Int(value);
  } else if (P::IsName(name, L"margin-x")) {
    margin_.left = margin_.right = P::Int(value);
  } else if (P::IsName(name, L"margin-y")) {
    margin_.top = margin_.bottom = P::Int(value);
  } else if (P::IsName(name, L"margin2")) {
    SArray<SStringW> pieces;
    if (SplitString(value, L',', pieces) != 4) return E_INVALIDARG;
    margin_.left = GetNamedDimension(pieces[0]).toPixelSize(100);
    margin_.top = GetNamedDimension(pieces[1]).toPixelSize(100);
    margin_.right = GetNamedDimension(pieces[2]).toPixelSize(100);
    margin_.bottom = GetNamedDimension(pieces[3]).toPixelSize(100);
  } else {
    return SSkinImgList::SetAttribute(name, value, bLoading);
  }
  return AfterAttribute(name, value, bLoading, S_FALSE);
}

}  // namespace SWUI
