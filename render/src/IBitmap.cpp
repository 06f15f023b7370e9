// The bitmap operations every implementation inherits: written only in terms of the other
// operations, the owning factory and its decoder factory.
#include "IBitmap.h"

#include "IRenderFactory.h"
#include "IRenderTarget.h"
#include "RefPtrAssign.h"

namespace SWUI {

HRESULT IBitmap::Clone(IBitmap** ppClone) const {
  if (ppClone == nullptr) return E_INVALIDARG;
  *ppClone = nullptr;
  IRenderFactory* factory = GetRenderFactory();
  IBitmap* copy = nullptr;
  if (factory == nullptr || !factory->CreateBitmap(&copy) || copy == nullptr) {
    return E_UNEXPECTED;
  }
  const HRESULT hr = copy->Init(static_cast<int>(Width()), static_cast<int>(Height()),
                                GetPixelBits());
  if (FAILED(hr)) {
    copy->Release();
    return hr;
  }
  *ppClone = copy;
  return hr;
}

HRESULT IBitmap::Scale(IBitmap** ppOutput, int nWid, int nHei, FilterLevel filterLevel) const {
  if (ppOutput == nullptr) return E_INVALIDARG;
  *ppOutput = nullptr;
  if (nWid == static_cast<int>(Width()) && nHei == static_cast<int>(Height())) {
    return Clone(ppOutput);
  }
  IRenderFactory* factory = GetRenderFactory();
  if (factory == nullptr) return E_UNEXPECTED;
  IRenderTarget* raw = nullptr;
  if (!factory->CreateRenderTarget(&raw, nWid, nHei) || raw == nullptr) return E_OUTOFMEMORY;
  RefPtrAssign<IRenderTarget> target;
  target.Attach(raw);
  // The target's surface is a bitmap of the factory's: without one the factory makes none.
  auto* surface = static_cast<IBitmap*>(target->GetCurrentObject(OT_BITMAP));
  if (surface == nullptr) return E_UNEXPECTED;
  if (static_cast<int>(surface->Width()) != nWid || static_cast<int>(surface->Height()) != nHei) {
    return E_OUTOFMEMORY;
  }
  const RECT dest = {0, 0, nWid, nHei};
  const RECT src = {0, 0, static_cast<LONG>(Width()), static_cast<LONG>(Height())};
  const UINT mode = EM_STRETCH | (static_cast<UINT>(filterLevel) << 16);
  const HRESULT hr = target->DrawBitmapEx(&dest, const_cast<IBitmap*>(this), &src, mode, 0xFF);
  if (SUCCEEDED(hr)) {
    surface->AddRef();
    *ppOutput = surface;
  }
  return hr;
}

HRESULT IBitmap::Scale2(IBitmap** ppOutput, int nScale, FilterLevel filterLevel) const {
  return Scale(ppOutput, MulDiv(static_cast<int>(Width()), nScale, 100),
               MulDiv(static_cast<int>(Height()), nScale, 100), filterLevel);
}

HRESULT IBitmap::Save(LPCWSTR pszFileName, const void* pFormat) const {
  IRenderFactory* factory = GetRenderFactory();
  IImgDecoderFactory* decoders = factory != nullptr ? factory->GetImgDecoderFactory() : nullptr;
  if (decoders == nullptr) return E_FAIL;
  return decoders->SaveImage(const_cast<IBitmap*>(this), pszFileName, pFormat);
}

}  // namespace SWUI
