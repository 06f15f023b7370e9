#include "core/SSkinColorRect.h"

#include <cwchar>

#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

constexpr COLORREF kNotSet = 0x00FFFFFF;

const LPCWSTR kFillAttrs[4] = {L"normal", L"hover", L"pushdown", L"disable"};
const LPCWSTR kBorderAttrs[4] = {L"normalBorder", L"hoverBorder", L"pushdownBorder",
                                 L"disableBorder"};

}  // namespace

SSkinColorRect::SSkinColorRect()
    : fill_{0xFFFFFFFF, kNotSet, kNotSet, kNotSet}, border_{kNotSet, kNotSet, kNotSet, kNotSet} {}

int SSkinColorRect::GetStates() const {
  for (int s = 3; s > 0; --s) {
    if (fill_[s] != kNotSet) return s + 1;
  }
  return 1;
}

void SSkinColorRect::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  if (dwState > 3) return;
  int s = static_cast<int>(dwState);
  if (fill_[s] == kNotSet) s = 0;
  const RECT& rc = *rcDraw;
  const int radius = CornerRadius(rc, cornerRadius_, cornerPercent_);
  const COLORREF fill = WithAlpha(fill_[s], byAlpha);
  if (radius < 1) {
    pRT->FillSolidRect(&rc, fill);
  } else {
    pRT->FillSolidRoundRect(&rc, POINT{radius, radius}, fill);
  }
  if (border_[s] == kNotSet || borderWidth_ <= 0) return;
  ScopedSelection pen(pRT, NewPen(pRT, PS_SOLID, WithAlpha(border_[s], byAlpha), borderWidth_));
  if (!pen) return;
  if (radius < 1) {
    pRT->DrawRectangle(&rc);
  } else {
    pRT->DrawRoundRect(&rc, POINT{radius, radius});
  }
}

HRESULT SSkinColorRect::SetAttribute(const SStringW& name, const SStringW& value,
                                     BOOL bLoading) {
  for (int s = 0; s < 4; ++s) {
    if (P::IsName(name, kFillAttrs[s])) {
      return AfterAttribute(name, value, bLoading, ParseNamedColor(value, &fill_[s]));
    }
    if (P::IsName(name, kBorderAttrs[s])) {
      return AfterAttribute(name, value, bLoading, ParseNamedColor(value, &border_[s]));
    }
  }
  if (P::IsName(name, L"borderWidth")) {
    borderWidth_ = P::Int(value);
  } else if (P::IsName(name, L"cornerRadius")) {
    cornerRadius_ = P::Int(value);
  } else if (P::IsName(name, L"cornerPercent")) {
    swscanf(value, L"%f", &cornerPercent_);
  } else {
    return SSkinObjBase::SetAttribute(name, value, bLoading);
  }
  return AfterAttribute(name, value, bLoading, S_OK);
}

}  // namespace SWUI
