// One frame of a PNG/APNG image: a view into the image's pixel block, with its delay in
// hundredths of a second.
#pragma once
#include <windows.h>

#include "IImgFrame.h"

namespace SWUI {

class SImgFrame_PNG : public IImgFrame {
 public:
  SImgFrame_PNG() = default;
  SImgFrame_PNG(const BYTE* pixels, UINT width, UINT height, int delay)
      : pixels_(pixels), width_(width), height_(height), delay_(delay) {}

  BOOL GetSize(UINT* pWid, UINT* pHei) override;
  // Copies the whole frame; the rectangle and stride are ignored, and the buffer must be
  // exactly width x height x 4 bytes.
  BOOL CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize, BYTE* pbBuffer) override;
  int GetDelay() override { return delay_; }

 private:
  const BYTE* pixels_ = nullptr;
  UINT width_ = 0;
  UINT height_ = 0;
  int delay_ = 0;
};

}  // namespace SWUI
