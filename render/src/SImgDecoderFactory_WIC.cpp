#include "SImgDecoderFactory_WIC.h"

#include "RenderModule.h"
#include "SImgX_WIC.h"

namespace SWUI {

SImgDecoderFactory_WIC::SImgDecoderFactory_WIC(IWICImagingFactory* factory) : factory_(factory) {}

BOOL SImgDecoderFactory_WIC::CreateImgX(IImgX** ppImgDecoder) {
  if (ppImgDecoder == nullptr) return FALSE;
  *ppImgDecoder = new SImgX_WIC(factory_, TRUE);
  return TRUE;
}

HRESULT SImgDecoderFactory_WIC::SaveImage(IBitmap*, LPCWSTR, const void*) { return E_FAIL; }

BOOL CreateImgDecoderFactory_WIC(IObjRef** ppObj) {
  if (ppObj == nullptr) return FALSE;
  IWICImagingFactory* factory = nullptr;
  // Fails, among other reasons, when COM is not initialised on this thread.
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)))) {
    return FALSE;
  }
  *ppObj = new SImgDecoderFactory_WIC(factory);
  factory->Release();  // the decoder factory holds its own reference
  return TRUE;
}

}  // namespace SWUI
