#include "SImgFrame_WIC.h"

namespace SWUI {

BOOL SImgFrame_WIC::GetSize(UINT* pWid, UINT* pHei) {
  if (!source_) return FALSE;
  UINT width = 0;
  UINT height = 0;
  if (FAILED(source_->GetSize(&width, &height))) return FALSE;
  if (pWid != nullptr) *pWid = width;
  if (pHei != nullptr) *pHei = height;
  return TRUE;
}

BOOL SImgFrame_WIC::CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize, BYTE* pbBuffer) {
  if (!source_ || pbBuffer == nullptr) return FALSE;
  WICRect rect = {};
  if (prc != nullptr) {
    rect = {prc->left, prc->top, prc->right - prc->left, prc->bottom - prc->top};
  }
  return SUCCEEDED(
      source_->CopyPixels(prc != nullptr ? &rect : nullptr, cbStride, cbBufferSize, pbBuffer));
}

}  // namespace SWUI
