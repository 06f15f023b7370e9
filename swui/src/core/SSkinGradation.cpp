#include "core/SSkinGradation.h"

#include "core/SColorizer.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

void SSkinGradation::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD, BYTE byAlpha) {
  pRT->GradientFill(rcDraw, vertical_, from_, to_, byAlpha);
}

void SSkinGradation::OnColorize(COLORREF cr) {
  if (!enableColorize_ || cr == tint_) return;
  if (tint_ == 0) {
    savedFrom_ = from_;
    savedTo_ = to_;
  } else {
    from_ = savedFrom_;
    to_ = savedTo_;
  }
  tint_ = cr;
  if (cr == 0) return;
  const SColorizer colorizer(cr);
  from_ = colorizer.TintColor(from_);
  to_ = colorizer.TintColor(to_);
}

HRESULT SSkinGradation::SetAttribute(const SStringW& name, const SStringW& value,
                                     BOOL bLoading) {
  HRESULT hr;
  if (P::IsName(name, L"colorFrom")) {
    hr = ParseNamedColor(value, &from_);
  } else if (P::IsName(name, L"colorTo")) {
    hr = ParseNamedColor(value, &to_);
  } else if (P::IsName(name, L"vertical")) {
    vertical_ = P::NonZero(value);
    hr = S_OK;
  } else {
    return SSkinObjBase::SetAttribute(name, value, bLoading);
  }
  return AfterAttribute(name, value, bLoading, hr);
}

}  // namespace SWUI
