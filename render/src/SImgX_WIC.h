// An image decoded by the Windows Imaging Component: every frame decoded at load into a WIC
// bitmap of 32-bit (premultiplied) B, G, R, A.
#pragma once
#include <windows.h>
#include <wincodec.h>

#include <memory>

#include "IImgX.h"
#include "SImgFrame_WIC.h"
#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SImgX_WIC : public TObjRefImpl<IImgX> {
 public:
  // Holds a reference to the imaging factory for its own lifetime.
  SImgX_WIC(IWICImagingFactory* factory, BOOL bPremultiplied);

  int LoadFromMemory(void* pBuf, size_t bufLen) override;
  int LoadFromFileW(LPCWSTR pszFileName) override;
  UINT GetFrameCount() override { return frameCount_; }
  IImgFrame* GetFrame(UINT iFrame) override;

 private:
  SAutoRefPtr<IWICImagingFactory> factory_;
  BOOL premultiplied_;
  UINT frameCount_ = 0;
  std::unique_ptr<SImgFrame_WIC[]> frames_;
};

// Decodes every frame of decoder into frames (a new array), each through a format converter
// of its own; a frame that does not decode keeps no pixels. The frame count, 0 when the
// decoder reports none or the array cannot be made.
UINT LoadWicFrames(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, BOOL premultiplied,
                   std::unique_ptr<SImgFrame_WIC[]>* frames);

}  // namespace SWUI
