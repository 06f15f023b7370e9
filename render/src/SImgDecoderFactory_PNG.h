// The PNG/APNG decoder ("apng"): libpng decodes, the animation chunks are read by our own
// layer, and bitmaps are written as RGBA PNG files.
#pragma once
#include <windows.h>

#include "IImgDecoderFactory.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SImgDecoderFactory_PNG : public TObjRefImpl<IImgDecoderFactory> {
 public:
  BOOL CreateImgX(IImgX** ppImgDecoder) override;
  // Writes the bitmap as an 8-bit RGBA PNG with straight colour; the format is not used.
  // E_INVALIDARG for a null bitmap or path, E_FAIL for a bitmap without pixels, a file that
  // cannot be written or any libpng error, E_OUTOFMEMORY when the rows cannot be held.
  HRESULT SaveImage(IBitmap* pImg, LPCWSTR pszFileName, const void* pFormat) override;
  LPCWSTR GetDescription() const override { return L"apng"; }
};

}  // namespace SWUI
