#include "layout/SLayoutParamBase.h"

#include "layout/SLayoutUtil.h"

namespace SWUI {

HRESULT SLayoutParamBase::SetAttribute(const SStringW& name, const SStringW& value, BOOL) {
  if (name.CompareNoCase(L"width") == 0) {
    Width() = ParseLayoutSize(value, m_acceptFull);
    return S_OK;
  }
  if (name.CompareNoCase(L"height") == 0) {
    Height() = ParseLayoutSize(value, m_acceptFull);
    return S_OK;
  }
  if (name.CompareNoCase(L"size") == 0) return ParseLayoutSizePair(value, m_acceptFull, Width(), Height());
  return E_NOTIMPL;
}

bool SLayoutParamBase::IsMatchParent(ORIENTATION orientation) const {
  return TestAxes(orientation, Width().IsMatchParent(), Height().IsMatchParent());
}

bool SLayoutParamBase::IsWrapContent(ORIENTATION orientation) const {
  return TestAxes(orientation, Width().IsWrapContent(), Height().IsWrapContent());
}

bool SLayoutParamBase::IsSpecifiedSize(ORIENTATION orientation) const {
  return TestAxes(orientation, Width().IsSpecifiedSize(), Height().IsSpecifiedSize());
}

SLayoutSize SLayoutParamBase::GetSpecifiedSize(ORIENTATION orientation) const {
  if (orientation == Horz) return Width();
  if (orientation == Vert) return Height();
  return SLayoutSize(0.0f, px);
}

void SLayoutParamBase::SetMatchParent(ORIENTATION orientation) {
  SetAxes(orientation, SLayoutSize(SLayoutSize::kMatchParent, px), Width(), Height());
}

void SLayoutParamBase::SetWrapContent(ORIENTATION orientation) {
  SetAxes(orientation, SLayoutSize(SLayoutSize::kWrapContent, px), Width(), Height());
}

void SLayoutParamBase::SetSpecifiedSize(ORIENTATION orientation, const SLayoutSize& size) {
  SetAxes(orientation, size, Width(), Height());
}

}  // namespace SWUI
