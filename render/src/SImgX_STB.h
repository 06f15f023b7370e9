// An image decoded by stb_image (JPEG, PNG, BMP, PSD, PIC, GIF, HDR): one frame at most.
#pragma once
#include <windows.h>

#include <memory>

#include "IImgX.h"
#include "SImgFrame_STB.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SImgX_STB : public TObjRefImpl<IImgX> {
 public:
  explicit SImgX_STB(BOOL bPremultiplied);

  int LoadFromMemory(void* pBuf, size_t bufLen) override;
  int LoadFromFileW(LPCWSTR pszFileName) override;
  UINT GetFrameCount() override { return frame_ ? 1 : 0; }
  IImgFrame* GetFrame(UINT iFrame) override;

 private:
  // Takes stb_image's R, G, B, A result (null after a failed decode); the frame count.
  int Take(BYTE* rgba, int width, int height);

  // Every factory passes TRUE; frames are always premultiplied, as GDI expects them.
  BOOL premultiplied_;
  std::unique_ptr<SImgFrame_STB> frame_;
};

}  // namespace SWUI
