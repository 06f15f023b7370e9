#include "core/SSkinObjBase.h"

#include <algorithm>

#include "core/SApplication.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

void SSkinObjBase::Draw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState) {
  DrawWithAlpha(pRT, rcDraw, dwState, GetAlpha());
}

void SSkinObjBase::DrawWithAlpha(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState,
                                 BYTE byAlpha) {
  if (pRT == nullptr || rcDraw == nullptr) return;
  OnDraw(pRT, rcDraw, dwState, byAlpha);
}

ISkinObj* SSkinObjBase::Scale(int nScale) {
  SApplication* app = SApplication::getSingletonPtr();
  if (app == nullptr) return nullptr;
  ISkinObj* copy = app->CreateSkinByName(GetObjectClass());
  if (copy != nullptr) CopyScaledInto(copy, nScale);
  return copy;
}

void SSkinObjBase::CopyScaledInto(ISkinObj* pTarget, int nScale) const {
  if (pTarget == nullptr || !pTarget->IsClass(L"skinObjBase")) return;
  auto* target = dynamic_cast<SSkinObjBase*>(pTarget);
  if (target == nullptr) return;
  target->scale_ = nScale;
  target->alpha_ = alpha_;
  target->colorizeColor_ = colorizeColor_;
  target->enableColorize_ = enableColorize_;
  target->name_ = name_;
}

HRESULT SSkinObjBase::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  HRESULT hr;
  if (P::IsName(name, L"alpha")) {
    alpha_ = static_cast<BYTE>(P::Int(value));
    hr = S_OK;
  } else if (P::IsName(name, L"enableColorize")) {
    enableColorize_ = P::Int(value);
    hr = S_OK;
  } else if (P::IsName(name, L"scale")) {
    scale_ = P::Int(value);
    hr = S_FALSE;
  } else if (P::IsName(name, L"name")) {
    name_ = GetNamedString(value);
    hr = S_FALSE;
  } else {
    return SSkinObjBaseImpl::SetAttribute(name, value, bLoading);
  }
  return AfterAttribute(name, value, bLoading, hr);
}

int SSkinObjBase::ScaledLength(int value, int nScale) const {
  return MulDiv(value, nScale, scale_ > 0 ? scale_ : 100);
}

COLORREF SSkinObjBase::WithAlpha(COLORREF cr, BYTE byAlpha) {
  if (byAlpha == 0xFF) return cr;
  const DWORD a = ((cr >> 24) * byAlpha) >> 8;
  return (cr & 0x00FFFFFFu) | (a << 24);
}

int SSkinObjBase::CornerRadius(const RECT& rc, int radius, float percent) {
  if (percent <= 0.0f) return radius;
  const LONG side = std::min(rc.right - rc.left, rc.bottom - rc.top);
  return static_cast<int>(static_cast<float>(side) * percent);
}

SSkinObjBase::ScopedSelection::ScopedSelection(IRenderTarget* pRT, IRenderObj* pObj)
    : rt_(pRT), obj_(pObj) {
  if (obj_ != nullptr) rt_->SelectObject(obj_, &old_);
}

SSkinObjBase::ScopedSelection::~ScopedSelection() {
  if (old_ != nullptr) {
    rt_->SelectObject(old_, nullptr);
    old_->Release();
  }
  if (obj_ != nullptr) obj_->Release();
}

IRenderObj* SSkinObjBase::NewPen(IRenderTarget* pRT, int style, COLORREF cr, int width) {
  IPen* pen = nullptr;
  return SUCCEEDED(pRT->CreatePen(style, cr, width, &pen)) ? pen : nullptr;
}

IRenderObj* SSkinObjBase::NewBrush(IRenderTarget* pRT, COLORREF cr) {
  IBrush* brush = nullptr;
  return SUCCEEDED(pRT->CreateSolidColorBrush(cr, &brush)) ? brush : nullptr;
}

}  // namespace SWUI
