// A GDI bitmap: a 32-bit top-down DIB section of premultiplied B, G, R, A pixels, empty (no
// section, size 0 x 0) until it is initialised or loaded. A deferred bitmap knows its size
// and makes its section the first time anything reads or draws its pixels.
#pragma once
#include <windows.h>

#include <vector>

#include "IBitmap.h"
#include "IBitmapSource.h"
#include "RefPtrAssign.h"
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
  // E_INVALIDARG for a null source or a size that is not positive (the bitmap is then empty).
  HRESULT InitDeferred(int nWid, int nHei, IBitmapSource* pSource) override;
  UINT Width() const override { return static_cast<UINT>(width_); }
  UINT Height() const override { return static_cast<UINT>(height_); }
  SIZE Size() const override { return SIZE{width_, height_}; }
  // Both flush GDI first, so that the bits hold every drawing call made so far.
  void* LockPixelBits() override;
  void UnlockPixelBits(void*) override {}
  const void* GetPixelBits() const override;

  // The section (made first when deferred).
  HBITMAP GetBitmap() const {
    MakeDeferred();
    return bitmap_;
  }

  // What the pixels of a rectangle of the bitmap are: all opaque, and all one value.
  struct PixelSummary {
    bool opaque;
    bool uniform;
    DWORD pixel;  // the value when uniform
  };
  // The summary of rc (inside the bitmap; empty: neither). Remembered for a few rectangles
  // until the pixels may change (LockPixelBits, a new section); a bitmap that has been a
  // render target's surface is drawn into behind its back, so it is never summarised and
  // answers neither.
  PixelSummary Summarize(const RECT& rc) const;
  // The bitmap is, or has been, selected as a render target's surface.
  void MarkSurface() { surface_ = true; }

  // A 32-bit top-down DIB section of nWid x nHei made with the screen's device context; null
  // when the size is not positive, too large, or GDI fails.
  static HBITMAP CreateDIB32(int nWid, int nHei, void** ppBits);

 private:
  // Decodes with the owning factory's decoder: through pBuf/szLen, else through the file.
  HRESULT LoadImage(LPCWSTR pszFileName, const BYTE* pBuf, size_t szLen);
  void Free();
  // Asks a deferred bitmap's source for the pixels (once).
  void MakeDeferred() const {
    if (source_ != nullptr) MakePixelsNow();
  }
  void MakePixelsNow() const;

  int width_ = 0;
  int height_ = 0;
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  mutable RefPtrAssign<IBitmapSource> source_;
  bool surface_ = false;
  struct Summary {
    RECT rc;
    PixelSummary summary;
  };
  mutable std::vector<Summary> summaries_;
};

}  // namespace SWUI
