#include "SBitmap_GDI.h"

#include <cstdint>
#include <cstring>

#include "IImgDecoderFactory.h"
#include "IRenderFactory.h"
#include "RefPtrAssign.h"

namespace SWUI {

SBitmap_GDI::SBitmap_GDI(IRenderFactory* pRenderFactory) : SBitmapBase_GDI(pRenderFactory) {}

SBitmap_GDI::~SBitmap_GDI() { Free(); }

void SBitmap_GDI::Free() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

HBITMAP SBitmap_GDI::CreateDIB32(int nWid, int nHei, void** ppBits) {
  *ppBits = nullptr;
  if (nWid <= 0 || nHei <= 0) return nullptr;
  if (static_cast<uint64_t>(nWid) * static_cast<uint64_t>(nHei) * 4 > 0x7FFFFFFFu) return nullptr;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = nWid;
  bmi.bmiHeader.biHeight = -nHei;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  HDC screen = ::GetDC(nullptr);
  HBITMAP bmp = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, ppBits, nullptr, 0);
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  if (bmp != nullptr && *ppBits == nullptr) {
    DeleteObject(bmp);
    bmp = nullptr;
  }
  return bmp;
}

void* SBitmap_GDI::LockPixelBits() {
  GdiFlush();
  return bits_;
}

const void* SBitmap_GDI::GetPixelBits() const {
  GdiFlush();
  return bits_;
}

HRESULT SBitmap_GDI::Init(int nWid, int nHei, const void* pBits) {
  Free();
  void* bits = nullptr;
  HBITMAP bmp = CreateDIB32(nWid, nHei, &bits);
  if (bmp == nullptr) return E_OUTOFMEMORY;
  const size_t size = static_cast<size_t>(nWid) * nHei * 4;
  if (pBits != nullptr) {
    memcpy(bits, pBits, size);
  } else {
    memset(bits, 0, size);
  }
  bitmap_ = bmp;
  bits_ = bits;
  width_ = nWid;
  height_ = nHei;
  return S_OK;
}

HRESULT SBitmap_GDI::InitFromFrame(IImgFrame* pImgFrame) {
  if (pImgFrame == nullptr) return E_INVALIDARG;
  UINT wid = 0;
  UINT hei = 0;
  if (!pImgFrame->GetSize(&wid, &hei)) wid = hei = 0;
  if (wid > 0x7FFFFFFFu || hei > 0x7FFFFFFFu) return E_OUTOFMEMORY;
  HRESULT hr = Init(static_cast<int>(wid), static_cast<int>(hei), nullptr);
  if (FAILED(hr)) return hr;
  if (!pImgFrame->CopyPixels(nullptr, wid * 4, wid * 4 * hei, static_cast<BYTE*>(bits_))) {
    return E_FAIL;
  }
  return S_OK;
}

HRESULT SBitmap_GDI::LoadImage(LPCWSTR pszFileName, const BYTE* pBuf, size_t szLen) {
  IImgDecoderFactory* decoders = factory_ != nullptr ? factory_->GetImgDecoderFactory() : nullptr;
  if (decoders == nullptr) return E_FAIL;
  IImgX* raw = nullptr;
  if (!decoders->CreateImgX(&raw) || raw == nullptr) return E_OUTOFMEMORY;
  RefPtrAssign<IImgX> img;
  img.Attach(raw);
  const int frames = pBuf != nullptr ? img->LoadFromMemory(const_cast<BYTE*>(pBuf), szLen)
                                     : img->LoadFromFileW(pszFileName);
  if (frames <= 0) return S_FALSE;
  return InitFromFrame(img->GetFrame(0));
}

HRESULT SBitmap_GDI::LoadFromFile(LPCWSTR pszFileName) {
  if (pszFileName == nullptr) return E_INVALIDARG;
  return LoadImage(pszFileName, nullptr, 0);
}

HRESULT SBitmap_GDI::LoadFromMemory(const BYTE* pBuf, size_t szLen) {
  if (pBuf == nullptr || szLen == 0) return S_FALSE;
  return LoadImage(nullptr, pBuf, szLen);
}

}  // namespace SWUI
