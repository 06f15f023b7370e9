#include "SRenderFactory_GDI.h"

#include "RenderModule.h"
#include "SBitmap_GDI.h"
#include "SFont_GDI.h"
#include "SRegion_GDI.h"
#include "SRenderTarget_GDI.h"

namespace SWUI {

BOOL SRenderFactory_GDI::CreateRenderTarget(IRenderTarget** ppRenderTarget, int nWid, int nHei) {
  if (ppRenderTarget == nullptr) return FALSE;
  *ppRenderTarget = new SRenderTarget_GDI(this, nWid, nHei);
  return TRUE;
}

BOOL SRenderFactory_GDI::CreateFont(IFont** ppFont, const LOGFONTW& lf) {
  if (ppFont == nullptr) return FALSE;
  *ppFont = new SFont_GDI(this, &lf);
  return TRUE;
}

BOOL SRenderFactory_GDI::CreateBitmap(IBitmap** ppBitmap) {
  if (ppBitmap == nullptr) return FALSE;
  *ppBitmap = new SBitmap_GDI(this);
  return TRUE;
}

BOOL SRenderFactory_GDI::CreateRegion(IRegion** ppRgn) {
  if (ppRgn == nullptr) return FALSE;
  *ppRgn = new SRegion_GDI(this);
  return TRUE;
}

BOOL CreateRenderFactory_GDI(IObjRef** ppObj) {
  if (ppObj == nullptr) return FALSE;
  *ppObj = new SRenderFactory_GDI();
  return TRUE;
}

BOOL CreateRenderFactoryModule(IObjRef** ppObj) { return CreateRenderFactory_GDI(ppObj); }

}  // namespace SWUI
