// The GDI+ image decoder: starts GDI+ for its own lifetime, decodes images into premultiplied
// frames and writes bitmaps with GDI+'s encoders.
#pragma once
#include <windows.h>

#include "IImgDecoderFactory.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SImgDecoderFactory_GDIP : public TObjRefImpl<IImgDecoderFactory> {
 public:
  SImgDecoderFactory_GDIP();
  ~SImgDecoderFactory_GDIP() override;

  BOOL CreateImgX(IImgX** ppImgDecoder) override;
  // E_INVALIDARG for a null bitmap, E_FAIL for a bitmap without pixels, an unreadable encoder
  // list, a format no encoder writes or a failed save; E_OUTOFMEMORY when the encoder list
  // cannot be held.
  HRESULT SaveImage(IBitmap* pImg, LPCWSTR pszFileName, const void* pFormat) override;
  LPCWSTR GetDescription() const override { return L"gdi+"; }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace SWUI
