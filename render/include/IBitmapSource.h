// Where the pixels of a deferred bitmap come from (IBitmap::InitDeferred): asked once, when
// the bitmap's pixels are first read or drawn, and never when only its size is asked. Counted:
// the bitmap holds one reference until the pixels are made.
#pragma once
#include <windows.h>

#include "base/IObjRef.h"

namespace SWUI {

struct IBitmap;

struct IBitmapSource : IObjRef {
  // Gives pBitmap its pixels (Init, InitFromFrame or a load); a source that fails leaves the
  // bitmap empty (0 x 0).
  virtual HRESULT MakePixels(IBitmap* pBitmap) = 0;

 protected:
  ~IBitmapSource() = default;
};

}  // namespace SWUI
