#include "SImgFrame_PNG.h"

#include <cstring>

namespace SWUI {

BOOL SImgFrame_PNG::GetSize(UINT* pWid, UINT* pHei) {
  if (pixels_ == nullptr) return FALSE;
  if (pWid != nullptr) *pWid = width_;
  if (pHei != nullptr) *pHei = height_;
  return TRUE;
}

BOOL SImgFrame_PNG::CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize, BYTE* pbBuffer) {
  (void)prc;
  (void)cbStride;
  if (pixels_ == nullptr || pbBuffer == nullptr) return FALSE;
  // The decoder capped the block far below 4 GiB, so the size fits.
  const size_t size = static_cast<size_t>(width_) * height_ * 4;
  if (cbBufferSize != size) return FALSE;
  memcpy(pbBuffer, pixels_, size);
  return TRUE;
}

}  // namespace SWUI
