#include "SImgFrame_STB.h"

#include <stb/stb_image.h>

#include <cstring>

namespace SWUI {

SImgFrame_STB::SImgFrame_STB(BYTE* pixels, UINT width, UINT height)
    : pixels_(pixels), width_(width), height_(height) {}

SImgFrame_STB::~SImgFrame_STB() { stbi_image_free(pixels_); }

BOOL SImgFrame_STB::GetSize(UINT* pWid, UINT* pHei) {
  if (pWid != nullptr) *pWid = width_;
  if (pHei != nullptr) *pHei = height_;
  return TRUE;
}

BOOL SImgFrame_STB::CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize, BYTE* pbBuffer) {
  (void)prc;
  (void)cbStride;
  if (pbBuffer == nullptr) return FALSE;
  const size_t size = static_cast<size_t>(width_) * height_ * 4;
  if (cbBufferSize != size) return FALSE;
  memcpy(pbBuffer, pixels_, size);
  return TRUE;
}

}  // namespace SWUI
