// An image decoded from PNG or APNG: every frame composed on the full canvas, premultiplied.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "ApngData.h"
#include "IImgX.h"
#include "SImgFrame_PNG.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SImgX_PNG : public TObjRefImpl<IImgX> {
 public:
  explicit SImgX_PNG(BOOL bPremultiplied);

  int LoadFromMemory(void* pBuf, size_t bufLen) override;
  int LoadFromFileW(LPCWSTR pszFileName) override;
  UINT GetFrameCount() override;
  IImgFrame* GetFrame(UINT iFrame) override;

 private:
  // Takes a decode (or its absence) as the image's content; the frame count.
  int Take(std::unique_ptr<ApngData> data);

  // Every factory passes TRUE; frames are always premultiplied, as GDI expects them.
  BOOL premultiplied_;
  std::unique_ptr<ApngData> data_;
  std::vector<SImgFrame_PNG> frames_;
};

}  // namespace SWUI
