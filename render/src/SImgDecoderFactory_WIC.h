// The Windows Imaging Component decoder ("wic"); it does not write images. Each decoder
// factory holds its own reference to the imaging factory, and each image another, so neither
// depends on the other's lifetime.
#pragma once
#include <windows.h>
#include <wincodec.h>

#include "IImgDecoderFactory.h"
#include "base/SAutoRefPtr.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SImgDecoderFactory_WIC : public TObjRefImpl<IImgDecoderFactory> {
 public:
  // Holds a reference to the imaging factory.
  explicit SImgDecoderFactory_WIC(IWICImagingFactory* factory);

  BOOL CreateImgX(IImgX** ppImgDecoder) override;
  HRESULT SaveImage(IBitmap* pImg, LPCWSTR pszFileName, const void* pFormat) override;
  LPCWSTR GetDescription() const override { return L"wic"; }

 private:
  SAutoRefPtr<IWICImagingFactory> factory_;
};

}  // namespace SWUI
