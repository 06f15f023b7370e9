#include "SImgFrame_GDIP.h"

#include <cstring>

namespace SWUI {

void SImgFrame_GDIP::Attach(UINT width, UINT height, std::unique_ptr<BYTE[]> pixels, int delay) {
  width_ = width;
  height_ = height;
  pixels_ = std::move(pixels);
  delay_ = delay;
}

BOOL SImgFrame_GDIP::GetSize(UINT* pWid, UINT* pHei) {
  if (!pixels_) return FALSE;
  if (pWid != nullptr) *pWid = width_;
  if (pHei != nullptr) *pHei = height_;
  return TRUE;
}

BOOL SImgFrame_GDIP::CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize,
                                BYTE* pbBuffer) {
  (void)prc;
  (void)cbStride;
  if (!pixels_ || pbBuffer == nullptr) return FALSE;
  // The block was allocated with this size, so the product cannot overflow here.
  const size_t size = static_cast<size_t>(width_) * height_ * 4;
  if (cbBufferSize != size) return FALSE;
  memcpy(pbBuffer, pixels_.get(), size);
  return TRUE;
}

}  // namespace SWUI
