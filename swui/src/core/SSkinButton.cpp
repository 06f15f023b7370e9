#include "core/SSkinButton.h"

#include <cwchar>

#include "base/SAutoRefPtr.h"
#include "core/SColorizer.h"
#include "res.mgr/SNamedValueGetters.h"

namespace SWUI {

namespace {

constexpr COLORREF kNotSet = 0x00FFFFFF;

// The colour attributes by name, each pointing at its slot of the colour table.
struct ColorAttr {
  LPCWSTR name;
  COLORREF (SSkinButton::Colors::*row)[4];
  int state;
};

const ColorAttr kColorAttrs[] = {
    {L"colorBorder", &SSkinButton::Colors::border, 0},
    {L"colorBorderHover", &SSkinButton::Colors::border, 1},
    {L"colorBorderPush", &SSkinButton::Colors::border, 2},
    {L"colorBorderDisable", &SSkinButton::Colors::border, 3},
    {L"colorUp", &SSkinButton::Colors::up, 0},
    {L"colorUpHover", &SSkinButton::Colors::up, 1},
    {L"colorUpPush", &SSkinButton::Colors::up, 2},
    {L"colorUpDisable", &SSkinButton::Colors::up, 3},
    {L"colorDown", &SSkinButton::Colors::down, 0},
    {L"colorDownHover", &SSkinButton::Colors::down, 1},
    {L"colorDownPush", &SSkinButton::Colors::down, 2},
    {L"colorDownDisable", &SSkinButton::Colors::down, 3},
};

}  // namespace

// The defaults are opaque greys; the three state borders start "not set".
SSkinButton::SSkinButton()
    : colors_{{0xFF707070, kNotSet, kNotSet, kNotSet},
              {0xFFEEEEEE, 0xFFEEEEEE, 0xFFCECECE, 0xFF8E8E8E},
              {0xFFD6D6D6, 0xFFE0E0E0, 0xFFC0C0C0, 0xFF808080}},
      saved_(colors_) {}

void SSkinButton::OnDraw(IRenderTarget* pRT, LPCRECT rcDraw, DWORD dwState, BYTE byAlpha) {
  if (dwState > 3) return;
  const int s = static_cast<int>(dwState);
  const RECT& rc = *rcDraw;
  const int radius = CornerRadius(rc, cornerRadius_, cornerPercent_);
  const COLORREF up = colors_.up[s];
  const COLORREF down = colors_.down[s];
  if (up == down) {
    if (radius < 1) {
      pRT->FillSolidRect(&rc, WithAlpha(up, byAlpha));
    } else {
      pRT->FillSolidRoundRect(&rc, POINT{radius, radius}, WithAlpha(up, byAlpha));
    }
  } else {
    bool clipped = false;
    if (radius > 2) {
      IRegion* rgn = nullptr;
      if (SUCCEEDED(pRT->CreateRegion(&rgn)) && rgn != nullptr) {
        const RECT outer = {rc.left, rc.top, rc.right + 1, rc.bottom + 1};
        rgn->CombineRoundRect(&outer, 2 * radius, 2 * radius, RGN_COPY);
        pRT->PushClipRegion(rgn, RGN_AND);
        rgn->Release();
        clipped = true;
      }
    }
    const RECT inner = {rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom - 1};
    pRT->GradientFill(&inner, TRUE, up, down, byAlpha);
    if (clipped) pRT->PopClip();
  }
  COLORREF border = colors_.border[s];
  if (border == kNotSet) border = colors_.border[0];
  ScopedSelection pen(pRT, NewPen(pRT, PS_SOLID, WithAlpha(border, byAlpha), 1));
  if (pen) pRT->DrawRoundRect(&rc, POINT{radius, radius});
}

void SSkinButton::OnColorize(COLORREF cr) {
  if (!enableColorize_ || cr == colorizeColor_) return;
  // The first tint keeps the untinted colours; every tint starts from them.
  if (colorizeColor_ == 0) {
    saved_ = colors_;
  } else {
    colors_ = saved_;
  }
  colorizeColor_ = cr;
  if (cr == 0) return;
  const SColorizer colorizer(cr);
  for (int s = 0; s < 4; ++s) {
    colors_.border[s] = colorizer.TintColor(colors_.border[s]);
    colors_.up[s] = colorizer.TintColor(colors_.up[s]);
    colors_.down[s] = colorizer.TintColor(colors_.down[s]);
  }
}

HRESULT SSkinButton::SetAttribute(const SStringW& name, const SStringW& value, BOOL bLoading) {
  HRESULT hr = E_NOTIMPL;
  for (const ColorAttr& attr : kColorAttrs) {
    if (P::IsName(name, attr.name)) {
      hr = ParseNamedColor(value, &(colors_.*attr.row)[attr.state]);
      break;
    }
  }
  if (hr == E_NOTIMPL) {
    if (P::IsName(name, L"cornerRadius")) {
      cornerRadius_ = P::Int(value);
      hr = S_OK;
    } else if (P::IsName(name, L"cornerPercent")) {
      swscanf(value, L"%f", &cornerPercent_);
      hr = S_OK;
    } else {
      return SSkinObjBase::SetAttribute(name, value, bLoading);
    }
  }
  return AfterAttribute(name, value, bLoading, hr);
}

}  // namespace SWUI
