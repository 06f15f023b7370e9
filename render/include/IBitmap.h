// A bitmap (object type OT_BITMAP): the system's image. Decoded images, skin images and the
// surfaces of render targets are all bitmaps. Pixels are premultiplied B, G, R, A, top-down,
// stride width x 4.
#pragma once
#include "IRenderObj.h"

#include <cstddef>

namespace SWUI {

struct IImgFrame;
struct IBitmapSource;

// Stretch quality asked for by skins; the GDI back-end ignores it.
enum FilterLevel {
  kNone_FilterLevel = 0,
  kLow_FilterLevel = 1,
  kMedium_FilterLevel = 2,
  kHigh_FilterLevel = 3,
};

struct IBitmap : public IRenderObj {
  // Takes size and pixels of a decoded frame.
  virtual HRESULT InitFromFrame(IImgFrame* pImgFrame) = 0;
  // A new surface of nWid x nHei; pBits (nWid x 4 x nHei bytes) or all zero when null.
  virtual HRESULT Init(int nWid, int nHei, const void* pBits) = 0;
  // Decode through the owning factory's decoder factory; S_FALSE when no frame was found
  // (the previous pixels stay), E_FAIL when the factory has no decoder factory.
  virtual HRESULT LoadFromFile(LPCWSTR pszFileName) = 0;
  virtual HRESULT LoadFromMemory(const BYTE* pBuf, size_t szLen) = 0;
  // A bitmap of nWid x nHei whose pixels pSource makes when they are first read or drawn
  // (LockPixelBits, GetPixelBits, any drawing of or from the bitmap); until then the size
  // answers without them. The bitmap holds a reference to the source until then.
  virtual HRESULT InitDeferred(int nWid, int nHei, IBitmapSource* pSource) = 0;
  virtual UINT Width() const = 0;
  virtual UINT Height() const = 0;
  virtual SIZE Size() const = 0;
  // The surface's bits, writable; valid for the bitmap's life (null when empty).
  virtual void* LockPixelBits() = 0;
  virtual void UnlockPixelBits(void* pBuf) = 0;
  virtual const void* GetPixelBits() const = 0;

  // The four operations below are written in terms of the others, the owning factory and its
  // decoder factory, so every bitmap class inherits them.

  // An independent copy made by the owning factory (E_UNEXPECTED when it cannot make one).
  virtual HRESULT Clone(IBitmap** ppClone) const;
  // A copy stretched to nWid x nHei (a Clone at the current size).
  virtual HRESULT Scale(IBitmap** ppOutput, int nWid, int nHei, FilterLevel filterLevel) const;
  // A copy scaled by nScale percent in both directions.
  virtual HRESULT Scale2(IBitmap** ppOutput, int nScale, FilterLevel filterLevel) const;
  // Writes the bitmap through the owning factory's decoder factory; pFormat points at the
  // GUID of an image format. E_FAIL when the factory has no decoder factory.
  virtual HRESULT Save(LPCWSTR pszFileName, const void* pFormat) const;
};

}  // namespace SWUI
