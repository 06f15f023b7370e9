#include "core/SSkinImgFrame2.h"

#include <cstring>

#include "IRenderFactory.h"

namespace SWUI {

namespace {

// Margins of one marker line of n pixels (alpha bytes step apart): the run of marked pixels
// between the first and last pixel gives the low margin before it and the high one after it.
void MarkerMargins(const BYTE* alpha, int n, size_t step, LONG* low, LONG* high) {
  int x = 1;
  while (x < n - 1 && alpha[x * step] == 0) ++x;
  *low = x - 1;
  while (x < n - 1 && alpha[x * step] != 0) ++x;
  *high = n - x - 1;
}

}  // namespace

HRESULT SSkinImgFrame2::SetAttribute(const SStringW& name, const SStringW& value,
                                     BOOL bLoading) {
  if (!P::IsName(name, L"src")) return SSkinImgFrame::SetAttribute(name, value, bLoading);
  IBitmap* marked = LoadImageRef(value);
  HRESULT hr = E_FAIL;
  if (marked != nullptr) {
    hr = TakeMarkedImage(marked);
    marked->Release();
  }
  return AfterAttribute(name, value, bLoading, hr);
}

HRESULT SSkinImgFrame2::TakeMarkedImage(IBitmap* marked) {
  const int w = static_cast<int>(marked->Width());
  const int h = static_cast<int>(marked->Height());
  const auto* px = static_cast<const BYTE*>(marked->GetPixelBits());
  if (w < 2 || h < 2 || px == nullptr) return E_INVALIDARG;
  IBitmap* inner = nullptr;
  IRenderFactory* factory = marked->GetRenderFactory();
  if (factory == nullptr || !factory->CreateBitmap(&inner) || inner == nullptr) {
    return E_OUTOFMEMORY;
  }
  SAutoRefPtr<IBitmap> holder;
  holder.Attach(inner);
  if (FAILED(inner->Init(w - 2, h - 2, nullptr))) return E_OUTOFMEMORY;
  RECT margin;
  const size_t stride = static_cast<size_t>(w) * 4;
  MarkerMargins(px + 3, w, 4, &margin.left, &margin.right);
  MarkerMargins(px + 3, h, stride, &margin.top, &margin.bottom);
  auto* dst = static_cast<BYTE*>(inner->LockPixelBits());
  for (int y = 1; y < h - 1; ++y) {
    memcpy(dst + (y - 1) * (w - 2) * 4, px + y * stride + 4, static_cast<size_t>(w - 2) * 4);
  }
  inner->UnlockPixelBits(dst);
  SetImage(inner);
  margin_ = margin;
  return S_FALSE;
}

}  // namespace SWUI
