// The render factory: makes render targets, fonts, bitmaps and regions, and holds the image
// decoder factory through which bitmaps are decoded and saved. Its creators never report
// failure: when memory runs out they answer TRUE with a null out pointer, so callers test it.
#pragma once
#include <windows.h>

#include "IBitmap.h"
#include "IFont.h"
#include "IImgDecoderFactory.h"
#include "IRegion.h"
#include "IRenderTarget.h"
#include "base/IObjRef.h"

namespace SWUI {

struct IRenderFactory : public IObjRef {
  // The held decoder factory, no reference added; null until one is set.
  virtual IImgDecoderFactory* GetImgDecoderFactory() = 0;
  // Holds a reference to the new decoder factory and releases the old one; null clears it.
  virtual void SetImgDecoderFactory(IImgDecoderFactory* pImgDecoderFac) = 0;
  // A render target of nWid x nHei, all pixels zero.
  virtual BOOL CreateRenderTarget(IRenderTarget** ppRenderTarget, int nWid, int nHei) = 0;
  virtual BOOL CreateFont(IFont** ppFont, const LOGFONTW& lf) = 0;
  // An empty bitmap (no pixels until it is initialised or loaded).
  virtual BOOL CreateBitmap(IBitmap** ppBitmap) = 0;
  // An empty region.
  virtual BOOL CreateRegion(IRegion** ppRgn) = 0;
  // Reserved: FALSE.
  virtual BOOL Reserved9(void* a1) = 0;
  virtual BOOL Reserved10(void* a1, void* a2) = 0;
  virtual BOOL Reserved11(void* a1) = 0;
  virtual ~IRenderFactory() = default;
};

}  // namespace SWUI
