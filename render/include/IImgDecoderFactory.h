// A module that decodes encoded images into frames and writes bitmaps to files; counted.
#pragma once
#include <windows.h>

#include "IImgX.h"
#include "base/IObjRef.h"

namespace SWUI {

struct IBitmap;

struct IImgDecoderFactory : IObjRef {
  // A new empty image with one reference, owned by the caller.
  virtual BOOL CreateImgX(IImgX** ppImgDecoder) = 0;

  // Writes a bitmap to a file; pFormat points at the GUID of an image format (for instance
  // the PNG format's). Decoders that cannot write answer E_NOTIMPL.
  virtual HRESULT SaveImage(IBitmap* pImg, LPCWSTR pszFileName, const void* pFormat) {
    (void)pImg;
    (void)pszFileName;
    (void)pFormat;
    return E_NOTIMPL;
  }

  // The decoder's name ("gdi+" for the GDI+ decoder); null when it has none.
  virtual LPCWSTR GetDescription() const { return nullptr; }
  virtual ~IImgDecoderFactory() = default;
};

}  // namespace SWUI
