#include "core/SSkinImgCenter.h"

namespace SWUI {

void SSkinImgCenter::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  if (!image_) return;
  const SIZE sz = GetSkinSize();
  const RECT src = CellRect(static_cast<int>(dwState));
  RECT dest;
  dest.left = rcDraw->left + (rcDraw->right - rcDraw->left - sz.cx) / 2;
  dest.top = rcDraw->top + (rcDraw->bottom - rcDraw->top - sz.cy) / 2;
  dest.right = dest.left + sz.cx;
  dest.bottom = dest.top + sz.cy;
  pRT->DrawBitmapEx(&dest, image_, &src, GetExpandMode(), byAlpha);
}

}  // namespace SWUI
