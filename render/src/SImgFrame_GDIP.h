// One frame decoded by GDI+: delay in milliseconds and its own block of premultiplied pixels.
#pragma once
#include <windows.h>

#include <memory>

#include "IImgFrame.h"

namespace SWUI {

class SImgFrame_GDIP : public IImgFrame {
 public:
  SImgFrame_GDIP() = default;

  // Takes a premultiplied pixel block of width x height x 4 bytes.
  void Attach(UINT width, UINT height, std::unique_ptr<BYTE[]> pixels, int delay);

  BOOL GetSize(UINT* pWid, UINT* pHei) override;
  // Copies the whole frame; the rectangle and stride are ignored, and the buffer must be
  // exactly width x height x 4 bytes.
  BOOL CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize, BYTE* pbBuffer) override;
  int GetDelay() override { return delay_; }

 private:
  int delay_ = 0;
  UINT width_ = 0;
  UINT height_ = 0;
  std::unique_ptr<BYTE[]> pixels_;
};

}  // namespace SWUI
