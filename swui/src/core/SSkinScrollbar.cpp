#include "core/SSkinScrollbar.h"

namespace SWUI {

int SSkinScrollbar::GetIdealSize() const {
  return image_ ? static_cast<int>(image_->Width()) / 9 : 0;
}

RECT SSkinScrollbar::GetPartRect(int part, int state, BOOL vertical) const {
  const int c = GetSkinSize().cx / 9;
  int col;
  int row = state;
  if (part == kPartCorner) {
    col = 8;
    row = 0;
  } else if (part == kPartGripper) {
    col = 8;
    row = vertical ? 1 : 2;
  } else {
    switch (part) {
      case SB_LINEUP: col = 0; break;
      case SB_LINEDOWN: col = 1; break;
      case SB_PAGEUP:
      case SB_PAGEDOWN: col = 3; break;
      case SB_THUMBTRACK: col = 2; break;
      default: return RECT{0, 0, 0, 0};
    }
    if (!vertical) col += 4;
    if (state == 4 && !hasInactive_) row = 0;
  }
  return RECT{col * c, row * c, col * c + c, row * c + c};
}

void SSkinScrollbar::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  if (!image_) return;
  DrawPart(pRT, rcDraw, image_, dwState, byAlpha);
}

void SSkinScrollbar::DrawPart(IRenderTarget* pRT, LPCRECT rcDraw, IBitmap* image, DWORD dwState,
                              BYTE byAlpha) const {
  const int part = static_cast<int>(LOWORD(dwState));
  const int state = static_cast<int>((dwState >> 16) & 0xFF);
  const BOOL vertical = (dwState >> 24) != 0;
  const RECT src = GetPartRect(part, state, vertical);
  if (IsRectEmpty(&src)) return;
  const RECT margin = vertical ? RECT{0, margin_, 0, margin_} : RECT{margin_, 0, margin_, 0};
  const UINT mode = tile_ ? EM_TILE : EM_STRETCH;
  pRT->DrawBitmap9Patch(rcDraw, image, &src, &margin, mode, byAlpha);
  if (part != SB_THUMBTRACK || !hasGripper_) return;
  // The gripper at its own length, centred along the bar, across the thumb's whole width.
  const RECT grip = GetPartRect(kPartGripper, 0, vertical);
  if (IsRectEmpty(&grip)) return;
  RECT dest = *rcDraw;
  if (vertical) {
    const LONG len = grip.bottom - grip.top;
    dest.top = rcDraw->top + (rcDraw->bottom - rcDraw->top - len) / 2;
    dest.bottom = dest.top + len;
  } else {
    const LONG len = grip.right - grip.left;
    dest.left = rcDraw->left + (rcDraw->right - rcDraw->left - len) / 2;
    dest.right = dest.left + len;
  }
  pRT->DrawBitmap9Patch(&dest, image, &grip, &margin, mode, byAlpha);
}

void SSkinScrollbar::CopyScaledInto(ISkinObj* pTarget, int nScale) const {
  SSkinImgList::CopyScaledInto(pTarget, nScale);
  auto* target = dynamic_cast<SSkinScrollbar*>(pTarget);
  if (target == nullptr) return;
  target->margin_ = ScaledLength(margin_, nScale);
  target->hasGripper_ = hasGripper_;
  target->hasInactive_ = hasInactive_;
}

HRESULT SSkinScrollbar::SetAttribute(const SStringW& name, const SStringW& value,
                                     BOOL bLoading) {
  if (P::IsName(name, L"margin")) {
    margin_ = P::Int(value);
  } else if (P::IsName(name, L"hasGripper")) {
    hasGripper_ = P::NonZero(value);
  } else if (P::IsName(name, L"hasInactive")) {
    hasInactive_ = P::NonZero(value);
  } else {
    return SSkinImgList::SetAttribute(name, value, bLoading);
  }
  return AfterAttribute(name, value, bLoading, S_OK);
}

}  // namespace SWUI
