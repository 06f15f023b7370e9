// A GDI bitmap: a 32-bit top-down DIB section of premultiplied B, G, R, A pixels, empty (no
// section, size 0 x 0) until it is initialised or loaded.
#pragma once
#include <windows.h>

#include "IBitmap.h"
#include "TGdiRenderObjImpl.h"

namespace SWUI {

using SBitmapBase_GDI = TGdiRenderObjImpl<IBitmap, OT_BITMAP>;

class SBitmap_GDI : public SBitmapBase_GDI {
  SWUI_CLASS_NAME_EX(SBitmapBase_GDI, L"bitmap", OBJ_TYPE_UNDEF)

 public:
  explicit SBitmap_GDI(IRenderFactory* pRenderFactory);
  ~SBitmap_GDI() override;

  // E_INVALIDARG for a null frame; E_OUTOFMEMORY when no section of the frame's size can be
  // made (a frame without pixels included); E_FAIL when the frame does not copy its pixels.
  HRESULT InitFromFrame(IImgFrame* pImgFrame) override;
  // E_OUTOFMEMORY when no section of that size can be made; the bitmap is then empty.
  HRESULT Init(int nWid, int nHei, const void* pBits) override;
  HRESULT LoadFromFile(LPCWSTR pszFileName) override;
  HRESULT LoadFromMemory(const BYTE* pBuf, size_t szLen) override;
  UINT Width() const override { return static_cast<UINT>(width_); }
  UINT Height() const override { return static_cast<UINT>(height_); }
  SIZE Size() const override { return SIZE{width_, height_}; }
  // Both flush GDI first, so that the bits hold every drawing call made so far.
  void* LockPixelBits() override;
  void UnlockPixelBits(void*) override {}
  const void* GetPixelBits() const override;

  HBITMAP GetBitmap() const { return bitmap_; }

  // A 32-bit top-down DIB section of nWid x nHei made with the screen's device context; null
  // when the size is not positive, too large, or GDI fails.
  static HBITMAP CreateDIB32(int nWid, int nHei, void** ppBits);

 private:
  // Decodes with the owning factory's decoder: through pBuf/szLen, else through the file.
  HRESULT LoadImage(LPCWSTR pszFileName, const BYTE* pBuf, size_t szLen);
  void Free();

  int width_ = 0;
  int height_ = 0;
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
};

}  // namespace SWUI
