#include "SImgDecoderFactory_GDIP.h"

#include <memory>

#include "GdiplusFlat.h"
#include "IBitmap.h"
#include "RenderModule.h"
#include "SImgX_GDIP.h"

namespace SWUI {

SImgDecoderFactory_GDIP::SImgDecoderFactory_GDIP() {
  Gdiplus::GdiplusStartupInput input;
  input.GdiplusVersion = 1;
  input.DebugEventCallback = nullptr;
  input.SuppressBackgroundThread = FALSE;
  input.SuppressExternalCodecs = FALSE;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

SImgDecoderFactory_GDIP::~SImgDecoderFactory_GDIP() {
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

BOOL SImgDecoderFactory_GDIP::CreateImgX(IImgX** ppImgDecoder) {
  if (ppImgDecoder == nullptr) return FALSE;
  *ppImgDecoder = new SImgX_GDIP(TRUE);
  return TRUE;
}

HRESULT SImgDecoderFactory_GDIP::SaveImage(IBitmap* pImg, LPCWSTR pszFileName,
                                           const void* pFormat) {
  if (pImg == nullptr) return E_INVALIDARG;
  if (pszFileName == nullptr || pFormat == nullptr) return E_INVALIDARG;

  UINT encoderCount = 0;
  UINT listSize = 0;
  if (gdip::GdipGetImageEncodersSize(&encoderCount, &listSize) != Gdiplus::Ok || listSize == 0) {
    return E_FAIL;
  }
  std::unique_ptr<BYTE[]> list(new BYTE[listSize]);
  auto* codecs = reinterpret_cast<gdip::ImageCodecInfo*>(list.get());
  if (gdip::GdipGetImageEncoders(encoderCount, listSize, codecs) != Gdiplus::Ok) return E_FAIL;
  const GUID& format = *static_cast<const GUID*>(pFormat);
  const CLSID* encoder = nullptr;
  for (UINT i = 0; i < encoderCount; ++i) {
    if (IsEqualGUID(codecs[i].FormatID, format)) {
      encoder = &codecs[i].Clsid;
      break;
    }
  }
  if (encoder == nullptr) return E_FAIL;

  const INT width = static_cast<INT>(pImg->Width());
  const INT height = static_cast<INT>(pImg->Height());
  void* bits = pImg->LockPixelBits();
  // Without pixels GDI+ would make a bitmap of its own and save whatever it holds.
  if (bits == nullptr || width <= 0 || height <= 0) {
    pImg->UnlockPixelBits(bits);
    return E_FAIL;
  }
  gdip::GpBitmap* bitmap = nullptr;
  Gdiplus::GpStatus status = gdip::GdipCreateBitmapFromScan0(
      width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits), &bitmap);
  if (status == Gdiplus::Ok) {
    status = gdip::GdipSaveImageToFile(bitmap, pszFileName, encoder, nullptr);
    gdip::GdipDisposeImage(bitmap);
  }
  pImg->UnlockPixelBits(bits);
  return status == Gdiplus::Ok ? S_OK : E_FAIL;
}

BOOL CreateImgDecoderFactory_GDIP(IObjRef** ppObj) {
  if (ppObj == nullptr) return FALSE;
  *ppObj = new SImgDecoderFactory_GDIP();
  return TRUE;
}

}  // namespace SWUI
