#include "core/SSkinImgList.h"

#include <cstring>
#include <cwchar>

#include "core/SApplication.h"
#include "core/SColorizer.h"
#include "res.mgr/SDeferredBitmap.h"

namespace SWUI {

namespace {

const LPCWSTR kFilterLevels[] = {L"none", L"low", L"medium", L"high"};

// A bitmap resampled to w x h with the high filter when first drawn (one copy per size of a
// resource image), or null.
IBitmap* Resampled(IBitmap* bmp, int w, int h) {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? app->ResampledImage(bmp, w, h) : DeferredResample(bmp, w, h);
}

// A copy of image tinted with cr, made when first drawn; null when none can be made.
IBitmap* Tinted(IBitmap* image, COLORREF cr) {
  SAutoRefPtr<IBitmap> from(image);
  return NewDeferredBitmap(image->GetRenderFactory(), static_cast<int>(image->Width()),
                           static_cast<int>(image->Height()), [from, cr](IBitmap* bitmap) {
                             const HRESULT hr = bitmap->Init(static_cast<int>(from->Width()),
                                                             static_cast<int>(from->Height()),
                                                             from->GetPixelBits());
                             if (SUCCEEDED(hr)) SColorizer::TintBitmap(bitmap, cr);
                             return hr;
                           });
}

}  // namespace

SIZE SSkinImgList::GetSkinSize() const {
  if (!image_) return SIZE{0, 0};
  SIZE sz = image_->Size();
  if (vertical_) {
    sz.cy /= states_;
  } else {
    sz.cx /= states_;
  }
  return sz;
}

int SSkinImgList::GetStates() const {
  return stateMap_.IsEmpty() ? states_ : static_cast<int>(stateMap_.GetCount());
}

BOOL SSkinImgList::SetStates(int nStates) {
  if (nStates < 1) return FALSE;
  states_ = nStates;
  return TRUE;
}

void SSkinImgList::SetImage(IBitmap* pImg) {
  if (pImg == image_) return;
  image_ = pImg;
  backup_ = nullptr;
  colorizeColor_ = 0;
}

UINT SSkinImgList::GetExpandMode() const {
  UINT mode = EM_NULL;
  if (autoFit_) mode = tile_ ? EM_TILE : EM_STRETCH;
  return mode | (static_cast<UINT>(filterLevel_) << 16);
}

RECT SSkinImgList::CellRect(int index) const {
  const SIZE sz = GetSkinSize();
  RECT rc = {0, 0, sz.cx, sz.cy};
  if (vertical_) {
    OffsetRect(&rc, 0, index * sz.cy);
  } else {
    OffsetRect(&rc, index * sz.cx, 0);
  }
  return rc;
}

DWORD SSkinImgList::MappedState(DWORD dwState) const {
  return dwState < stateMap_.GetCount() ? static_cast<DWORD>(stateMap_[dwState]) : dwState;
}

void SSkinImgList::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  if (!image_) return;
  const RECT src = CellRect(static_cast<int>(MappedState(dwState)));
  pRT->DrawBitmapEx(rcDraw, image_, &src, GetExpandMode(), byAlpha);
}

void SSkinImgList::OnColorize(COLORREF cr) {
  if (!enableColorize_ || cr == colorizeColor_) return;
  colorizeColor_ = cr;
  // The untinted image may be shared with other skins: a tint is a copy of its own, made
  // when first drawn, and taking the tint off takes the untinted image back.
  SAutoRefPtr<IBitmap> untinted = backup_ ? backup_ : image_;
  if (!untinted) return;
  if (cr == 0) {
    image_ = untinted;
    backup_ = nullptr;
    return;
  }
  IBitmap* tinted = Tinted(untinted, cr);
  if (tinted == nullptr) return;
  backup_ = untinted;
  image_.Attach(tinted);
}

void SSkinImgList::CopyScaledInto(ISkinObj* pTarget, int nScale) const {
  SSkinObjBase::CopyScaledInto(pTarget, nScale);
  auto* target = dynamic_cast<SSkinImgList*>(pTarget);
  if (target == nullptr) return;
  target->states_ = states_;
  target->tile_ = tile_;
  target->autoFit_ = autoFit_;
  target->vertical_ = vertical_;
  target->filterLevel_ = filterLevel_;
  target->stateMap_ = stateMap_;
  if (!image_) return;
  const SIZE cell = GetSkinSize();
  const int cw = ScaledLength(cell.cx, nScale);
  const int ch = ScaledLength(cell.cy, nScale);
  const int w = vertical_ ? cw : cw * states_;
  const int h = vertical_ ? ch * states_ : ch;
  target->image_.Attach(Resampled(image_, w, h));
  if (backup_) target->backup_.Attach(Resampled(backup_, w, h));
}

IBitmap* SSkinImgList::LoadImageRef(const SStringW& value) {
  SApplication* app = SApplication::getSingletonPtr();
  return app != nullptr ? app->LoadImageByRef(value) : nullptr;
}

HRESULT SSkinImgList::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  HRESULT hr;
  if (P::IsName(name, L"src")) {
    IBitmap* img = LoadImageRef(value);
    hr = img != nullptr ? S_FALSE : E_FAIL;
    if (img != nullptr) {
      SetImage(img);
      img->Release();
    }
  } else if (P::IsName(name, L"states")) {
    hr = SetStates(P::Int(value)) ? S_FALSE : E_INVALIDARG;
  } else if (P::IsName(name, L"tile")) {
    tile_ = P::NonZero(value);
    hr = S_FALSE;
  } else if (P::IsName(name, L"autoFit")) {
    autoFit_ = P::NonZero(value);
    hr = S_FALSE;
  } else if (P::IsName(name, L"vertical")) {
    vertical_ = P::NonZero(value);
    hr = S_FALSE;
  } else if (P::IsName(name, L"filterLevel")) {
    int level = -1;
    for (int i = 0; i < 4; ++i) {
      if (value.CompareNoCase(kFilterLevels[i]) == 0) level = i;
    }
    if (level < 0) return E_FAIL;
    filterLevel_ = level;
    hr = S_FALSE;
  } else if (P::IsName(name, L"stateMap")) {
    SArray<SStringW> pieces;
    SplitString(value, L'-', pieces);
    stateMap_.RemoveAll();
    for (const SStringW& piece : pieces) {
      stateMap_.Add(static_cast<int>(wcstol(piece, nullptr, 10)));
    }
    hr = S_OK;
  } else {
    return SSkinObjBase::SetAttribute(name, value, bLoading);
  }
  return AfterAttribute(name, value, bLoading, hr);
}

}  // namespace SWUI
