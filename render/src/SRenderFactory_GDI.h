// The GDI render factory: makes GDI render targets, fonts, bitmaps and regions and holds the
// image decoder factory (counted) that bitmaps decode and save through.
#pragma once
#include <windows.h>

#include "IRenderFactory.h"
#include "RefPtrAssign.h"
#include "base/TObjRefImpl.h"

namespace SWUI {

class SRenderFactory_GDI : public TObjRefImpl<IRenderFactory> {
 public:
  SRenderFactory_GDI() = default;

  IImgDecoderFactory* GetImgDecoderFactory() override { return decoders_; }
  void SetImgDecoderFactory(IImgDecoderFactory* pImgDecoderFac) override {
    decoders_ = pImgDecoderFac;
  }
  BOOL CreateRenderTarget(IRenderTarget** ppRenderTarget, int nWid, int nHei) override;
  BOOL CreateFont(IFont** ppFont, const LOGFONTW& lf) override;
  BOOL CreateBitmap(IBitmap** ppBitmap) override;
  BOOL CreateRegion(IRegion** ppRgn) override;
  BOOL Reserved9(void*) override { return FALSE; }
  BOOL Reserved10(void*, void*) override { return FALSE; }
  BOOL Reserved11(void*) override { return FALSE; }

 private:
  RefPtrAssign<IImgDecoderFactory> decoders_;
};

}  // namespace SWUI
