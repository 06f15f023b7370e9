// The one frame of an image decoded by stb_image: its own premultiplied pixel block.
#pragma once
#include <windows.h>

#include "IImgFrame.h"

namespace SWUI {

class SImgFrame_STB : public IImgFrame {
 public:
  // Takes a block that stb_image allocated (width x height x 4 bytes), freed with the frame.
  SImgFrame_STB(BYTE* pixels, UINT width, UINT height);
  ~SImgFrame_STB();
  SImgFrame_STB(const SImgFrame_STB&) = delete;
  SImgFrame_STB& operator=(const SImgFrame_STB&) = delete;

  BOOL GetSize(UINT* pWid, UINT* pHei) override;
  // Copies the whole frame; the rectangle and stride are ignored, and the buffer must be
  // exactly width x height x 4 bytes.
  BOOL CopyPixels(const RECT* prc, UINT cbStride, UINT cbBufferSize, BYTE* pbBuffer) override;
  int GetDelay() override { return 0; }

 private:
  BYTE* pixels_;
  UINT width_;
  UINT height_;
};

}  // namespace SWUI
