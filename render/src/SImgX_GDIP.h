// An image decoded by GDI+ into premultiplied frames: one frame for a still image, one per
// time step for an animated one, each with its delay in milliseconds.
#pragma once
#include <windows.h>

#include <vector>

#include "IImgX.h"
#include "SImgFrame_GDIP.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SImgX_GDIP : public TObjRefImpl<IImgX> {
 public:
  explicit SImgX_GDIP(BOOL bPremultiplied);

  int LoadFromMemory(void* pBuf, size_t bufLen) override;
  int LoadFromFileW(LPCWSTR pszFileName) override;
  UINT GetFrameCount() override;
  IImgFrame* GetFrame(UINT iFrame) override;

  // Turns width x 4 bytes of straight-alpha B, G, R, A into premultiplied ones (or copies
  // them when premultiplication is off): a pixel of alpha 0 becomes all zero, every colour
  // byte c becomes c x a / 255.
  static void ConvertRow(const BYTE* src, BYTE* dst, UINT width, BOOL bPremultiplied);

 private:
  // Decodes every frame of a GDI+ bitmap (a GpBitmap*) into frames_; the frame count, 0 when
  // any step fails.
  int LoadFrames(void* gpBitmap);

  BOOL premultiplied_;
  std::vector<SImgFrame_GDIP> frames_;
};

}  // namespace SWUI
